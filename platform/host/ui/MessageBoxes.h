#pragma once

#include "Ui.h"

namespace host {

class Messages;

// The question of a message table's key (TMessages.ShowMsg): the text of the key asked
// with the buttons; answers the button pressed (mrYes = 6 ...).
int ShowMsg(const Messages& table, const QString& key,
            MessageButtons buttons = MessageButtons::YesNo,
            MessageKind kind = MessageKind::Confirmation, QWidget* parent = nullptr);

// An alert with captioned buttons (MsgAlertEx); answers the pressed button's code, e.g.
// the retry question after a lost connection offers "Sim" (10) and "Nao".
int MsgAlertEx(const QString& text, const QList<AlertButton>& buttons,
               MessageKind kind = MessageKind::Error, QWidget* parent = nullptr);

} // namespace host

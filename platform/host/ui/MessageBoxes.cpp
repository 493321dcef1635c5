#include "MessageBoxes.h"

#include "host/core/Messages.h"

namespace host {

int ShowMsg(const Messages& table, const QString& key, MessageButtons buttons, MessageKind kind,
            QWidget* parent)
{
    return Ui::current().ask(kind, table.Msg(key), buttons, parent);
}

int MsgAlertEx(const QString& text, const QList<AlertButton>& buttons, MessageKind kind,
               QWidget* parent)
{
    return Ui::current().alert(kind, text, buttons, parent);
}

} // namespace host

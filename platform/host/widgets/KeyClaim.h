#pragma once

#include <QKeySequence>
#include <QList>

class QWidget;

namespace host {

// Keys a control handles itself although its window has them as short cuts (a grid's
// Ctrl+PageDown is also the window's "next record"): while the control has the focus the
// short cut gives way and the key reaches the control.
void ClaimKeys(QWidget* control, const QList<QKeyCombination>& keys);

} // namespace host

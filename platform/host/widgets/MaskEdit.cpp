#include "MaskEdit.h"

#include <QFocusEvent>
#include <QTimer>

namespace host {

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent) {}

void TMaskEdit::SetEditMask(const QString& mask)
{
    const QString value = Text();
    m_mask = EditMask(mask);
    setInputMask(m_mask.inputMask());
    SetText(value);
}

QString TMaskEdit::Text() const
{
    return m_mask.isEmpty() ? text() : m_mask.valueOf(displayText());
}

void TMaskEdit::SetText(const QString& value)
{
    setText(value);
}

void TMaskEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // An empty masked field is typed from its first position, wherever it was clicked.
    if (!m_mask.isEmpty() && IsEmpty() && event->reason() == Qt::MouseFocusReason)
        QTimer::singleShot(0, this, [this] {
            if (IsEmpty())
                setCursorPosition(0);
        });
}

void TMaskEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        Q_EMIT exited();
}

} // namespace host

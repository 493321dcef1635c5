#include "NumberEdit.h"

#include "host/core/consiste/Consiste.h"
#include "host/core/consiste/DisplayFormat.h"

#include <QKeyEvent>

namespace host {

TNumberEdit::TNumberEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textChanged, this, &TNumberEdit::noteValue);
}

void TNumberEdit::SetDecimals(int decimals)
{
    m_decimals = std::max(0, decimals);
    reformat(hasFocus() && !isReadOnly());
}

void TNumberEdit::SetThousandSeparator(bool on)
{
    m_grouping = on;
    reformat(hasFocus() && !isReadOnly());
}

QString TNumberEdit::displayFormat(bool editing) const
{
    QString format = editing || !m_grouping ? QStringLiteral("#0") : QStringLiteral("#,##0");
    if (m_decimals > 0)
        format += QLatin1Char('.') + QString(m_decimals, QLatin1Char('0'));
    return format;
}

QString TNumberEdit::formatted(double value) const
{
    return FormatFloat(displayFormat(false), value);
}

double TNumberEdit::Value() const
{
    return FloatMaskOut(text());
}

bool TNumberEdit::IsEmpty() const
{
    return text().trimmed().isEmpty();
}

void TNumberEdit::SetValue(double value)
{
    m_keepTyped = false;
    setText(FormatFloat(displayFormat(hasFocus() && !isReadOnly()), value));
}

void TNumberEdit::Clear()
{
    m_keepTyped = false;
    clear();
}

void TNumberEdit::StartTyping(const QString& typed)
{
    setText(typed);
    deselect();
    setCursorPosition(int(typed.size()));
    m_keepTyped = true;
}

void TNumberEdit::reformat(bool editing)
{
    if (IsEmpty())
        return;
    const QString text = FormatFloat(displayFormat(editing), Value());
    if (text != this->text())
        setText(text);
}

void TNumberEdit::noteValue()
{
    const bool empty = IsEmpty();
    const double value = Value();
    if (empty == m_lastEmpty && value == m_lastValue)
        return;
    m_lastEmpty = empty;
    m_lastValue = value;
    Q_EMIT valueChanged(value);
}

void TNumberEdit::focusInEvent(QFocusEvent* event)
{
    if (!isReadOnly() && !m_keepTyped)
        reformat(true);
    QLineEdit::focusInEvent(event);
    if (m_keepTyped) {
        // QLineEdit selects everything when the focus comes by Tab or with the window.
        deselect();
        setCursorPosition(int(text().size()));
    } else if (m_autoSelect) {
        selectAll();
    }
}

void TNumberEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    reformat(false);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        Q_EMIT exited();
}

void TNumberEdit::keyPressEvent(QKeyEvent* event)
{
    m_keepTyped = false;
    const QString typed = event->text();
    const bool control = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (isReadOnly() || control || typed.size() != 1 || !typed.at(0).isPrint()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QLocale locale = operatorLocale();
    const QString decimalPoint = locale.decimalPoint();
    QChar c = typed.at(0);
    if ((c == QLatin1Char('.') || c == QLatin1Char(',')) && decimalPoint.size() == 1)
        c = decimalPoint.at(0);

    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selected = hasSelectedText() ? int(selectedText().size()) : 0;
    const bool accepted = [&] {
        if (c.isDigit() || QString(c) == decimalPoint) {
            if (m_decimals == 0 && QString(c) == decimalPoint)
                return false;
            // Nothing may be typed before a minus sign.
            if (caret == 0 && selected == 0 && text().startsWith(QLatin1Char('-')))
                return false;
            return MaxNumber(text(), m_integerDigits, m_decimals, c, caret, selected, locale);
        }
        if (c == QLatin1Char('-')) {
            const QString rest = text().remove(caret, selected);
            return m_allowNegative && caret == 0 && !rest.contains(QLatin1Char('-'));
        }
        return false;
    }();
    if (accepted)
        insert(QString(c));
    event->accept();
}

} // namespace host

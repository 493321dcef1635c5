#include "SpinEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace host {

// The empty field is the value just below MinValue, shown as a blank.
TSpinEdit::TSpinEdit(QWidget* parent) : QSpinBox(parent)
{
    setSpecialValueText(QStringLiteral(" "));
    applyRange();
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        QString typed = text.trimmed();
        if (!typed.isEmpty() && typed.toInt() > m_max) {
            // Typing past the largest number gives the largest number.
            typed = textFromValue(m_max);
            lineEdit()->setText(typed);
        }
        Q_EMIT valueTyped(typed);
    });
}

void TSpinEdit::SetMinValue(int value)
{
    m_min = value;
    m_max = std::max(m_max, m_min);
    applyRange();
}

void TSpinEdit::SetMaxValue(int value)
{
    m_max = value;
    m_min = std::min(m_min, m_max);
    applyRange();
}

void TSpinEdit::SetDigits(int digits)
{
    m_digits = std::max(0, digits);
    // Shows the current value again in the new width, without telling anyone.
    const QSignalBlocker blocker(this);
    const int current = value();
    setValue(current == maximum() ? current - 1 : current + 1);
    setValue(current);
}

void TSpinEdit::applyRange()
{
    setRange(m_min - 1, m_max);
}

bool TSpinEdit::IsEmpty() const
{
    return value() < m_min;
}

void TSpinEdit::Clear()
{
    setValue(m_min - 1);
}

QString TSpinEdit::Text() const
{
    return IsEmpty() ? QString() : textFromValue(value());
}

QValidator::State TSpinEdit::validate(QString& input, int&) const
{
    const QString typed = input.trimmed();
    if (typed.isEmpty())
        return QValidator::Acceptable;
    for (const QChar c : typed)
        if (!c.isDigit())
            return QValidator::Invalid;
    const int maxLength = std::max<int>(m_digits, int(QString::number(m_max).size()));
    if (typed.size() > maxLength)
        return QValidator::Invalid;
    // A number above the largest is taken and becomes the largest (see textEdited).
    return typed.toInt() < m_min ? QValidator::Intermediate : QValidator::Acceptable;
}

void TSpinEdit::fixup(QString&) const {}

int TSpinEdit::valueFromText(const QString& text) const
{
    const QString typed = text.trimmed();
    return typed.isEmpty() ? m_min - 1 : typed.toInt();
}

QString TSpinEdit::textFromValue(int value) const
{
    return QString::number(value).rightJustified(m_digits, QLatin1Char('0'));
}

void TSpinEdit::stepBy(int steps)
{
    const int from = IsEmpty() ? (steps > 0 ? m_min - 1 : m_max + 1) : value();
    const int to = std::clamp(from + steps, m_min, m_max);
    if (to == value())
        return;
    setValue(to);
    selectAll();
    Q_EMIT valueTyped(Text());
}

void TSpinEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->text() == QLatin1String("-")) {
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

TWeekSpinEdit::TWeekSpinEdit(QWidget* parent) : TSpinEdit(parent)
{
    SetMaxValue(53);
    SetMinValue(1);
    SetDigits(2);
    SetValue(1);
}

} // namespace host

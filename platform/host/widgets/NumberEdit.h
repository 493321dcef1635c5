#pragma once

#include <QLineEdit>

namespace host {

// The number field of the screens (prices, quantities, percentages): right aligned, in
// the operator's locale (pt_BR: "1.234,50000"), with a fixed number of decimals, a limit
// of integer and decimal digits enforced key by key (MaxNumber), thousands grouping while
// the field is not being edited (optional), and an empty state ("no value").
// The period key types the decimal separator when the locale uses a comma.
class TNumberEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TNumberEdit(QWidget* parent = nullptr);

    int Decimals() const { return m_decimals; }
    void SetDecimals(int decimals);
    // Digits allowed before the decimal separator.
    int IntegerDigits() const { return m_integerDigits; }
    void SetIntegerDigits(int digits) { m_integerDigits = digits; }
    // Thousands grouping while the field is not being edited.
    bool ThousandSeparator() const { return m_grouping; }
    void SetThousandSeparator(bool on);
    // Whether the whole text is selected whenever the field takes the focus, to be typed
    // over (off by default).
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool on) { m_autoSelect = on; }
    // Whether a minus sign may be typed (first position only).
    bool AllowNegative() const { return m_allowNegative; }
    void SetAllowNegative(bool allow) { m_allowNegative = allow; }

    // The value shown; 0 when the field is empty.
    double Value() const;
    bool IsEmpty() const;
    void SetValue(double value);
    void Clear();
    // Starts the field with what the person already typed elsewhere (a key pressed on a
    // grid that opened the field): only that text, the caret after it, kept as typed when
    // the field takes the focus, until the next key or value.
    void StartTyping(const QString& typed);

    // The value formatted as the field shows it when not being edited.
    QString formatted(double value) const;

Q_SIGNALS:
    // The value changed (typed or set); empty reads as 0.
    void valueChanged(double value);
    // The focus went to another control of the window (OnExit), changed or not.
    void exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString displayFormat(bool editing) const;
    void reformat(bool editing);
    void noteValue();

    int m_decimals = 2;
    int m_integerDigits = 10;
    bool m_grouping = true;
    bool m_allowNegative = true;
    bool m_lastEmpty = true;
    bool m_autoSelect = false;
    bool m_keepTyped = false; // StartTyping's text stays as typed until the next key
    double m_lastValue = 0.0;
};

} // namespace host

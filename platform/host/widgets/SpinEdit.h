#pragma once

#include <QSpinBox>

namespace host {

// The spin field of the screens: whole numbers from MinValue to MaxValue, shown with at
// least Digits digits ("05"), typed with digits only (a minus sign is discarded), as many
// digits as MaxValue has, a number above MaxValue becoming MaxValue, and possibly empty. valueTyped tells the user's own changes
// (typing, the arrows, the wheel) apart from values set by the program.
class TSpinEdit : public QSpinBox
{
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    int MinValue() const { return m_min; }
    int MaxValue() const { return m_max; }
    void SetMinValue(int value);
    void SetMaxValue(int value);
    int Digits() const { return m_digits; }
    void SetDigits(int digits);

    // The value; MinValue - 1 when the field is empty.
    int Value() const { return value(); }
    void SetValue(int value) { setValue(value); }
    bool IsEmpty() const;
    void Clear();
    // The number shown ("05"), or "" when empty.
    QString Text() const;

    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void stepBy(int steps) override;

Q_SIGNALS:
    // The user typed or spun: the text as typed ("5", "" when erased, "06" when spun).
    void valueTyped(const QString& text);

protected:
    int valueFromText(const QString& text) const override;
    QString textFromValue(int value) const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyRange();

    int m_min = 0;
    int m_max = 100;
    int m_digits = 0;
};

// A week field: weeks 1 to 53, two digits, starting at week 1.
class TWeekSpinEdit : public TSpinEdit
{
    Q_OBJECT
public:
    explicit TWeekSpinEdit(QWidget* parent = nullptr);
};

} // namespace host

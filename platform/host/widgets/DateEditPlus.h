#pragma once

#include "MaskEdit.h"

#include <QDate>
#include <QStringList>

class QCalendarWidget;
class QFrame;

namespace host {

// The date field of the screens: dd/MM/yyyy typed over a mask or picked from a calendar
// (the button at its right); it may stay empty. The text turns blue while it holds a
// valid date.
class TDateEditPlus : public TMaskEdit
{
    Q_OBJECT
public:
    explicit TDateEditPlus(QWidget* parent = nullptr);

    // The date shown; an invalid QDate when the field is empty or holds no valid date.
    QDate GetDate() const;
    // Shows a date; an invalid date empties the field.
    void SetDate(const QDate& date);
    // The field holds a complete, valid date.
    bool IsDateValid() const;
    // Refuses a text that is not a date: the focus comes back here and
    // "<text> não é uma data válida." is shown through MensErro, which ends the running
    // handler (EAbort). An empty field or a valid date passes.
    void CheckValidDate();

    // The words after the text in CheckValidDate's message.
    static QString defaultInvalidDateText();
    void SetInvalidDateText(const QString& text) { m_invalidDateText = text; }
    const QString& InvalidDateText() const { return m_invalidDateText; }

    // Names of the days, Sunday first ("Domingo" ... "Sábado"), and the name of the day
    // shown ("" when there is no valid date), for a label beside the field.
    const QStringList& DayNames() const { return m_dayNames; }
    void SetDayNames(const QStringList& names);
    QString DayName() const;

    // True while dateChanged is being sent for a key the user typed in the field (as
    // opposed to a date set by the program or picked from the calendar).
    bool IsTyping() const { return m_typing; }

    // Colour of the text while the date is valid (blue by default).
    void SetValidDateColor(const QColor& color);

    // Opens the calendar below the field (also the button's action).
    void ShowCalendar();
    QCalendarWidget* calendar() const { return m_calendar; }

Q_SIGNALS:
    // The date shown changed, by typing (then it may be invalid, e.g. half typed), by the
    // program or by the calendar.
    void dateChanged(const QDate& date);

private:
    void onTextEdited();
    void onTextChanged();
    void updateColor();
    void pickDate(const QDate& date);

    QString m_invalidDateText;
    QStringList m_dayNames;
    QColor m_validColor = QColor(Qt::blue);
    bool m_typing = false;
    bool m_editedPending = false;
    QFrame* m_popup = nullptr;
    QCalendarWidget* m_calendar = nullptr;
};

} // namespace host

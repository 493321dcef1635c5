#pragma once

#include <QGroupBox>

class QLineEdit;

namespace host {
class TDateEditPlus;
class TWeekSpinEdit;
} // namespace host

namespace module {

class WeekDateLink;

// The validity period of the screens' dialogs: a group with an initial and a final row,
// each a week spinner, a date and the week's text beside it, kept in step by WeekDateLink
// (initial weeks start on their Monday, final weeks end on their Sunday).
class ValidityGroup final : public QGroupBox
{
    Q_OBJECT
public:
    // `invalidDateText` is what a date field says of a text that is no date; `nameSuffix`
    // ends the controls' names ("_Inc": speInicial_Inc, depDtInicial_Inc, ...).
    ValidityGroup(const QString& title, const QString& initialCaption,
                  const QString& finalCaption, const QString& invalidDateText,
                  QWidget* parent, const QString& nameSuffix = QString());

    host::TWeekSpinEdit* speInicial = nullptr;
    host::TDateEditPlus* depDtInicial = nullptr;
    QLineEdit* edtNmSemInicial = nullptr;
    host::TWeekSpinEdit* speFinal = nullptr;
    host::TDateEditPlus* depDtFinal = nullptr;
    QLineEdit* edtNmSemFinal = nullptr;
    WeekDateLink* initialWeek = nullptr;
    WeekDateLink* finalWeek = nullptr;

    // The date-change reaction of both dates (week numbers and texts follow the dates).
    void datesChanged();
};

} // namespace module

#pragma once

// The coupling of a week field with its companion date field, as the filter, new-quotation,
// best-price and duplication dialogs use it. The functions take the fields' current values
// and give back what the fields must show, so a dialog only copies the result into its
// controls.
//
// Weeks are ISO weeks; "the year" of a week is its ISO week-year, so the last days of
// December may belong to week 1 of the next year and the first days of January to week 52
// or 53 of the previous one. A week typed beside a date never moves the date by a year:
// near the turn of the year it is the occurrence of that week nearest to the date.

#include "host/core/consiste/Consiste.h"

#include <QDate>
#include <QString>
#include <optional>

namespace module {

// Which end of its week a date field stands for.
enum class WeekEdge
{
    Initial, // an initial week: the date is the week's first day (Monday), edge "I"
    Final,   // a final week: the date is the week's last day (Sunday), edge "F"
};

// "I" or "F", as DataSemana takes it.
QString weekEdgeCode(WeekEdge edge);

// What a week field and its date field show.
struct WeekPair
{
    QString weekText; // the week number as text ("1" ... "53"), or "" when empty
    QDate date;       // the companion date; null when the date field is empty
    QString weekName; // the text beside the date: NomeSemana(date), "" for no date

    bool operator==(const WeekPair&) const = default;
};

// Where the focus is when a date changes.
enum class WeekFocus
{
    Elsewhere, // e.g. the date was set by code or by the calendar
    DateField, // the user is typing in the date field
    WeekField, // the user is in the week field
};

// Week number limited to the weeks of the ISO week-year: above 53 becomes 53, then 53
// becomes 52 when the year has no week 53; below 1 becomes 1.
int clampWeek(int week, int year);

// The week-year in which a week typed beside `date` is taken. For a date of December or
// January it is the date's ISO week-year, the one before or the one after, whichever has
// that week (at the given edge) nearest to the date; for any other date it is the date's
// own year. A week above the year's weeks counts where it would fall (week 53 of a year of
// 52 weeks is the first week of the next).
int weekYearOf(int week, const QDate& date, WeekEdge edge);

// A week typed or spun in the week field.
// Above 53 becomes 53; the year is weekYearOf the companion date, or of `today` when the
// companion date is empty; then 53 becomes 52 when that year has no week 53, and the date
// becomes the first day (Initial) or the last day (Final) of that week of that year. Minus
// signs and other non-digits in the typed text are discarded; an empty week clears the
// date.
WeekPair weekEntered(const QString& typedWeek, const QDate& companionDate, const QDate& today,
                     WeekEdge edge);

// The date field changed. The week name follows the date. While the user types in the date,
// or when the date is empty, the week number is cleared; otherwise, unless the user is in
// the week field (then the week text is kept), the week number becomes the date's week.
WeekPair dateChanged(const QDate& date, const QString& currentWeekText, WeekFocus focus);

// Reads a date field's text in the locale's short date format (also accepting one-digit day
// and month). Returns a null QDate for an empty field (only blanks and the mask's '/'),
// std::nullopt for a text that is no valid date.
std::optional<QDate> readDateText(const QString& text,
                                  const QLocale& locale = host::operatorLocale());

// Leaving a date field.
struct DateExit
{
    bool valid = true; // false: the text is no valid date and the field must not be left
    WeekPair pair;     // what the fields show when valid
};

// The date field is left with `dateText` in it: an invalid date is refused (valid = false,
// the pair keeps the current week); an empty field stays empty and keeps the week; a date
// sets the week number from it.
DateExit dateLeft(const QString& dateText, const QString& currentWeekText,
                  const QLocale& locale = host::operatorLocale());

// The validity proposed after the latest quotation, which ends in week `lastWeek` with the
// final validity `lastValidity`: the two weeks that follow, from the Monday of the first
// to the Sunday of the second. The year is the final validity's ISO week-year, so a final
// week at the turn of the year is counted in the year it belongs to.
struct ProposedPeriod
{
    int initialWeek = 0;
    QDate initialDate;
    int finalWeek = 0;
    QDate finalDate;
};
ProposedPeriod nextTwoWeeks(int lastWeek, const QDate& lastValidity);

// True when a key typed in a week field goes in: the minus sign is discarded.
bool weekKeyAccepted(QChar typed);

} // namespace module

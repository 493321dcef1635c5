#include "WeekRule.h"

#include <algorithm>
#include <cstdlib>

namespace module {
namespace {

WeekPair pairFor(const QString& weekText, const QDate& date)
{
    return {weekText, date, host::NomeSemana(date)};
}

QString digitsOf(const QString& text)
{
    QString digits;
    for (const QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    return digits;
}

// First day (Initial) or last day (Final) of week `week` counted from the first Monday of
// the week-year, also past its last week.
QDate weekEdgeDate(int week, int year, WeekEdge edge)
{
    const QDate fourthJanuary(year, 1, 4); // always in week 1
    const QDate monday =
        fourthJanuary.addDays(1 - fourthJanuary.dayOfWeek()).addDays(qint64(week - 1) * 7);
    return edge == WeekEdge::Final ? monday.addDays(6) : monday;
}

} // namespace

int weekYearOf(int week, const QDate& date, WeekEdge edge)
{
    const int year = host::AnoSemana(date);
    if (date.month() != 1 && date.month() != 12)
        return year;
    int nearest = year;
    qint64 shortest = std::abs(date.daysTo(weekEdgeDate(week, year, edge)));
    for (const int other : {year - 1, year + 1}) {
        const qint64 distance = std::abs(date.daysTo(weekEdgeDate(week, other, edge)));
        if (distance < shortest) {
            shortest = distance;
            nearest = other;
        }
    }
    return nearest;
}

QString weekEdgeCode(WeekEdge edge)
{
    return edge == WeekEdge::Final ? QStringLiteral("F") : QStringLiteral("I");
}

int clampWeek(int week, int year)
{
    return std::clamp(week, 1, host::WeeksInYear(year));
}

WeekPair weekEntered(const QString& typedWeek, const QDate& companionDate, const QDate& today,
                     WeekEdge edge)
{
    const QString digits = digitsOf(typedWeek);
    if (digits.isEmpty())
        return pairFor(QString(), QDate());

    // Long digit runs cannot overflow: anything beyond two digits is above 53 anyway.
    const int typed = std::clamp(digits.size() > 2 ? 99 : digits.toInt(), 1, 53);
    const int year = weekYearOf(typed, companionDate.isValid() ? companionDate : today, edge);
    const int week = clampWeek(typed, year);
    return pairFor(QString::number(week), host::DataSemana(week, weekEdgeCode(edge), year));
}

WeekPair dateChanged(const QDate& date, const QString& currentWeekText, WeekFocus focus)
{
    if (focus == WeekFocus::DateField || !date.isValid())
        return pairFor(QString(), date.isValid() ? date : QDate());
    if (focus == WeekFocus::WeekField)
        return pairFor(currentWeekText, date);
    return pairFor(QString::number(host::NumeroSemana(date)), date);
}

std::optional<QDate> readDateText(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    const bool blank = std::all_of(trimmed.cbegin(), trimmed.cend(), [](QChar c) {
        return c.isSpace() || c == QLatin1Char('/') || c == QLatin1Char('_');
    });
    if (blank)
        return QDate();
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    for (const QString& format : {shortFormat, QStringLiteral("d/M/yyyy")}) {
        const QDate date = QDate::fromString(trimmed, format);
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

DateExit dateLeft(const QString& dateText, const QString& currentWeekText, const QLocale& locale)
{
    const std::optional<QDate> date = readDateText(dateText, locale);
    if (!date)
        return {false, pairFor(currentWeekText, QDate())};
    if (!date->isValid())
        return {true, pairFor(currentWeekText, QDate())};
    return {true, pairFor(QString::number(host::NumeroSemana(*date)), *date)};
}

bool weekKeyAccepted(QChar typed)
{
    return typed != QLatin1Char('-');
}

ProposedPeriod nextTwoWeeks(int lastWeek, const QDate& lastValidity)
{
    // The week after `week` of `year`, with the year it falls in.
    auto following = [](int week, int year) {
        return week >= host::WeeksInYear(year) ? std::pair{1, year + 1}
                                               : std::pair{week + 1, year};
    };
    const auto [initialWeek, initialYear] = following(lastWeek, host::AnoSemana(lastValidity));
    const auto [finalWeek, finalYear] = following(initialWeek, initialYear);
    return {initialWeek, host::DataSemana(initialWeek, weekEdgeCode(WeekEdge::Initial), initialYear),
            finalWeek, host::DataSemana(finalWeek, weekEdgeCode(WeekEdge::Final), finalYear)};
}

} // namespace module

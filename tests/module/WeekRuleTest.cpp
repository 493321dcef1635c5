// Coupling of week fields with their date fields.

#include "module/records/WeekRule.h"

#include <gtest/gtest.h>

using namespace module;

namespace {

const QDate kToday(2025, 6, 10);

WeekPair typed(const char* week, const QDate& companion, WeekEdge edge = WeekEdge::Initial,
               const QDate& today = kToday)
{
    return weekEntered(QString::fromLatin1(week), companion, today, edge);
}

TEST(WeekEntered, GivesTheFirstOrLastDayOfTheWeek)
{
    const WeekPair initial = typed("10", QDate(2025, 1, 15), WeekEdge::Initial);
    EXPECT_EQ(initial.weekText, QStringLiteral("10"));
    EXPECT_EQ(initial.date, QDate(2025, 3, 3));
    EXPECT_EQ(initial.weekName, QStringLiteral("Segunda-feira"));

    const WeekPair last = typed("10", QDate(2025, 1, 15), WeekEdge::Final);
    EXPECT_EQ(last.date, QDate(2025, 3, 9));
    EXPECT_EQ(last.weekName, QStringLiteral("Domingo"));
}

TEST(WeekEntered, Week53BecomesWeek52InAYearWithoutIt)
{
    // 31 December 2025 lies in week 1 of 2026: the week-year 2025 ends with week 52.
    const WeekPair initial = typed("53", QDate(2025, 6, 1), WeekEdge::Initial);
    EXPECT_EQ(initial.weekText, QStringLiteral("52"));
    EXPECT_EQ(initial.date, QDate(2025, 12, 22));
    const WeekPair last = typed("53", QDate(2025, 6, 1), WeekEdge::Final);
    EXPECT_EQ(last.weekText, QStringLiteral("52"));
    EXPECT_EQ(last.date, QDate(2025, 12, 28));
}

TEST(WeekEntered, Week53StaysInAYearThatHasIt)
{
    const WeekPair initial = typed("53", QDate(2026, 5, 1), WeekEdge::Initial);
    EXPECT_EQ(initial.weekText, QStringLiteral("53"));
    EXPECT_EQ(initial.date, QDate(2026, 12, 28));
    const WeekPair last = typed("53", QDate(2020, 2, 1), WeekEdge::Final);
    EXPECT_EQ(last.weekText, QStringLiteral("53"));
    EXPECT_EQ(last.date, QDate(2021, 1, 3));
}

TEST(WeekEntered, ValuesAbove53AreLimited)
{
    EXPECT_EQ(typed("60", QDate(2020, 3, 1)).weekText, QStringLiteral("53"));
    EXPECT_EQ(typed("60", QDate(2025, 3, 1)).weekText, QStringLiteral("52"));
    EXPECT_EQ(typed("999", QDate(2025, 3, 1)).weekText, QStringLiteral("52"));
    EXPECT_EQ(typed("0", QDate(2025, 3, 1)).weekText, QStringLiteral("1"));
}

TEST(WeekEntered, AtTheTurnOfTheYearTheNearestOccurrenceOfTheWeekIsTaken)
{
    // 2 January 2027 lies in week 53 of 2026: week 1 is the one just after, not the first
    // week of 2026 a year earlier.
    EXPECT_EQ(typed("1", QDate(2027, 1, 2)).date, QDate(2027, 1, 4));
    // 29 December 2025 lies in week 1 of 2026: week 52 is the week just before it.
    EXPECT_EQ(typed("52", QDate(2025, 12, 29), WeekEdge::Initial).date, QDate(2025, 12, 22));
    EXPECT_EQ(typed("52", QDate(2025, 12, 29), WeekEdge::Final).date, QDate(2025, 12, 28));
    EXPECT_EQ(typed("52", QDate(2024, 12, 30)).date, QDate(2024, 12, 23));
    // A week of the coming January typed in December.
    EXPECT_EQ(typed("2", QDate(2025, 12, 10), WeekEdge::Final).date, QDate(2026, 1, 11));
    // The date's own week stays itself.
    EXPECT_EQ(typed("1", QDate(2024, 12, 30)).date, QDate(2024, 12, 30));
    // Week 53 exists in 2026 and 2020: beside their first days of January it is theirs ...
    EXPECT_EQ(typed("53", QDate(2027, 1, 2)).date, QDate(2026, 12, 28));
    const WeekPair pair = typed("53", QDate(2021, 1, 2));
    EXPECT_EQ(pair.weekText, QStringLiteral("53"));
    EXPECT_EQ(pair.date, QDate(2020, 12, 28));
    // ... beside the first days of 2026 the nearest week-year is 2025, which has 52 weeks.
    EXPECT_EQ(typed("53", QDate(2026, 1, 5)).weekText, QStringLiteral("52"));
    EXPECT_EQ(typed("53", QDate(2026, 1, 5)).date, QDate(2025, 12, 22));
}

TEST(WeekEntered, AwayFromTheTurnOfTheYearTheWeeksAreTheDatesOwnYear)
{
    EXPECT_EQ(typed("53", QDate(2026, 6, 15)).date, QDate(2026, 12, 28));
    EXPECT_EQ(typed("1", QDate(2026, 11, 30)).date, QDate(2025, 12, 29));
    EXPECT_EQ(weekYearOf(52, QDate(2026, 2, 1), WeekEdge::Initial), 2026);
    EXPECT_EQ(weekYearOf(52, QDate(2026, 1, 31), WeekEdge::Initial), 2025);
}

TEST(WeekEntered, EmptyCompanionDateTakesTodaysYear)
{
    EXPECT_EQ(typed("53", QDate(), WeekEdge::Initial, QDate(2026, 2, 1)).date, QDate(2026, 12, 28));
    EXPECT_EQ(typed("53", QDate(), WeekEdge::Initial, QDate(2025, 2, 1)).weekText,
              QStringLiteral("52"));
    // Today in the first days of a week-year that began in December.
    EXPECT_EQ(typed("1", QDate(), WeekEdge::Final, QDate(2024, 12, 31)).date, QDate(2025, 1, 5));
}

TEST(WeekEntered, EmptyWeekClearsTheDateAndMinusIsDiscarded)
{
    const WeekPair cleared = typed("", QDate(2025, 3, 3));
    EXPECT_EQ(cleared.weekText, QString());
    EXPECT_TRUE(cleared.date.isNull());
    EXPECT_EQ(cleared.weekName, QString());
    EXPECT_TRUE(typed("-", QDate(2025, 3, 3)).date.isNull());

    EXPECT_EQ(typed("-5", QDate(2025, 3, 3)).weekText, QStringLiteral("5"));
    EXPECT_FALSE(weekKeyAccepted(QLatin1Char('-')));
    EXPECT_TRUE(weekKeyAccepted(QLatin1Char('5')));
}

TEST(DateChanged, WeekFollowsTheDateUnlessTheUserIsTyping)
{
    const QDate date(2025, 3, 5);
    const WeekPair elsewhere = dateChanged(date, QStringLiteral("1"), WeekFocus::Elsewhere);
    EXPECT_EQ(elsewhere.weekText, QStringLiteral("10"));
    EXPECT_EQ(elsewhere.date, date);
    EXPECT_EQ(elsewhere.weekName, QStringLiteral("Quarta-feira"));

    const WeekPair typing = dateChanged(date, QStringLiteral("1"), WeekFocus::DateField);
    EXPECT_EQ(typing.weekText, QString());
    EXPECT_EQ(typing.weekName, QStringLiteral("Quarta-feira"));

    const WeekPair inWeek = dateChanged(date, QStringLiteral("9"), WeekFocus::WeekField);
    EXPECT_EQ(inWeek.weekText, QStringLiteral("9"));

    const WeekPair empty = dateChanged(QDate(), QStringLiteral("9"), WeekFocus::Elsewhere);
    EXPECT_EQ(empty.weekText, QString());
    EXPECT_EQ(empty.weekName, QString());
}

TEST(DateChanged, LateDecemberShowsWeekOne)
{
    EXPECT_EQ(dateChanged(QDate(2024, 12, 30), QString(), WeekFocus::Elsewhere).weekText,
              QStringLiteral("1"));
}

TEST(DateLeft, InvalidRefusedEmptyKeptFilledSetsWeek)
{
    const DateExit invalid = dateLeft(QStringLiteral("31/02/2025"), QStringLiteral("7"));
    EXPECT_FALSE(invalid.valid);
    EXPECT_EQ(invalid.pair.weekText, QStringLiteral("7"));

    const DateExit empty = dateLeft(QStringLiteral("  /  /    "), QStringLiteral("7"));
    EXPECT_TRUE(empty.valid);
    EXPECT_TRUE(empty.pair.date.isNull());
    EXPECT_EQ(empty.pair.weekText, QStringLiteral("7"));

    const DateExit filled = dateLeft(QStringLiteral("05/03/2025"), QString());
    EXPECT_TRUE(filled.valid);
    EXPECT_EQ(filled.pair.date, QDate(2025, 3, 5));
    EXPECT_EQ(filled.pair.weekText, QStringLiteral("10"));

    EXPECT_EQ(dateLeft(QStringLiteral("5/3/2025"), QString()).pair.date, QDate(2025, 3, 5));
    EXPECT_FALSE(dateLeft(QStringLiteral("ab/cd/efgh"), QString()).valid);
}

TEST(ClampWeek, LimitsToTheWeeksOfTheYear)
{
    EXPECT_EQ(clampWeek(53, 2025), 52);
    EXPECT_EQ(clampWeek(53, 2026), 53);
    EXPECT_EQ(clampWeek(70, 2026), 53);
    EXPECT_EQ(clampWeek(-3, 2026), 1);
    EXPECT_EQ(clampWeek(17, 2025), 17);
    EXPECT_EQ(weekEdgeCode(WeekEdge::Initial), QStringLiteral("I"));
    EXPECT_EQ(weekEdgeCode(WeekEdge::Final), QStringLiteral("F"));
}

TEST(NextTwoWeeks, FollowTheLatestQuotationAcrossTheTurnOfTheYear)
{
    struct Case
    {
        int lastWeek;
        QDate lastValidity;
        ProposedPeriod expected;
    };
    const Case cases[] = {
        // Inside the year.
        {10, QDate(2025, 3, 9), {11, QDate(2025, 3, 10), 12, QDate(2025, 3, 23)}},
        // Week 52 of 2025, a year of 52 weeks: weeks 1 and 2 of 2026.
        {52, QDate(2025, 12, 28), {1, QDate(2025, 12, 29), 2, QDate(2026, 1, 11)}},
        // The next-to-last week of 2026 (53 weeks): week 53 and week 1 of 2027.
        {52, QDate(2026, 12, 27), {53, QDate(2026, 12, 28), 1, QDate(2027, 1, 10)}},
        // A final validity of 31 December 2024 lies in week 1 of 2025: weeks 2 and 3.
        {1, QDate(2024, 12, 31), {2, QDate(2025, 1, 6), 3, QDate(2025, 1, 19)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lastValidity.toString(Qt::ISODate).toStdString());
        const ProposedPeriod p = nextTwoWeeks(c.lastWeek, c.lastValidity);
        EXPECT_EQ(p.initialWeek, c.expected.initialWeek);
        EXPECT_EQ(p.initialDate, c.expected.initialDate);
        EXPECT_EQ(p.finalWeek, c.expected.finalWeek);
        EXPECT_EQ(p.finalDate, c.expected.finalDate);
    }
}

} // namespace

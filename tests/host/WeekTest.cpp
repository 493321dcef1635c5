// ISO weeks of the host helpers: week numbers, week-years, week edges and month ends.

#include "host/core/consiste/Consiste.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

TEST(Weeks, LateDecemberCanBelongToWeekOneOfTheNextYear)
{
    const QDate monday(2024, 12, 30);
    EXPECT_EQ(NumeroSemana(monday), 1);
    EXPECT_EQ(AnoSemana(monday), 2025);
    EXPECT_EQ(NumeroSemana(QDate(2025, 12, 31)), 1);
    EXPECT_EQ(AnoSemana(QDate(2025, 12, 31)), 2026);
}

TEST(Weeks, EarlyJanuaryCanBelongToWeek53OfThePreviousYear)
{
    EXPECT_EQ(NumeroSemana(QDate(2021, 1, 1)), 53);
    EXPECT_EQ(AnoSemana(QDate(2021, 1, 1)), 2020);
    EXPECT_EQ(NumeroSemana(QDate(2027, 1, 3)), 53);
    EXPECT_EQ(AnoSemana(QDate(2027, 1, 3)), 2026);
}

TEST(Weeks, InvalidDates)
{
    EXPECT_EQ(NumeroSemana(QDate()), 0);
    EXPECT_EQ(AnoSemana(QDate()), 0);
    EXPECT_EQ(NomeSemana(QDate()), QString());
    EXPECT_FALSE(UltDiaMes(QDate()).isValid());
}

TEST(Weeks, YearsWithAndWithoutWeek53)
{
    EXPECT_TRUE(YearHasWeek53(2015));
    EXPECT_TRUE(YearHasWeek53(2020));
    EXPECT_TRUE(YearHasWeek53(2026));
    EXPECT_FALSE(YearHasWeek53(2024));
    EXPECT_FALSE(YearHasWeek53(2025));
    EXPECT_EQ(WeeksInYear(2020), 53);
    EXPECT_EQ(WeeksInYear(2025), 52);
}

TEST(Weeks, DataSemanaGivesMondayOrSundayOfTheIsoWeek)
{
    // Week 1 of 2025 starts in December 2024.
    EXPECT_EQ(DataSemana(1, QStringLiteral("I"), 2025), QDate(2024, 12, 30));
    EXPECT_EQ(DataSemana(1, QStringLiteral("F"), 2025), QDate(2025, 1, 5));
    EXPECT_EQ(DataSemana(52, QStringLiteral("F"), 2025), QDate(2025, 12, 28));
    // Week 53 ends in January of the next calendar year.
    EXPECT_EQ(DataSemana(53, QStringLiteral("I"), 2020), QDate(2020, 12, 28));
    EXPECT_EQ(DataSemana(53, QStringLiteral("F"), 2020), QDate(2021, 1, 3));
    EXPECT_EQ(DataSemana(53, QStringLiteral("F"), 2026), QDate(2027, 1, 3));
    EXPECT_EQ(DataSemana(10, QStringLiteral("I"), 2024), QDate(2024, 3, 4));
}

TEST(Weeks, DataSemanaRefusesWeeksTheYearDoesNotHave)
{
    EXPECT_FALSE(DataSemana(53, QStringLiteral("I"), 2025).isValid());
    EXPECT_FALSE(DataSemana(0, QStringLiteral("I"), 2025).isValid());
    EXPECT_FALSE(DataSemana(54, QStringLiteral("F"), 2020).isValid());
}

TEST(Weeks, DataSemanaAndNumeroSemanaAgreeOverManyYears)
{
    for (int year = 1995; year <= 2040; ++year) {
        for (int week = 1; week <= WeeksInYear(year); ++week) {
            const QDate first = DataSemana(week, QStringLiteral("I"), year);
            const QDate last = DataSemana(week, QStringLiteral("F"), year);
            ASSERT_EQ(first.dayOfWeek(), 1) << year << "/" << week;
            ASSERT_EQ(first.daysTo(last), 6) << year << "/" << week;
            ASSERT_EQ(NumeroSemana(first), week) << year << "/" << week;
            ASSERT_EQ(AnoSemana(last), year) << year << "/" << week;
        }
    }
}

TEST(Weeks, NomeSemanaIsTheWeekdayName)
{
    EXPECT_EQ(NomeSemana(QDate(2024, 12, 30)), QStringLiteral("Segunda-feira"));
    EXPECT_EQ(NomeSemana(QDate(2024, 12, 31)), QStringLiteral("Terça-feira"));
    EXPECT_EQ(NomeSemana(QDate(2025, 1, 1)), QStringLiteral("Quarta-feira"));
    EXPECT_EQ(NomeSemana(QDate(2025, 1, 2)), QStringLiteral("Quinta-feira"));
    EXPECT_EQ(NomeSemana(QDate(2025, 1, 3)), QStringLiteral("Sexta-feira"));
    EXPECT_EQ(NomeSemana(QDate(2025, 1, 4)), QStringLiteral("Sábado"));
    EXPECT_EQ(NomeSemana(QDate(2025, 1, 5)), QStringLiteral("Domingo"));
}

TEST(Weeks, UltDiaMes)
{
    EXPECT_EQ(UltDiaMes(QDate(2024, 2, 10)), QDate(2024, 2, 29));
    EXPECT_EQ(UltDiaMes(QDate(2025, 2, 1)), QDate(2025, 2, 28));
    EXPECT_EQ(UltDiaMes(QDate(2025, 4, 30)), QDate(2025, 4, 30));
    EXPECT_EQ(UltDiaMes(12, 2025), QDate(2025, 12, 31));
    EXPECT_FALSE(UltDiaMes(13, 2025).isValid());
}

} // namespace

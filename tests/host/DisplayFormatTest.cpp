// Display formats of prices, quantities and discounts.

#include "host/core/consiste/DisplayFormat.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace host;

namespace {

const QLocale kBrazil(QLocale::Portuguese, QLocale::Brazil);

QString fmt(const char* format, double value)
{
    return FormatFloat(QString::fromUtf8(format), value, kBrazil);
}

TEST(FormatFloat, ScreenFormats)
{
    EXPECT_EQ(fmt("#,##0.00000", 1234.5), QStringLiteral("1.234,50000"));
    EXPECT_EQ(fmt("####,##0.00000", 1234567.891), QStringLiteral("1.234.567,89100"));
    EXPECT_EQ(fmt("#0.00000", 1234.5), QStringLiteral("1234,50000"));
    EXPECT_EQ(fmt("#0.000", 3.0), QStringLiteral("3,000"));
    EXPECT_EQ(fmt("#,##0.000", 9876543.21), QStringLiteral("9.876.543,210"));
    EXPECT_EQ(fmt("#0.00 %", 12.5), QStringLiteral("12,50 %"));
    EXPECT_EQ(fmt("#0.00", 0.5), QStringLiteral("0,50"));
}

TEST(FormatFloat, ZeroAndSmallValuesKeepTheForcedDigits)
{
    EXPECT_EQ(fmt("####,##0.00000", 0.0), QStringLiteral("0,00000"));
    EXPECT_EQ(fmt("#0.00 %", 0.0), QStringLiteral("0,00 %"));
    EXPECT_EQ(fmt("#,##0.000", 0.0004), QStringLiteral("0,000"));
    EXPECT_EQ(fmt("#,##0.000", 999.9996), QStringLiteral("1.000,000"));
}

TEST(FormatFloat, NegativeValues)
{
    EXPECT_EQ(fmt("#,##0.00000", -1234.5), QStringLiteral("-1.234,50000"));
    EXPECT_EQ(fmt("#0.00 %", -3.25), QStringLiteral("-3,25 %"));
    // A value that rounds to zero shows no sign.
    EXPECT_EQ(fmt("#0.00", -0.001), QStringLiteral("0,00"));
}

TEST(FormatFloat, RoundsHalfAwayFromZeroOnDecimalDigits)
{
    EXPECT_EQ(fmt("#0.00", 0.125), QStringLiteral("0,13"));
    EXPECT_EQ(fmt("#0.00", 1.005), QStringLiteral("1,01"));
    EXPECT_EQ(fmt("#0.00", 2.675), QStringLiteral("2,68"));
    EXPECT_EQ(fmt("#0.00", -0.125), QStringLiteral("-0,13"));
    EXPECT_EQ(fmt("#0.00", 0.124999), QStringLiteral("0,12"));
    EXPECT_EQ(fmt("#0.00", 9.995), QStringLiteral("10,00"));
    EXPECT_EQ(fmt("#0.00000", 0.1 + 0.2), QStringLiteral("0,30000"));
    EXPECT_EQ(fmt("0", 2.5), QStringLiteral("3"));
}

TEST(FormatFloat, GroupingAndIntegerDigitsBeyondThePlaceholders)
{
    EXPECT_EQ(fmt("#,##0.00000", 12345678.0), QStringLiteral("12.345.678,00000"));
    EXPECT_EQ(fmt("#0.00", 12345678.0), QStringLiteral("12345678,00"));
    EXPECT_EQ(fmt("#,##0", 999.0), QStringLiteral("999"));
    EXPECT_EQ(fmt("#,##0", 1000.0), QStringLiteral("1.000"));
    EXPECT_EQ(fmt("#,##0", 1e15), QStringLiteral("1.000.000.000.000.000"));
}

TEST(FormatFloat, OptionalDigitsAndLiterals)
{
    EXPECT_EQ(fmt("#.##", 1.5), QStringLiteral("1,5"));
    EXPECT_EQ(fmt("#.##", 2.0), QStringLiteral("2"));
    EXPECT_EQ(fmt("#0.0#", 1.567), QStringLiteral("1,57"));
    EXPECT_EQ(fmt("#0.0#", 1.5), QStringLiteral("1,5"));
    EXPECT_EQ(fmt("000", 7.0), QStringLiteral("007"));
    EXPECT_EQ(fmt("000-000", 123456.0), QStringLiteral("123-456"));
    EXPECT_EQ(fmt("'R$ '#,##0.00", 1234.5), QStringLiteral("R$ 1.234,50"));
    EXPECT_EQ(fmt("\"Total: \"0", 3.0), QStringLiteral("Total: 3"));
}

TEST(FormatFloat, Sections)
{
    const char* format = "#,##0.00;(#,##0.00);\"zero\"";
    EXPECT_EQ(fmt(format, 1234.5), QStringLiteral("1.234,50"));
    EXPECT_EQ(fmt(format, -1234.5), QStringLiteral("(1.234,50)"));
    EXPECT_EQ(fmt(format, 0.0), QStringLiteral("zero"));
    EXPECT_EQ(fmt(format, 0.001), QStringLiteral("zero"));
    // An empty negative section falls back to the first one with a minus sign.
    EXPECT_EQ(fmt("0.0;;'nada'", -2.0), QStringLiteral("-2,0"));
    EXPECT_EQ(fmt("0.0;;'nada'", 0.0), QStringLiteral("nada"));
}

TEST(FormatFloat, EmptyFormatShowsTheGeneralForm)
{
    EXPECT_EQ(fmt("", 1234.5), QStringLiteral("1234,5"));
    EXPECT_EQ(fmt("", -0.25), QStringLiteral("-0,25"));
    EXPECT_EQ(fmt("", 3.0), QStringLiteral("3"));
}

TEST(FormatFloat, UsesTheGivenOrOperatorLocale)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.00000"), 1234.5, english),
              QStringLiteral("1,234.50000"));
    EXPECT_EQ(FormatFloat(QStringLiteral("#,##0.00000"), 1234.5), QStringLiteral("1.234,50000"));
}

// A format read once writes what FormatFloat writes, after the text already there: over
// prices, quantities and discounts of every size and sign, rounding ties and values beyond
// the integer path, in both locales.
TEST(FloatFormat, AppendsWhatFormatFloatWrites)
{
    const QStringList formats = {QStringLiteral("#,##0.00000"), QStringLiteral("#,##0.000"),
                                 QStringLiteral("#0.00 %"), QStringLiteral("0.0;(0.0);'zero'"),
                                 QStringLiteral("")};
    QList<double> values = {0.0, -0.0, 0.5, -0.5, 1.005, 2.675, 0.000005, 0.0000049999, 1e14,
                            -1e16, 123456789.123456, 1e300, -7.125, 999.9999995, 1.0 / 3};
    quint64 seed = 12345;
    for (int i = 0; i < 2000; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        const double magnitude = std::pow(10.0, double(int(seed >> 60)) - 3);
        values << (double(seed >> 11) / double(1ull << 53) - 0.3) * magnitude;
    }
    // More leading zeros than a number has digits.
    const QString zeros(30, QLatin1Char('0'));
    EXPECT_EQ(FormatFloat(zeros + QStringLiteral(".0"), 12.5),
              QString(28, QLatin1Char('0')) + QStringLiteral("12,5"));
    for (const QLocale& locale : {QLocale(QLocale::Portuguese, QLocale::Brazil),
                                  QLocale(QLocale::English, QLocale::UnitedStates)}) {
        for (const QString& format : formats) {
            const FloatFormat compiled(format, locale);
            for (double value : values) {
                QString text = QStringLiteral("antes|");
                compiled.appendTo(text, value);
                ASSERT_EQ(text, QStringLiteral("antes|") + FormatFloat(format, value, locale))
                    << format.toStdString() << " " << value;
            }
        }
    }
}

} // namespace

// Codes, document numbers, masks and number reading of the host helpers.

#include "host/core/consiste/Consiste.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

// ---- Ajusta -----------------------------------------------------------------------------

TEST(Ajusta, PadsDigitCodesWithLeadingZeros)
{
    EXPECT_EQ(Ajusta(QStringLiteral("7"), 3), QStringLiteral("007"));
    EXPECT_EQ(Ajusta(QStringLiteral("12"), 5), QStringLiteral("00012"));
    EXPECT_EQ(Ajusta(QStringLiteral("5"), 2), QStringLiteral("05"));
}

TEST(Ajusta, PadsOtherCodesWithTrailingBlanks)
{
    EXPECT_EQ(Ajusta(QStringLiteral("AB"), 5), QStringLiteral("AB   "));
    EXPECT_EQ(Ajusta(QStringLiteral("1A"), 3), QStringLiteral("1A "));
    EXPECT_EQ(Ajusta(QStringLiteral("joao"), 12), QStringLiteral("joao        "));
}

TEST(Ajusta, TrimsTypedBlanksBeforePadding)
{
    EXPECT_EQ(Ajusta(QStringLiteral(" 7 "), 3), QStringLiteral("007"));
    EXPECT_EQ(Ajusta(QStringLiteral("  AB"), 4), QStringLiteral("AB  "));
}

TEST(Ajusta, KeepsFullAndLongerCodesAndEmptyText)
{
    EXPECT_EQ(Ajusta(QStringLiteral("12345"), 5), QStringLiteral("12345"));
    EXPECT_EQ(Ajusta(QStringLiteral("1234567"), 5), QStringLiteral("1234567"));
    EXPECT_EQ(Ajusta(QString(), 3), QString());
    EXPECT_EQ(Ajusta(QStringLiteral("   "), 3), QString());
}

TEST(Texts, ReplicateAndEmptyString)
{
    EXPECT_EQ(Replicate(QLatin1Char('Z'), 7), QStringLiteral("ZZZZZZZ"));
    EXPECT_EQ(Replicate(QLatin1Char('Z'), 0), QString());
    EXPECT_EQ(Replicate(QLatin1Char('Z'), -2), QString());

    EXPECT_TRUE(EmptyString(QString()));
    EXPECT_TRUE(EmptyString(QStringLiteral("  \t ")));
    EXPECT_FALSE(EmptyString(QStringLiteral("  a ")));
}

// ---- Document numbers -------------------------------------------------------------------

TEST(Documents, CnpjCheckDigits)
{
    // Public examples; 34.567.890/0001-30 has a second check digit 0 (remainder below 2).
    EXPECT_TRUE(IsValidCnpj(QStringLiteral("11222333000181")));
    EXPECT_TRUE(IsValidCnpj(QStringLiteral("11444777000161")));
    EXPECT_TRUE(IsValidCnpj(QStringLiteral("34567890000130")));
    EXPECT_FALSE(IsValidCnpj(QStringLiteral("11222333000182")));
    EXPECT_FALSE(IsValidCnpj(QStringLiteral("11222333000171")));
    EXPECT_FALSE(IsValidCnpj(QStringLiteral("1122233300018")));
    // Equal digits satisfy the arithmetic but are no real CNPJ.
    EXPECT_FALSE(IsValidCnpj(QStringLiteral("00000000000000")));
    EXPECT_FALSE(IsValidCnpj(QStringLiteral("11111111111111")));
}

TEST(Documents, CpfCheckDigits)
{
    // 123.456.789-09: first digit sum 210, 210 mod 11 = 1 < 2 -> 0;
    // second digit sum 255, 255 mod 11 = 2 -> 11 - 2 = 9.
    EXPECT_TRUE(IsValidCpf(QStringLiteral("12345678909")));
    EXPECT_TRUE(IsValidCpf(QStringLiteral("52998224725")));
    EXPECT_FALSE(IsValidCpf(QStringLiteral("52998224726")));
    EXPECT_FALSE(IsValidCpf(QStringLiteral("12345678919")));
    EXPECT_FALSE(IsValidCpf(QStringLiteral("11111111111")));
    EXPECT_FALSE(IsValidCpf(QStringLiteral("00000000000")));
    EXPECT_FALSE(IsValidCpf(QStringLiteral("5299822472A")));
}

TEST(Documents, AjustaInscricaoStripsPunctuationAndDerivesType)
{
    QString cnpj = QStringLiteral("11.222.333/0001-81");
    Inscricao r = Ajusta_Inscricao(cnpj);
    EXPECT_EQ(cnpj, QStringLiteral("11222333000181"));
    EXPECT_EQ(r.type, QStringLiteral("J"));
    EXPECT_TRUE(r.ok());

    QString cpf = QStringLiteral(" 529.982.247-25 ");
    r = Ajusta_Inscricao(cpf);
    EXPECT_EQ(cpf, QStringLiteral("52998224725"));
    EXPECT_EQ(r.type, QStringLiteral("F"));
    EXPECT_TRUE(r.ok());

    QString registration = QStringLiteral("123.456.78-X");
    r = Ajusta_Inscricao(registration);
    EXPECT_EQ(registration, QStringLiteral("12345678X"));
    EXPECT_EQ(r.type, QStringLiteral("I"));
    EXPECT_TRUE(r.ok());

    QString empty = QStringLiteral(" ./- ");
    r = Ajusta_Inscricao(empty);
    EXPECT_EQ(empty, QString());
    EXPECT_EQ(r.type, QString());
    EXPECT_TRUE(r.ok());
}

TEST(Documents, AjustaInscricaoReportsWrongCheckDigits)
{
    QString cnpj = QStringLiteral("11.222.333/0001-82");
    Inscricao r = Ajusta_Inscricao(cnpj);
    EXPECT_EQ(r.type, QStringLiteral("J"));
    EXPECT_EQ(r.errorKey, QStringLiteral("CGC_NOT_OK"));
    EXPECT_FALSE(r.ok());

    QString cpf = QStringLiteral("111.111.111-11");
    r = Ajusta_Inscricao(cpf);
    EXPECT_EQ(r.type, QStringLiteral("F"));
    EXPECT_EQ(r.errorKey, QStringLiteral("CPF_NOT_OK"));
}

// ---- Masks --------------------------------------------------------------------------------

TEST(Masks, PictPessPerPersonType)
{
    EXPECT_EQ(PictPess(QStringLiteral("J")), QStringLiteral("99.999.999/9999-99"));
    EXPECT_EQ(PictPess(QStringLiteral("F")), QStringLiteral("999.999.999-99"));
    EXPECT_EQ(PictPess(QStringLiteral("I")), QString());
    EXPECT_EQ(PictPess(QStringLiteral("O")), QString());
    EXPECT_EQ(PictPess(QStringLiteral("X")), QString());
    EXPECT_EQ(PictPess(QString()), QString());
}

TEST(Masks, FormatsDocumentsWithTheirTypeMask)
{
    EXPECT_EQ(FormatMaskText(PictPess(QStringLiteral("J")), QStringLiteral("11222333000181")),
              QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(FormatMaskText(PictPess(QStringLiteral("F")), QStringLiteral("52998224725")),
              QStringLiteral("529.982.247-25"));
    EXPECT_EQ(FormatMaskText(PictPess(QStringLiteral("X")), QStringLiteral("ABC-123")),
              QStringLiteral("ABC-123"));
}

TEST(Masks, FormatsProductTreeCodesWithThePicture)
{
    const QString picture = QStringLiteral("99.99.999");
    EXPECT_EQ(FormatMaskText(picture, QStringLiteral("0101001")), QStringLiteral("01.01.001"));
    // A group code shorter than the picture shows what there is.
    EXPECT_EQ(FormatMaskText(picture, QStringLiteral("0101")), QStringLiteral("01.01"));
    EXPECT_EQ(FormatMaskText(picture, QStringLiteral("010")), QStringLiteral("01.0"));
    EXPECT_EQ(FormatMaskText(picture, QString()), QString());
    // Characters beyond the picture are kept.
    EXPECT_EQ(FormatMaskText(picture, QStringLiteral("010100199")), QStringLiteral("01.01.00199"));
}

TEST(Masks, MaskSuffixesEscapesAndFormattedValues)
{
    EXPECT_EQ(FormatMaskText(QStringLiteral("999;0; "), QStringLiteral("007")),
              QStringLiteral("007"));
    EXPECT_EQ(FormatMaskText(QStringLiteral("99-99;1;_"), QStringLiteral("1234")),
              QStringLiteral("12-34"));
    // A value that already carries the literals is not formatted twice.
    EXPECT_EQ(
        FormatMaskText(QStringLiteral("99.999.999/9999-99"), QStringLiteral("11.222.333/0001-81")),
        QStringLiteral("11.222.333/0001-81"));
    // '\' turns a placeholder into a literal; '>' upper-cases.
    EXPECT_EQ(FormatMaskText(QStringLiteral("\\9-999"), QStringLiteral("123")),
              QStringLiteral("9-123"));
    EXPECT_EQ(FormatMaskText(QStringLiteral(">LL-99"), QStringLiteral("ab12")),
              QStringLiteral("AB-12"));
    EXPECT_EQ(FormatMaskText(QString(), QStringLiteral("12345")), QStringLiteral("12345"));
}

// ---- Numbers ------------------------------------------------------------------------------

const QLocale kBrazil(QLocale::Portuguese, QLocale::Brazil);

TEST(FloatMaskOut, ReadsDisplayedNumbers)
{
    EXPECT_DOUBLE_EQ(FloatMaskOut(QStringLiteral("1.234,50"), kBrazil), 1234.5);
    EXPECT_DOUBLE_EQ(FloatMaskOut(QStringLiteral("12,50 %"), kBrazil), 12.5);
    EXPECT_DOUBLE_EQ(FloatMaskOut(QStringLiteral("1.234.567,89100"), kBrazil), 1234567.891);
    EXPECT_DOUBLE_EQ(FloatMaskOut(QStringLiteral("-1.234,5"), kBrazil), -1234.5);
    EXPECT_DOUBLE_EQ(FloatMaskOut(QStringLiteral("  7 "), kBrazil), 7.0);
    EXPECT_DOUBLE_EQ(FloatMaskOut(QStringLiteral("1,234.50"), QLocale(QLocale::English)), 1234.5);
}

TEST(FloatMaskOut, EmptyOrUnreadableTextGivesZero)
{
    EXPECT_DOUBLE_EQ(FloatMaskOut(QString(), kBrazil), 0.0);
    EXPECT_DOUBLE_EQ(FloatMaskOut(QStringLiteral("  % "), kBrazil), 0.0);
    EXPECT_DOUBLE_EQ(FloatMaskOut(QStringLiteral("12a"), kBrazil), 0.0);
    EXPECT_DOUBLE_EQ(FloatMaskOut(QStringLiteral("1,2,3"), kBrazil), 0.0);
}

TEST(FloatMaskOut, DefaultsToTheOperatorLocale)
{
    EXPECT_EQ(operatorLocale().decimalPoint(), QStringLiteral(","));
    EXPECT_DOUBLE_EQ(FloatMaskOut(QStringLiteral("2,5")), 2.5);
    setOperatorLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_DOUBLE_EQ(FloatMaskOut(QStringLiteral("2.5")), 2.5);
    setOperatorLocale(kBrazil);
    EXPECT_DOUBLE_EQ(FloatMaskOut(QStringLiteral("2.5")), 25.0);
}

TEST(MaxNumber, LimitsIntegerDigits)
{
    const QChar one = QLatin1Char('1');
    EXPECT_TRUE(MaxNumber(QStringLiteral("123456789"), 10, 5, one, 9, 0, kBrazil));
    EXPECT_FALSE(MaxNumber(QStringLiteral("1234567890"), 10, 5, one, 10, 0, kBrazil));
    EXPECT_FALSE(MaxNumber(QStringLiteral("1234567890"), 10, 5, one, 0, 0, kBrazil));
    // Thousands separators are not digits.
    EXPECT_TRUE(MaxNumber(QStringLiteral("123.456.789"), 10, 5, one, 11, 0, kBrazil));
    // Typing over a selection replaces it.
    EXPECT_TRUE(MaxNumber(QStringLiteral("1234567890"), 10, 5, one, 0, 1, kBrazil));
    EXPECT_TRUE(MaxNumber(QStringLiteral("1234567890"), 10, 5, one, 0, 10, kBrazil));
    // The integer part is full, the decimals are not.
    EXPECT_TRUE(MaxNumber(QStringLiteral("1234567890,1"), 10, 5, one, 12, 0, kBrazil));
}

TEST(MaxNumber, LimitsDecimalDigits)
{
    const QChar nine = QLatin1Char('9');
    EXPECT_TRUE(MaxNumber(QStringLiteral("1,1234"), 10, 5, nine, 6, 0, kBrazil));
    EXPECT_FALSE(MaxNumber(QStringLiteral("1,12345"), 10, 5, nine, 7, 0, kBrazil));
    EXPECT_FALSE(MaxNumber(QStringLiteral("1,12345"), 10, 5, nine, 2, 0, kBrazil));
    // Caret before the separator: the digit goes to the integer part.
    EXPECT_TRUE(MaxNumber(QStringLiteral("1,12345"), 10, 5, nine, 1, 0, kBrazil));
}

TEST(MaxNumber, DecimalSeparator)
{
    const QChar comma = QLatin1Char(',');
    EXPECT_TRUE(MaxNumber(QStringLiteral("123"), 10, 5, comma, 3, 0, kBrazil));
    EXPECT_FALSE(MaxNumber(QStringLiteral("1,5"), 10, 5, comma, 3, 0, kBrazil));
    // Replacing the selected separator is fine.
    EXPECT_TRUE(MaxNumber(QStringLiteral("1,5"), 10, 5, comma, 1, 1, kBrazil));
    // Would leave six decimals.
    EXPECT_FALSE(MaxNumber(QStringLiteral("1234567"), 10, 5, comma, 1, 0, kBrazil));
    EXPECT_TRUE(MaxNumber(QStringLiteral("1234567"), 10, 5, comma, 2, 0, kBrazil));
    // No decimals allowed at all.
    EXPECT_FALSE(MaxNumber(QStringLiteral("12"), 2, 0, comma, 2, 0, kBrazil));
}

TEST(MaxNumber, OtherKeysAreNotItsConcern)
{
    EXPECT_TRUE(MaxNumber(QStringLiteral("1234567890"), 10, 5, QChar(8), 10, 0, kBrazil));
    EXPECT_TRUE(MaxNumber(QStringLiteral("1234567890"), 10, 5, QLatin1Char('-'), 0, 0, kBrazil));
    // Out-of-range caret and selection are clamped to the text.
    EXPECT_FALSE(MaxNumber(QStringLiteral("12"), 2, 0, QLatin1Char('3'), 99, 99, kBrazil));
}

} // namespace

// The demo database: reproducible, varied enough to try every feature, within the sizes
// of its columns.

#include "DbTestSupport.h"

#include <appserver/db/Schema.h>
#include <appserver/db/Seed.h>

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace dbtest;
using appserver::db::seedDemo;

namespace {

// Check digits of the company (14 digits) and person (11 digits) registers, computed
// with the weights running 2, 3, 4... from the rightmost base digit.
bool checkDigitsHold(const QString& number, int baseLength, int maxWeight)
{
    static const QRegularExpression allDigits(QStringLiteral("^[0-9]+$"));
    if (number.size() != baseLength + 2 || !allDigits.match(number).hasMatch())
        return false;
    if (number.count(number.at(0)) == number.size())
        return false;
    for (int length = baseLength; length <= baseLength + 1; ++length) {
        int sum = 0;
        int weight = 2;
        for (int i = length - 1; i >= 0; --i) {
            sum += number.at(i).digitValue() * weight;
            weight = weight == maxWeight ? 2 : weight + 1;
        }
        const int expected = (sum * 10) % 11 % 10;
        if (number.at(length).digitValue() != expected)
            return false;
    }
    return true;
}

bool validCnpj(const QString& n)
{
    return checkDigitsHold(n, 12, 9);
}
bool validCpf(const QString& n)
{
    return checkDigitsHold(n, 9, 11);
}

int count(host::Database& db, const QString& sql)
{
    return scalar(db, sql).toInt();
}

class SeedDemoTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        temp = new TempDatabase;
        seedDemo(temp->db(), referenceDay());
    }
    static void TearDownTestSuite()
    {
        delete temp;
        temp = nullptr;
    }
    host::Database& db() { return temp->db(); }
    static TempDatabase* temp;
};

TempDatabase* SeedDemoTest::temp = nullptr;

} // namespace

TEST(DocumentCheckDigits, TheTestsOwnCheckerKnowsGoodAndBadNumbers)
{
    EXPECT_TRUE(validCnpj(QStringLiteral("11222333000181")));
    EXPECT_FALSE(validCnpj(QStringLiteral("11222333000182")));
    EXPECT_TRUE(validCpf(QStringLiteral("52998224725")));
    EXPECT_FALSE(validCpf(QStringLiteral("52998224726")));
    EXPECT_FALSE(validCpf(QStringLiteral("11111111111")));
}

TEST(SeedDemoReproducible, TwoDatabasesSeededTheSameDayAreIdentical)
{
    TempDatabase first;
    TempDatabase second;
    seedDemo(first.db(), referenceDay());
    seedDemo(second.db(), referenceDay());
    const QStringList dumped = dump(first.db());
    EXPECT_GT(dumped.size(), 1000);
    EXPECT_EQ(dumped, dump(second.db()));
}

TEST(SeedDemoReproducible, SeedingAgainReplacesChangedData)
{
    TempDatabase temp;
    seedDemo(temp.db(), referenceDay());
    const QStringList original = dump(temp.db());

    temp.db().exec(QStringLiteral("DELETE FROM COLETAPR WHERE NRCOLEPRECO = '0000000003'"));
    temp.db().exec(QStringLiteral("UPDATE FORNECEDOR SET NMFANTFORN = 'Outro'"));
    temp.db().exec(QStringLiteral("INSERT INTO MARCA (CDMARCA, NMMARCA) VALUES ('99999', 'X')"));
    seedDemo(temp.db(), referenceDay());

    EXPECT_EQ(dump(temp.db()), original);
}

TEST(SeedDemoReproducible, OnlyDatesFollowTheReferenceDay)
{
    TempDatabase march;
    TempDatabase yearEnd;
    seedDemo(march.db(), referenceDay());
    seedDemo(yearEnd.db(), QDate(2026, 1, 1));
    const QString items = QStringLiteral(
        "SELECT NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, VRPRECUNIITM FROM ITEMCOLE "
        "ORDER BY 1, 2, 3, 4, 5");
    EXPECT_EQ(rows(march.db(), items), rows(yearEnd.db(), items));
    EXPECT_NE(rows(march.db(), QStringLiteral("SELECT DTCOLEPREC FROM COLETAPR ORDER BY 1")),
              rows(yearEnd.db(), QStringLiteral("SELECT DTCOLEPREC FROM COLETAPR ORDER BY 1")));
}

TEST(SeedDemoReproducible, WeeksAreTheIsoWeeksOfTheValidityAcrossYearEnd)
{
    TempDatabase temp;
    seedDemo(temp.db(), QDate(2026, 1, 1));
    const QStringList quotations =
        rows(temp.db(), QStringLiteral("SELECT NRSEMAINIC, NRSEMAFINAL, DTINIVALCOL, DTFINVALCOL, "
                                       "DTCOLEPREC FROM COLETAPR"));
    ASSERT_FALSE(quotations.isEmpty());
    for (const QString& row : quotations) {
        const QStringList f = row.split(u'|');
        const QDate from = QDate::fromString(f[2], Qt::ISODate);
        const QDate to = QDate::fromString(f[3], Qt::ISODate);
        EXPECT_EQ(f[0], QString::number(from.weekNumber()).rightJustified(2, u'0'))
            << f[2].toStdString();
        EXPECT_EQ(f[1], QString::number(to.weekNumber()).rightJustified(2, u'0'))
            << f[3].toStdString();
        EXPECT_EQ(from.dayOfWeek(), 1);
        EXPECT_EQ(to.dayOfWeek(), 7);
        EXPECT_LE(QDate::fromString(f[4], Qt::ISODate), QDate(2026, 1, 1));
    }
}

TEST_F(SeedDemoTest, ValuesFitTheirColumns)
{
    static const QRegularExpression sized(QStringLiteral("VARCHAR\\((\\d+)\\)"),
                                          QRegularExpression::CaseInsensitiveOption);
    for (const QString& table : tables(db())) {
        const QStringList info = declaredColumns(db(), table);
        for (const QString& line : info) {
            const QStringList f = line.split(u'|');
            const auto match = sized.match(f[1]);
            if (!match.hasMatch())
                continue;
            const int longest = scalar(db(), QStringLiteral("SELECT COALESCE(MAX(LENGTH(%1)), 0) "
                                                            "FROM %2")
                                                 .arg(f[0], table))
                                    .toInt();
            EXPECT_LE(longest, match.captured(1).toInt())
                << table.toStdString() << "." << f[0].toStdString();
        }
    }
}

TEST_F(SeedDemoTest, CodesAreStoredAtTheirFullWidth)
{
    const QList<std::pair<QString, int>> codes = {
        {"SELECT CDFILIAL FROM FILIAL", 4},      {"SELECT NRCOLEPRECO FROM COLETAPR", 10},
        {"SELECT CDREGIAO FROM REGIAO", 3},      {"SELECT CDFORNECED FROM FORNECEDOR", 21},
        {"SELECT CDPRODUTO FROM PRODUTO", 10},   {"SELECT CDMARCA FROM MARCA", 5},
        {"SELECT CDOPERADOR FROM OPERADOR", 12},
    };
    for (const auto& [sql, width] : codes)
        for (const QString& code : column(db(), sql))
            EXPECT_EQ(code.size(), width) << sql.toStdString() << ": " << code.toStdString();
}

TEST_F(SeedDemoTest, CentreBuysForOtherBranches)
{
    EXPECT_GE(count(db(), "SELECT COUNT(*) FROM FILIAL WHERE CDFILCENTCMP = '0001'"), 2);
    EXPECT_TRUE(scalar(db(), "SELECT CDFILCENTCMP FROM FILIAL WHERE CDFILIAL = '0001'").isNull());
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM PARASUPRI WHERE CDFILIAL = '0001'"), 1);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM PARAMGERAL"), 1);
    const QStringList flags =
        rows(db(), "SELECT IDUTLPROCMP, IDULTIDTVALQ, IDMARSEMQUA, IDVISCOTPLA, IDUMPRODCMP, "
                   "IDPROSEMMAR FROM PARASUPRI WHERE CDFILIAL = '0001'");
    ASSERT_EQ(flags.size(), 1);
    EXPECT_FALSE(flags[0].contains(QStringLiteral("<null>")));
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM PARASUPRI P JOIN MARCA M ON M.CDMARCA = "
                          "P.CDMARCA WHERE P.CDFILIAL = '0001'"),
              1);
}

TEST_F(SeedDemoTest, ManagerManagesEveryBuyer)
{
    const QStringList buyers = column(db(), "SELECT C.CDOPERADOR FROM COMPRADOR C JOIN OPERADOR O "
                                            "ON O.CDOPERADOR = C.CDOPERADOR ORDER BY 1");
    EXPECT_GE(buyers.size(), 2);
    EXPECT_LE(buyers.size(), 3);
    const QStringList managers = column(db(), "SELECT DISTINCT CDOPERGERE FROM GERECOMP");
    ASSERT_EQ(managers.size(), 1);
    EXPECT_FALSE(buyers.contains(managers[0]));
    EXPECT_EQ(column(db(), "SELECT CDOPERCOMP FROM GERECOMP ORDER BY 1"), buyers);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM OPERADOR WHERE DSSENHAHASH IS NULL"), 0);
}

TEST_F(SeedDemoTest, RegionsAndSuppliersInTheAgreedNumbers)
{
    const int regions = count(db(), "SELECT COUNT(*) FROM REGIAO");
    EXPECT_GE(regions, 5);
    EXPECT_LE(regions, 8);
    const int suppliers = count(db(), "SELECT COUNT(*) FROM FORNECEDOR");
    EXPECT_GE(suppliers, 20);
    EXPECT_LE(suppliers, 40);
}

TEST_F(SeedDemoTest, SuppliersOfEveryKind)
{
    auto some = [&](const char* condition) {
        return count(db(), QStringLiteral("SELECT COUNT(*) FROM FORNECEDOR WHERE ") +
                               QLatin1String(condition));
    };
    EXPECT_GT(some("IDTIPOFORN = 'A'"), 0);
    EXPECT_GT(some("IDTIPOFORN <> 'A'"), 0);
    EXPECT_GT(some("IDSITUCADA = 'A'"), 0);
    EXPECT_GT(some("IDSITUCADA = 'I'"), 0);
    for (const char* type :
         {"IDTPIJURFORN = 'J'", "IDTPIJURFORN = 'F'", "IDTPIJURFORN = 'I'", "IDTPIJURFORN = 'O'"})
        EXPECT_GT(some(type), 0) << type;
    // Not subject to qualification, qualified, expired, and in a class that needs the
    // supplier to be automatic, with and without it.
    EXPECT_GT(some("CDQUALIF IS NULL"), 0);
    EXPECT_GT(some("CDQUALIF = '01' AND DTVALQUALIF > '2025-03-12'"), 0);
    EXPECT_GT(some("CDQUALIF IS NOT NULL AND DTVALQUALIF < '2025-03-12'"), 0);
    EXPECT_GT(some("CDQUALIF = '02' AND IDFORNAUTO = 'N'"), 0);
    EXPECT_GT(some("CDQUALIF = '02' AND IDFORNAUTO = 'S'"), 0);
    EXPECT_GT(some("IDTPDESCFORN = 'C' AND VRPEDESCFORN > 0"), 0);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM QUALIFICACAO WHERE IDPERCOTCMP IN ('1', '2')"),
              count(db(), "SELECT COUNT(*) FROM QUALIFICACAO"));
}

TEST_F(SeedDemoTest, CompanyAndPersonDocumentsHaveValidCheckDigits)
{
    const QStringList companies = column(db(), "SELECT NRINSJURFORN FROM FORNECEDOR WHERE "
                                               "IDTPIJURFORN = 'J'");
    const QStringList people = column(db(), "SELECT NRINSJURFORN FROM FORNECEDOR WHERE "
                                            "IDTPIJURFORN = 'F'");
    ASSERT_FALSE(companies.isEmpty());
    ASSERT_FALSE(people.isEmpty());
    for (const QString& number : companies)
        EXPECT_TRUE(validCnpj(number)) << number.toStdString();
    for (const QString& number : people)
        EXPECT_TRUE(validCpf(number)) << number.toStdString();
    EXPECT_EQ(count(db(), "SELECT COUNT(DISTINCT NRINSJURFORN) FROM FORNECEDOR"),
              count(db(), "SELECT COUNT(*) FROM FORNECEDOR"));
}

TEST_F(SeedDemoTest, ProductTreeHasGroupsAndPurchaseStockAndInactiveProducts)
{
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM PRODUTO WHERE CDNVPRODUTO = 1"), 1);
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM PRODUTO WHERE CDNVPRODUTO = 2"), 1);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM PRODUTO WHERE CDNVPRODUTO < 3 AND CDPRODESTO IS "
                          "NOT NULL"),
              0);
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM PRODUTO WHERE CDPRODESTO = CDPRODUTO"), 10);
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM PRODUTO P JOIN PRODUTO E ON E.CDPRODUTO = "
                          "P.CDPRODESTO WHERE P.CDPRODESTO <> P.CDPRODUTO AND "
                          "E.CDPRODESTO = E.CDPRODUTO"),
              0);
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM PRODUTO WHERE IDPRODATIVPR = 'N'"), 0);
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM PRODUTO WHERE CDNVPRODUTO = 3 AND "
                          "IDPRODATIVPR IS NULL"),
              0);
    // Every node but the top level hangs under an existing node.
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM PRODUTO C WHERE C.CDNVPRODUTO > 1 AND NOT "
                          "EXISTS (SELECT 1 FROM PRODUTO P WHERE P.CDNVPRODUTO = C.CDNVPRODUTO - "
                          "1 AND C.CDARVPROD LIKE P.CDARVPROD || '%')"),
              0);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM PRODUTO WHERE CDNVPRODUTO = 3 AND "
                          "CDUNIDMED IS NULL"),
              0);
}

TEST_F(SeedDemoTest, BrandsAreRegisteredAndQualifiedInEveryWay)
{
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM PRODUTO P WHERE CDNVPRODUTO = 3 AND NOT EXISTS "
                          "(SELECT 1 FROM MARCPROD M WHERE M.CDPRODUTO = P.CDPRODUTO)"),
              0);
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM MARCA M WHERE NOT EXISTS (SELECT 1 FROM "
                          "MARCPROD R WHERE R.CDMARCA = M.CDMARCA)"),
              0);
    for (const char* kind :
         {"IDAPRMARPRO = 'S' AND DTVALAPROVA > '2025-03-12'",
          "IDAPRMARPRO = 'S' AND DTVALAPROVA < '2025-03-12'",
          "IDAPRMARPRO = 'N' AND IDAUTMARPRO = 'N'", "IDAPRMARPRO = 'N' AND IDAUTMARPRO = 'S'"})
        EXPECT_GT(count(db(), QStringLiteral("SELECT COUNT(*) FROM QFOMARPROD WHERE ") +
                                  QLatin1String(kind)),
                  0)
            << kind;
    for (const char* kind :
         {"IDFORNAPROV = 'S' AND DTVALPRFORN > '2025-03-12'",
          "IDFORNAPROV = 'S' AND DTVALPRFORN < '2025-03-12'",
          "IDFORNAPROV = 'N' AND IDFORNAUTOR = 'N'", "IDFORNAPROV = 'N' AND IDFORNAUTOR = 'S'"})
        EXPECT_GT(count(db(), QStringLiteral("SELECT COUNT(*) FROM QFOPRODFORN WHERE ") +
                                  QLatin1String(kind)),
                  0)
            << kind;
}

TEST_F(SeedDemoTest, QuotationsCoverEveryCollectionTypeAndListFlag)
{
    const QStringList types = column(db(), "SELECT DISTINCT IDTIPCOLREG FROM COLETAPR ORDER BY 1");
    for (const char* type : {"<null>", "E", "W", "L"})
        EXPECT_TRUE(types.contains(QLatin1String(type))) << type;
    EXPECT_EQ(column(db(), "SELECT DISTINCT IDDISMONTLIS FROM COLETAPR ORDER BY 1"),
              QStringList({"N", "S"}));
    EXPECT_GE(count(db(), "SELECT COUNT(DISTINCT CDOPERADOR) FROM COLETAPR"), 2);
}

TEST_F(SeedDemoTest, QuotationsLieOnPastAndCurrentWeeks)
{
    const QString day = referenceDay().toString(Qt::ISODate);
    EXPECT_EQ(
        count(db(),
              QStringLiteral("SELECT COUNT(*) FROM COLETAPR WHERE DTCOLEPREC > '%1'").arg(day)),
        0);
    EXPECT_GT(count(db(), QStringLiteral("SELECT COUNT(*) FROM COLETAPR WHERE DTINIVALCOL <= '%1' "
                                         "AND DTFINVALCOL >= '%1'")
                              .arg(day)),
              0);
    EXPECT_GT(
        count(db(),
              QStringLiteral("SELECT COUNT(*) FROM COLETAPR WHERE DTFINVALCOL < '%1'").arg(day)),
        0);
    EXPECT_GT(
        count(db(),
              QStringLiteral("SELECT COUNT(*) FROM COLETAPR WHERE DTINIVALCOL > '%1'").arg(day)),
        0);
}

TEST_F(SeedDemoTest, ItemsIncludeZeroPricesObservationsQuantitiesAndASingleItemQuotation)
{
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM ITEMCOLE WHERE VRPRECUNIITM = 0"), 0);
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM ITEMCOLE WHERE VRPRECUNIITM > 0"), 0);
    EXPECT_GE(count(db(), "SELECT COUNT(*) FROM ITEMCOLE WHERE DSOBSITMCOL IS NOT NULL"), 3);
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM ITEMCOLE WHERE QTACMPITMCOL > 0"), 0);
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM ITEMCOLE WHERE VRPERDESITM > 0"), 0);
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM ITEMCOLE WHERE VRPRECECOPIITM < 0"), 0);
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM PZOPGTITMCOL"), 0);
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM IMPCOLET"), 0);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM (SELECT NRCOLEPRECO FROM ITEMCOLE GROUP BY "
                          "NRCOLEPRECO HAVING COUNT(*) = 1) Q"),
              1);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM COLETAPR C WHERE NOT EXISTS (SELECT 1 FROM "
                          "ITEMCOLE I WHERE I.NRCOLEPRECO = C.NRCOLEPRECO)"),
              0);
    // Several products of a quotation come in more than one brand.
    EXPECT_GT(count(db(), "SELECT COUNT(*) FROM (SELECT NRCOLEPRECO, CDPRODUTO FROM ITEMCOLE "
                          "GROUP BY 1, 2 HAVING COUNT(DISTINCT CDMARCA) > 1) Q"),
              5);
}

TEST_F(SeedDemoTest, ItemValuesAgreeWithEachOther)
{
    // Nothing was changed on the assignment pages yet.
    EXPECT_EQ(column(db(), "SELECT DISTINCT IDITMCOTPREC FROM ITEMCOLE"), QStringList{"N"});
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM ITEMCOLE WHERE (VRPRECUNIITM > 0) <> "
                          "(VRPRECECOITM > 0)"),
              0);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM ITEMCOLE I JOIN COLETAPR C ON C.CDFILIAL = "
                          "I.CDFILIAL AND C.NRCOLEPRECO = I.NRCOLEPRECO WHERE I.DTINIVALITM <> "
                          "C.DTINIVALCOL OR I.DTFINVALITM <> C.DTFINVALCOL"),
              0);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM ITEMCOLE I JOIN FORNECEDOR F ON F.CDFORNECED = "
                          "I.CDFORNECED WHERE I.IDTIPFREITM <> F.IDTPFRETFORN"),
              0);
    EXPECT_EQ(count(db(), "SELECT COUNT(*) FROM (SELECT 1 FROM PZOPGTITMCOL GROUP BY CDFILIAL, "
                          "NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA HAVING "
                          "ABS(SUM(VRPERCPARC) - 100) > 0.001) Q"),
              0);
}

#include "DbTestSupport.h"

#include <appserver/db/Seed.h>

#include <gtest/gtest.h>

using namespace dbtest;
using appserver::db::seedScale;

namespace {

int count(host::Database& db, const QString& sql, const QVariantList& values = {})
{
    return scalar(db, sql, values).toInt();
}

} // namespace

TEST(SeedScale, WritesExactlyTheItemsAskedForOnAnEmptyDatabase)
{
    TempDatabase temp;
    const QString number = seedScale(temp.db(), 2000, referenceDay());

    EXPECT_EQ(count(temp.db(), "SELECT COUNT(*) FROM ITEMCOLE WHERE NRCOLEPRECO = ?", {number}),
              2000);
    // The demo came first, so the quotation follows the demo's.
    EXPECT_GT(count(temp.db(), "SELECT COUNT(*) FROM OPERADOR"), 0);
    EXPECT_EQ(number, QStringLiteral("0000000007"));
    EXPECT_EQ(count(temp.db(),
                    "SELECT COUNT(DISTINCT CDREGIAO) FROM ITEMCOLE WHERE "
                    "NRCOLEPRECO = ?",
                    {number}),
              5);
    EXPECT_GE(count(temp.db(),
                    "SELECT COUNT(DISTINCT CDFORNECED) FROM ITEMCOLE WHERE "
                    "NRCOLEPRECO = ?",
                    {number}),
              25);
}

TEST(SeedScale, ItemsSatisfyTheRegisters)
{
    TempDatabase temp;
    const QString number = seedScale(temp.db(), 3000, referenceDay());
    const QVariantList q = {number};
    // Brands registered for the product, suppliers serving the region and supplying the
    // product, the buyer negotiating it, active suppliers only.
    EXPECT_EQ(count(temp.db(),
                    "SELECT COUNT(*) FROM ITEMCOLE I WHERE NRCOLEPRECO = ? AND NOT "
                    "EXISTS (SELECT 1 FROM MARCPROD M WHERE M.CDPRODUTO = I.CDPRODUTO "
                    "AND M.CDMARCA = I.CDMARCA)",
                    q),
              0);
    EXPECT_EQ(count(temp.db(),
                    "SELECT COUNT(*) FROM ITEMCOLE I WHERE NRCOLEPRECO = ? AND EXISTS "
                    "(SELECT 1 FROM REFOREG R WHERE R.CDFORNECED = I.CDFORNECED AND "
                    "R.CDREGIAO = I.CDREGIAO AND R.CDPERIENTR IS NULL)",
                    q),
              0);
    EXPECT_EQ(count(temp.db(),
                    "SELECT COUNT(*) FROM ITEMCOLE I JOIN PRODUTO P ON P.CDPRODUTO = "
                    "I.CDPRODUTO WHERE NRCOLEPRECO = ? AND NOT EXISTS (SELECT 1 FROM "
                    "PRODFORN F JOIN PRODUTO N ON N.CDPRODUTO = F.CDPRODUTO WHERE "
                    "F.CDFORNECED = I.CDFORNECED AND P.CDARVPROD LIKE N.CDARVPROD || "
                    "'%')",
                    q),
              0);
    EXPECT_EQ(count(temp.db(),
                    "SELECT COUNT(*) FROM ITEMCOLE I JOIN PRODUTO P ON P.CDPRODUTO = "
                    "I.CDPRODUTO JOIN COLETAPR C ON C.NRCOLEPRECO = I.NRCOLEPRECO AND "
                    "C.CDFILIAL = I.CDFILIAL WHERE I.NRCOLEPRECO = ? AND NOT EXISTS "
                    "(SELECT 1 FROM PRODCOMP B JOIN PRODUTO N ON N.CDPRODUTO = "
                    "B.CDPRODUTO WHERE B.CDOPERADOR = C.CDOPERADOR AND P.CDARVPROD "
                    "LIKE N.CDARVPROD || '%')",
                    q),
              0);
    EXPECT_EQ(count(temp.db(),
                    "SELECT COUNT(*) FROM ITEMCOLE I JOIN FORNECEDOR F ON "
                    "F.CDFORNECED = I.CDFORNECED WHERE NRCOLEPRECO = ? AND "
                    "F.IDSITUCADA <> 'A'",
                    q),
              0);
    EXPECT_GT(count(temp.db(),
                    "SELECT COUNT(*) FROM ITEMCOLE WHERE NRCOLEPRECO = ? AND "
                    "VRPRECUNIITM = 0",
                    q),
              0);
}

TEST(SeedScale, RunsAgainWithANewQuotationReusingItsProducts)
{
    TempDatabase temp;
    appserver::db::seedDemo(temp.db(), referenceDay());
    const int demoItems = count(temp.db(), "SELECT COUNT(*) FROM ITEMCOLE");

    const QString first = seedScale(temp.db(), 1500, referenceDay());
    const int products = count(temp.db(), "SELECT COUNT(*) FROM PRODUTO");
    const QString second = seedScale(temp.db(), 700, referenceDay());

    EXPECT_NE(first, second);
    EXPECT_EQ(count(temp.db(), "SELECT COUNT(*) FROM PRODUTO"), products);
    EXPECT_EQ(count(temp.db(), "SELECT COUNT(*) FROM ITEMCOLE"), demoItems + 1500 + 700);
    EXPECT_EQ(count(temp.db(), "SELECT COUNT(*) FROM ITEMCOLE WHERE NRCOLEPRECO = ?", {second}),
              700);
}

TEST(SeedScale, RefusesANonPositiveCount)
{
    TempDatabase temp;
    EXPECT_THROW(seedScale(temp.db(), 0, referenceDay()), std::invalid_argument);
    EXPECT_FALSE(tables(temp.db()).contains(QStringLiteral("ITEMCOLE")));
}

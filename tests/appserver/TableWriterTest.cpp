// Rows written through TableWriter: every row arrives, however many are gathered into one
// statement, and rows of a quotation's header reach the database before its items'.

#include "DbTestSupport.h"

#include <appserver/db/Schema.h>
#include <appserver/db/TableWriter.h>
#include <host/core/Exceptions.h>

#include <gtest/gtest.h>

using appserver::db::TableWriter;

namespace {

int count(host::Database& db, const QString& sql)
{
    return dbtest::scalar(db, sql).toInt();
}

QVariantList item(int n)
{
    return {QStringLiteral("0001"), QStringLiteral("0000000001"), QStringLiteral("001"),
            dbtest::supplier(n % 7 + 1), QString::number(n).rightJustified(10, u'0'),
            QStringLiteral("00001"), double(n) / 100.0};
}

const QStringList kItemColumns = {"CDFILIAL",  "NRCOLEPRECO", "CDREGIAO",    "CDFORNECED",
                                  "CDPRODUTO", "CDMARCA",     "VRPRECUNIITM"};

} // namespace

TEST(TableWriter, HeaderRowsReachTheDatabaseBeforeTheItemsThatReferToThem)
{
    dbtest::TempDatabase temp;
    host::Database& db = temp.db();
    appserver::db::createSchema(db);
    host::Transaction tx(db);
    {
        TableWriter header(db, QStringLiteral("COLETAPR"),
                           {"CDFILIAL", "NRCOLEPRECO", "DTCOLEPREC", "CDOPERADOR"});
        TableWriter items(db, QStringLiteral("ITEMCOLE"), kItemColumns);
        header.insert({QStringLiteral("0001"), QStringLiteral("0000000001"),
                       QStringLiteral("2025-03-12"), QStringLiteral("ANA.CARVALHO")});
        // More items than one statement takes, and a last statement only partly full.
        for (int n = 1; n <= 5003; ++n)
            items.insert(item(n));
    }
    tx.commit();
    EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM COLETAPR")), 1);
    EXPECT_EQ(count(db, QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE")), 5003);
    EXPECT_EQ(dbtest::scalar(db, QStringLiteral("SELECT VRPRECUNIITM FROM ITEMCOLE WHERE "
                                                "CDPRODUTO = '0000004999'"))
                  .toDouble(),
              49.99);
}

TEST(TableWriter, FlushWritesTheGatheredRowsAtOnce)
{
    dbtest::TempDatabase temp;
    host::Database& db = temp.db();
    appserver::db::createSchema(db);
    TableWriter regions(db, QStringLiteral("REGIAO"), {"CDREGIAO", "NMREGIAO"});
    regions.insert({QStringLiteral("001"), QStringLiteral("Norte")});
    regions.insert({QStringLiteral("002"), QStringLiteral("Sul")});
    regions.flush();
    EXPECT_EQ(regions.rowsWritten(), 2);
    EXPECT_EQ(dbtest::column(db, QStringLiteral("SELECT NMREGIAO FROM REGIAO ORDER BY CDREGIAO")),
              QStringList({"Norte", "Sul"}));
}

TEST(TableWriter, ARowThatBreaksAKeyFailsAtTheLatestWhenItsWriterGoes)
{
    dbtest::TempDatabase temp;
    host::Database& db = temp.db();
    appserver::db::createSchema(db);
    EXPECT_THROW(
        {
            TableWriter regions(db, QStringLiteral("REGIAO"), {"CDREGIAO", "NMREGIAO"});
            regions.insert({QStringLiteral("001"), QStringLiteral("Norte")});
            regions.insert({QStringLiteral("001"), QStringLiteral("Outra vez")});
        },
        host::EDatabaseError);
    EXPECT_THROW(TableWriter(db, QStringLiteral("REGIAO"), {"CDREGIAO"}).insert({}),
                 host::EDatabaseError);
}

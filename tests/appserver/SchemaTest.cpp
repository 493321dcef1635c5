#include "DbTestSupport.h"

#include <appserver/db/Schema.h>
#include <host/core/Exceptions.h>

#include <QMap>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace dbtest;
using appserver::db::createSchema;

namespace {

// Every table and column the module's screens, queries and server calls rely on.
const QMap<QString, QStringList>& expectedColumns()
{
    static const QString itemKey =
        QStringLiteral("CDFILIAL NRCOLEPRECO CDREGIAO CDFORNECED CDPRODUTO CDMARCA");
    static const QMap<QString, QString> lists = {
        {"COLETAPR", "CDFILIAL NRCOLEPRECO DTCOLEPREC NRSEMAINIC NRSEMAFINAL DTINIVALCOL "
                     "DTFINVALCOL CDOPERADOR IDTIPCOLREG IDDISMONTLIS"},
        {"ITEMCOLE", itemKey + " VRPRECUNIITM VRPRECECOITM QTACMPITMCOL VRPERDESITM DTINIVALITM "
                               "DTFINVALITM IDITMCOTPREC IDTIPFREITM DSOBSITMCOL"},
        {"FILIAL", "CDFILIAL NMFILIAL CDFILCENTCMP"},
        {"OPERADOR", "CDOPERADOR NMOPERADOR DSSENHAHASH DSSENHASALT NRSENHAITER"},
        {"COMPRADOR", "CDOPERADOR"},
        {"GERECOMP", "CDOPERGERE CDOPERCOMP"},
        {"REGIAO", "CDREGIAO NMREGIAO"},
        {"FORNECEDOR",
         "CDFORNECED IDTPIJURFORN NRINSJURFORN NMRAZSOCFORN NMFANTFORN IDTIPOFORN IDSITUCADA "
         "CDQUALIF DTVALQUALIF IDFORNAUTO CDFORMPGTO IDTPFORPGTFO NRPARCPGTOFO NRDIAPGFIXFO "
         "IDUTDIAPGTFO IDTPDESCFORN VRPEDESCFORN IDTPFRETFORN"},
        {"PRODUTO", "CDPRODUTO CDARVPROD NMPRODUTO CDNVPRODUTO CDPRODESTO IDPRODATIVPR CDUNIDMED"},
        {"MARCA", "CDMARCA NMMARCA"},
        {"MARCPROD", "CDPRODUTO CDMARCA"},
        {"QUALIFICACAO", "CDQUALIF IDPERCOTCMP"},
        {"QFOMARPROD", "CDPRODUTO CDMARCA IDAPRMARPRO IDAUTMARPRO DTVALAPROVA"},
        {"QFOPRODFORN", "CDPRODUTO CDFORNECED IDFORNAPROV IDFORNAUTOR DTVALPRFORN"},
        {"PRODCOMP", "CDOPERADOR CDPRODUTO"},
        {"PRODFORN", "CDFORNECED CDPRODUTO"},
        {"REFOREG", "CDFORNECED CDREGIAO CDPERIENTR"},
        {"PARASUPRI", "CDFILIAL IDUTLPROCMP IDULTIDTVALQ IDMARSEMQUA IDVISCOTPLA IDUMPRODCMP "
                      "CDMARCA IDPROSEMMAR"},
        {"PARAMGERAL", "CDFILIAL IDSISDOS"},
        {"PZOPGTITMCOL", itemKey},
        {"IMPCOLET", itemKey},
    };
    static QMap<QString, QStringList> result;
    if (result.isEmpty())
        for (auto it = lists.cbegin(); it != lists.cend(); ++it)
            result.insert(it.key(), it.value().split(u' ', Qt::SkipEmptyParts));
    return result;
}

void insertQuotation(host::Database& db, const QString& number)
{
    db.exec(QStringLiteral("INSERT INTO COLETAPR (CDFILIAL, NRCOLEPRECO, DTCOLEPREC, CDOPERADOR) "
                           "VALUES ('0001', '%1', '2025-03-10', 'ANA.CARVALHO')")
                .arg(number));
}

void insertItem(host::Database& db, const QString& number, const QString& brand)
{
    db.exec(QStringLiteral("INSERT INTO ITEMCOLE (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, "
                           "CDPRODUTO, CDMARCA, VRPRECUNIITM) VALUES ('0001', '%1', '001', "
                           "'000000000000000000001', '0000000003', '%2', 10.5)")
                .arg(number, brand));
    db.exec(QStringLiteral("INSERT INTO PZOPGTITMCOL (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, "
                           "CDPRODUTO, CDMARCA, NRPARCPGTO, NRDIAPGTO, VRPERCPARC) VALUES ('0001', "
                           "'%1', '001', '000000000000000000001', '0000000003', '%2', 1, 28, 100)")
                .arg(number, brand));
    db.exec(QStringLiteral("INSERT INTO IMPCOLET (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, "
                           "CDPRODUTO, CDMARCA, CDIMPOSTO, VRALIQIMPOS) VALUES ('0001', '%1', "
                           "'001', '000000000000000000001', '0000000003', '%2', 'ICMS', 18)")
                .arg(number, brand));
}

int count(host::Database& db, const QString& table)
{
    return scalar(db, QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
}

} // namespace

TEST(Schema, CreatesEveryTableAndColumnTheModuleReads)
{
    TempDatabase temp;
    createSchema(temp.db());
    const QStringList present = tables(temp.db());
    const auto& expected = expectedColumns();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        ASSERT_TRUE(present.contains(it.key())) << it.key().toStdString();
        const QStringList have = columns(temp.db(), it.key());
        for (const QString& name : it.value())
            EXPECT_TRUE(have.contains(name)) << it.key().toStdString() << "." << name.toStdString();
    }
}

TEST(Schema, ReportsVersionAndAbsence)
{
    TempDatabase temp;
    EXPECT_FALSE(appserver::db::hasSchema(temp.db()));
    EXPECT_EQ(appserver::db::schemaVersion(temp.db()), 0);
    createSchema(temp.db());
    EXPECT_TRUE(appserver::db::hasSchema(temp.db()));
    EXPECT_EQ(appserver::db::schemaVersion(temp.db()), appserver::db::kSchemaVersion);
}

TEST(Schema, RunningItAgainKeepsTablesAndData)
{
    TempDatabase temp;
    createSchema(temp.db());
    insertQuotation(temp.db(), QStringLiteral("0000000001"));
    const QStringList before = tables(temp.db());
    const QStringList indexesBefore = indexes(temp.db());

    createSchema(temp.db());
    auto second = temp.reopen();
    createSchema(*second);

    EXPECT_EQ(tables(temp.db()), before);
    EXPECT_EQ(indexes(temp.db()), indexesBefore);
    EXPECT_EQ(count(temp.db(), QStringLiteral("COLETAPR")), 1);
    EXPECT_EQ(count(temp.db(), QStringLiteral("VERSAOBD")), appserver::db::kSchemaVersion);
}

TEST(Schema, DataTablesNameEveryTableButTheVersions)
{
    TempDatabase temp;
    createSchema(temp.db());
    QStringList present = tables(temp.db());
    // The versions are never emptied: a quotation's counter only goes up, also across seeds.
    present.removeAll(QStringLiteral("VERSAOBD"));
    present.removeAll(QStringLiteral("VERSAOCOLETA"));
    QStringList listed = appserver::db::dataTables();
    listed.sort();
    EXPECT_EQ(listed, present);
}

TEST(Schema, ItemKeyIsBranchQuotationRegionSupplierProductBrand)
{
    TempDatabase temp;
    createSchema(temp.db());
    const QStringList key = primaryKey(temp.db(), QStringLiteral("ITEMCOLE"));
    EXPECT_EQ(key, QStringList({"CDFILIAL", "NRCOLEPRECO", "CDREGIAO", "CDFORNECED", "CDPRODUTO",
                                "CDMARCA"}));

    insertQuotation(temp.db(), QStringLiteral("0000000001"));
    insertItem(temp.db(), QStringLiteral("0000000001"), QStringLiteral("00002"));
    EXPECT_THROW(insertItem(temp.db(), QStringLiteral("0000000001"), QStringLiteral("00002")),
                 host::EDatabaseError);
    EXPECT_NO_THROW(insertItem(temp.db(), QStringLiteral("0000000001"), QStringLiteral("00003")));
}

TEST(Schema, ItemsBelongToAnExistingQuotation)
{
    TempDatabase temp;
    createSchema(temp.db());
    EXPECT_THROW(insertItem(temp.db(), QStringLiteral("0000000009"), QStringLiteral("00002")),
                 host::EDatabaseError);
    EXPECT_EQ(count(temp.db(), QStringLiteral("ITEMCOLE")), 0);
}

TEST(Schema, DeletingAQuotationDeletesItsItemsTermsAndTaxes)
{
    TempDatabase temp;
    createSchema(temp.db());
    insertQuotation(temp.db(), QStringLiteral("0000000001"));
    insertQuotation(temp.db(), QStringLiteral("0000000002"));
    for (const char* number : {"0000000001", "0000000002"})
        for (const char* brand : {"00002", "00003"})
            insertItem(temp.db(), QString::fromLatin1(number), QString::fromLatin1(brand));

    temp.db().exec(QStringLiteral("DELETE FROM COLETAPR WHERE NRCOLEPRECO = '0000000001'"));

    for (const char* table : {"ITEMCOLE", "PZOPGTITMCOL", "IMPCOLET"}) {
        EXPECT_EQ(count(temp.db(), QString::fromLatin1(table)), 2) << table;
        EXPECT_EQ(
            column(temp.db(), QStringLiteral("SELECT DISTINCT NRCOLEPRECO FROM %1").arg(table)),
            QStringList{"0000000002"})
            << table;
    }
}

TEST(Schema, ChangingAnItemsBrandCarriesItsTermsAndTaxes)
{
    TempDatabase temp;
    createSchema(temp.db());
    insertQuotation(temp.db(), QStringLiteral("0000000001"));
    insertItem(temp.db(), QStringLiteral("0000000001"), QStringLiteral("00002"));

    temp.db().exec(QStringLiteral("UPDATE ITEMCOLE SET CDMARCA = '00005'"));

    EXPECT_EQ(column(temp.db(), QStringLiteral("SELECT CDMARCA FROM PZOPGTITMCOL")),
              QStringList{"00005"});
    EXPECT_EQ(column(temp.db(), QStringLiteral("SELECT CDMARCA FROM IMPCOLET")),
              QStringList{"00005"});
}

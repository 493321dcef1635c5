// The price history of an item, the loads of best prices and quantities to buy, the removal
// of unpriced items and the payment terms of an item to negotiate, on the demo centre: Ana's
// current worksheet 0000000003 follows her closed quotation 0000000001, where the soybean
// oil was also quoted by an alternative supplier.

#include "RpcTestSupport.h"

#include "host/core/Packet.h"

#include <gtest/gtest.h>

using namespace rpctest;

namespace {

const QString kPast = QStringLiteral("0000000001");
const QString kCurrent = QStringLiteral("0000000003");
const QString kOil = QStringLiteral("0000000009"); // 0102001 ÓLEO DE SOJA REFINADO 900ML

class QuotationToolsTest : public RpcFixture
{
protected:
    void SetUp() override
    {
        RpcFixture::SetUp();
        ana = login();
    }
    QString run(const char* method, const QVariantList& args, const QString& token = {})
    {
        return call(kPlan, QLatin1String(method), args, token.isEmpty() ? ana : token).toString();
    }
    int count(const QString& sql, const QVariantList& values = {})
    {
        return dbtest::scalar(db(), sql, values).toInt();
    }
    // Prices the oil in region 001 of the quotation: one supplier's (0: every supplier's),
    // one brand (nullptr: every brand); the economic prices follow from the unit price.
    void setOil(const QString& number, int supplier, const char* brand, double price)
    {
        db().run(QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = ?, VRPRECECOITM = ?, "
                                "VRPRECECOPIITM = ? WHERE NRCOLEPRECO = ? AND CDREGIAO = '001' "
                                "AND CDPRODUTO = ? AND (? = 0 OR CDFORNECED = ?) AND (? = '' OR "
                                "CDMARCA = ?)"),
                 {price, price * 0.5, price * 0.25, number, kOil, supplier,
                  dbtest::supplier(supplier), QString::fromLatin1(brand ? brand : ""),
                  QString::fromLatin1(brand ? brand : "")});
    }
    // Offers the oil of every supplier of the current quotation in region 001 again, in
    // another quotation, at one price.
    void copyOil(const char* number, double price, double economicPrice)
    {
        db().run(
            QStringLiteral("INSERT INTO ITEMCOLE (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, "
                           "CDPRODUTO, CDMARCA, VRPRECUNIITM, VRPRECECOITM) SELECT CDFILIAL, "
                           "?, CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, ?, ? FROM ITEMCOLE "
                           "WHERE NRCOLEPRECO = ? AND CDREGIAO = '001' AND CDPRODUTO = ?"),
            {QLatin1String(number), price, economicPrice, kCurrent, kOil});
    }
    // Supplier 1's oil in region 001: brand, unit price and economic prices.
    QStringList oilOfSupplier1(const QString& number)
    {
        return dbtest::rows(db(),
                            QStringLiteral("SELECT CDMARCA, VRPRECUNIITM, VRPRECECOITM, "
                                           "VRPRECECOPIITM FROM ITEMCOLE WHERE NRCOLEPRECO "
                                           "= ? AND CDREGIAO = '001' AND CDPRODUTO = ? AND "
                                           "CDFORNECED = ? ORDER BY 1"),
                            {number, kOil, dbtest::supplier(1)});
    }
    QStringList history(const QString& number, int supplier, const char* brand)
    {
        const host::Packet packet = call(kPlan, QStringLiteral("GetHistorico"),
                                         {QStringLiteral("1"), number, QStringLiteral("1"),
                                          QString::number(supplier), kOil, QLatin1String(brand)},
                                         ana)
                                        .value<host::Packet>();
        EXPECT_EQ(packet.rowCount(), 1);
        QStringList fields;
        for (int f = 0; f < packet.fieldCount(); ++f) {
            const QVariant v = packet.value(0, f);
            fields << packet.fields()[f].name + QLatin1Char('=') +
                          (v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate)
                                                          : v.toString());
        }
        return fields;
    }

    QString ana;
};

TEST_F(QuotationToolsTest, HistoryGivesTheLastAndTheLowestEarlierPricesOfNormalAndAlternative)
{
    setOil(kPast, 0, nullptr, 9.0);
    setOil(kPast, 1, "00012", 8.0);
    setOil(kPast, 3, "00006", 6.2);  // the lowest of a normal supplier, another brand
    setOil(kPast, 19, "00012", 6.5); // the lowest of the alternative one
    setOil(kPast, 4, "00006", 0);    // never quoted
    setOil(kCurrent, 1, "00012", 10.0);
    copyOil("0000000005", 1.0, 1.0); // cheaper prices quoted later do not count
    EXPECT_EQ(
        history(kCurrent, 1, "00012"),
        QStringList({"P_VRULTCOT_PRUN=8", "P_VRULTCOT_ECO=4", "P_DTINIVAL_ULTCOT=2025-02-24",
                     "P_DTFINVAL_ULTCOT=2025-03-09", "P_VRFNORM_PRUN=6.2", "P_VRFNORM_ECO=3.1",
                     "P_DTINIVAL_MINPRFN=2025-02-24", "P_DTFINVAL_MINPRFN=2025-03-09",
                     "P_NMFORN_NORM=Vale do Paraíba / TERRA BOA", "P_VRFALTER_PRUN=6.5",
                     "P_VRFALTER_ECO=3.25", "P_DTINIVAL_MINPRFA=2025-02-24",
                     "P_DTFINVAL_MINPRFA=2025-03-09",
                     "P_NMFORN_ALTER=Atlântico Importadora / SOL NASCENTE", "P_PERVARIACAO=25"}));
    // Nothing was quoted before the first quotation.
    for (const QString& field : history(kPast, 1, "00012"))
        EXPECT_TRUE(field.endsWith(QLatin1String("=0")) || field.endsWith(QLatin1Char('=')))
            << field.toStdString();
}

TEST_F(QuotationToolsTest, BestPricesOfThePeriodFillOnlyTheItemsWithoutPrice)
{
    // Supplier 1's oil: brand 00006 unpriced now, 00012 priced; both cheaper before, and
    // cheaper still in the produce quotation valid this week.
    setOil(kCurrent, 1, "00006", 0);
    setOil(kCurrent, 1, "00012", 7.5);
    setOil(kPast, 1, nullptr, 6.75);
    copyOil("0000000004", 5.5, 5.25);

    EXPECT_EQ(run("CargMelhorsPrs", {"0001", kCurrent, QDate(2025, 3, 10), QDate(2025, 3, 1)}),
              "Data de validade inicial deve ser menor ou igual a data de validade final.");
    EXPECT_EQ(oilOfSupplier1(kCurrent), QStringList({"00006|0|0|0", "00012|7.5|3.75|1.875"}));

    // The past quotation is valid up to 9 March, the produce quotation from 10 March.
    EXPECT_EQ(run("CargMelhorsPrs", {"1", "3", QDate(2025, 3, 1), QDate(2025, 3, 9)}), "");
    EXPECT_EQ(oilOfSupplier1(kCurrent),
              QStringList({"00006|6.75|3.375|1.6875", "00012|7.5|3.75|1.875"}));
    setOil(kCurrent, 1, "00006", 0);
    EXPECT_EQ(run("CargMelhorsPrs", {"0001", kCurrent, QDate(2025, 3, 1), QDate(2025, 3, 16)}), "");
    EXPECT_EQ(oilOfSupplier1(kCurrent),
              QStringList({"00006|5.5|5.25|<null>", "00012|7.5|3.75|1.875"}));
}

TEST_F(QuotationToolsTest, QuantitiesToBuyAddTheOpenRequestsOfTheCentresBranches)
{
    db().run(QStringLiteral("UPDATE ITEMCOLE SET QTACMPITMCOL = -1"));
    EXPECT_EQ(run("CargAcomprar", {"0001", kCurrent}), "");
    const QString sql = QStringLiteral(
        "SELECT DISTINCT I.CDREGIAO, P.CDARVPROD, I.QTACMPITMCOL FROM ITEMCOLE I "
        "JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO WHERE I.NRCOLEPRECO = ? AND P.CDARVPROD IN "
        "('0101001', '0101002') ORDER BY 1, 2");
    // 0101001 in 001: the centre's open request, not its closed one; in 002 and 004 the
    // branches'. Recife buys for itself: its request for 0101002 in 006 is not counted.
    EXPECT_EQ(
        dbtest::rows(db(), sql, {kCurrent}),
        QStringList({"001|0101001|120", "001|0101002|0", "002|0101001|80", "002|0101002|0",
                     "003|0101001|0", "003|0101002|0", "004|0101001|100", "004|0101002|0",
                     "006|0101001|0", "006|0101002|0"}));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE QTACMPITMCOL <> -1 AND "
                                   "NRCOLEPRECO <> ?"),
                    {kCurrent}),
              0);
}

TEST_F(QuotationToolsTest, DeletingUnpricedItemsKeepsThePricedOnesAndNeverEmptiesAQuotation)
{
    // Terms made for an unpriced item go with it.
    setOil(kCurrent, 1, "00006", 0);
    EXPECT_EQ(run("InsertFormPgtoNegSim", {"0001", kCurrent, "001", "1", kOil, "", "00006"}), "");
    const QString terms = QStringLiteral("SELECT COUNT(*) FROM PZOPGTITMCOL WHERE NRCOLEPRECO = ?");
    ASSERT_EQ(count(terms, {kCurrent}), 3);
    const QString items = QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE NRCOLEPRECO = ?");
    const int priced = count(items + QStringLiteral(" AND VRPRECUNIITM > 0"), {kCurrent});
    ASSERT_LT(priced, count(items, {kCurrent}));

    EXPECT_EQ(run("DeleteItemCole", {"0001", kCurrent}), "");
    EXPECT_EQ(count(items + QStringLiteral(" AND VRPRECUNIITM > 0"), {kCurrent}), priced);
    EXPECT_EQ(count(items, {kCurrent}), priced);
    EXPECT_EQ(count(terms, {kCurrent}), 0);

    const QString single = QStringLiteral("0000000006");
    db().run(QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = NULL WHERE NRCOLEPRECO = ?"),
             {single});
    EXPECT_EQ(run("DeleteItemCole", {"0001", single}, login(QStringLiteral("DANIELA.LIMA"))),
              "Operação não permitida! Não existe nenhum preço informado.");
    EXPECT_EQ(count(items, {single}), 1);
}

TEST_F(QuotationToolsTest, PaymentTermsComeFromTheSupplierOnceAndOnlyForAnExistingItem)
{
    const QString terms = QStringLiteral(
        "SELECT NRPARCPGTO, NRDIAPGTO, VRPERCPARC, CDFORMPGTO FROM "
        "PZOPGTITMCOL WHERE NRCOLEPRECO = ? AND CDREGIAO = '001' AND CDFORNECED = ? AND "
        "CDPRODUTO = ? AND CDMARCA = '00012' ORDER BY NRPARCPGTO");
    // Supplier 1 pays in three instalments, supplier 4 in cash.
    EXPECT_EQ(run("InsertFormPgtoNegSim", {"0001", kCurrent, "1", "1", "9", "0102001", "12"}), "");
    EXPECT_EQ(dbtest::rows(db(), terms, {kCurrent, dbtest::supplier(1), kOil}),
              QStringList({"1|28|33.33|001", "2|56|33.33|001", "3|84|33.34|001"}));
    EXPECT_EQ(run("InsertFormPgtoNegSim", {"0001", kCurrent, "001", "4", kOil, "0102001", "00012"}),
              "");
    EXPECT_EQ(dbtest::rows(db(), terms, {kCurrent, dbtest::supplier(4), kOil}),
              QStringList({"1|0|100|001"}));

    // Negotiated terms stay as they are.
    db().run(QStringLiteral("UPDATE PZOPGTITMCOL SET NRDIAPGTO = 10 WHERE NRPARCPGTO = 1 AND "
                            "NRCOLEPRECO = ?"),
             {kCurrent});
    EXPECT_EQ(run("InsertFormPgtoNegSim", {"0001", kCurrent, "1", "1", "9", "0102001", "12"}), "");
    EXPECT_EQ(dbtest::rows(db(), terms, {kCurrent, dbtest::supplier(1), kOil}).value(0),
              QStringLiteral("1|10|33.33|001"));
    EXPECT_EQ(run("InsertFormPgtoNegSim", {"0001", kCurrent, "001", "1", kOil, "0102001", "00004"}),
              "Item não cadastrado na cotação.");
}

TEST_F(QuotationToolsTest, OnlyTheBuyerOrHisManagerRunsTheToolsThatChangeItems)
{
    const QString carlos = login(QStringLiteral("CARLOS.NUNES"));
    const QString all = QStringLiteral("SELECT * FROM ITEMCOLE");
    const QStringList items = dbtest::rows(db(), all);
    const QString refused = QStringLiteral("Somente o comprador da cotação (ANA.CARVALHO) ou o seu "
                                           "gerente pode alterar os itens da cotação.");
    EXPECT_EQ(
        run("CargMelhorsPrs", {"0001", kCurrent, QDate(2025, 1, 1), QDate(2025, 3, 31)}, carlos),
        refused);
    EXPECT_EQ(run("CargAcomprar", {"0001", kCurrent}, carlos), refused);
    EXPECT_EQ(run("DeleteItemCole", {"0001", kCurrent}, carlos), refused);
    EXPECT_EQ(run("InsertFormPgtoNegSim", {"0001", kCurrent, "1", "1", "9", "", "12"}, carlos),
              refused);
    EXPECT_EQ(dbtest::rows(db(), all), items);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PZOPGTITMCOL WHERE NRCOLEPRECO = ?"),
                    {kCurrent}),
              0);

    const QString fernanda = login(QStringLiteral("FERNANDA.LUZ"));
    EXPECT_EQ(run("DeleteItemCole", {"0001", kCurrent}, fernanda), "");
    EXPECT_LT(dbtest::rows(db(), all).size(), items.size());
}

} // namespace

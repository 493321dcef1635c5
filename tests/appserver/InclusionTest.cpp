// IncluirCotacao on the demo centre: which items a new quotation gets, what each check takes
// away, what GetDetalhes tells when nothing is left, and that the items pass ValidaDados.

#include "InclusionTestSupport.h"

#include "DbTestSupport.h"
#include "ItemTestSupport.h"

#include <gtest/gtest.h>

using namespace inclusiontest;

namespace {

class InclusionTest : public InclusionFixture
{
protected:
    // Distinct values of `columns` over the items of `with` that `without` lacks, joined
    // by '|', sorted; `columns` read ITEMCOLE I and its product P.
    QStringList removed(const QString& without, const QString& with, const char* columns)
    {
        return dbtest::rows(
            db(),
            QStringLiteral("SELECT DISTINCT %1 FROM (SELECT CDREGIAO, CDFORNECED, CDPRODUTO, "
                           "CDMARCA FROM ITEMCOLE WHERE NRCOLEPRECO = ? EXCEPT SELECT CDREGIAO, "
                           "CDFORNECED, CDPRODUTO, CDMARCA FROM ITEMCOLE WHERE NRCOLEPRECO = ?) I "
                           "JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO ORDER BY 1")
                .arg(QLatin1String(columns)),
            {without, with});
    }
};

TEST_F(InclusionTest, ChosenRegionsAndSuppliersGetEveryItemTheRegistersAllow)
{
    // Open requests: a second one of a branch the centre buys for, and one of Recife, which
    // buys for itself and does not count.
    const QString request = QStringLiteral(
        "INSERT INTO SOLICOMP (CDFILIAL, NRSOLICOMP, CDPRODUTO, CDREGIAO, DTSOLICOMP, "
        "QTSOLICOMP, DSOBSSOLIC, IDSITUSOLIC) VALUES (?, ?, ?, '001', '2025-03-11', ?, ?, 'A')");
    const QString rice = dbtest::productOf(db(), QStringLiteral("0101001"));
    dbtest::rows(db(), request, {"0002", "0000000199", rice, 30.0, "Segunda nota."});
    dbtest::rows(db(), request, {"0005", "0000000198", rice, 999.0, "De Recife."});

    // Supplier 24 is inactive, 27's qualification lapsed; the only check asked is the
    // supplier's qualification.
    const QString number = numberOf(include([](QVariantList& a) {
        a[Regions] = QStringLiteral("_001_003_004_");
        a[Suppliers] = QStringLiteral("_1_13_14_21_24_27_");
        a[Checks] = QStringLiteral("_1_");
        a[LastPrices] = a[RequestNotes] = true;
    }));

    // Every chosen region with every active, qualified supplier serving it, every active
    // product the supplier is registered for (or its group) and every brand registered for
    // the product, but what the centre or the region's branch does not negotiate.
    const int expected =
        dbtest::scalar(
            db(),
            QStringLiteral(
                "SELECT COUNT(*) FROM (SELECT DISTINCT R.CDREGIAO, F.CDFORNECED, P.CDPRODUTO, "
                "M.CDMARCA FROM REGIAO R, FORNECEDOR F, PRODUTO P, MARCPROD M, PRODUTO MN "
                "WHERE R.CDREGIAO IN ('001', '003', '004') AND CAST(F.CDFORNECED AS INTEGER) IN "
                "(1, 13, 14, 21, 24, 27) AND F.IDSITUCADA = 'A' AND (F.CDQUALIF IS NULL OR "
                "EXISTS (SELECT 1 FROM QUALIFICACAO Q WHERE Q.CDQUALIF = F.CDQUALIF AND "
                "(Q.IDPERCOTCMP = '1' OR F.IDFORNAUTO = 'S') AND F.DTVALQUALIF >= '2025-03-12')) "
                "AND NOT EXISTS (SELECT 1 FROM REFOREG X WHERE X.CDFORNECED = F.CDFORNECED AND "
                "X.CDREGIAO = R.CDREGIAO AND X.CDPERIENTR IS NULL) AND P.CDNVPRODUTO = 3 AND "
                "COALESCE(P.IDPRODATIVPR, 'S') = 'S' AND EXISTS (SELECT 1 FROM PRODFORN PF JOIN "
                "PRODUTO N ON N.CDPRODUTO = PF.CDPRODUTO WHERE PF.CDFORNECED = F.CDFORNECED AND "
                "P.CDARVPROD LIKE N.CDARVPROD || '%') AND MN.CDPRODUTO = M.CDPRODUTO AND "
                "P.CDARVPROD LIKE MN.CDARVPROD || '%' AND NOT EXISTS (SELECT 1 FROM PRODFILI B "
                "JOIN PRODUTO N ON N.CDPRODUTO = B.CDPRODUTO WHERE B.IDNEGPRODFI = 'N' AND "
                "B.CDFILIAL IN ('0001', R.CDFILIAL) AND P.CDARVPROD LIKE N.CDARVPROD || '%')) X"))
            .toInt();
    EXPECT_GT(expected, 100);
    EXPECT_EQ(items(number).size(), expected);

    auto item = [&](const char* region, int supplier) {
        return dbtest::rows(
                   db(),
                   QStringLiteral("SELECT QTACMPITMCOL, DSOBSITMCOL, VRPERDESITM, "
                                  "IDTIPFREITM, DTINIVALITM, DTFINVALITM FROM ITEMCOLE "
                                  "WHERE NRCOLEPRECO = ? AND CDREGIAO = ? AND "
                                  "CDFORNECED = ? AND CDPRODUTO = ? AND CDMARCA = '00002'"),
                   {number, region, dbtest::supplier(supplier), rice})
            .value(0);
    };
    // Supplier 1 grants 2 % on every item and pays the freight.
    EXPECT_EQ(item("001", 1), "150|Reposição mensal das lojas da capital.\nSegunda nota.|2|C|"
                              "2025-03-10|2025-03-23");
    EXPECT_EQ(item("004", 1), "100|<null>|2|C|2025-03-10|2025-03-23");

    // Each item starts from the last price above zero the supplier quoted for it before.
    const QString lastPrice = QStringLiteral(
        "COALESCE((SELECT I.VRPRECUNIITM FROM ITEMCOLE I JOIN COLETAPR C ON C.CDFILIAL = "
        "I.CDFILIAL AND C.NRCOLEPRECO = I.NRCOLEPRECO WHERE I.CDFILIAL = '0001' AND I.CDREGIAO = "
        "N.CDREGIAO AND I.CDFORNECED = N.CDFORNECED AND I.CDPRODUTO = N.CDPRODUTO AND I.CDMARCA = "
        "N.CDMARCA AND I.VRPRECUNIITM > 0 AND I.NRCOLEPRECO <> N.NRCOLEPRECO ORDER BY "
        "C.DTCOLEPREC DESC, C.NRCOLEPRECO DESC LIMIT 1), 0)");
    EXPECT_EQ(dbtest::rows(db(),
                           QStringLiteral("SELECT COUNT(CASE WHEN N.VRPRECUNIITM <> %1 THEN 1 END), "
                                          "MAX(CASE WHEN N.VRPRECUNIITM > 0 THEN 1 ELSE 0 END), "
                                          "MAX(CASE WHEN N.VRPRECUNIITM = 0 THEN 1 ELSE 0 END) "
                                          "FROM ITEMCOLE N WHERE N.NRCOLEPRECO = ?")
                               .arg(lastPrice),
                           {number}),
              QStringList{"0|1|1"});
}

TEST_F(InclusionTest, EachCheckTakesAwayTheItemsBreakingItsRule)
{
    const QVariantList all = inclusionArgs();
    const QString everything = numberOf(include());
    auto without = [&](const char* checks) {
        return numberOf(include([&](QVariantList& a) { a[Checks] = QString::fromLatin1(checks); }));
    };
    const QString noBuyer = without("_1_2_3_");
    const QString noQualification = without("_0_2_3_");
    const QString noProductSupplier = without("_0_1_3_");
    const QString noBrand = without("_0_1_2_");
    for (const QString& looser : {noBuyer, noQualification, noProductSupplier, noBrand})
        EXPECT_TRUE(removed(everything, looser, "I.CDREGIAO").isEmpty()) << "a check only removes";

    // Ana negotiates groceries (01) and the toilet paper (0501003) only.
    const QStringList groups = removed(noBuyer, everything, "SUBSTR(P.CDARVPROD, 1, 2)");
    EXPECT_EQ(groups, (QStringList{"02", "03", "04", "05"}));
    EXPECT_TRUE(removed(noBuyer, everything, "P.CDARVPROD").filter("0501003").isEmpty());
    // 27's qualification lapsed last year, 33's at the start of the month; 29 is in
    // qualification but automatic, 28 supplies no grocery.
    EXPECT_EQ(removed(noQualification, everything, "CAST(I.CDFORNECED AS INTEGER)"),
              (QStringList{"27", "33"}));
    // Supplier 1 refused for the coffee, 2's approval for the soybean oil lapsed.
    EXPECT_EQ(removed(noProductSupplier, everything,
                      "CAST(I.CDFORNECED AS INTEGER) || ' ' || P.CDARVPROD"),
              (QStringList{"1 0103001", "2 0102001"}));
    // Brand 00003's approval for the white rice lapsed, 00015 refused for the beans.
    EXPECT_EQ(removed(noBrand, everything, "P.CDARVPROD || ' ' || I.CDMARCA"),
              (QStringList{"0101001 00003", "0101003 00015"}));

    EXPECT_TRUE(
        details(all).endsWith(QStringLiteral("Itens gerados: %1").arg(items(everything).size())));
}

TEST_F(InclusionTest, ProductsToBuyAreThoseOpenRequestsAskForInTheRegion)
{
    QVariantList args = inclusionArgs();
    args[Regions] = QStringLiteral("_001_002_");
    args[AllProducts] = false;
    const QString number = numberOf(include([&](QVariantList& a) { a = args; }));
    // Ana's products among the open requests of the branches the centre buys for.
    EXPECT_EQ(dbtest::column(db(),
                             QStringLiteral("SELECT DISTINCT I.CDREGIAO || ' ' || P.CDARVPROD FROM "
                                            "ITEMCOLE I JOIN PRODUTO P ON P.CDPRODUTO = "
                                            "I.CDPRODUTO WHERE I.NRCOLEPRECO = ? ORDER BY 1"),
                             {number}),
              (QStringList{"001 0101001", "001 0101003", "001 0102001", "001 0103001",
                           "002 0101001", "002 0102002", "002 0104001"}));
    EXPECT_TRUE(details(args).split(u'\n').contains(
        "Produtos a comprar (solicitações de compra abertas nas regiões): 6"));
}

TEST_F(InclusionTest, NothingLeftAnswersTwoAndTheDetailsTellWhereItWent)
{
    // Ana does not negotiate the soap nor the toothpaste.
    auto hygiene = [](QVariantList& a) {
        a[FirstProduct] = QStringLiteral("0501001");
        a[LastProduct] = QStringLiteral("0501002ZZZ");
    };
    const QStringList before = snapshot();
    EXPECT_EQ(include(hygiene),
              "2Nenhum item foi gerado para a cotação com os critérios informados.");
    EXPECT_EQ(snapshot(), before);

    QVariantList args = inclusionArgs();
    hygiene(args);
    const QStringList lines = details(args).split(u'\n');
    EXPECT_TRUE(lines.contains("Produtos ativos de compra na faixa informada: 2"));
    EXPECT_TRUE(lines.contains("Produto por comprador (ANA.CARVALHO): retira 2, restam 0"));
    EXPECT_EQ(lines.last(), "Itens gerados: 0");

    // Only the final product given: from the first product up to it, as the inclusion reads
    // the range (the all-products marker the dialog sends beside it changes nothing).
    args = inclusionArgs();
    args[LastProduct] = QStringLiteral("0101ZZZZZZZZZZ");
    EXPECT_TRUE(
        details(args).split(u'\n').contains("Produtos ativos de compra na faixa informada: 5"));
}

TEST_F(InclusionTest, AManagersQuotationForHisBuyerValidatesCleanlyOncePriced)
{
    const QString number = numberOf(
        include([](QVariantList& a) { a[Buyer] = savetest::kCarlos; }, savetest::kFernanda));
    EXPECT_EQ(dbtest::rows(db(),
                           QStringLiteral("SELECT CDOPERADOR, IDTIPCOLREG, IDDISMONTLIS, "
                                          "NRSEMAINIC, NRSEMAFINAL FROM COLETAPR WHERE "
                                          "NRCOLEPRECO = ?"),
                           {number}),
              QStringList{"CARLOS.NUNES|L|S|11|12"});

    const QString token = login(savetest::kCarlos);
    const QVariant loaded = call(rpctest::kPlan, QStringLiteral("GetStringList"),
                                 {savetest::kBranch, number, QStringLiteral("NULL"), false}, token);
    itemtest::ItemTable items(loaded.toList().value(1).value<host::Packet>());
    host::DataSet& table = items.table();
    ASSERT_GT(table.RecordCount(), 50);
    for (table.First(); !table.Eof(); table.Next()) {
        table.Edit();
        table.FieldByName(QStringLiteral("CONTA")).SetValue(9.9);
        table.Post();
    }
    const QVariant errors = call(rpctest::kPlan, QStringLiteral("ValidaDados"),
                                 {QVariant::fromValue(table.Data()), savetest::kBranch,
                                  savetest::kBranch, QStringLiteral("2025-03-12")},
                                 token);
    ASSERT_TRUE(errors.canConvert<host::Packet>()) << errors.toString().toStdString();
    EXPECT_EQ(errors.value<host::Packet>().rowCount(), 0);
}

} // namespace

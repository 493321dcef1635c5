// The demo data read through the module's own query texts: the registers answer the way
// the screens expect, and every stored item passes the checks an item has to pass.

#include "DbTestSupport.h"

#include <appserver/db/Seed.h>

#include <gtest/gtest.h>

using namespace dbtest;

namespace {

const QString kDay = QStringLiteral("2025-03-12");

class DemoRulesTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        temp = new TempDatabase;
        appserver::db::seedDemo(temp->db(), referenceDay());
    }
    static void TearDownTestSuite()
    {
        delete temp;
        temp = nullptr;
    }
    host::Database& db() { return temp->db(); }
    int count(const QString& sql) { return scalar(db(), sql).toInt(); }
    QString product(const char* tree) { return productOf(db(), QString::fromLatin1(tree)); }
    static TempDatabase* temp;
};

TempDatabase* DemoRulesTest::temp = nullptr;

const QString kCentCmp = QStringLiteral(
    "SELECT CAST(NVLSTR(FILIAL.CDFILCENTCMP, FILIAL.CDFILIAL) AS VARCHAR(4)) AS CDFILIAL, "
    "FIL.NMFILIAL AS NMFILIAL_CENTRAL FROM FILIAL FIL, FILIAL WHERE FILIAL.CDFILIAL = "
    ":P_CDFILIAL AND NVLSTR(FILIAL.CDFILCENTCMP, FILIAL.CDFILIAL) = FIL.CDFILIAL");

const QString kPesqGereComp = QStringLiteral(
    "SELECT OPERADOR.CDOPERADOR, OPERADOR.NMOPERADOR FROM OPERADOR, GERECOMP WHERE "
    "(OPERADOR.CDOPERADOR = GERECOMP.CDOPERCOMP) AND (GERECOMP.CDOPERGERE = :P_CDOPERGERE) AND "
    "(GERECOMP.CDOPERCOMP = :P_CDOPERCOMP OR :P_TCDOPERCOMP = 'T') ORDER BY OPERADOR.CDOPERADOR");

const QString kComprador = QStringLiteral(
    "SELECT COMPRADOR.CDOPERADOR, OPERADOR.NMOPERADOR FROM COMPRADOR, OPERADOR WHERE "
    "(COMPRADOR.CDOPERADOR = :P_CDOPERADOR OR :P_TOPERADOR = 'T') AND (COMPRADOR.CDOPERADOR = "
    "OPERADOR.CDOPERADOR) ORDER BY COMPRADOR.CDOPERADOR");

const QString kVdProduto = QStringLiteral(
    "SELECT PRODUTO.CDPRODUTO, PRODUTO.CDARVPROD, PRODUTO.NMPRODUTO, PRODUTO.CDNVPRODUTO, "
    "PRODUTO.CDPRODESTO FROM PRODUTO WHERE (PRODUTO.CDPRODESTO IS NOT NULL) AND "
    "(NVLSTR(PRODUTO.IDPRODATIVPR, 'S')= 'S') AND ((PRODUTO.CDPRODUTO = :P_CDPRODUTO) OR "
    "(:P_TCDPRODUTO = 'T' AND ((:P_IDUTLPROCMP = 'N') OR (:P_IDUTLPROCMP = 'S' AND "
    "PRODUTO.CDPRODUTO <> PRODUTO.CDPRODESTO)) ) ) ORDER BY CDARVPROD");

const QString kPesqMarcPr = QStringLiteral(
    "SELECT MARCA.CDMARCA, MARCA.NMMARCA FROM MARCA, MARCPROD WHERE (MARCA.CDMARCA = "
    "MARCPROD.CDMARCA) AND (MARCA.CDMARCA = :P_CDMARCA OR :P_TCDMARCA = 'T') AND (:P_CDPRODUTO "
    "LIKE MARCPROD.CDPRODUTO || '%') ORDER BY MARCA.CDMARCA");

const QString kProdNegComp = QStringLiteral(
    "SELECT COUNT(*) AS CTPRODOPER FROM PRODUTO, PRODCOMP WHERE PRODCOMP.CDPRODUTO = "
    "PRODUTO.CDPRODUTO AND :P_CDPRODUTO LIKE PRODUTO.CDARVPROD || '%' AND (PRODCOMP.CDOPERADOR "
    "= :P_CDOPERADOR OR :P_TOPERADOR = 'T')");

const QString kVdProdForn = QStringLiteral(
    "SELECT CDFORNECED FROM PRODFORN, PRODUTO P WHERE P.CDPRODUTO = PRODFORN.CDPRODUTO AND "
    "CDFORNECED = :P_CDFORNECED AND :P_CDPRODUTO LIKE P.CDARVPROD || '%'");

const QString kVdQfoProdForn = QStringLiteral(
    "SELECT CDFILIAL FROM PARAMGERAL WHERE NOT EXISTS (SELECT QFOPRODFORN.CDPRODUTO FROM "
    "QFOPRODFORN WHERE (QFOPRODFORN.CDPRODUTO = :P_CDPRODUTO) AND (QFOPRODFORN.CDFORNECED= "
    ":P_CDFORNECED) AND ((QFOPRODFORN.IDFORNAPROV = 'N' AND QFOPRODFORN.IDFORNAUTOR = 'N') OR "
    "((QFOPRODFORN.IDFORNAPROV = 'S') AND ((:P_IDULTIDTVALQ = 'M' AND :P_DTCOL > "
    "LAST_DAY(QFOPRODFORN.DTVALPRFORN)) OR (:P_IDULTIDTVALQ = 'D' AND :P_DTCOL > "
    "QFOPRODFORN.DTVALPRFORN)) ) ))");

const QString kVdItemCole = QStringLiteral(
    "SELECT COUNT(*) AS CTCOLETA FROM ITEMCOLE WHERE CDFILIAL = :P_CDFILIAL AND NRCOLEPRECO = "
    ":P_NRCOLEPRECO AND CDPRODUTO = :P_CDPRODUTO AND CDFORNECED = :P_CDFORNECED AND CDREGIAO = "
    ":P_CDREGIAO AND CDMARCA = :P_CDMARCA");

const QString kVdRegForn =
    QStringLiteral("SELECT COUNT(*) as CTREFOREG FROM REFOREG WHERE REFOREG.CDPERIENTR IS NULL AND "
                   "REFOREG.CDFORNECED = :P_CDFORNECED AND REFOREG.CDREGIAO = :P_CDREGIAO");

const QString kQualifForn = QStringLiteral(
    "SELECT FORNECEDOR.IDSITUCADA FROM FORNECEDOR WHERE FORNECEDOR.CDQUALIF IS NULL AND "
    "FORNECEDOR.CDFORNECED = :P_CDFORNECED UNION SELECT FORNECEDOR.IDSITUCADA FROM FORNECEDOR, "
    "QUALIFICACAO WHERE FORNECEDOR.CDFORNECED = :P_CDFORNECED AND (FORNECEDOR.CDQUALIF IS NOT "
    "NULL AND FORNECEDOR.CDQUALIF = QUALIFICACAO.CDQUALIF AND ((QUALIFICACAO.IDPERCOTCMP = '1') "
    "OR (QUALIFICACAO.IDPERCOTCMP = '2' AND FORNECEDOR.IDFORNAUTO = 'S')) AND ( "
    "(:P_IDULTIDTVALQ = 'D' AND :P_DTCOLEPREC <= FORNECEDOR.DTVALQUALIF) OR (:P_IDULTIDTVALQ = "
    "'M' AND :P_DTCOLEPREC <= LAST_DAY(FORNECEDOR.DTVALQUALIF)) ) )");

const QString kFornecedor = QStringLiteral(
    "SELECT FORNECEDOR.CDFORNECED, FORNECEDOR.IDTPIJURFORN, FORNECEDOR.NRINSJURFORN, "
    "FORNECEDOR.NMRAZSOCFORN, FORNECEDOR.NMFANTFORN, FORNECEDOR.IDTPDESCFORN, "
    "FORNECEDOR.VRPEDESCFORN, FORNECEDOR.IDTPFRETFORN FROM FORNECEDOR WHERE "
    "(FORNECEDOR.NRINSJURFORN = :P_NRINSJURFORN OR :P_TNRINSJURFORN = 'T')");

QVariantMap params(std::initializer_list<std::pair<const char*, QVariant>> values)
{
    QVariantMap map;
    for (const auto& [name, value] : values)
        map.insert(QString::fromLatin1(name), value);
    return map;
}

} // namespace

TEST_F(DemoRulesTest, BranchesFindTheirPurchasingCentre)
{
    EXPECT_EQ(namedRows(db(), kCentCmp, params({{"P_CDFILIAL", "0002"}})),
              QStringList{"0001|Central de Compras - São Paulo"});
    EXPECT_EQ(namedRows(db(), kCentCmp, params({{"P_CDFILIAL", "0001"}})),
              QStringList{"0001|Central de Compras - São Paulo"});
    EXPECT_EQ(namedRows(db(), kCentCmp, params({{"P_CDFILIAL", "0005"}})),
              QStringList{"0005|Filial Recife"});
}

TEST_F(DemoRulesTest, TheManagerSeesHisBuyersAndBuyersSeeNone)
{
    const auto manager = [&](const char* who, const char* buyer, const char* all) {
        return namedRows(
            db(), kPesqGereComp,
            params({{"P_CDOPERGERE", who}, {"P_CDOPERCOMP", buyer}, {"P_TCDOPERCOMP", all}}));
    };
    EXPECT_EQ(manager("FERNANDA.LUZ", "", "T").size(), 3);
    EXPECT_EQ(manager("FERNANDA.LUZ", "CARLOS.NUNES", ""),
              QStringList{"CARLOS.NUNES|Carlos Eduardo Nunes"});
    EXPECT_TRUE(manager("ANA.CARVALHO", "", "T").isEmpty());

    EXPECT_EQ(
        namedRows(db(), kComprador, params({{"P_CDOPERADOR", ""}, {"P_TOPERADOR", "T"}})).size(),
        3);
    EXPECT_TRUE(
        namedRows(db(), kComprador, params({{"P_CDOPERADOR", "FERNANDA.LUZ"}, {"P_TOPERADOR", ""}}))
            .isEmpty());
}

TEST_F(DemoRulesTest, ProductSearchOffersActiveProductsAndPurchaseProductsWhenAsked)
{
    const auto search = [&](const char* purchaseOnly) {
        return namedRows(
            db(), kVdProduto,
            params({{"P_CDPRODUTO", ""}, {"P_TCDPRODUTO", "T"}, {"P_IDUTLPROCMP", purchaseOnly}}));
    };
    const QStringList all = search("N");
    const QStringList purchase = search("S");
    EXPECT_EQ(all.size(), count("SELECT COUNT(*) FROM PRODUTO WHERE CDNVPRODUTO = 3 AND "
                                "COALESCE(IDPRODATIVPR, 'S') = 'S'"));
    EXPECT_GE(purchase.size(), 2);
    EXPECT_LT(purchase.size(), all.size());
    for (const QString& row : purchase) {
        const QStringList f = row.split(u'|');
        EXPECT_NE(f[0], f[4]);
    }
}

TEST_F(DemoRulesTest, BrandSearchListsTheProductsBrands)
{
    const QStringList brands = namedRows(
        db(), kPesqMarcPr,
        params({{"P_CDMARCA", ""}, {"P_TCDMARCA", "T"}, {"P_CDPRODUTO", product("0101001")}}));
    EXPECT_EQ(brands,
              QStringList({"00002|SABOR DO CAMPO", "00003|GRÃO DE OURO", "00015|CEREALISTA SUL"}));
}

TEST_F(DemoRulesTest, BuyersNegotiateGroupsAndSingleProducts)
{
    const auto negotiated = [&](const char* tree, const char* buyer, const char* all) {
        return namedRows(
                   db(), kProdNegComp,
                   params({{"P_CDPRODUTO", tree}, {"P_CDOPERADOR", buyer}, {"P_TOPERADOR", all}}))
            .value(0)
            .toInt();
    };
    EXPECT_EQ(negotiated("0101001", "ANA.CARVALHO", ""), 1);
    EXPECT_EQ(negotiated("0101001", "CARLOS.NUNES", ""), 0);
    EXPECT_EQ(negotiated("0501003", "ANA.CARVALHO", ""), 1);
    EXPECT_EQ(negotiated("0501001", "", "T"), 0);
    EXPECT_EQ(negotiated("0104001", "", "T"), 2);
}

TEST_F(DemoRulesTest, SuppliersQualifyAsTheirRegistersSay)
{
    const auto qualified = [&](int n, const char* rule, const QString& day) {
        return namedRows(
            db(), kQualifForn,
            params(
                {{"P_CDFORNECED", supplier(n)}, {"P_IDULTIDTVALQ", rule}, {"P_DTCOLEPREC", day}}));
    };
    EXPECT_EQ(qualified(1, "D", kDay), QStringList{"A"});  // qualified
    EXPECT_EQ(qualified(3, "D", kDay), QStringList{"A"});  // not subject to qualification
    EXPECT_EQ(qualified(30, "D", kDay), QStringList{"I"}); // qualified but inactive
    EXPECT_TRUE(qualified(27, "D", kDay).isEmpty());       // expired
    EXPECT_TRUE(qualified(28, "D", kDay).isEmpty());       // needs to be automatic
    EXPECT_EQ(qualified(29, "D", kDay), QStringList{"A"}); // automatic
    // Valid up to the first of the month: expired by the day, still valid by the month.
    EXPECT_TRUE(qualified(33, "D", kDay).isEmpty());
    EXPECT_EQ(qualified(33, "M", kDay), QStringList{"A"});
}

TEST_F(DemoRulesTest, ProductQualificationForSuppliers)
{
    const auto qualified = [&](const char* tree, int n) {
        return !namedRows(db(), kVdQfoProdForn,
                          params({{"P_CDPRODUTO", product(tree)},
                                  {"P_CDFORNECED", supplier(n)},
                                  {"P_IDULTIDTVALQ", "D"},
                                  {"P_DTCOL", kDay}}))
                    .isEmpty();
    };
    EXPECT_TRUE(qualified("0101001", 1));  // approved
    EXPECT_FALSE(qualified("0102001", 2)); // approval lapsed
    EXPECT_FALSE(qualified("0103001", 1)); // refused
    EXPECT_TRUE(qualified("0201001", 9));  // authorised
    EXPECT_TRUE(qualified("0101002", 2));  // no qualification needed

    const auto supplies = [&](const char* tree, int n) {
        return !namedRows(db(), kVdProdForn,
                          params({{"P_CDFORNECED", supplier(n)}, {"P_CDPRODUTO", tree}}))
                    .isEmpty();
    };
    EXPECT_TRUE(supplies("0101001", 2));
    EXPECT_FALSE(supplies("0201001", 2));
}

TEST_F(DemoRulesTest, RegionRestrictionsWithoutPeriodKeepSuppliersOut)
{
    const auto barred = [&](int n, const char* region) {
        return namedRows(db(), kVdRegForn,
                         params({{"P_CDFORNECED", supplier(n)}, {"P_CDREGIAO", region}}))
                   .value(0)
                   .toInt() > 0;
    };
    EXPECT_TRUE(barred(13, "003"));
    EXPECT_FALSE(barred(13, "001"));
    EXPECT_FALSE(barred(12, "004")); // restricted in one delivery period only
}

TEST_F(DemoRulesTest, SupplierSearchByDocument)
{
    const QString document =
        scalar(db(), QStringLiteral("SELECT NRINSJURFORN FROM FORNECEDOR WHERE CDFORNECED = ?"),
               {supplier(4)})
            .toString();
    const QStringList found = namedRows(
        db(), kFornecedor, params({{"P_NRINSJURFORN", document}, {"P_TNRINSJURFORN", ""}}));
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found[0].startsWith(supplier(4) + QStringLiteral("|J|") + document));
    EXPECT_TRUE(found[0].endsWith(QStringLiteral("|C|3.5|F")));
}

TEST_F(DemoRulesTest, EveryStoredItemPassesTheItemChecks)
{
    const QStringList items = rows(
        db(), QStringLiteral("SELECT I.CDFILIAL, I.NRCOLEPRECO, I.CDREGIAO, I.CDFORNECED, "
                             "I.CDPRODUTO, I.CDMARCA, P.CDARVPROD, C.CDOPERADOR, C.DTCOLEPREC "
                             "FROM ITEMCOLE I JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO JOIN "
                             "COLETAPR C ON C.CDFILIAL = I.CDFILIAL AND C.NRCOLEPRECO = "
                             "I.NRCOLEPRECO"));
    ASSERT_GT(items.size(), 100);
    int checked = 0;
    for (const QString& row : items) {
        const QStringList f = row.split(u'|');
        const std::string item = row.toStdString();
        EXPECT_EQ(namedRows(db(), kVdItemCole,
                            params({{"P_CDFILIAL", f[0]},
                                    {"P_NRCOLEPRECO", f[1]},
                                    {"P_CDPRODUTO", f[4]},
                                    {"P_CDFORNECED", f[3]},
                                    {"P_CDREGIAO", f[2]},
                                    {"P_CDMARCA", f[5]}})),
                  QStringList{"1"})
            << item;
        EXPECT_EQ(
            namedRows(db(), kVdRegForn, params({{"P_CDFORNECED", f[3]}, {"P_CDREGIAO", f[2]}})),
            QStringList{"0"})
            << item;
        EXPECT_FALSE(
            namedRows(db(), kVdProdForn, params({{"P_CDFORNECED", f[3]}, {"P_CDPRODUTO", f[6]}}))
                .isEmpty())
            << item;
        EXPECT_FALSE(namedRows(db(), kVdQfoProdForn,
                               params({{"P_CDPRODUTO", f[4]},
                                       {"P_CDFORNECED", f[3]},
                                       {"P_IDULTIDTVALQ", "D"},
                                       {"P_DTCOL", f[8]}}))
                         .isEmpty())
            << item;
        EXPECT_NE(
            namedRows(db(), kProdNegComp,
                      params({{"P_CDPRODUTO", f[6]}, {"P_CDOPERADOR", f[7]}, {"P_TOPERADOR", ""}})),
            QStringList{"0"})
            << item;
        EXPECT_FALSE(
            namedRows(db(), kPesqMarcPr,
                      params({{"P_CDMARCA", f[5]}, {"P_TCDMARCA", ""}, {"P_CDPRODUTO", f[4]}}))
                .isEmpty())
            << item;
        ++checked;
    }
    EXPECT_EQ(checked, items.size());
}

TEST_F(DemoRulesTest, StoredItemsUseQualifiedBrandsAndNegotiatedProducts)
{
    // No item's brand is refused or lapsed for its product at the collection date.
    EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMCOLE I JOIN COLETAPR C ON C.CDFILIAL = I.CDFILIAL "
                    "AND C.NRCOLEPRECO = I.NRCOLEPRECO JOIN QFOMARPROD Q ON Q.CDPRODUTO = "
                    "I.CDPRODUTO AND Q.CDMARCA = I.CDMARCA WHERE (Q.IDAPRMARPRO = 'N' AND "
                    "Q.IDAUTMARPRO = 'N') OR (Q.IDAPRMARPRO = 'S' AND C.DTCOLEPREC > "
                    "Q.DTVALAPROVA)"),
              0);
    // No item is for a product its branches do not negotiate.
    EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMCOLE I JOIN PRODUTO P ON P.CDPRODUTO = "
                    "I.CDPRODUTO JOIN REGIAO R ON R.CDREGIAO = I.CDREGIAO JOIN PRODFILI F ON "
                    "F.CDFILIAL IN (I.CDFILIAL, R.CDFILIAL) JOIN PRODUTO N ON N.CDPRODUTO = "
                    "F.CDPRODUTO WHERE F.IDNEGPRODFI = 'N' AND P.CDARVPROD LIKE N.CDARVPROD || "
                    "'%'"),
              0);
    // Items are for active products of the last level.
    EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMCOLE I JOIN PRODUTO P ON P.CDPRODUTO = "
                    "I.CDPRODUTO WHERE P.CDNVPRODUTO <> 3 OR P.IDPRODATIVPR = 'N'"),
              0);
}

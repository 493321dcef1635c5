// The worksheet's maintenance dialogs on the demo: GetFornAtend (the worksheet's suppliers
// that serve a region), GetInsProd (the items a product added to the worksheet gets) and
// IncFornecedor (a supplier added to the stored quotation, its prices loaded from another).

#include "SaveTestSupport.h"

#include "host/core/Packet.h"
#include "module/records/WorksheetValues.h"

#include <gtest/gtest.h>

using namespace rpctest;
using namespace savetest;

namespace {

const QDate kCollection(2025, 3, 3); // the collection date of quotation 0000000003

QString supplierValue(int n, const char* name)
{
    return module::supplierValue(dbtest::supplier(n), QString::fromUtf8(name));
}

QString regionValue(const char* code, const char* name)
{
    return module::regionValue(QString::fromLatin1(code), QString::fromUtf8(name));
}

QString lines(const QStringList& values)
{
    return values.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// The rows of a packet, fields joined by '|'.
QStringList rowsOf(const host::Packet& packet)
{
    QStringList rows;
    for (qsizetype r = 0; r < packet.rowCount(); ++r) {
        QStringList fields;
        for (const QVariant& value : packet.row(r))
            fields << value.toString();
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

class MaintenanceMethodsTest : public SaveFixture
{
protected:
    void SetUp() override
    {
        SaveFixture::SetUp();
        token = login(kAna);
        rice = dbtest::productOf(db(), QStringLiteral("0101001"));
    }

    QVariant insProd(const QString& product, const QString& brands, const QStringList& suppliers,
                     const QStringList& regions, const QVariant& date = kCollection)
    {
        return call(kPlan, QStringLiteral("GetInsProd"),
                    {kBranch, product, brands, date, lines(suppliers), lines(regions)}, token);
    }
    QVariant fornAtend(const QString& region, const QString& suppliers)
    {
        return call(kPlan, QStringLiteral("GetFornAtend"), {region, suppliers}, token);
    }
    QVariant incFornecedor(const QString& as, const QString& number, int supplier, const char* all,
                           const QString& priceSupplier = {}, const QString& priceRegion = {})
    {
        return call(kPlan, QStringLiteral("IncFornecedor"),
                    {kBranch, number, dbtest::supplier(supplier), as, QString::fromLatin1(all),
                     priceSupplier, priceRegion},
                    as == kAna ? token : login(as));
    }
    int scalar(const QString& sql, const QVariantList& values = {})
    {
        return dbtest::scalar(db(), sql, values).toInt();
    }

    QString token;
    QString rice; // ARROZ BRANCO TIPO 1 5KG: brands 00002 (approved), 00003 (lapsed), 00015
    const QString saoPaulo = regionValue("001", "Grande São Paulo");
    const QString rio = regionValue("003", "Rio de Janeiro");
    const QString atacadao = supplierValue(1, "Atacadão Paulista");
    const QString emporio = supplierValue(32, "Empório Nordeste"); // does not serve Rio
};

TEST_F(MaintenanceMethodsTest, GetFornAtendKeepsTheSuppliersThatServeTheRegionAsSent)
{
    // 13 and 21 do not serve Rio; 5 is only restricted in one delivery period; 99 does not
    // exist. The names are the worksheet's, whatever they are.
    const QStringList sent = {supplierValue(13, "Hortifrúti"), supplierValue(5, "nome qualquer"),
                              supplierValue(21, "Sítio"), QStringLiteral("99¤¤Ninguém"),
                              QStringLiteral("1¤¤Atacadão")};
    const host::Packet served = fornAtend(QStringLiteral("3"), lines(sent)).value<host::Packet>();
    EXPECT_EQ(served.fields().first().name, "COCFORNECED");
    EXPECT_EQ(rowsOf(served), QStringList({sent[1], sent[4]}));

    EXPECT_EQ(fornAtend(QStringLiteral("009"), lines(sent)).toString(),
              "Região 009 não cadastrada.");
    EXPECT_EQ(fornAtend(QString(), lines(sent)).toString(), "Região deve ser informada.");
}

TEST_F(MaintenanceMethodsTest, GetInsProdPairsEachRegionWithTheSuppliersThatMayQuoteTheProduct)
{
    // Supplier 2 loses its qualification for the product; 8 does not supply it, 27's
    // qualification lapsed, 30 is inactive and 32 does not serve Rio.
    db().run(QStringLiteral("INSERT INTO QFOPRODFORN VALUES (?, ?, 'N', 'N', NULL)"),
             {rice, dbtest::supplier(2)});
    const QStringList suppliers = {atacadao,
                                   supplierValue(2, "Bandeirantes"),
                                   supplierValue(8, "Química Brilho"),
                                   supplierValue(27, "Estrela"),
                                   supplierValue(30, "Central Mineiro"),
                                   emporio};
    const QString brand2 =
        module::productValue(QStringLiteral("ARROZ BRANCO TIPO 1 5KG"), rice,
                             QStringLiteral("00002"), QStringLiteral("SABOR DO CAMPO"));
    const QString brand15 =
        module::productValue(QStringLiteral("ARROZ BRANCO TIPO 1 5KG"), rice,
                             QStringLiteral("00015"), QStringLiteral("CEREALISTA SUL"));
    const host::Packet chosen =
        insProd(rice, QStringLiteral("_00002_"), suppliers, {saoPaulo, rio}).value<host::Packet>();
    ASSERT_EQ(chosen.fieldCount(), 4);
    EXPECT_EQ(chosen.fields()[3].name, "CONTA");
    EXPECT_EQ(rowsOf(chosen), QStringList({saoPaulo + '|' + atacadao + '|' + brand2 + "|0",
                                           saoPaulo + '|' + emporio + '|' + brand2 + "|0",
                                           rio + '|' + atacadao + '|' + brand2 + "|0"}));

    // Every brand the product may be quoted in: the lapsed 00003 is left out, also when chosen.
    const host::Packet automatic = insProd(rice, QString(), suppliers, {rio}).value<host::Packet>();
    EXPECT_EQ(rowsOf(automatic), QStringList({rio + '|' + atacadao + '|' + brand2 + "|0",
                                              rio + '|' + atacadao + '|' + brand15 + "|0"}));
    EXPECT_EQ(
        rowsOf(
            insProd(rice, QStringLiteral("_00003_00002_"), suppliers, {rio}).value<host::Packet>()),
        QStringList({rio + '|' + atacadao + '|' + brand2 + "|0"}));
    const host::Packet none =
        insProd(rice, QStringLiteral("_00003_"), suppliers, {rio}).value<host::Packet>();
    EXPECT_EQ(none.fieldCount(), 4);
    EXPECT_EQ(none.rowCount(), 0);

    // The product values are the worksheet's own.
    const host::Packet worksheet =
        call(kPlan, QStringLiteral("GetStringList"),
             {kBranch, kAnaQuotation, QStringLiteral("NULL"), false}, token)
            .toList()
            .value(1)
            .value<host::Packet>();
    QStringList loaded;
    for (qsizetype r = 0; r < worksheet.rowCount(); ++r)
        loaded << worksheet.value(r, 2).toString();
    EXPECT_TRUE(loaded.contains(automatic.value(0, 2).toString()));
    EXPECT_TRUE(loaded.contains(automatic.value(1, 2).toString()));
}

TEST_F(MaintenanceMethodsTest, GetInsProdUsesTheDefaultBrandForAProductWithoutBrands)
{
    const QString beans = dbtest::productOf(db(), QStringLiteral("0101004"));
    db().run(QStringLiteral("DELETE FROM MARCPROD WHERE CDPRODUTO = ?"), {beans});
    EXPECT_EQ(insProd(beans, QString(), {atacadao}, {saoPaulo}).value<host::Packet>().rowCount(),
              0);
    db().exec(QStringLiteral("UPDATE PARASUPRI SET IDPROSEMMAR = 'S' WHERE CDFILIAL = '0001'"));
    const host::Packet items =
        insProd(beans, QString(), {atacadao}, {saoPaulo}).value<host::Packet>();
    ASSERT_EQ(items.rowCount(), 1);
    EXPECT_EQ(module::brandCodeOf(items.value(0, 2).toString()), "00001");
    EXPECT_EQ(module::brandNameOf(items.value(0, 2).toString()), "DIVERSAS");
}

TEST_F(MaintenanceMethodsTest, GetInsProdRefusesUnknownCodesAndHostileLists)
{
    EXPECT_EQ(insProd(QStringLiteral("X1"), QString(), {atacadao}, {saoPaulo}).toString(),
              "Produto não cadastrado.");
    EXPECT_EQ(insProd(rice, QStringLiteral("_00099_"), {atacadao}, {saoPaulo}).toString(),
              "Marca 00099 não cadastrada.");
    EXPECT_EQ(insProd(rice, QString(), {atacadao}, {saoPaulo}, QVariant()).toString(),
              "Data da cotação deve ser informada.");

    const QStringList before = snapshot();
    EXPECT_EQ(insProd(rice, QString(), {QStringLiteral("1'; DELETE FROM ITEMCOLE; --")}, {saoPaulo})
                  .toString(),
              "A lista de fornecedores é inválida: valor malformado no campo COCFORNECED: "
              "\"1'; DELETE FROM ITEMCOLE; --\".");
    EXPECT_TRUE(insProd(rice, QString(), {atacadao + QString(100, QLatin1Char('x'))}, {saoPaulo})
                    .toString()
                    .startsWith("A lista de fornecedores é inválida: valor com mais de 63 "
                                "caracteres"));
    EXPECT_TRUE(insProd(rice, QString(), {atacadao}, {saoPaulo + QString(40, QLatin1Char('x'))})
                    .toString()
                    .startsWith("A lista de regiões é inválida: valor com mais de 35 caracteres"));
    EXPECT_EQ(
        insProd(rice, QStringLiteral("_00002') OR ('1'='1_"), {atacadao}, {saoPaulo}).toString(),
        "Lista de marcas com código inválido: \"00002') OR ('1'='1\".");
    EXPECT_TRUE(fornAtend(QStringLiteral("001' OR '1'='1"), lines({atacadao}))
                    .toString()
                    .startsWith("Região 001' OR '1'='1 não cadastrada."));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(MaintenanceMethodsTest, IncFornecedorAddsTheSupplierWithPricesLoadedFromAnother)
{
    const QString number = kAnaQuotation;
    const QString pairsSql = QStringLiteral(
        "SELECT COUNT(*) FROM (SELECT DISTINCT I.CDPRODUTO, I.CDMARCA FROM ITEMCOLE I JOIN "
        "PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO WHERE I.NRCOLEPRECO = ? %1) X");
    ASSERT_EQ(scalar(pairsSql.arg(QString()), {number}), 29);
    // The grocers supply the groceries only: the toilet paper's two pairs are not theirs.
    const int pairs = scalar(pairsSql.arg(QStringLiteral("AND P.CDARVPROD LIKE '01%'")), {number});
    ASSERT_EQ(pairs, 27);
    // The two grocers' qualifications are renewed for the quotation's date.
    db().run(QStringLiteral("UPDATE FORNECEDOR SET DTVALQUALIF = '2025-12-31' WHERE "
                            "CDFORNECED IN (?, ?)"),
             {dbtest::supplier(27), dbtest::supplier(33)});
    // Estrela Distribuidora serves the quotation's five regions; prices of Atacadão in São
    // Paulo.
    const QVariant answer = incFornecedor(kAna, number, 27, "N", dbtest::supplier(1), "001");
    ASSERT_EQ(answer.metaType(), QMetaType::fromType<host::Packet>())
        << answer.toString().toStdString();
    EXPECT_TRUE(answer.value<host::Packet>().isValid());
    EXPECT_EQ(answer.value<host::Packet>().rowCount(), 0);

    const QString added = QStringLiteral("FROM ITEMCOLE N WHERE N.NRCOLEPRECO = '%1' AND "
                                         "N.CDFORNECED = '%2'")
                              .arg(number, dbtest::supplier(27));
    EXPECT_EQ(scalar("SELECT COUNT(*) " + added), 5 * pairs);
    EXPECT_EQ(scalar("SELECT COUNT(DISTINCT CDREGIAO) " + added), 5);
    EXPECT_EQ(scalar("SELECT COUNT(*) " + added + " AND N.CDPRODUTO IN (SELECT CDPRODUTO FROM "
                                                  "PRODUTO WHERE CDARVPROD LIKE '05%')"),
              0);
    // Each item has Atacadão's São Paulo price and discount of its product and brand (0
    // without one), the quotation's validity and the quantity to buy of its region.
    const int offeredBySource = scalar(
        QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE S JOIN PRODUTO P ON P.CDPRODUTO = "
                       "S.CDPRODUTO WHERE S.NRCOLEPRECO = ? AND S.CDFORNECED = ? AND "
                       "S.CDREGIAO = '001' AND P.CDARVPROD LIKE '01%'"),
        {number, dbtest::supplier(1)});
    EXPECT_EQ(scalar("SELECT COUNT(*) " + added +
                         " AND NOT EXISTS (SELECT 1 FROM ITEMCOLE S WHERE S.NRCOLEPRECO = "
                         "N.NRCOLEPRECO AND S.CDFORNECED = ? AND S.CDREGIAO = '001' AND "
                         "S.CDPRODUTO = N.CDPRODUTO AND S.CDMARCA = N.CDMARCA AND S.VRPRECUNIITM = "
                         "N.VRPRECUNIITM AND S.VRPERDESITM = N.VRPERDESITM)",
                     {dbtest::supplier(1)}),
              5 * (pairs - offeredBySource));
    EXPECT_GT(scalar("SELECT COUNT(*) " + added + " AND N.VRPRECUNIITM > 0"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) " + added +
                     " AND N.IDITMCOTPREC = 'S' AND N.DTINIVALITM = '2025-03-10' AND "
                     "N.DTFINVALITM = '2025-03-23' AND "
                     "N.QTACMPITMCOL = COALESCE((SELECT MAX(Q.QTACMPITMCOL) FROM ITEMCOLE Q WHERE "
                     "Q.NRCOLEPRECO = N.NRCOLEPRECO AND Q.CDREGIAO = N.CDREGIAO AND Q.CDPRODUTO = "
                     "N.CDPRODUTO AND Q.CDMARCA = N.CDMARCA AND Q.CDFORNECED <> N.CDFORNECED), 0)"),
              5 * pairs);
    EXPECT_GT(scalar("SELECT COUNT(*) " + added + " AND N.QTACMPITMCOL > 0"), 0);
    EXPECT_EQ(dbtest::scalar(db(),
                             QStringLiteral("SELECT IDTIPCOLREG FROM COLETAPR WHERE "
                                            "NRCOLEPRECO = ?"),
                             {number})
                  .toString(),
              "G");

    // Every served region of the centre and the quotation (001 to 006), each priced from
    // its own region: Atacadão has no item in the Sul (005).
    const QVariant second = incFornecedor(kFernanda, number, 33, "S", dbtest::supplier(1));
    ASSERT_EQ(second.metaType(), QMetaType::fromType<host::Packet>())
        << second.toString().toStdString();
    const QString fonte = QStringLiteral("FROM ITEMCOLE N WHERE N.NRCOLEPRECO = '%1' AND "
                                         "N.CDFORNECED = '%2'")
                              .arg(number, dbtest::supplier(33));
    EXPECT_EQ(scalar("SELECT COUNT(*) " + fonte), 6 * pairs);
    EXPECT_EQ(scalar("SELECT COUNT(*) " + fonte + " AND CDREGIAO = '005' AND VRPRECUNIITM > 0"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) " + fonte + " AND VRPRECUNIITM > 0"),
              scalar(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE I JOIN PRODUTO P ON "
                                    "P.CDPRODUTO = I.CDPRODUTO WHERE NRCOLEPRECO = ? AND "
                                    "CDFORNECED = ? AND VRPRECUNIITM > 0 AND P.CDARVPROD LIKE "
                                    "'01%'"),
                     {number, dbtest::supplier(1)}));

    // A supplier of none of the quotation's products is refused and adds nothing.
    EXPECT_EQ(incFornecedor(kAna, number, 11, "S", QString()).toString(),
              QStringLiteral("Fornecedor não cadastrado ou não qualificado para o(s) produto(s) "
                             "da cotação."));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE NRCOLEPRECO = ? AND "
                                    "CDFORNECED = ?"),
                     {number, dbtest::supplier(11)}),
              0);
}

TEST_F(MaintenanceMethodsTest, IncFornecedorRefusalsWriteNothing)
{
    const QStringList before = snapshot();
    const QString number = kAnaQuotation;
    const QString atacadaoCode = dbtest::supplier(1);
    EXPECT_EQ(incFornecedor(kAna, number, 1, "N").toString(),
              "Fornecedor já cadastrado na cotação.");
    EXPECT_EQ(incFornecedor(kCarlos, number, 18, "N").toString(),
              "Somente o comprador da cotação (ANA.CARVALHO) ou o seu gerente pode alterar os "
              "itens da cotação.");
    EXPECT_EQ(incFornecedor(kAna, number, 24, "N").toString(), "Fornecedor inativo.");
    EXPECT_EQ(incFornecedor(kAna, number, 27, "N").toString(),
              "Fornecedor não qualificado ou com qualificação vencida.");
    EXPECT_EQ(incFornecedor(kAna, number, 99, "N").toString(),
              "Fornecedor 000000000000000000099 não cadastrado.");
    EXPECT_EQ(incFornecedor(kAna, number, 18, "N", QString(), QStringLiteral("001")).toString(),
              "Fornecedor para carga de preços deve ser informado.");
    EXPECT_EQ(incFornecedor(kAna, number, 18, "N", dbtest::supplier(8)).toString(),
              "Fornecedor para carga de preços não pertence à cotação.");
    EXPECT_EQ(incFornecedor(kAna, number, 18, "N", atacadaoCode, QStringLiteral("005")).toString(),
              "Região para carga de preços não pertence à cotação.");
    EXPECT_EQ(incFornecedor(kAna, number, 18, "X").toString(),
              "Indicador de regiões atendidas inválido: use S ou N.");
    // Empório Nordeste serves none of the single region of Daniela's one-item quotation.
    EXPECT_EQ(incFornecedor(kDaniela, QStringLiteral("0000000006"), 32, "N").toString(),
              "Fornecedor não atende a nenhuma região da planilha.");
    for (const char* region : {"001", "002", "003", "004", "005", "006"})
        db().run(QStringLiteral("INSERT INTO REFOREG VALUES (?, ?, NULL)"),
                 {dbtest::supplier(18), QLatin1String(region)});
    const QStringList barred = snapshot();
    EXPECT_EQ(incFornecedor(kAna, number, 18, "S").toString(),
              "Fornecedor não atende a nenhuma região.");
    EXPECT_EQ(snapshot(), barred);
    db().exec(
        QStringLiteral("DELETE FROM REFOREG WHERE CDFORNECED = '%1'").arg(dbtest::supplier(18)));
    EXPECT_EQ(snapshot(), before);
}

} // namespace

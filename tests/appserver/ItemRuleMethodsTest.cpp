// The register rules asked before an item is negotiated, on the demo registers: brand
// qualification and registration, the branches that negotiate a product, the regions a
// supplier serves.

#include "RpcTestSupport.h"

#include <gtest/gtest.h>

using namespace rpctest;

namespace {

const QDate kCollection(2025, 3, 3);

class ItemRuleMethodsTest : public RpcFixture
{
protected:
    void SetUp() override
    {
        RpcFixture::SetUp();
        token = login();
    }
    QString ask(const char* method, const QVariantList& args)
    {
        return call(kPlan, QLatin1String(method), args, token).toString();
    }
    QString brand(const char* tree, const char* brand, bool checkRegistered = true,
                  const QVariant& date = kCollection, const char* centre = "0001")
    {
        return ask("Vd_Marca", {centre, dbtest::productOf(db(), QLatin1String(tree)),
                                QLatin1String(brand), date, true, checkRegistered});
    }
    QString product(const char* tree) { return dbtest::productOf(db(), QLatin1String(tree)); }

    QString token;
};

TEST_F(ItemRuleMethodsTest, BrandAnswersFlagsAndEveryFailureAsThreeAndItsText)
{
    EXPECT_EQ(brand("0101001", "00002"), "");   // approved and registered
    EXPECT_EQ(brand("0101001", "00003"), "SN"); // approval lapsed
    EXPECT_EQ(brand("0101003", "00015"), "SN"); // refused
    EXPECT_EQ(brand("0101001", "00004"), "NS"); // registered for no product
    EXPECT_EQ(brand("0101001", "4", false), "");
    db().run(QStringLiteral("INSERT INTO QFOMARPROD VALUES (?, '00004', 'N', 'N', NULL)"),
             {product("0101001")});
    EXPECT_EQ(brand("0101001", "00004"), "SS");

    EXPECT_EQ(brand("0101001", "00099"), "3Marca 00099 não cadastrada.");
    EXPECT_EQ(ask("Vd_Marca", {"0001", "X1", "00002", kCollection, true, true}),
              "3Produto X1 não cadastrado.");
    EXPECT_EQ(brand("0101001", "00002", true, QVariant()), "3Data da cotação deve ser informada.");
    EXPECT_TRUE(brand("0101001", "00002", true, kCollection, "0005")
                    .startsWith(QStringLiteral("3A filial informada não é a central de compras")));
}

TEST_F(ItemRuleMethodsTest, CorporateAndRegionalBranchesMustNegotiateTheProduct)
{
    auto negotiated = [&](const char* branch, const char* region, const char* tree) {
        return ask("Vd_FuncaoFili", {branch, region, product(tree)});
    };
    EXPECT_EQ(negotiated("0001", "001", "0101001"), "");
    EXPECT_EQ(negotiated("0001", "001", "0102004"), "C"); // the centre buys no olive oil
    EXPECT_EQ(negotiated("0001", "4", "0401003"), "R");   // Belo Horizonte buys no juice
    EXPECT_EQ(negotiated("0001", "003", "0301001"), "R"); // Rio buys its produce locally
    EXPECT_EQ(negotiated("0001", "009", "0101001"), "Região 009 não cadastrada.");
    EXPECT_TRUE(negotiated("0002", "001", "0101001")
                    .startsWith(QStringLiteral("A filial informada não é a filial em que")));
}

TEST_F(ItemRuleMethodsTest, SupplierMustServeTheRegion)
{
    auto serves = [&](const char* region, const QString& suppliers, bool one) {
        return ask("Vd_RefoReg", {region, suppliers, one});
    };
    EXPECT_EQ(serves("003", QStringLiteral("13"), true), "S");
    EXPECT_EQ(serves("001", QStringLiteral("13"), true), "");
    EXPECT_EQ(serves("6", QStringLiteral("5"), true), ""); // restricted in one delivery period only
    // The quotation's suppliers, as the worksheet lists them: some or none serves.
    const QString growers = dbtest::supplier(13) + QStringLiteral("¤¤Hortifrúti Campinas\r\n") +
                            dbtest::supplier(21) + QStringLiteral("¤¤Sítio Santa Luzia");
    EXPECT_EQ(serves("003", growers, false), "S");
    EXPECT_EQ(serves("002", growers, false), "");
    EXPECT_EQ(serves("003", QStringLiteral("13; DROP"), true),
              "Fornecedor 13; DROP não cadastrado.");
}

TEST_F(ItemRuleMethodsTest, SupplierMustSupplyTheProductOrOneOfTheList)
{
    auto supplies = [&](int supplier, const QString& products) {
        return ask("Vd_ProdForn", {"0001", dbtest::supplier(supplier), kCollection, products});
    };
    EXPECT_EQ(supplies(13, product("0301001")), "");
    EXPECT_EQ(supplies(13, product("0101001")), "S");
    // A supplier joining a quotation: one product it supplies is enough.
    const QString food = product("0101001") + QStringLiteral("\r\n") + product("0101002") +
                         QStringLiteral("\r\n");
    EXPECT_EQ(supplies(13, food), "S");
    EXPECT_EQ(supplies(13, food + product("0301001") + QStringLiteral("\r\n")), "");
    EXPECT_EQ(supplies(13, food + QStringLiteral("X1\r\n")), "Produto X1 não cadastrado.");
}

} // namespace

// GetVerPrZero (are prices missing after a save) and GetRegAtend (the regions a supplier
// serves, where a typed price may be copied).

#include "RpcTestSupport.h"

#include "host/core/Packet.h"
#include "module/records/WorksheetValues.h"

#include <gtest/gtest.h>

using namespace rpctest;

namespace {

class ItemCheckMethodsTest : public RpcFixture
{
protected:
    QString missingPrices(const QString& number)
    {
        return call(kPlan, QStringLiteral("GetVerPrZero"), {QStringLiteral("0001"), number},
                    login())
            .toString();
    }
    QStringList served(int supplier, const QStringList& regions, bool all)
    {
        const host::Packet packet =
            call(kPlan, QStringLiteral("GetRegAtend"),
                 {dbtest::supplier(supplier), regions.join(QStringLiteral("\r\n")), all}, login())
                .value<host::Packet>();
        QStringList values;
        for (qsizetype r = 0; r < packet.rowCount(); ++r)
            values << packet.value(r, 0).toString();
        return values;
    }
    static QString region(const char* code, const char* name)
    {
        return module::regionValue(QString::fromLatin1(code), QString::fromUtf8(name));
    }
};

TEST_F(ItemCheckMethodsTest, GetVerPrZeroTellsWhetherPricesAreMissing)
{
    // The past quotation has every price; the current one misses some.
    EXPECT_EQ(missingPrices(QStringLiteral("0000000001")), "");
    EXPECT_EQ(missingPrices(QStringLiteral("0000000003")), "2");
    db().exec(QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = NULL WHERE NRCOLEPRECO = "
                             "'0000000006'"));
    EXPECT_EQ(missingPrices(QStringLiteral("0000000006")), "1");
    db().exec(QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = 0 WHERE NRCOLEPRECO = "
                             "'0000000001' AND CDREGIAO = '001'"));
    EXPECT_EQ(missingPrices(QStringLiteral("0000000001")), "2");
    EXPECT_EQ(missingPrices(QStringLiteral("0000000099")),
              QStringLiteral("A cotação 0000000099 não existe mais: foi excluída por outro "
                             "operador."));
}

TEST_F(ItemCheckMethodsTest, GetRegAtendLeavesOutTheRegionsTheSupplierDoesNotServe)
{
    // Supplier 13 serves neither 003 nor 004; supplier 5's row for 006 only restricts a
    // delivery period and keeps it in.
    const QStringList regions = {region("001", "Grande São Paulo"), region("003", "Rio de Janeiro"),
                                 region("004", "Minas Gerais"), region("006", "Nordeste")};
    EXPECT_EQ(served(13, regions, false), QStringList({regions[0]}));
    EXPECT_EQ(served(5, regions, false), regions);
    // Every region of the purchasing centre (Recife buys for itself: 006 is not one).
    EXPECT_EQ(served(13, {}, true), QStringList({region("001", "Grande São Paulo"),
                                                 region("002", "Interior de São Paulo")}));

    const QVariant answer = call(kPlan, QStringLiteral("GetRegAtend"),
                                 {dbtest::supplier(13), QStringLiteral("1;DROP"), false}, login());
    EXPECT_EQ(answer.toString(),
              QStringLiteral("A lista de regiões é inválida: valor malformado no campo "
                             "COCREGIAO: \"1;DROP\"."));
}

} // namespace

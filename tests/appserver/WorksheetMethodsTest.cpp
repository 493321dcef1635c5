#include "RpcTestSupport.h"

#include <algorithm>

#include "host/core/Packet.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/WorksheetValues.h"

using namespace rpctest;

namespace {

QStringList linesOf(const QVariant& result)
{
    return result.toList().value(0).toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

host::Packet itemsOf(const QVariant& result)
{
    return result.toList().value(1).value<host::Packet>();
}

} // namespace

TEST_F(RpcFixture, WorksheetItemsAndDetailLinesDescribeTheSameItems)
{
    const QString token = login();
    const QString number = dbtest::scalar(db(), QStringLiteral(
        "SELECT NRCOLEPRECO FROM ITEMCOLE GROUP BY NRCOLEPRECO ORDER BY COUNT(*) DESC LIMIT 1")).toString();
    const QVariant all = call(kPlan, QStringLiteral("GetStringList"),
                              {QStringLiteral("0001"), number, QStringLiteral("NULL"), false}, token);
    const host::Packet items = itemsOf(all);
    const QStringList lines = linesOf(all);
    const int expected = dbtest::scalar(db(), QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE "
                                                             "CDFILIAL = '0001' AND NRCOLEPRECO = ?"),
                                        {number}).toInt();
    ASSERT_GT(expected, 1);
    ASSERT_EQ(items.rowCount(), expected);
    ASSERT_EQ(lines.size(), expected);
    EXPECT_EQ(items.fields().size(), 4);
    EXPECT_EQ(items.fields()[3].name, QStringLiteral("CONTA"));
    // The lines come in the worksheet's order (text without regard to case).
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    }));

    for (qsizetype r = 0; r < items.rowCount(); ++r) {
        const QString region = items.value(r, 0).toString();
        const QString supplier = items.value(r, 1).toString();
        const QString product = items.value(r, 2).toString();
        const module::DetailLine line = module::DetailLine::parse(lines[r]);
        EXPECT_EQ(line.key, region + supplier + product);
        EXPECT_EQ(line.changed, QStringLiteral("N"));
        const QVariant stored = dbtest::scalar(db(), QStringLiteral(
            "SELECT VRPRECUNIITM FROM ITEMCOLE WHERE CDFILIAL = '0001' AND NRCOLEPRECO = ? AND "
            "CDREGIAO = ? AND CDFORNECED = ? AND CDPRODUTO = ? AND CDMARCA = ?"),
            {number, module::regionCodeOf(region), module::supplierCodeOf(supplier),
             module::productCodeOf(product), module::brandCodeOf(product)});
        ASSERT_TRUE(stored.isValid()) << line.key.toStdString();
        EXPECT_NEAR(items.value(r, 3).toDouble(), stored.toDouble(), 1e-9);
        EXPECT_NEAR(host::FloatMaskOut(line.unitPrice), stored.toDouble(), 1e-5);
        EXPECT_EQ(line.treeCode, dbtest::scalar(db(), QStringLiteral("SELECT CDARVPROD FROM PRODUTO WHERE CDPRODUTO = ?"),
                                                {module::productCodeOf(product)}).toString());
    }

    // One region, or the regions of a list, give only their items.
    const QString region = module::regionCodeOf(items.value(0, 0).toString());
    const int inRegion = dbtest::scalar(db(), QStringLiteral(
        "SELECT COUNT(*) FROM ITEMCOLE WHERE CDFILIAL = '0001' AND NRCOLEPRECO = ? AND CDREGIAO = ?"),
        {number, region}).toInt();
    EXPECT_EQ(itemsOf(call(kPlan, QStringLiteral("GetStringList"),
                           {QStringLiteral("0001"), number, region, false}, token)).rowCount(), inRegion);
    EXPECT_EQ(itemsOf(call(kPlan, QStringLiteral("GetStringList"),
                           {QStringLiteral("0001"), number, QLatin1Char('_') + region + QLatin1Char('_'), true},
                           token)).rowCount(), inRegion);

    // Hostile region texts find nothing or are refused; nothing changes.
    const QStringList before = dbtest::dump(db());
    EXPECT_EQ(itemsOf(call(kPlan, QStringLiteral("GetStringList"),
                           {QStringLiteral("0001"), number, QStringLiteral("' OR 1=1 --"), false}, token)).rowCount(), 0);
    EXPECT_EQ(callError(kPlan, QStringLiteral("GetStringList"),
                        {QStringLiteral("0001"), number, QStringLiteral("_001"), false}, token), 500);
    EXPECT_EQ(dbtest::dump(db()), before);
}

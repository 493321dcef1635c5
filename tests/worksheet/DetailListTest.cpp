// The detail lines: found by their whole key, kept one per item as items are posted and
// deleted, prices written and read back.

#include "WorksheetTestSupport.h"

#include "host/core/consiste/Consiste.h"

#include <algorithm>

using namespace listtest;
using namespace worksheettest;

namespace {

bool sortedWithoutCase(const QStringList& list)
{
    return std::is_sorted(list.begin(), list.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

} // namespace

TEST(DetailLines, AKeyFindsOnlyItsOwnLineNotOneItBegins)
{
    const QString shortKey =
        QStringLiteral("001¤¤NORTE10¤¤ATACADO SULARROZ¤¤0000000001¥¥00003¤¤OURO");
    const QString longKey = shortKey + QStringLiteral(" FINO");
    QStringList list;
    module::placeDetailLine(list, -1,
                            module::changedItemLine(longKey, 7.5, QStringLiteral("0101")));
    module::placeDetailLine(list, -1, QStringLiteral("000¤¤AøøX"));
    module::DetailLine fields;
    EXPECT_GE(module::PesqBinaria(list, shortKey), 0); // a bare prefix would take the other
    EXPECT_EQ(module::LocateCotacao(list, shortKey, fields), -1);
    EXPECT_TRUE(fields.unitPrice.isEmpty());

    module::placeDetailLine(list, -1, module::changedItemLine(shortKey, 1234.5, QString()));
    const int at = module::LocateCotacao(list, shortKey.toLower(), fields);
    ASSERT_GE(at, 0);
    EXPECT_TRUE(list.at(at).startsWith(shortKey + "øø"));
    EXPECT_EQ(fields.unitPrice, "1.234,50000");
    EXPECT_EQ(fields.changed, "S");
    EXPECT_TRUE(sortedWithoutCase(list));
}

TEST_F(WorksheetFixture, PostedItemsKeepOneLineEachAndDeletedItemsLoseIt)
{
    openWorksheet(kAna, kAnaQuotation);
    const int loaded = lines().size();
    const QPoint cell = cellWithoutLine();
    ASSERT_GE(cell.x(), 0);
    select(cell);
    const QString key = sheet().CalcIndex(cell.x(), cell.y());

    // A price above one thousand for a cell nobody quoted.
    items().Append();
    items().FieldByName(QStringLiteral("COCREGIAO")).SetAsString(sheet().RetornaVlr("R"));
    items().FieldByName(QStringLiteral("COCFORNECED")).SetAsString(sheet().RetornaVlr("F"));
    items().FieldByName(QStringLiteral("COCPRODUTO")).SetAsString(sheet().RetornaVlr("P"));
    items().FieldByName(QStringLiteral("CONTA")).SetAsFloat(1234.56789);
    items().Post();
    EXPECT_EQ(lines().size(), loaded + 1);
    module::DetailLine fields;
    ASSERT_GE(module::LocateCotacao(lines(), key, fields), 0);
    EXPECT_EQ(fields.unitPrice, "1.234,56789");
    EXPECT_DOUBLE_EQ(host::FloatMaskOut(fields.unitPrice), 1234.56789);
    EXPECT_EQ(fields.changed, "S");
    EXPECT_EQ(fields.treeCode,
              dbValue(QStringLiteral("SELECT CDARVPROD FROM PRODUTO WHERE CDPRODUTO = ?"),
                      {Cli_Sup01700::stCdProduto})
                  .toString());
    EXPECT_TRUE(sortedWithoutCase(lines()));
    EXPECT_TRUE(sheet().pending());
    EXPECT_EQ(paint().value(cell).text, "1.234,56789");

    // Posting it again rewrites its line.
    items().Edit();
    items().FieldByName(QStringLiteral("CONTA")).SetAsFloat(2000.0);
    items().Post();
    EXPECT_EQ(lines().size(), loaded + 1);
    module::LocateCotacao(lines(), key, fields);
    EXPECT_EQ(fields.unitPrice, "2.000,00000");

    items().Delete();
    EXPECT_EQ(lines().size(), loaded);
    EXPECT_EQ(module::LocateCotacao(lines(), key, fields), -1);

    // An item whose line is already gone changes nothing else.
    items().First();
    const QString other = currentKey();
    lines().removeAt(module::LocateCotacao(lines(), other, fields));
    items().Delete();
    EXPECT_EQ(lines().size(), loaded - 1);
}

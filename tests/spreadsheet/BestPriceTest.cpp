// The best price of each product-and-brand row of each region: ties, rows without a price
// above zero, prices that change one by one, and the mark on the demo worksheet.

#include "worksheet/WorksheetTestSupport.h"

#include "spreadsheet/SpreadsheetMenu.h"
#include "spreadsheet/bestprice/BestPriceMark.h"
#include "spreadsheet/bestprice/BestPrices.h"

#include <QAction>
#include <QLabel>

using namespace listtest;
using namespace worksheettest;

namespace {

void fillItems(host::DataSet& items,
               const QList<std::tuple<const char*, const char*, const char*, double>>& rows)
{
    items.SetFieldDefs({host::FieldDef::text(QStringLiteral("COCREGIAO"), 35),
                        host::FieldDef::text(QStringLiteral("COCFORNECED"), 63),
                        host::FieldDef::text(QStringLiteral("COCPRODUTO"), 91),
                        host::FieldDef::of(QStringLiteral("CONTA"), host::FieldType::Float)});
    items.CreateDataSet();
    for (const auto& [region, supplier, product, price] : rows) {
        items.Append();
        items.FieldByName(QStringLiteral("COCREGIAO")).SetAsString(QString::fromUtf8(region));
        items.FieldByName(QStringLiteral("COCFORNECED")).SetAsString(QString::fromUtf8(supplier));
        items.FieldByName(QStringLiteral("COCPRODUTO")).SetAsString(QString::fromUtf8(product));
        items.FieldByName(QStringLiteral("CONTA")).SetAsFloat(price);
        items.Post();
    }
}

QString key(const char* region, const char* supplier, const char* product)
{
    return QString::fromUtf8(region) + QString::fromUtf8(supplier) + QString::fromUtf8(product);
}

} // namespace

TEST(BestPrices, TiesAreAllMarkedZerosNeverAndAChangeLooksAgainAtItsRow)
{
    host::DataSet items(QStringLiteral("cdsAltCotacao"));
    fillItems(items, {{"001¤¤SP", "1¤¤A", "ARROZ¤¤1¥¥2¤¤X", 10.0},
                                           {"001¤¤SP", "2¤¤B", "ARROZ¤¤1¥¥2¤¤X", 10.0},
                                           {"001¤¤SP", "3¤¤C", "ARROZ¤¤1¥¥2¤¤X", 12.0},
                                           {"001¤¤SP", "4¤¤D", "ARROZ¤¤1¥¥2¤¤X", 0.0},
                                           {"002¤¤RJ", "1¤¤A", "ARROZ¤¤1¥¥2¤¤X", 9.0},
                                           {"001¤¤SP", "1¤¤A", "FEIJAO¤¤3¥¥2¤¤X", 0.0},
                                           {"001¤¤SP", "2¤¤B", "FEIJAO¤¤3¥¥2¤¤X", 0.0}});
    module::BestPrices prices;
    prices.rebuild(items);
    // A tie marks both; the zero and the dearer price are not marked; each region apart.
    EXPECT_TRUE(prices.isBest(key("001¤¤SP", "1¤¤A", "ARROZ¤¤1¥¥2¤¤X")));
    EXPECT_TRUE(prices.isBest(key("001¤¤SP", "2¤¤B", "ARROZ¤¤1¥¥2¤¤X")));
    EXPECT_FALSE(prices.isBest(key("001¤¤SP", "3¤¤C", "ARROZ¤¤1¥¥2¤¤X")));
    EXPECT_FALSE(prices.isBest(key("001¤¤SP", "4¤¤D", "ARROZ¤¤1¥¥2¤¤X")));
    EXPECT_TRUE(prices.isBest(key("002¤¤RJ", "1¤¤A", "ARROZ¤¤1¥¥2¤¤X")));
    EXPECT_EQ(prices.best(QStringLiteral("001¤¤SP"), QStringLiteral("ARROZ¤¤1¥¥2¤¤X")).suppliers,
              (QStringList{QStringLiteral("1¤¤A"), QStringLiteral("2¤¤B")}));
    // Only zero prices: no best price, nothing marked.
    EXPECT_TRUE(prices.best(QStringLiteral("001¤¤SP"), QStringLiteral("FEIJAO¤¤3¥¥2¤¤X"))
                    .suppliers.isEmpty());
    EXPECT_FALSE(prices.isBest(key("001¤¤SP", "1¤¤A", "FEIJAO¤¤3¥¥2¤¤X")));

    // A cheaper price takes the mark alone; removing it gives the mark back to the tie.
    prices.setPrice(QStringLiteral("001¤¤SP"), QStringLiteral("4¤¤D"),
                    QStringLiteral("ARROZ¤¤1¥¥2¤¤X"), 8.5);
    EXPECT_TRUE(prices.isBest(key("001¤¤SP", "4¤¤D", "ARROZ¤¤1¥¥2¤¤X")));
    EXPECT_FALSE(prices.isBest(key("001¤¤SP", "1¤¤A", "ARROZ¤¤1¥¥2¤¤X")));
    EXPECT_DOUBLE_EQ(prices.best(QStringLiteral("001¤¤SP"), QStringLiteral("ARROZ¤¤1¥¥2¤¤X")).price,
                     8.5);
    prices.remove(QStringLiteral("001¤¤SP"), QStringLiteral("4¤¤D"),
                  QStringLiteral("ARROZ¤¤1¥¥2¤¤X"));
    EXPECT_TRUE(prices.isBest(key("001¤¤SP", "1¤¤A", "ARROZ¤¤1¥¥2¤¤X")));
    EXPECT_TRUE(prices.isBest(key("001¤¤SP", "2¤¤B", "ARROZ¤¤1¥¥2¤¤X")));
}

TEST_F(WorksheetFixture, TheBestPriceIsDrawnBoldAndFollowsAPriceTyped)
{
    openWorksheet(kAna, kAnaQuotation);
    module::SpreadsheetMenu& menu = module::spreadsheetMenuOf(form());
    auto* mark = menu.findChild<module::BestPriceMark*>();
    ASSERT_NE(mark, nullptr);
    ASSERT_TRUE(menu.mnuMelhorPreco->isEnabled());
    menu.mnuMelhorPreco->trigger();
    ASSERT_TRUE(mark->active());

    // A row with one cheapest item and a dearer one.
    struct Item
    {
        QString region, supplier, product;
        double price;
    };
    QList<Item> all;
    for (items().First(); !items().Eof(); items().Next())
        all.append({items().FieldByName(QStringLiteral("COCREGIAO")).AsString(),
                    items().FieldByName(QStringLiteral("COCFORNECED")).AsString(),
                    items().FieldByName(QStringLiteral("COCPRODUTO")).AsString(),
                    items().FieldByName(QStringLiteral("CONTA")).AsFloat()});
    QString region, product, cheapest, dearer, dearerSupplier;
    double low = 0;
    for (const Item& item : all) {
        const module::BestPrices::Best best = mark->prices().best(item.region, item.product);
        if (best.suppliers.size() != 1 || item.price <= best.price)
            continue;
        region = item.region;
        product = item.product;
        low = best.price;
        cheapest = region + best.suppliers.first() + product;
        dearer = region + item.supplier + product;
        dearerSupplier = item.supplier;
        break;
    }
    ASSERT_FALSE(dearer.isEmpty());
    EXPECT_TRUE(mark->prices().isBest(cheapest));
    EXPECT_FALSE(mark->prices().isBest(dearer));
    const QPoint cell = cellOf(cheapest);
    const auto painted = paint();
    EXPECT_EQ(painted.value(cell).background, QColor(204, 240, 204));

    // The dearer item's price typed below the best one takes the mark.
    ASSERT_TRUE(items().Locate(QStringLiteral("COCREGIAO;COCFORNECED;COCPRODUTO"),
                               QVariantList{region, dearerSupplier, product}));
    items().Edit();
    items().FieldByName(QStringLiteral("CONTA")).SetAsFloat(low / 2);
    items().Post();
    EXPECT_TRUE(mark->prices().isBest(dearer));
    EXPECT_FALSE(mark->prices().isBest(cheapest));

    // The selected cell's row tells its best price and supplier.
    select(cellOf(dearer));
    EXPECT_TRUE(sheet().lblNota->isVisibleTo(sheet().panDados));
    EXPECT_TRUE(sheet().lblNota->text().startsWith(QStringLiteral("Melhor preço da região: ")))
        << sheet().lblNota->text().toStdString();

    // Turned off, nothing is marked and the choice is kept for the operator.
    menu.mnuMelhorPreco->trigger();
    EXPECT_FALSE(mark->active());
    EXPECT_FALSE(bool(sheet().IsMarkedItem));
    EXPECT_EQ(host::Halvore::instance().loadOptions(QStringLiteral("SUP01700.MelhorPreco"))
                  .value(QStringLiteral("Destacar")),
              QStringLiteral("N"));
}

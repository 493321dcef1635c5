#include "RegionItems.h"

#include "ItemBatch.h"

#include "host/core/DataSet.h"

#include <QHash>

namespace module {

namespace {

// The prices of the items of one region, by supplier and product value (without regard
// to case, as the item table compares them).
QHash<QString, double> regionPrices(host::DataSet& items, const QString& region)
{
    QHash<QString, double> prices;
    if (region.isEmpty())
        return prices;
    const QString wanted = region.toCaseFolded();
    host::Field& regionField = items.FieldByName(QStringLiteral("COCREGIAO"));
    host::Field& supplierField = items.FieldByName(QStringLiteral("COCFORNECED"));
    host::Field& productField = items.FieldByName(QStringLiteral("COCPRODUTO"));
    host::Field& priceField = items.FieldByName(QStringLiteral("CONTA"));
    for (items.First(); !items.Eof(); items.Next()) {
        if (regionField.AsString().toCaseFolded() != wanted)
            continue;
        prices.insert((supplierField.AsString() + QLatin1Char('\n') + productField.AsString())
                          .toCaseFolded(),
                      priceField.AsFloat());
    }
    return prices;
}

} // namespace

int addRegionItems(ItemBatch& batch, const QString& region, const QStringList& suppliers,
                   const QStringList& products, const QString& loadFrom)
{
    const QHash<QString, double> prices = regionPrices(batch.items(), loadFrom);
    int added = 0;
    for (const QString& supplier : suppliers) {
        const QString supplierKey = supplier + QLatin1Char('\n');
        for (const QString& product : products) {
            const double price =
                prices.isEmpty() ? 0.0 : prices.value((supplierKey + product).toCaseFolded(), 0.0);
            batch.insert(region, supplier, product, price);
            ++added;
        }
    }
    return added;
}

} // namespace module

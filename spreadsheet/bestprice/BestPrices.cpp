#include "BestPrices.h"

#include "host/core/DataSet.h"
#include "host/core/Table.h"

namespace module {

QString BestPrices::rowKey(const QString& region, const QString& product)
{
    return region + QLatin1Char('\n') + product;
}

void BestPrices::clear()
{
    m_rows.clear();
    m_bestItems.clear();
}

void BestPrices::rebuild(const host::DataSet& items)
{
    clear();
    if (!items.Active())
        return;
    const host::Table& table = items.table();
    const int region = items.FieldByName(QStringLiteral("COCREGIAO")).storedIndex();
    const int supplier = items.FieldByName(QStringLiteral("COCFORNECED")).storedIndex();
    const int product = items.FieldByName(QStringLiteral("COCPRODUTO")).storedIndex();
    const int price = items.FieldByName(QStringLiteral("CONTA")).storedIndex();
    QSet<QString> regionsAndProducts;
    for (const quint32 slot : items.view()) {
        const QString regionValue = table.text(slot, region);
        const QString productValue = table.text(slot, product);
        Row& row = m_rows[rowKey(regionValue, productValue)];
        row.prices.insert(table.text(slot, supplier), table.value(slot, price).toDouble());
    }
    for (auto it = m_rows.begin(); it != m_rows.end(); ++it) {
        const qsizetype cut = it.key().indexOf(QLatin1Char('\n'));
        recompute(it.key().left(cut), it.key().mid(cut + 1), *it);
    }
}

void BestPrices::recompute(const QString& region, const QString& product, Row& row)
{
    for (const QString& supplier : std::as_const(row.best.suppliers))
        m_bestItems.remove(region + supplier + product);
    row.best = {};
    for (auto it = row.prices.cbegin(); it != row.prices.cend(); ++it) {
        const double price = it.value();
        if (price <= 0.0)
            continue;
        if (row.best.suppliers.isEmpty() || price < row.best.price) {
            row.best.price = price;
            row.best.suppliers = {it.key()};
        } else if (price == row.best.price) {
            row.best.suppliers.append(it.key());
        }
    }
    row.best.suppliers.sort();
    for (const QString& supplier : std::as_const(row.best.suppliers))
        m_bestItems.insert(region + supplier + product);
}

void BestPrices::setPrice(const QString& region, const QString& supplier, const QString& product,
                          double price)
{
    Row& row = m_rows[rowKey(region, product)];
    row.prices.insert(supplier, price);
    recompute(region, product, row);
}

void BestPrices::remove(const QString& region, const QString& supplier, const QString& product)
{
    const auto it = m_rows.find(rowKey(region, product));
    if (it == m_rows.end())
        return;
    it->prices.remove(supplier);
    recompute(region, product, *it);
    if (it->prices.isEmpty())
        m_rows.erase(it);
}

BestPrices::Best BestPrices::best(const QString& region, const QString& product) const
{
    return m_rows.value(rowKey(region, product)).best;
}

} // namespace module

#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace host {
class DataSet;
}

namespace module {

// The lowest price above zero of each product-and-brand row in each region, among the
// suppliers of the worksheet, and the items that offer it (ties all count). Built once
// from the item table, then kept up to date item by item: a price change looks again only
// at its own row.
class BestPrices
{
public:
    // Every row from the items (COCREGIAO, COCFORNECED, COCPRODUTO, CONTA).
    void rebuild(const host::DataSet& items);
    // The item's price is now `price` (a new item or a changed price).
    void setPrice(const QString& region, const QString& supplier, const QString& product,
                  double price);
    // The item is gone.
    void remove(const QString& region, const QString& supplier, const QString& product);
    void clear();

    // Whether the item (its detail-line key: region + supplier + product) offers the row's
    // best price.
    bool isBest(const QString& itemKey) const { return m_bestItems.contains(itemKey); }
    // The row's best price (0 when no supplier quotes above zero) and the suppliers that
    // offer it, in the order first met.
    struct Best
    {
        double price = 0.0;
        QStringList suppliers;
    };
    Best best(const QString& region, const QString& product) const;

private:
    struct Row
    {
        QHash<QString, double> prices; // by supplier value
        Best best;
    };
    static QString rowKey(const QString& region, const QString& product);
    void recompute(const QString& region, const QString& product, Row& row);

    QHash<QString, Row> m_rows;
    QSet<QString> m_bestItems;
};

} // namespace module

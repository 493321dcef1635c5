#pragma once

#include <QString>
#include <QStringList>

namespace module {

class ItemBatch;

// Adds a region to the worksheet: for each supplier (whole values) one item per product
// and brand value, in the new region (its whole value). Each item takes the price of the
// supplier's item of the same value in the region `loadFrom` (a whole value), or 0 when
// there is none or no region is given. The number of items added.
int addRegionItems(ItemBatch& batch, const QString& region, const QStringList& suppliers,
                   const QStringList& products, const QString& loadFrom);

} // namespace module

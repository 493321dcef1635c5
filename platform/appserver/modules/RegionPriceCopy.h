#pragma once

// Copying a price typed on an assignment page to the quotation's other regions: the unit
// price and discount of a stored item go to the same supplier, product and brand in every
// other region of the quotation the supplier serves (the regions GetRegAtend offers).

#include "ItemValues.h"
#include "PricedQuotation.h"

namespace host {
class Database;
}

namespace appserver::modules {

class ItemPermission;

// Updates the items stored there and inserts the missing ones (with the source's freight,
// the quotation's validity, as changed by the buyer); a region whose rules refuse a new item
// (NewItemRules) gets nothing. The copies are checked and written as the worksheet's save
// writes its changes, so a copy the operator may not make refuses the whole call
// (rpc::Refusal), and so does a source item the quotation does not hold.
void copyPriceToOtherRegions(host::Database& db, const PricedQuotation& quotation,
                             const ItemKey& source, const ItemPermission& permission,
                             const QString& operatorCode);

} // namespace appserver::modules

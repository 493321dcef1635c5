#pragma once

// A supplier added to a stored quotation: it gets an item for every product and brand of the
// quotation in every region it serves (all of them, or only the quotation's own), priced from
// another supplier of the quotation when the buyer names one to load the prices from.

#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

struct SupplierInclusion
{
    QString branch;       // CDFILIAL of the quotation: the purchasing centre
    QString number;       // NRCOLEPRECO
    QString operatorCode; // who adds the supplier
    QString supplier;     // CDFORNECED, as stored
    // True: every region the supplier serves, those of the centre and the quotation's own;
    // false: only the quotation's regions it serves.
    bool allServedRegions = false;
    // The supplier of the quotation whose prices the new items take (empty: none, prices 0),
    // and the region they are taken from (empty: each item's own region).
    QString priceSupplier;
    QString priceRegion;
};

// Checks the inclusion and writes its items with one statement, inside the caller's write
// transaction; returns how many items were written. Only the quotation's buyer or his
// manager adds a supplier; the supplier must be registered, active and offered at the
// collection date, new to the quotation and serve at least one of the regions; the supplier
// and region to load prices from must be the quotation's. Each item takes the unit price and
// discount of the same product and brand of the supplier the prices are loaded from (0 and
// the supplier's own discount without one), the new supplier's freight, the quotation's
// validity and the quantity to buy of the region's other offers. The items are marked as
// changed by the buyer and the quotation as priced on the worksheet, as an item stored from
// an assignment page. Refuses (rpc::Refusal) before writing anything.
qint64 includeSupplier(host::Database& db, const SupplierInclusion& inclusion);

} // namespace appserver::modules

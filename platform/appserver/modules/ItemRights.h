#pragma once

#include "ProductTree.h"

#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

class ItemDelta;
struct ItemChange;

// Who may change the items of a quotation in a save: its buyer and his manager change
// them all; where the purchasing centre lets each product be priced by the buyer who
// negotiates it (PARASUPRI.IDUMPRODCMP = "S"), such a buyer also inserts items of his
// products and changes their prices, and nothing else.
class ItemPermission
{
public:
    // Refuses (rpc::Refusal) an operator who may change none of the items.
    ItemPermission(host::Database& db, const QString& operatorCode, const QString& centre,
                   const QString& buyer);

    // True for a buyer who prices the products he negotiates, not the quotation's own.
    bool byProduct() const { return !m_all; }
    // Refuses a change the operator may not make.
    void check(const ItemChange& change, const ItemDelta& delta, const ProductTree& products) const;

private:
    bool m_all = false;
    TreeNodes m_negotiated; // the product buyer's products and groups
};

} // namespace appserver::modules

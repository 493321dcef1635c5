#pragma once

// The rules an item must pass before it is added to a quotation from an assignment page (a
// new row, or an item given another product, brand, region or supplier), in the order the
// pages check them, each refused with the text the pages show:
//   the region and the supplier are registered; the supplier serves the region, is qualified
//   at the collection date and active;
//   the product is registered (active, with a stock product) and, where the centre buys only
//   purchase products, one of them; it is registered and qualified for the supplier and
//   negotiated by the quotation's buyer;
//   the brand is registered, registered for the product and qualified for it;
//   the purchasing centre and the region's branch negotiate the product.
// The register rules are those ValidaDados checks a worksheet with (ItemChecks). The
// registers are read once, so one object checks an item in many regions.

#include "ItemChecks.h"
#include "ItemValues.h"
#include "PricedQuotation.h"

namespace appserver::modules {

class NewItemRules
{
public:
    // Throws rpc::Refusal when the centre has no purchasing parameters.
    NewItemRules(host::Database& db, const QString& centre, const PricedQuotation& quotation,
                 const QString& operatorCode);

    // The first rule the item breaks, as the buyer reads it; empty when it breaks none.
    QString refusal(const ItemKey& item) const;

private:
    bool registered(const char* sql, const QString& code) const;
    QString supplierRefusal(const ItemKey& item) const;
    QString productRefusal(const ItemKey& item) const;
    QString buyerRefusal(const QString& treeCode) const;
    bool qualified(const QString& validUntil) const;

    host::Database& m_db;
    ItemChecks m_checks;
    QDate m_collected;
    QString m_validityRule;    // IDULTIDTVALQ
    bool m_purchaseOnly;       // IDUTLPROCMP = "S"
    bool m_pricedByProduct;    // IDUMPRODCMP = "S"
    TreeNodes m_buyerProducts; // of the quotation's buyer
    TreeNodes m_operatorProducts;
    TreeNodes m_anyBuyerProducts; // read only where each product has its own buyer
};

} // namespace appserver::modules

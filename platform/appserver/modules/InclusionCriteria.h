#pragma once

// What a buyer asks a new quotation to hold: the regions, suppliers, products and brands
// to pick its items from, and the checks its items must pass.

#include "ChosenCodes.h"

#include <QDate>
#include <QString>

namespace appserver::modules {

// The checks a buyer may choose, by their codes "0" to "3" in the list of checks.
enum class InclusionCheck : quint8
{
    BuyerNegotiatesProduct = 0,      // PRODCOMP: the buyer negotiates the product or its group
    SupplierQualified = 1,           // FORNECEDOR/QUALIFICACAO at the collection date
    SupplierQualifiedForProduct = 2, // QFOPRODFORN
    BrandQualifiedForProduct = 3,    // QFOMARPROD
};
inline constexpr int kInclusionCheckCount = 4;

struct InclusionCriteria
{
    QString centre;
    QString buyer;
    QDate collected;
    // Product tree codes: from `firstTree` (empty: the first product) up to `lastTree` (the
    // final code filled with "Z"; empty: the last product).
    QString firstTree;
    QString lastTree;
    ChosenCodes regions;
    ChosenCodes suppliers;
    ChosenCodes brands;
    quint8 checks = (1 << kInclusionCheckCount) - 1; // one bit per InclusionCheck
    bool toBuyOnly = false; // only products with open purchase requests in the region

    bool has(InclusionCheck check) const { return checks & (1 << int(check)); }
};

} // namespace appserver::modules

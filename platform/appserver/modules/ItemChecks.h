#pragma once

// The register checks of a worksheet's items before they are saved, at a purchasing centre
// on the quotation's collection date. Each check answers true when the item breaks its
// rule, in the order of the seven error flags the worksheet shows per item:
//   1 the brand is not qualified for the product (refused, or its approval lapsed; a pair
//     without a qualification row when the centre does not accept brands without one),
//   2 the product is not qualified for the supplier (refused, or approval lapsed),
//   3 the supplier does not serve the region,
//   4 the region's branch does not negotiate the product,
//   5 the purchasing centre does not negotiate the product,
//   6 the product is not registered for the supplier,
//   7 the brand is not registered for the product (not checked when the centre has a
//     default brand).
// The registers are read once, when the checks are made; a packet of hundreds of thousands
// of items is then checked without further reads.

#include "ProductTree.h"

#include <QDate>
#include <QHash>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

namespace host {
class Database;
}

namespace appserver::modules {

class ItemChecks
{
public:
    enum Flag : quint8
    {
        BrandNotQualified = 1 << 0,
        ProductNotQualifiedForSupplier = 1 << 1,
        RegionNotServed = 1 << 2,
        RegionBranchDoesNotBuy = 1 << 3,
        CentreDoesNotBuy = 1 << 4,
        ProductNotSupplied = 1 << 5,
        BrandNotRegistered = 1 << 6,
    };
    static constexpr int kFlagCount = 7;

    // Throws rpc::Refusal when the centre has no purchasing parameters.
    ItemChecks(host::Database& db, const QString& centre, const QDate& collectionDate);

    // Flags that depend on the product and brand alone: 1, 5 and 7.
    quint8 productFlags(const QString& product, const QString& brand) const;
    // Flags of the supplier and product: 2 and 6.
    quint8 supplyFlags(const QString& supplier, const QString& product) const;
    // Flag 3.
    quint8 regionFlags(const QString& supplier, const QString& region) const;
    // Flag 4.
    quint8 regionBranchFlags(const QString& region, const QString& product) const;
    // True when the brand is registered for the product or a tree node above it, whether
    // or not the centre checks it (flag 7 is only raised when it does).
    bool brandRegistered(const QString& product, const QString& brand) const;
    // False when the purchasing centre does not negotiate the product (flag 5).
    bool centreNegotiates(const QString& product) const;

    // The registrations read both ways, for a new quotation that picks its items from them:
    // the suppliers the product is registered for (flag 6 holds for none of them), and the
    // brands registered for it (flag 7 holds for none of them), in code order.
    QStringList suppliersOf(const QString& product) const;
    QStringList brandsOf(const QString& product) const;
    // The centre's default brand (PARASUPRI.CDMARCA); empty when it has none.
    const QString& defaultBrand() const { return m_defaultBrand; }

    // The seven "S"/"N" of the flags, in order.
    static QString errorText(quint8 flags);

private:
    using Pair = QPair<QString, QString>;
    void readQualifications(host::Database& db);
    bool lapsed(const QString& validUntil) const;

    QDate m_date;
    QString m_centre;
    QString m_validityRule;   // IDULTIDTVALQ: "D" to the day, "M" to the end of the month
    bool m_unqualifiedBrands; // IDMARSEMQUA = "S": a pair without qualification is flagged
    QString m_defaultBrand;   // PARASUPRI.CDMARCA; when set, brand registration is not checked
    ProductTree m_products;
    QSet<Pair> m_refusedBrands;    // product, brand: refused or lapsed
    QSet<Pair> m_qualifiedBrands;  // product, brand: with a qualification row
    QSet<Pair> m_refusedSuppliers; // product, supplier: refused or lapsed
    QSet<Pair> m_barredRegions;    // supplier, region
    QHash<QString, QString> m_regionBranch;
    QHash<QString, TreeNodes> m_notBought; // branch -> nodes it does not negotiate
    TreeIndex m_supplied;                  // supplier <-> nodes
    TreeIndex m_brandNodes;                // brand <-> nodes it is registered for
};

// The regions a supplier does not serve at all (REFOREG rows without a delivery period).
QSet<QString> regionsNotServed(host::Database& db, const QString& supplier);

// Reads a collection date sent as text: "yyyy-MM-dd" or "dd/MM/yyyy". Invalid when neither.
QDate readCollectionDate(const QString& text);

} // namespace appserver::modules

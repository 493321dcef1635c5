#pragma once

// The items a new quotation would hold, found the way a buyer narrows them down: the
// chosen regions of the centre, the chosen active suppliers that serve them, the bought
// products of the range, the suppliers each product is registered for and the brands
// registered for it, each stage filtered by the registers and by the chosen checks. The
// register rules are those ValidaDados checks a worksheet with (ItemChecks), so a new
// quotation never holds an item a save would flag.
//
// The funnel keeps the pairs each stage leaves (a few thousand even when they make
// hundreds of thousands of items) and how many were left after each stage, which tells a
// buyer why nothing would be generated.

#include "InclusionCriteria.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

class ItemChecks;

using CodePair = QPair<QString, QString>;

// How many are left after each stage.
struct FunnelCounts
{
    int regions = 0;            // of the centre, chosen
    int suppliers = 0;          // active, chosen
    int qualifiedSuppliers = 0; // after the supplier qualification check
    int servingSuppliers = 0;   // serving at least one of the regions
    int servedRegionPairs = 0;  // region/supplier pairs served
    int productsInRange = 0;    // level 3, active, bought, in the range
    int productsOfCentre = 0;   // the centre negotiates them
    int productsOfBuyer = 0;    // after the buyer check
    int productsToBuy = 0;      // with open requests in the regions ("a Comprar" only)
    int barredRegionPairs = 0;  // region/product pairs the region's branch does not negotiate
    int supplyPairs = 0;        // supplier/product registrations among what is left
    int qualifiedSupplyPairs = 0;
    int brandPairs = 0; // product/brand registrations (or the default brand) in the list
    int qualifiedBrandPairs = 0;
    qint64 items = 0;
};

class QuotationFunnel
{
public:
    // Throws rpc::Refusal when the centre has no purchasing parameters.
    QuotationFunnel(host::Database& db, const InclusionCriteria& criteria);

    const InclusionCriteria& criteria() const { return m_criteria; }
    const FunnelCounts& counts() const { return m_counts; }

    // The pairs the items are made of: every served region/supplier pair, with every
    // product the supplier supplies, in every brand of the product, but for the region/
    // product pairs barred (and, "a Comprar", those without open requests).
    const QList<CodePair>& servedRegions() const { return m_served; }        // region, supplier
    const QList<CodePair>& suppliedProducts() const { return m_supplied; }   // supplier, product
    const QList<CodePair>& productBrands() const { return m_brands; }        // product, brand
    const QList<CodePair>& barredRegionProducts() const { return m_barred; } // region, product

private:
    struct Parameters
    {
        bool purchaseProductsOnly = false; // IDUTLPROCMP
        QString validityRule;              // IDULTIDTVALQ
        bool productsWithoutBrand = false; // IDPROSEMMAR
    };
    struct Product
    {
        QString code;
        QString tree;
    };

    static Parameters readParameters(host::Database& db, const QString& centre);
    void chooseRegions(host::Database& db);
    void chooseSuppliers(host::Database& db, const Parameters& parameters);
    void pairServedRegions(const ItemChecks& checks);
    void chooseProducts(host::Database& db, const ItemChecks& checks, const Parameters& parameters);
    void readOpenRequests(host::Database& db);
    void barRegionProducts(const ItemChecks& checks);
    void pairSuppliedProducts(const ItemChecks& checks);
    void pairBrands(const ItemChecks& checks, const Parameters& parameters);
    void countItems();

    InclusionCriteria m_criteria;
    FunnelCounts m_counts;
    QStringList m_regions;
    QStringList m_suppliers;
    QList<Product> m_products;
    QSet<CodePair> m_requested; // region, product with open requests
    QList<CodePair> m_served;
    QList<CodePair> m_supplied;
    QList<CodePair> m_brands;
    QList<CodePair> m_barred;
};

} // namespace appserver::modules

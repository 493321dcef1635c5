#include "QuotationFunnel.h"

#include "BoundSql.h"
#include "ItemChecks.h"
#include "PurchaseRequests.h"
#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/Query.h"
#include "module/records/Qualification.h"

#include <QSqlQuery>
#include <QVariant>

namespace appserver::modules {

namespace {

// Keeps the codes a list chooses (all of them when the list says so).
class Choice
{
public:
    explicit Choice(const ChosenCodes& codes)
        : m_all(codes.all), m_codes(codes.codes.begin(), codes.codes.end())
    {
    }
    bool contains(const QString& code) const { return m_all || m_codes.contains(code); }

private:
    bool m_all;
    QSet<QString> m_codes;
};

bool isYes(const QVariant& flag)
{
    return flag.toString().trimmed() == QLatin1String("S");
}

} // namespace

QuotationFunnel::QuotationFunnel(host::Database& db, const InclusionCriteria& criteria)
    : m_criteria(criteria)
{
    const Parameters parameters = readParameters(db, criteria.centre);
    const ItemChecks checks(db, criteria.centre, criteria.collected);
    chooseRegions(db);
    chooseSuppliers(db, parameters);
    pairServedRegions(checks);
    chooseProducts(db, checks, parameters);
    readOpenRequests(db);
    barRegionProducts(checks);
    pairSuppliedProducts(checks);
    pairBrands(checks, parameters);
    countItems();
}

QuotationFunnel::Parameters QuotationFunnel::readParameters(host::Database& db,
                                                            const QString& centre)
{
    QSqlQuery query = db.run(QStringLiteral("SELECT IDUTLPROCMP, IDULTIDTVALQ, IDPROSEMMAR FROM "
                                            "PARASUPRI WHERE CDFILIAL = ?"),
                             {centre});
    if (!query.next())
        throw rpc::Refusal(QStringLiteral("Parâmetros de compras da central %1 não cadastrados: "
                                          "a cotação não pode ser incluída.")
                               .arg(centre));
    return {isYes(query.value(0)), query.value(1).toString().trimmed(), isYes(query.value(2))};
}

void QuotationFunnel::chooseRegions(host::Database& db)
{
    const Choice chosen(m_criteria.regions);
    QSqlQuery query = db.run(QStringLiteral("SELECT R.CDREGIAO FROM REGIAO R JOIN FILIAL F ON "
                                            "F.CDFILIAL = R.CDFILIAL WHERE %1 = ? ORDER BY "
                                            "R.CDREGIAO")
                                 .arg(QLatin1String(kBranchCentreSql)),
                             {m_criteria.centre});
    while (query.next())
        if (chosen.contains(query.value(0).toString()))
            m_regions.append(query.value(0).toString());
    m_counts.regions = int(m_regions.size());
}

void QuotationFunnel::chooseSuppliers(host::Database& db, const Parameters& parameters)
{
    const Choice chosen(m_criteria.suppliers);
    QSqlQuery active = db.run(QStringLiteral(
        "SELECT CDFORNECED FROM FORNECEDOR WHERE IDSITUCADA = 'A' ORDER BY CDFORNECED"));
    while (active.next())
        if (chosen.contains(active.value(0).toString()))
            m_suppliers.append(active.value(0).toString());
    m_counts.suppliers = int(m_suppliers.size());

    if (m_criteria.has(InclusionCheck::SupplierQualified)) {
        // The same rule as the supplier searches of the screens, at the collection date.
        const host::ParsedSql offered = host::ParsedSql::parse(
            QStringLiteral("SELECT FORNECEDOR.CDFORNECED FROM FORNECEDOR WHERE ") +
            module::supplierOfferedCondition());
        QVariantList values;
        for (const QString& name : offered.occurrences)
            values.append(name == QLatin1String(module::QualificationRuleParameter)
                              ? QVariant(parameters.validityRule)
                              : QVariant(m_criteria.collected.toString(Qt::ISODate)));
        QSet<QString> qualified;
        QSqlQuery query = db.run(offered.sql, values);
        while (query.next())
            qualified.insert(query.value(0).toString());
        m_suppliers.removeIf([&](const QString& s) { return !qualified.contains(s); });
    }
    m_counts.qualifiedSuppliers = int(m_suppliers.size());
}

void QuotationFunnel::pairServedRegions(const ItemChecks& checks)
{
    QSet<QString> serving;
    for (const QString& region : std::as_const(m_regions))
        for (const QString& supplier : std::as_const(m_suppliers))
            if (checks.regionFlags(supplier, region) == 0) {
                m_served.append({region, supplier});
                serving.insert(supplier);
            }
    m_suppliers.removeIf([&](const QString& s) { return !serving.contains(s); });
    m_counts.servingSuppliers = int(m_suppliers.size());
    m_counts.servedRegionPairs = int(m_served.size());
}

void QuotationFunnel::chooseProducts(host::Database& db, const ItemChecks& checks,
                                     const Parameters& parameters)
{
    // Products proper (level 3), active, and only purchase products where the centre says so.
    BoundSql sql;
    sql.add(QStringLiteral("SELECT CDPRODUTO, CDARVPROD FROM PRODUTO WHERE CDNVPRODUTO = 3 AND "
                           "COALESCE(IDPRODATIVPR, 'S') = 'S'"));
    if (parameters.purchaseProductsOnly)
        sql.add(QStringLiteral(" AND CDPRODESTO IS NOT NULL AND CDPRODUTO <> CDPRODESTO"));
    if (!m_criteria.firstTree.isEmpty())
        sql.add(QStringLiteral(" AND CDARVPROD >= ?"), {m_criteria.firstTree});
    if (!m_criteria.lastTree.isEmpty())
        sql.add(QStringLiteral(" AND CDARVPROD <= ?"), {m_criteria.lastTree});
    sql.add(QStringLiteral(" ORDER BY CDARVPROD"));
    QSqlQuery query = db.run(sql.text, sql.values);
    while (query.next())
        m_products.append({query.value(0).toString(), query.value(1).toString().trimmed()});
    m_counts.productsInRange = int(m_products.size());

    m_products.removeIf([&](const Product& p) { return !checks.centreNegotiates(p.code); });
    m_counts.productsOfCentre = int(m_products.size());

    if (m_criteria.has(InclusionCheck::BuyerNegotiatesProduct)) {
        const TreeNodes negotiated = negotiatedBy(db, m_criteria.buyer);
        m_products.removeIf([&](const Product& p) { return !negotiated.covers(p.tree); });
    }
    m_counts.productsOfBuyer = int(m_products.size());
}

void QuotationFunnel::readOpenRequests(host::Database& db)
{
    const QSet<QString> regions(m_regions.begin(), m_regions.end());
    QSqlQuery query =
        db.run(QStringLiteral("SELECT DISTINCT S.CDREGIAO, S.CDPRODUTO FROM ") + openRequestsSql(),
               {m_criteria.centre});
    QSet<QString> requestedProducts;
    while (query.next())
        if (regions.contains(query.value(0).toString())) {
            m_requested.insert({query.value(0).toString(), query.value(1).toString()});
            requestedProducts.insert(query.value(1).toString());
        }
    if (m_criteria.toBuyOnly)
        m_products.removeIf([&](const Product& p) { return !requestedProducts.contains(p.code); });
    m_counts.productsToBuy = int(m_products.size());
}

void QuotationFunnel::barRegionProducts(const ItemChecks& checks)
{
    for (const QString& region : std::as_const(m_regions))
        for (const Product& product : std::as_const(m_products))
            if (checks.regionBranchFlags(region, product.code) != 0)
                m_barred.append({region, product.code});
    m_counts.barredRegionPairs = int(m_barred.size());
}

void QuotationFunnel::pairSuppliedProducts(const ItemChecks& checks)
{
    const QSet<QString> serving(m_suppliers.begin(), m_suppliers.end());
    quint8 rules = ItemChecks::ProductNotSupplied;
    if (m_criteria.has(InclusionCheck::SupplierQualifiedForProduct))
        rules |= ItemChecks::ProductNotQualifiedForSupplier;
    for (const Product& product : std::as_const(m_products))
        for (const QString& supplier : checks.suppliersOf(product.code)) {
            if (!serving.contains(supplier))
                continue;
            ++m_counts.supplyPairs;
            if ((checks.supplyFlags(supplier, product.code) & rules) == 0)
                m_supplied.append({supplier, product.code});
        }
    m_counts.qualifiedSupplyPairs = int(m_supplied.size());
}

void QuotationFunnel::pairBrands(const ItemChecks& checks, const Parameters& parameters)
{
    QSet<QString> supplied;
    for (const CodePair& pair : std::as_const(m_supplied))
        supplied.insert(pair.second);
    const Choice chosen(m_criteria.brands);
    quint8 rules = ItemChecks::CentreDoesNotBuy | ItemChecks::BrandNotRegistered;
    if (m_criteria.has(InclusionCheck::BrandQualifiedForProduct))
        rules |= ItemChecks::BrandNotQualified;
    for (const Product& product : std::as_const(m_products)) {
        if (!supplied.contains(product.code))
            continue;
        QStringList brands = checks.brandsOf(product.code);
        // A product without a brand of its own is quoted in the centre's default brand,
        // where the centre allows it.
        if (brands.isEmpty() && parameters.productsWithoutBrand && !checks.defaultBrand().isEmpty())
            brands.append(checks.defaultBrand());
        for (const QString& brand : std::as_const(brands)) {
            if (!chosen.contains(brand))
                continue;
            ++m_counts.brandPairs;
            if ((checks.productFlags(product.code, brand) & rules) == 0)
                m_brands.append({product.code, brand});
        }
    }
    m_counts.qualifiedBrandPairs = int(m_brands.size());
}

void QuotationFunnel::countItems()
{
    QHash<QString, int> brandsOfProduct;
    for (const CodePair& pair : std::as_const(m_brands))
        ++brandsOfProduct[pair.first];
    QHash<QString, QStringList> productsOfSupplier;
    for (const CodePair& pair : std::as_const(m_supplied))
        if (brandsOfProduct.contains(pair.second))
            productsOfSupplier[pair.first].append(pair.second);
    const QSet<CodePair> barred(m_barred.begin(), m_barred.end());

    for (const auto& [region, supplier] : std::as_const(m_served))
        for (const QString& product : productsOfSupplier.value(supplier)) {
            const CodePair regionProduct{region, product};
            if (barred.contains(regionProduct) ||
                (m_criteria.toBuyOnly && !m_requested.contains(regionProduct)))
                continue;
            m_counts.items += brandsOfProduct.value(product);
        }
}

} // namespace appserver::modules

#include "ProductInsertion.h"

#include "ItemChecks.h"
#include "ItemValues.h"
#include "OfferedSuppliers.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"
#include "module/records/WorksheetValues.h"

#include <QSet>
#include <QSqlQuery>

namespace appserver::modules {

namespace {

using rpc::Refusal;

struct Product
{
    QString code;
    QString name;
};

// An active product proper (with its stock product), as a new item's rules require.
Product readProduct(host::Database& db, const QString& sent)
{
    const QString code = host::Ajusta(sent.trimmed(), module::Width::Product);
    QSqlQuery query = db.run(QStringLiteral("SELECT NMPRODUTO FROM PRODUTO WHERE CDPRODUTO = ? "
                                            "AND CDPRODESTO IS NOT NULL AND "
                                            "COALESCE(IDPRODATIVPR, 'S') = 'S'"),
                             {code});
    if (code.isEmpty() || code.size() > module::Width::Product || !query.next())
        throw Refusal(QStringLiteral("Produto não cadastrado."));
    return {code, query.value(0).toString()};
}

bool quotesProductsWithoutBrand(host::Database& db, const QString& centre)
{
    QSqlQuery query =
        db.run(QStringLiteral("SELECT IDPROSEMMAR FROM PARASUPRI WHERE CDFILIAL = ?"), {centre});
    return query.next() && query.value(0).toString().trimmed() == QLatin1String("S");
}

// The brands the product may be quoted in at the collection date, in code order.
QStringList quotableBrands(const ItemChecks& checks, const QString& product, bool withoutBrand)
{
    QStringList brands = checks.brandsOf(product);
    if (brands.isEmpty() && withoutBrand && !checks.defaultBrand().isEmpty())
        brands.append(checks.defaultBrand());
    brands.removeIf([&](const QString& brand) {
        return checks.productFlags(product, brand) & ItemChecks::BrandNotQualified;
    });
    return brands;
}

// Refuses a chosen brand the register lacks.
void requireRegistered(host::Database& db, const QStringList& brands)
{
    for (const QString& brand : brands)
        if (!db.run(QStringLiteral("SELECT 1 FROM MARCA WHERE CDMARCA = ?"), {brand}).next())
            throw Refusal(QStringLiteral("Marca %1 não cadastrada.").arg(shownValue(brand)));
}

// The brand's name as the worksheet shows it; empty for a code the register lacks.
QString brandName(host::Database& db, const QString& brand)
{
    QSqlQuery query =
        db.run(QStringLiteral("SELECT NMMARCA FROM MARCA WHERE CDMARCA = ?"), {brand});
    return query.next() ? query.value(0).toString() : QString();
}

QSet<QString> registeredRegions(host::Database& db)
{
    QSet<QString> regions;
    QSqlQuery query = db.run(QStringLiteral("SELECT CDREGIAO FROM REGIAO"));
    while (query.next())
        regions.insert(query.value(0).toString());
    return regions;
}

} // namespace

host::Packet productInsertionItems(host::Database& db, const ProductInsertion& insertion)
{
    const Product product = readProduct(db, insertion.product);
    const OfferedSuppliers offered =
        OfferedSuppliers::atCentre(db, insertion.centre, insertion.collected);
    const ItemChecks checks(db, insertion.centre, insertion.collected);

    const QStringList quotable =
        quotableBrands(checks, product.code, quotesProductsWithoutBrand(db, insertion.centre));
    QStringList brands = quotable;
    if (insertion.brands) {
        requireRegistered(db, *insertion.brands);
        brands = *insertion.brands;
        brands.removeIf([&](const QString& brand) { return !quotable.contains(brand); });
    }

    QList<const ListedValue*> suppliers;
    for (const ListedValue& supplier : insertion.suppliers)
        if (checks.supplyFlags(supplier.code, product.code) == 0 && offered.offered(supplier.code))
            suppliers.append(&supplier);

    QStringList productValues;
    for (const QString& brand : std::as_const(brands))
        productValues.append(
            module::productValue(product.name, product.code, brand, brandName(db, brand)));

    host::Packet items(
        host::FieldDefs{host::FieldDef::text(QStringLiteral("COCREGIAO"), kRegionValueWidth),
                        host::FieldDef::text(QStringLiteral("COCFORNECED"), kSupplierValueWidth),
                        host::FieldDef::text(QStringLiteral("COCPRODUTO"), 91),
                        host::FieldDef::of(QStringLiteral("CONTA"), host::FieldType::Float)});
    // Nothing the save would refuse: a product the centre does not buy has no item, and a
    // region whose branch does not buy it is left out.
    if (!checks.centreNegotiates(product.code))
        return items;
    const QSet<QString> regions = registeredRegions(db);
    for (const ListedValue& region : insertion.regions) {
        if (!regions.contains(region.code) || checks.regionBranchFlags(region.code, product.code))
            continue;
        for (const ListedValue* supplier : std::as_const(suppliers)) {
            if (checks.regionFlags(supplier->code, region.code))
                continue;
            for (const QString& value : std::as_const(productValues))
                items.appendRow({region.value, supplier->value, value, 0.0});
        }
    }
    return items;
}

} // namespace appserver::modules

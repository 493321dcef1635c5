#include "SupplierInclusion.h"

#include "BoundSql.h"
#include "ChosenCodes.h"
#include "ItemChecks.h"
#include "ItemValues.h"
#include "OfferedSuppliers.h"
#include "PricedQuotation.h"
#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"

#include <QSqlQuery>
#include <QStringList>

namespace appserver::modules {

namespace {

using rpc::Refusal;

QStringList codes(host::Database& db, const QString& sql, const QVariantList& values)
{
    QStringList found;
    QSqlQuery query = db.run(sql, values);
    while (query.next())
        found.append(query.value(0).toString());
    return found;
}

bool inQuotation(host::Database& db, const PricedQuotation& quotation, const QString& supplier)
{
    return db
        .run(QStringLiteral("SELECT 1 FROM ITEMCOLE WHERE CDFILIAL = ? AND NRCOLEPRECO = ? AND "
                            "CDFORNECED = ?"),
             {quotation.branch, quotation.number, supplier})
        .next();
}

// Registered, active and offered at the collection date.
void checkSupplier(host::Database& db, const PricedQuotation& quotation, const QString& supplier)
{
    QSqlQuery query = db.run(
        QStringLiteral("SELECT IDSITUCADA FROM FORNECEDOR WHERE CDFORNECED = ?"), {supplier});
    if (!query.next())
        throw Refusal(
            QStringLiteral("Fornecedor %1 não cadastrado.").arg(shownValue(supplier.trimmed())));
    if (query.value(0).toString().trimmed() != QLatin1String("A"))
        throw Refusal(QStringLiteral("Fornecedor inativo."));
    if (!OfferedSuppliers::atCentre(db, quotation.branch, quotation.collected).offered(supplier))
        throw Refusal(QStringLiteral("Fornecedor não qualificado ou com qualificação vencida."));
    if (inQuotation(db, quotation, supplier))
        throw Refusal(QStringLiteral("Fornecedor já cadastrado na cotação."));
}

// The regions the items go to, in code order.
QStringList servedRegions(host::Database& db, const SupplierInclusion& inclusion,
                          const QStringList& quotationRegions)
{
    QStringList regions = quotationRegions;
    if (inclusion.allServedRegions) {
        // The regions bought for by the branches of the purchasing centre, as GetRegAtend
        // offers them, and the quotation's own.
        regions += codes(db,
                         QStringLiteral("SELECT R.CDREGIAO FROM REGIAO R JOIN FILIAL F ON "
                                        "F.CDFILIAL = R.CDFILIAL WHERE %1 = ?")
                             .arg(QLatin1String(kBranchCentreSql)),
                         {inclusion.branch});
        regions.sort();
        regions.removeDuplicates();
    }
    const QSet<QString> barred = regionsNotServed(db, inclusion.supplier);
    regions.removeIf([&](const QString& region) { return barred.contains(region); });
    if (regions.isEmpty())
        throw Refusal(inclusion.allServedRegions
                          ? QStringLiteral("Fornecedor não atende a nenhuma região.")
                          : QStringLiteral("Fornecedor não atende a nenhuma região da planilha."));
    return regions;
}

void checkPriceSource(host::Database& db, const PricedQuotation& quotation,
                      const SupplierInclusion& inclusion, const QStringList& quotationRegions)
{
    if (inclusion.priceSupplier.isEmpty()) {
        if (!inclusion.priceRegion.isEmpty())
            throw Refusal(QStringLiteral("Fornecedor para carga de preços deve ser informado."));
        return;
    }
    if (!inQuotation(db, quotation, inclusion.priceSupplier))
        throw Refusal(QStringLiteral("Fornecedor para carga de preços não pertence à cotação."));
    if (!inclusion.priceRegion.isEmpty() && !quotationRegions.contains(inclusion.priceRegion))
        throw Refusal(QStringLiteral("Região para carga de preços não pertence à cotação."));
}

// The items of one region at once: the quotation's distinct product/brand pairs of the
// given products, with the price source joined when there is one.
BoundSql itemsStatement(const SupplierInclusion& inclusion, const QString& region,
                        const QStringList& products)
{
    const bool loaded = !inclusion.priceSupplier.isEmpty();
    const QString ownDiscount = QStringLiteral(
        "CASE WHEN F.IDTPDESCFORN = 'C' THEN COALESCE(F.VRPEDESCFORN, 0) ELSE 0 END");
    BoundSql sql;
    sql.add(QStringLiteral("INSERT INTO ITEMCOLE (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, "
                           "CDPRODUTO, CDMARCA, VRPRECUNIITM, QTACMPITMCOL, VRPERDESITM, "
                           "DTINIVALITM, DTFINVALITM, IDITMCOTPREC, IDTIPFREITM) SELECT "
                           "C.CDFILIAL, C.NRCOLEPRECO, R.CDREGIAO, F.CDFORNECED, P.CDPRODUTO, "
                           "P.CDMARCA, "));
    sql.add(loaded ? QStringLiteral("COALESCE(S.VRPRECUNIITM, 0), ") : QStringLiteral("0, "));
    // The quantity to buy belongs to the region and product, whoever offers it.
    sql.add(QStringLiteral("COALESCE((SELECT MAX(Q.QTACMPITMCOL) FROM ITEMCOLE Q WHERE "
                           "Q.CDFILIAL = C.CDFILIAL AND Q.NRCOLEPRECO = C.NRCOLEPRECO AND "
                           "Q.CDREGIAO = R.CDREGIAO AND Q.CDPRODUTO = P.CDPRODUTO AND Q.CDMARCA = "
                           "P.CDMARCA), 0), "));
    sql.add(loaded ? QStringLiteral("CASE WHEN S.CDPRODUTO IS NULL THEN ") + ownDiscount +
                         QStringLiteral(" ELSE COALESCE(S.VRPERDESITM, 0) END, ")
                   : ownDiscount + QStringLiteral(", "));
    sql.add(QStringLiteral("C.DTINIVALCOL, C.DTFINVALCOL, 'S', F.IDTPFRETFORN FROM COLETAPR C "
                           "JOIN FORNECEDOR F ON F.CDFORNECED = ? JOIN REGIAO R ON "),
            {inclusion.supplier});
    sql.add(QStringLiteral("R.CDREGIAO = ?"), {region});
    sql.add(QStringLiteral(" JOIN (SELECT DISTINCT CDPRODUTO, CDMARCA FROM ITEMCOLE WHERE "
                           "CDFILIAL = ? AND NRCOLEPRECO = ?) P ON "),
            {inclusion.branch, inclusion.number});
    sql.add(inCondition(QStringLiteral("P.CDPRODUTO"), ChosenCodes{false, products}));
    sql.add(QStringLiteral(" "));
    if (loaded) {
        sql.add(QStringLiteral("LEFT JOIN ITEMCOLE S ON S.CDFILIAL = C.CDFILIAL AND "
                               "S.NRCOLEPRECO = C.NRCOLEPRECO AND S.CDFORNECED = ? AND "
                               "S.CDPRODUTO = P.CDPRODUTO AND S.CDMARCA = P.CDMARCA AND "
                               "S.CDREGIAO = "),
                {inclusion.priceSupplier});
        if (inclusion.priceRegion.isEmpty())
            sql.add(QStringLiteral("R.CDREGIAO "));
        else
            sql.add(QStringLiteral("? "), {inclusion.priceRegion});
    }
    sql.add(QStringLiteral("WHERE C.CDFILIAL = ? AND C.NRCOLEPRECO = ? AND NOT EXISTS (SELECT 1 "
                           "FROM ITEMCOLE X WHERE X.CDFILIAL = C.CDFILIAL AND X.NRCOLEPRECO = "
                           "C.NRCOLEPRECO AND X.CDREGIAO = R.CDREGIAO AND X.CDFORNECED = "
                           "F.CDFORNECED AND X.CDPRODUTO = P.CDPRODUTO AND X.CDMARCA = "
                           "P.CDMARCA)"),
            {inclusion.branch, inclusion.number});
    return sql;
}

} // namespace

qint64 includeSupplier(host::Database& db, const SupplierInclusion& inclusion)
{
    requireBuyerOrManager(db, inclusion.operatorCode, inclusion.branch, inclusion.number);
    const PricedQuotation quotation = readPricedQuotation(db, inclusion.branch, inclusion.number);
    checkSupplier(db, quotation, inclusion.supplier);
    const QStringList quotationRegions =
        codes(db,
              QStringLiteral("SELECT DISTINCT CDREGIAO FROM ITEMCOLE WHERE CDFILIAL = ? AND "
                             "NRCOLEPRECO = ? ORDER BY CDREGIAO"),
              {quotation.branch, quotation.number});
    const QStringList regions = servedRegions(db, inclusion, quotationRegions);
    checkPriceSource(db, quotation, inclusion, quotationRegions);

    // Only items the save accepts: products the supplier supplies and is qualified for, in
    // the regions whose branch buys them.
    const QStringList products =
        codes(db,
              QStringLiteral("SELECT DISTINCT CDPRODUTO FROM ITEMCOLE WHERE CDFILIAL = ? AND "
                             "NRCOLEPRECO = ? ORDER BY CDPRODUTO"),
              {quotation.branch, quotation.number});
    const ItemChecks checks(db, quotation.branch, quotation.collected);
    QStringList supplied = products;
    supplied.removeIf([&](const QString& product) {
        return checks.supplyFlags(inclusion.supplier, product) != 0;
    });
    if (supplied.isEmpty())
        throw Refusal(QStringLiteral("Fornecedor não cadastrado ou não qualificado para o(s) "
                                     "produto(s) da cotação."));
    qint64 written = 0;
    for (const QString& region : regions) {
        QStringList bought = supplied;
        bought.removeIf([&](const QString& product) {
            return checks.regionBranchFlags(region, product) != 0;
        });
        if (bought.isEmpty())
            continue;
        const BoundSql items = itemsStatement(inclusion, region, bought);
        written += db.run(items.text, items.values).numRowsAffected();
    }
    if (written > 0)
        db.run(QStringLiteral("UPDATE COLETAPR SET IDTIPCOLREG = 'G' WHERE CDFILIAL = ? AND "
                              "NRCOLEPRECO = ? AND COALESCE(TRIM(IDTIPCOLREG), '') IN ('', 'L')"),
               {quotation.branch, quotation.number});
    return written;
}

} // namespace appserver::modules

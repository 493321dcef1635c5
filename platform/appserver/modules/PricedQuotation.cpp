#include "PricedQuotation.h"

#include "Statement.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"

#include <QSqlQuery>

namespace appserver::modules {

PricedQuotation readPricedQuotation(host::Database& db, const QString& branch,
                                    const QString& number)
{
    QSqlQuery query = db.run(QStringLiteral("SELECT CDOPERADOR, DTCOLEPREC FROM COLETAPR WHERE "
                                            "CDFILIAL = ? AND NRCOLEPRECO = ?"),
                             {branch, number});
    if (!query.next())
        throw rpc::Refusal(QStringLiteral("A cotação %1 não existe mais: foi excluída por outro "
                                          "operador.")
                               .arg(shownValue(number)));
    return {branch, number, query.value(0).toString(),
            QDate::fromString(query.value(1).toString().left(10), Qt::ISODate)};
}

std::optional<StoredItem> readStoredItem(host::Database& db, const PricedQuotation& quotation,
                                         const ItemKey& item)
{
    QSqlQuery query = db.run(
        QStringLiteral("SELECT COALESCE(VRPRECUNIITM, 0), "
                       "COALESCE(VRPERDESITM, 0), IDTIPFREITM FROM ITEMCOLE "
                       "WHERE CDFILIAL = ? AND NRCOLEPRECO = ? AND CDREGIAO = "
                       "? AND CDFORNECED = ? AND CDPRODUTO = ? AND CDMARCA = ?"),
        {quotation.branch, quotation.number, item.region, item.supplier, item.product, item.brand});
    if (!query.next())
        return std::nullopt;
    return StoredItem{query.value(0).toDouble(), query.value(1).toDouble(),
                      query.value(2).toString()};
}

void markPricedItems(host::Database& db, const PricedQuotation& quotation,
                     const QList<ItemKey>& items)
{
    if (items.isEmpty())
        return;
    Statement mark(db, QStringLiteral("UPDATE ITEMCOLE SET IDITMCOTPREC = 'S' WHERE CDFILIAL = ? "
                                      "AND NRCOLEPRECO = ? AND CDREGIAO = ? AND CDFORNECED = ? "
                                      "AND CDPRODUTO = ? AND CDMARCA = ?"));
    mark.bind(0, quotation.branch).bind(1, quotation.number);
    for (const ItemKey& item : items) {
        mark.bind(2, item.region).bind(3, item.supplier).bind(4, item.product).bind(5, item.brand);
        mark.execute();
    }
    db.run(QStringLiteral("UPDATE COLETAPR SET IDTIPCOLREG = 'G' WHERE CDFILIAL = ? AND "
                          "NRCOLEPRECO = ? AND COALESCE(TRIM(IDTIPCOLREG), '') IN ('', 'L')"),
           {quotation.branch, quotation.number});
}

} // namespace appserver::modules

#include "ItemRights.h"

#include "ItemDelta.h"
#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/Exceptions.h"

#include <QSqlError>
#include <QSqlQuery>

namespace appserver::modules {

namespace {

bool centrePricesByProduct(host::Database& db, const QString& centre)
{
    QSqlQuery query(db.sql());
    query.prepare(QStringLiteral("SELECT IDUMPRODCMP FROM PARASUPRI WHERE CDFILIAL = ?"));
    query.addBindValue(centre);
    if (!query.exec())
        throw host::EDatabaseError(
            QStringLiteral("Erro no banco de dados: %1").arg(query.lastError().text()));
    return query.next() && query.value(0).toString().trimmed() == QLatin1String("S");
}

} // namespace

ItemPermission::ItemPermission(host::Database& db, const QString& operatorCode,
                               const QString& centre, const QString& buyer)
{
    m_all = operatorCode == buyer || managesBuyer(db, operatorCode, buyer);
    if (m_all)
        return;
    if (centrePricesByProduct(db, centre) && isBuyer(db, operatorCode))
        m_negotiated = negotiatedBy(db, operatorCode);
    if (m_negotiated.isEmpty())
        throw rpc::Refusal(QStringLiteral("Cotação pertence a outro comprador."));
}

void ItemPermission::check(const ItemChange& change, const ItemDelta& delta,
                           const ProductTree& products) const
{
    if (m_all)
        return;
    if (change.op == host::Change::Op::Delete || change.rekeys())
        throw rpc::Refusal(QStringLiteral("Somente o comprador da cotação ou o seu gerente exclui "
                                          "itens ou troca a marca de um item: %1.")
                               .arg(delta.describe(change)));
    if (!m_negotiated.covers(products.treeCode(change.newKey.product)))
        throw rpc::Refusal(QStringLiteral("Produto não é negociado pelo comprador: %1.")
                               .arg(delta.describe(change)));
}

} // namespace appserver::modules

#include "QuotationDeletion.h"

#include "Rights.h"
#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"

#include <QSqlError>
#include <QSqlQuery>

namespace appserver::modules {

namespace {

// Children first: taxes and payment terms of the items, the items, then the header. The
// schema would cascade from the header, but the deletion must not depend on it.
const char* const kDeletions[] = {
    "DELETE FROM IMPCOLET WHERE CDFILIAL = ? AND NRCOLEPRECO = ?",
    "DELETE FROM PZOPGTITMCOL WHERE CDFILIAL = ? AND NRCOLEPRECO = ?",
    "DELETE FROM ITEMCOLE WHERE CDFILIAL = ? AND NRCOLEPRECO = ?",
    "DELETE FROM COLETAPR WHERE CDFILIAL = ? AND NRCOLEPRECO = ?",
};

} // namespace

void deleteQuotation(host::Database& db, const QString& operatorCode, const QString& branch,
                     const QString& number)
{
    const std::optional<QString> buyer = quotationBuyer(db, branch, number);
    if (!buyer)
        throw rpc::Refusal(QStringLiteral("Cotação de preços não encontrada."));
    if (*buyer != operatorCode && !managesBuyer(db, operatorCode, *buyer))
        throw rpc::Refusal(
            QStringLiteral("Somente o comprador da cotação ou seu gerente pode excluí-la."));

    for (const char* statement : kDeletions) {
        QSqlQuery query(db.sql());
        query.prepare(QString::fromLatin1(statement));
        query.addBindValue(branch);
        query.addBindValue(number);
        if (!query.exec()) {
            throw rpc::Refusal(QStringLiteral("Não foi possível excluir a cotação de preços: %1")
                                   .arg(host::Database::messageOf(query.lastError())));
        }
    }
}

} // namespace appserver::modules

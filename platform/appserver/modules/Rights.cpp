#include "Rights.h"

#include "appserver/rpc/Method.h"
#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace appserver::modules {

QString centreArg(const rpc::CallContext& call, int i)
{
    const QString branch = host::Ajusta(call.text(i), module::Width::Branch);
    const QString& centre = call.session().centre;
    // The text names the session's centre only: the argument may be anything.
    if (branch != centre)
        throw rpc::Refusal(QStringLiteral("A filial informada não é a central de compras do "
                                          "operador conectado (%1): a operação não é permitida.")
                               .arg(centre));
    return branch;
}

QString operatorBranchArg(const rpc::CallContext& call, int i)
{
    const QString branch = host::Ajusta(call.text(i), module::Width::Branch);
    if (branch != call.session().branch)
        throw rpc::Refusal(QStringLiteral("A filial informada não é a filial em que o operador "
                                          "entrou no sistema (%1): a operação não é permitida.")
                               .arg(call.session().branch));
    return branch;
}

QString sessionOperatorArg(const rpc::CallContext& call, int i)
{
    const QString operatorCode = host::Ajusta(call.text(i), module::Width::Operator);
    if (operatorCode != call.session().operatorCode)
        throw rpc::Refusal(
            QStringLiteral("O operador informado não é o operador conectado ao sistema."));
    return operatorCode;
}

bool isBuyer(host::Database& db, const QString& operatorCode)
{
    return db.run(QStringLiteral("SELECT 1 FROM COMPRADOR WHERE CDOPERADOR = ?"), {operatorCode})
        .next();
}

bool managesBuyer(host::Database& db, const QString& manager, const QString& buyer)
{
    return db
        .run(QStringLiteral("SELECT 1 FROM GERECOMP WHERE CDOPERGERE = ? AND CDOPERCOMP = ?"),
             {manager, buyer})
        .next();
}

TreeNodes negotiatedBy(host::Database& db, const QString& buyer)
{
    return readTreeNodes(db,
                         QStringLiteral("SELECT C.CDOPERADOR, P.CDARVPROD FROM PRODCOMP C JOIN "
                                        "PRODUTO P ON P.CDPRODUTO = C.CDPRODUTO WHERE "
                                        "C.CDOPERADOR = ?"),
                         {buyer})
        .value(buyer);
}

std::optional<QString> quotationBuyer(host::Database& db, const QString& branch,
                                      const QString& number)
{
    QSqlQuery query = db.run(
        QStringLiteral("SELECT CDOPERADOR FROM COLETAPR WHERE CDFILIAL = ? AND NRCOLEPRECO = ?"),
        {branch, number});
    if (!query.next())
        return std::nullopt;
    return query.value(0).toString();
}

void requireBuyerOrManager(host::Database& db, const QString& operatorCode, const QString& branch,
                           const QString& number)
{
    const std::optional<QString> buyer = quotationBuyer(db, branch, number);
    if (!buyer)
        throw rpc::Refusal(QStringLiteral("Cotação de preços %1 não encontrada.").arg(number));
    if (*buyer != operatorCode && !managesBuyer(db, operatorCode, *buyer))
        throw rpc::Refusal(QStringLiteral("Somente o comprador da cotação (%1) ou o seu gerente "
                                          "pode alterar os itens da cotação.")
                               .arg(buyer->trimmed()));
}

std::pair<QString, QString> changeableQuotationArgs(const rpc::CallContext& call, int i)
{
    const QString branch = centreArg(call, i);
    const QString number = host::Ajusta(call.text(i + 1), module::Width::QuotationNumber);
    requireBuyerOrManager(call.db(), call.session().operatorCode, branch, number);
    return {branch, number};
}

} // namespace appserver::modules

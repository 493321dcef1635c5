// The worksheet's tools that change a quotation's items as a whole: the quantities to buy
// from the open purchase requests (CargAcomprar) and the removal of the items left without
// a price (DeleteItemCole). Only the quotation's buyer or his manager runs them.

#include "Modules.h"
#include "PurchaseRequests.h"
#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

#include <QSqlQuery>

namespace appserver::modules {

namespace {

using rpc::Arg;
using rpc::CallContext;

// CargAcomprar(branch, number) → "": each item's quantity to buy becomes what the open
// purchase requests of the branches the centre buys for ask for its product in its region
// (0 when none does).
QVariant cargAcomprar(CallContext& call)
{
    const auto [branch, number] = changeableQuotationArgs(call, 0);
    call.db().run(QStringLiteral("UPDATE ITEMCOLE SET QTACMPITMCOL = COALESCE((SELECT "
                                 "SUM(S.QTSOLICOMP) FROM %1 AND S.CDPRODUTO = ITEMCOLE.CDPRODUTO "
                                 "AND S.CDREGIAO = ITEMCOLE.CDREGIAO), 0) WHERE CDFILIAL = ? AND "
                                 "NRCOLEPRECO = ?")
                      .arg(openRequestsSql()),
                  {branch, branch, number});
    return QString();
}

// DeleteItemCole(branch, number) → "": removes the items without a price (zero or empty),
// their payment terms and taxes going with them. A quotation with no price at all keeps
// every item: the count is taken inside the call's write transaction, so a price removed
// meanwhile by another operator cannot leave the quotation empty.
QVariant deleteItemCole(CallContext& call)
{
    const auto [branch, number] = changeableQuotationArgs(call, 0);
    QSqlQuery priced = call.db().run(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE CDFILIAL "
                                                    "= ? AND NRCOLEPRECO = ? AND VRPRECUNIITM > 0"),
                                     {branch, number});
    if (!priced.next() || priced.value(0).toLongLong() == 0)
        throw rpc::Refusal(
            QStringLiteral("Operação não permitida! Não existe nenhum preço informado."));
    call.db().run(QStringLiteral("DELETE FROM ITEMCOLE WHERE CDFILIAL = ? AND NRCOLEPRECO = ? AND "
                                 "COALESCE(VRPRECUNIITM, 0) <= 0"),
                  {branch, number});
    return QString();
}

} // namespace

void addToolMethods(rpc::MethodRegistry& registry)
{
    registry.add(rpc::Method{
        kPlanCotaPrec, QStringLiteral("CargAcomprar"), {Arg::Text, Arg::Text}, true, cargAcomprar});
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("DeleteItemCole"),
                             {Arg::Text, Arg::Text},
                             true,
                             deleteItemCole});
}

} // namespace appserver::modules

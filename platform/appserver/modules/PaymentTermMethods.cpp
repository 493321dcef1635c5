// The payment terms of an item about to be negotiated (InsertFormPgtoNegSim): an item
// without terms gets the supplier's own, so that the negotiation screen starts from them.

#include "Modules.h"
#include "Rights.h"

#include "appserver/db/PaymentTerms.h"
#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

#include <QSqlQuery>

namespace appserver::modules {

namespace {

using rpc::Arg;
using rpc::CallContext;
using rpc::Refusal;

const QString kItemCondition =
    QStringLiteral("CDFILIAL = ? AND NRCOLEPRECO = ? AND CDREGIAO = ? AND CDFORNECED = ? AND "
                   "CDPRODUTO = ? AND CDMARCA = ?");

// InsertFormPgtoNegSim(branch, number, region, supplier, product, tree code, brand) → "":
// an item without payment terms gets its supplier's (cash, or the supplier's number of
// instalments); terms already there, negotiated or not, are kept as they are. The item is
// named by its product code; the tree code the screen also sends adds nothing to it.
QVariant insertFormPgtoNegSim(CallContext& call)
{
    host::Database& db = call.db();
    const auto [branch, number] = changeableQuotationArgs(call, 0);
    const QString supplier = host::Ajusta(call.text(3), module::Width::Supplier);
    const QVariantList item = {branch,
                               number,
                               host::Ajusta(call.text(2), module::Width::Region),
                               supplier,
                               host::Ajusta(call.text(4), module::Width::Product),
                               host::Ajusta(call.text(6), module::Width::Brand)};
    if (!db.run(QStringLiteral("SELECT 1 FROM ITEMCOLE WHERE ") + kItemCondition, item).next())
        throw Refusal(QStringLiteral("Item não cadastrado na cotação."));
    if (db.run(QStringLiteral("SELECT 1 FROM PZOPGTITMCOL WHERE ") + kItemCondition, item).next())
        return QString();

    QSqlQuery terms = db.run(QStringLiteral("SELECT CDFORMPGTO, IDTPFORPGTFO, NRPARCPGTOFO FROM "
                                            "FORNECEDOR WHERE CDFORNECED = ?"),
                             {supplier});
    if (!terms.next())
        throw Refusal(QStringLiteral("Fornecedor %1 não cadastrado.").arg(supplier));
    const QString type = terms.value(1).toString().trimmed();
    if (type != QLatin1String("V") && type != QLatin1String("P"))
        throw Refusal(QStringLiteral("Fornecedor %1 sem forma de pagamento (à vista ou a prazo) "
                                     "cadastrada.")
                          .arg(supplier));
    const QVariant form = terms.value(0);
    const QString insert = QStringLiteral(
        "INSERT INTO PZOPGTITMCOL (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, CDPRODUTO, "
        "CDMARCA, NRPARCPGTO, NRDIAPGTO, VRPERCPARC, CDFORMPGTO) VALUES (?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?)");
    for (const appserver::db::Instalment& term :
         appserver::db::supplierInstalments(type == QLatin1String("V"), terms.value(2).toInt()))
        db.run(insert, item + QVariantList{term.number, term.days, term.percent, form});
    return QString();
}

} // namespace

void addPaymentTermMethods(rpc::MethodRegistry& registry)
{
    registry.add(
        rpc::Method{kPlanCotaPrec,
                    QStringLiteral("InsertFormPgtoNegSim"),
                    {Arg::Text, Arg::Text, Arg::Text, Arg::Text, Arg::Text, Arg::Text, Arg::Text},
                    true,
                    insertFormPgtoNegSim});
}

} // namespace appserver::modules

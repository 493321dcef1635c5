// GravaPlanCota: stores what the worksheet screen saves in one call. The answer is "" when
// everything was stored, otherwise the text shown to the buyer; a refused save stores
// nothing of the call.
//
// Arguments: 1 the quotation list's change packet (or null), 2 the item table's change
// packet (or null), 3 branch and 4 number of the quotation, 5 apply to the other regions,
// 6 quotation date, 7-10 the register-changed markers (supplier removed, product removed,
// brand changed, region added), 11 branch and 12 code of the logged-in operator.

#include "Modules.h"
#include "QuotationRecordChanges.h"
#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Packet.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

namespace appserver::modules {
namespace {

enum GravaPlanCotaArg
{
    RecordChanges = 0,
    ItemChanges = 1,
    Branch = 2,
    Number = 3,
    OperatorBranch = 10,
    OperatorCode = 11,
};

bool isNull(const QVariant& value)
{
    return !value.isValid() || value.isNull();
}

QVariant gravaPlanCota(rpc::CallContext& call)
{
    // The rights are the session's operator's; a save made in another operator's name is
    // not accepted.
    const QString operatorCode = call.session().operatorCode;
    if (host::Ajusta(call.text(OperatorCode), module::Width::Operator) != operatorCode)
        throw rpc::Refusal(QStringLiteral("O operador da gravação não é o operador conectado ao "
                                          "servidor. Entre novamente no sistema."));
    const QString branch = centreArg(call, Branch);
    operatorBranchArg(call, OperatorBranch);

    if (!isNull(call.value(ItemChanges)))
        throw rpc::Refusal(QStringLiteral(
            "A gravação de itens da cotação ainda não está disponível neste servidor."));

    const QVariant& records = call.value(RecordChanges);
    if (isNull(records))
        return QString();
    if (records.metaType() != QMetaType::fromType<host::Delta>())
        throw rpc::Refusal(QStringLiteral(
            "O pacote de alterações das cotações é inválido: esperava um pacote de alterações."));

    QuotationSaveTarget target;
    target.operatorCode = operatorCode;
    target.branch = branch;
    target.number = host::Ajusta(call.text(Number), module::Width::QuotationNumber);
    applyQuotationRecordChanges(call.db(), records.value<host::Delta>(), target);
    return QString();
}

} // namespace

void addSaveMethods(rpc::MethodRegistry& registry)
{
    using rpc::Arg;
    rpc::Method method;
    method.module = kPlanCotaPrec;
    method.name = QStringLiteral("GravaPlanCota");
    method.args = {Arg::Variant, Arg::Variant, Arg::Text,    Arg::Text,    Arg::Boolean, Arg::Date,
                   Arg::Boolean, Arg::Boolean, Arg::Boolean, Arg::Boolean, Arg::Text,    Arg::Text};
    method.writes = true;
    method.handler = &gravaPlanCota;
    registry.add(std::move(method));
}

} // namespace appserver::modules

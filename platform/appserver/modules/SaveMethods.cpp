// GravaPlanCota: stores what the worksheet screen saves in one call. The answer is "" when
// everything was stored, otherwise the text shown to the buyer; a refused save stores
// nothing of the call.
//
// Arguments: 1 the quotation list's change packet (or null), 2 the item table's change
// packet (or null), 3 branch and 4 number of the quotation, 5 apply to the other regions,
// 6 quotation date, 7-10 the register-changed markers (supplier removed, product removed,
// brand changed, region added), 11 branch and 12 code of the logged-in operator.

#include "ItemChanges.h"
#include "ItemDelta.h"
#include "ItemRights.h"
#include "Modules.h"
#include "QuotationRecordChanges.h"
#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Packet.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

#include <optional>

namespace appserver::modules {
namespace {

enum GravaPlanCotaArg
{
    RecordChanges = 0,
    ItemChanges = 1,
    Branch = 2,
    Number = 3,
    ApplyToOtherRegions = 4,
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

    const QString number = host::Ajusta(call.text(Number), module::Width::QuotationNumber);

    const QVariant& records = call.value(RecordChanges);
    const QVariant& itemPacket = call.value(ItemChanges);
    const auto isDelta = [](const QVariant& value) {
        return value.metaType() == QMetaType::fromType<host::Delta>();
    };
    if (!isNull(records) && !isDelta(records))
        throw rpc::Refusal(QStringLiteral(
            "O pacote de alterações das cotações é inválido: esperava um pacote de alterações."));
    if (!isNull(itemPacket) && !isDelta(itemPacket))
        throw rpc::Refusal(kItemChangesPacket +
                           QStringLiteral(": esperava um pacote de alterações."));

    // Everything is read and checked before anything is written.
    const host::Delta itemDelta =
        isNull(itemPacket) ? host::Delta() : itemPacket.value<host::Delta>();
    const ItemDelta items(itemDelta);
    std::optional<ItemPermission> permission;
    if (!items.isEmpty()) {
        const std::optional<QString> buyer = quotationBuyer(call.db(), branch, number);
        if (!buyer)
            throw rpc::Refusal(QStringLiteral("A cotação %1 não existe mais: foi excluída por "
                                              "outro operador.")
                                   .arg(number));
        permission.emplace(call.db(), operatorCode, call.session().centre, *buyer);
    }

    if (!isNull(records)) {
        QuotationSaveTarget target;
        target.operatorCode = operatorCode;
        target.branch = branch;
        target.number = number;
        target.pricesItems = permission.has_value();
        applyQuotationRecordChanges(call.db(), records.value<host::Delta>(), target);
    }
    if (permission) {
        ItemSaveTarget target;
        target.branch = branch;
        target.number = number;
        target.applyToOtherRegions = call.boolean(ApplyToOtherRegions);
        applyItemChanges(call.db(), items, *permission, target);
    }
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

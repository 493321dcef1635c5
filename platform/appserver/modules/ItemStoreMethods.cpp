// Storing what the buyer changes on the two assignment pages, one posted or deleted row at a
// time: GravaItemCole stores the row's change; CargRegiao copies a stored item's price and
// discount to the quotation's other regions the supplier serves. Each answers "" when
// everything was stored, otherwise the text shown to the buyer; a refused call stores
// nothing.

#include "ItemChanges.h"
#include "ItemDelta.h"
#include "ItemRights.h"
#include "Modules.h"
#include "NewItemRules.h"
#include "PageItemChange.h"
#include "PricedQuotation.h"
#include "RegionPriceCopy.h"
#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Packet.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

#include <optional>

namespace appserver::modules {
namespace {

using rpc::Arg;
using rpc::CallContext;
using rpc::Refusal;

QString quotationNumberArg(const CallContext& call, int i)
{
    return host::Ajusta(call.text(i), module::Width::QuotationNumber);
}

// GravaItemCole(change packet of one row, quotation branch, quotation number, operator's
// branch, operator) → "" or the refusal.
QVariant gravaItemCole(CallContext& call)
{
    const QString operatorCode = sessionOperatorArg(call, 4);
    const QString branch = centreArg(call, 1);
    operatorBranchArg(call, 3);
    const QString number = quotationNumberArg(call, 2);
    if (call.value(0).metaType() != QMetaType::fromType<host::Delta>())
        throw Refusal(kPageItemPacket + QStringLiteral(": esperava um pacote de alterações."));
    const host::Delta delta = call.value(0).value<host::Delta>();
    const ItemDelta items = readPageItemChange(delta, branch, number);

    host::Database& db = call.db();
    const PricedQuotation quotation = readPricedQuotation(db, branch, number);
    const ItemPermission permission(db, operatorCode, call.session().centre, quotation.buyer);
    // An item added, or given another key, must be new to the quotation and pass the rules.
    std::optional<NewItemRules> rules;
    QList<ItemKey> stored;
    for (const ItemChange& change : items.changes()) {
        if (change.op == host::Change::Op::Delete)
            continue;
        stored.append(change.newKey);
        if (change.op == host::Change::Op::Update && !change.rekeys())
            continue;
        if (readStoredItem(db, quotation, change.newKey))
            throw Refusal(QStringLiteral("Cotação já cadastrada."));
        if (!rules)
            rules.emplace(db, branch, quotation, operatorCode);
        if (const QString refused = rules->refusal(change.newKey); !refused.isEmpty())
            throw Refusal(refused);
    }
    applyItemChanges(db, items, permission, ItemSaveTarget{branch, number, false});
    markPricedItems(db, quotation, stored);
    return QString();
}

// CargRegiao(centre, quotation number, supplier, region, product, brand, operator's branch)
// → "" or the refusal. The rights are those of the session's operator.
QVariant cargRegiao(CallContext& call)
{
    const QString centre = centreArg(call, 0);
    operatorBranchArg(call, 6);
    const QString number = quotationNumberArg(call, 1);
    const ItemKey source{host::Ajusta(call.text(3), module::Width::Region),
                         host::Ajusta(call.text(2), module::Width::Supplier),
                         host::Ajusta(call.text(4), module::Width::Product),
                         host::Ajusta(call.text(5), module::Width::Brand)};

    host::Database& db = call.db();
    const QString& operatorCode = call.session().operatorCode;
    const PricedQuotation quotation = readPricedQuotation(db, centre, number);
    const ItemPermission permission(db, operatorCode, call.session().centre, quotation.buyer);
    copyPriceToOtherRegions(db, quotation, source, permission, operatorCode);
    return QString();
}

} // namespace

void addItemStoreMethods(rpc::MethodRegistry& registry)
{
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("GravaItemCole"),
                             {Arg::Variant, Arg::Text, Arg::Text, Arg::Text, Arg::Text},
                             true,
                             gravaItemCole});
    registry.add(
        rpc::Method{kPlanCotaPrec,
                    QStringLiteral("CargRegiao"),
                    {Arg::Text, Arg::Text, Arg::Text, Arg::Text, Arg::Text, Arg::Text, Arg::Text},
                    true,
                    cargRegiao});
}

} // namespace appserver::modules

#include "RegionPriceCopy.h"

#include "ItemChanges.h"
#include "ItemChecks.h"
#include "ItemDelta.h"
#include "NewItemRules.h"
#include "Statement.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"

#include <QSqlQuery>
#include <optional>

namespace appserver::modules {

namespace {

// The quotation's regions other than the source's that the supplier serves.
QStringList otherServedRegions(host::Database& db, const PricedQuotation& quotation,
                               const ItemKey& source)
{
    const QSet<QString> barred = regionsNotServed(db, source.supplier);
    QStringList regions;
    QSqlQuery query = db.run(QStringLiteral("SELECT DISTINCT CDREGIAO FROM ITEMCOLE WHERE "
                                            "CDFILIAL = ? AND NRCOLEPRECO = ? ORDER BY CDREGIAO"),
                             {quotation.branch, quotation.number});
    while (query.next()) {
        const QString region = query.value(0).toString();
        if (region != source.region && !barred.contains(region))
            regions.append(region);
    }
    return regions;
}

} // namespace

void copyPriceToOtherRegions(host::Database& db, const PricedQuotation& quotation,
                             const ItemKey& source, const ItemPermission& permission,
                             const QString& operatorCode)
{
    const std::optional<StoredItem> copied = readStoredItem(db, quotation, source);
    if (!copied)
        throw rpc::Refusal(QStringLiteral("Item não encontrado na cotação."));
    std::optional<NewItemRules> rules; // read only when an item is missing
    std::vector<ItemChange> changes;
    QList<ItemKey> stored, inserted;
    for (const QString& region : otherServedRegions(db, quotation, source)) {
        ItemKey target = source;
        target.region = region;
        ItemChange change;
        change.newKey = target;
        change.newPrice = copied->price;
        change.newDiscount = copied->discount;
        if (const std::optional<StoredItem> there = readStoredItem(db, quotation, target)) {
            change.op = host::Change::Op::Update;
            change.oldKey = target;
            change.oldPrice = there->price;
            change.oldDiscount = there->discount;
        } else {
            if (!rules)
                rules.emplace(db, quotation.branch, quotation, operatorCode);
            if (!rules->refusal(target).isEmpty())
                continue;
            change.op = host::Change::Op::Insert;
            inserted.append(target);
        }
        changes.push_back(change);
        stored.append(target);
    }

    applyItemChanges(db, ItemDelta(std::move(changes)), permission,
                     ItemSaveTarget{quotation.branch, quotation.number, false});
    if (!inserted.isEmpty()) {
        Statement freight(db, QStringLiteral("UPDATE ITEMCOLE SET IDTIPFREITM = ? WHERE CDFILIAL "
                                             "= ? AND NRCOLEPRECO = ? AND CDREGIAO = ? AND "
                                             "CDFORNECED = ? AND CDPRODUTO = ? AND CDMARCA = ?"));
        if (copied->freight.isEmpty())
            freight.bindNull(0);
        else
            freight.bind(0, copied->freight);
        freight.bind(1, quotation.branch).bind(2, quotation.number);
        for (const ItemKey& item : std::as_const(inserted)) {
            freight.bind(3, item.region).bind(4, item.supplier);
            freight.bind(5, item.product).bind(6, item.brand);
            freight.execute();
        }
    }
    markPricedItems(db, quotation, stored);
}

} // namespace appserver::modules

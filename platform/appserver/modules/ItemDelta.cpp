#include "ItemDelta.h"

#include "appserver/rpc/RpcErrors.h"

namespace appserver::modules {

const QString kItemChangesPacket =
    QStringLiteral("O pacote de alterações dos itens da cotação é inválido");

ItemDelta::ItemDelta(const host::Delta& delta) : m_delta(&delta)
{
    if (delta.changes.empty())
        return;
    m_layout = itemLayout(delta.fields, kItemChangesPacket);
    if (qsizetype(delta.changes.size()) > kMaxWorksheetItems)
        throw rpc::Refusal(kItemChangesPacket + QStringLiteral(": mais de %1 alterações numa só "
                                                               "gravação.")
                                                    .arg(kMaxWorksheetItems));
    const qsizetype fieldCount = delta.fields.size();
    m_changes.reserve(delta.changes.size());
    for (size_t i = 0; i < delta.changes.size(); ++i) {
        const host::Change& change = delta.changes[i];
        const bool hasOld = change.op != host::Change::Op::Insert;
        const bool hasNew = change.op != host::Change::Op::Delete;
        if ((hasOld && change.oldValues.size() != fieldCount) ||
            (hasNew && change.newValues.size() != fieldCount))
            throw rpc::Refusal(kItemChangesPacket +
                               QStringLiteral(": uma alteração tem número errado de valores."));
        ItemChange item;
        item.op = change.op;
        item.index = qsizetype(i);
        if (hasOld) {
            const QVariantList& v = change.oldValues;
            item.oldKey = readItemKey(v[m_layout.region], v[m_layout.supplier], v[m_layout.product],
                                      kItemChangesPacket);
            item.oldPrice = readItemPrice(v[m_layout.price], false, kItemChangesPacket);
        }
        if (hasNew) {
            const QVariantList& v = change.newValues;
            item.newKey = readItemKey(v[m_layout.region], v[m_layout.supplier], v[m_layout.product],
                                      kItemChangesPacket);
            item.newPrice = readItemPrice(v[m_layout.price], true, kItemChangesPacket);
        }
        m_changes.push_back(std::move(item));
    }
}

ItemDelta::ItemDelta(std::vector<ItemChange> changes) : m_changes(std::move(changes)) {}

QString ItemDelta::describe(const ItemChange& change) const
{
    if (!m_delta)
        return describeItemKey(change.op == host::Change::Op::Insert ? change.newKey
                                                                     : change.oldKey);
    const host::Change& source = m_delta->changes[size_t(change.index)];
    const QVariantList& v =
        change.op == host::Change::Op::Insert ? source.newValues : source.oldValues;
    return describeItem(v[m_layout.region].toString(), v[m_layout.supplier].toString(),
                        v[m_layout.product].toString());
}

} // namespace appserver::modules

#pragma once

// The item table's change packet as a save sends it, read and checked before anything is
// written: every change names well-formed items with prices a buyer can type.

#include "ItemValues.h"

#include "host/core/Packet.h"

#include <optional>
#include <vector>

namespace appserver::modules {

struct ItemChange
{
    host::Change::Op op = host::Change::Op::Insert;
    ItemKey oldKey; // update and delete
    ItemKey newKey; // insert and update
    double oldPrice = 0;
    double newPrice = 0;
    // The discount percent (VRPERDESITM) as the buyer saw it and as he gives it, when the
    // packet carries it. The worksheet's packets carry none: the stored discount is then
    // left as it is, and an inserted item takes the supplier's. An update carries both or
    // neither.
    std::optional<double> oldDiscount;
    std::optional<double> newDiscount;
    qsizetype index = 0; // position in the change packet

    // An update that gives the item another region, supplier, product or brand.
    bool rekeys() const { return op == host::Change::Op::Update && oldKey != newKey; }
    // The change stores a new unit price (an insert or an update).
    bool prices() const { return op != host::Change::Op::Delete; }
};

class ItemDelta
{
public:
    // Reads the packet; throws rpc::Refusal with the reason for a packet of another layout,
    // a malformed value, a price out of range or more than kMaxWorksheetItems changes. The
    // packet must outlive the object.
    explicit ItemDelta(const host::Delta& delta);
    // Changes read from another item table, already checked; each item is described by
    // its codes.
    explicit ItemDelta(std::vector<ItemChange> changes);

    const std::vector<ItemChange>& changes() const { return m_changes; }
    bool isEmpty() const { return m_changes.empty(); }
    // The item of a change as the buyer reads it (its original values when it had any).
    QString describe(const ItemChange& change) const;

private:
    const host::Delta* m_delta = nullptr; // the worksheet's packet
    ItemLayout m_layout;
    std::vector<ItemChange> m_changes;
};

// Name of the item change packet in refusal texts.
extern const QString kItemChangesPacket;

} // namespace appserver::modules

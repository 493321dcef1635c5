#pragma once

#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

class ItemDelta;
class ItemPermission;

// The quotation whose items a save changes.
struct ItemSaveTarget
{
    QString branch; // CDFILIAL of the quotation
    QString number; // NRCOLEPRECO
    // The new prices also go to the existing items of the same supplier, product and brand
    // in the quotation's other regions (none is inserted there).
    bool applyToOtherRegions = false;
};

// Stores the item changes of a save, in the packet's order, each checked against the item
// as it is stored then:
// - an insert writes the price with the discount the change gives (without one, the
//   supplier's when it grants one on every item), the supplier's freight and the
//   quotation's validity; an insert of an item already stored with the same price (and
//   discount) counts as done;
// - an update whose original price (and discount, when the change carries one) is still
//   stored writes the new price (and discount); one whose new values are already stored
//   counts as done; one that gives the item another region, supplier, product or brand
//   moves it with its payment terms and taxes;
// - a delete removes the item with its terms and taxes; a delete of an item already gone
//   counts as done.
// Anything else refuses the whole save (rpc::Refusal): an item changed or removed by
// another operator meanwhile ("Item alterado por outro operador: ..."), a code that names
// no register row, a change the operator may not make. The caller runs this inside the
// call's transaction, so a refusal leaves nothing written.
void applyItemChanges(host::Database& db, const ItemDelta& items, const ItemPermission& permission,
                      const ItemSaveTarget& target);

} // namespace appserver::modules

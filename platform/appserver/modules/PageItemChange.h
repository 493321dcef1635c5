#pragma once

// The change packet of one row of an assignment page's item table, posted or deleted by the
// buyer: the product/supplier page's cdsProdForn and the supplier/product page's cdsFornProd.
// Their item columns are those of ITEMCOLE (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED,
// CDPRODUTO, CDMARCA, VRPRECUNIITM, VRPERDESITM, ...), beside names and computed values the
// pages only show. The packet is read strictly: one of another layout, of more than one row,
// or with a malformed code, price or discount is refused, never guessed at.

#include "ItemDelta.h"

namespace appserver::modules {

// Name of the packet in refusal texts.
extern const QString kPageItemPacket;

// The largest discount percent an item may have.
inline constexpr double kMaxItemDiscount = 100;

// Reads the row's change for the quotation (branch, number) into the item changes that store
// it:
// - an insert, a delete, or an update of price and discount: one change each;
// - an update that gives the item only another brand: one change that moves the item, its
//   payment terms and taxes following it;
// - an update that gives the item another region, supplier or product: the delete of the old
//   item (with its terms and taxes) followed by the insert of the new one.
// Refuses (rpc::Refusal) anything else, and a row that names another quotation.
ItemDelta readPageItemChange(const host::Delta& delta, const QString& branch,
                             const QString& number);

} // namespace appserver::modules

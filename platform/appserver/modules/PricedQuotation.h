#pragma once

// The quotation whose items a buyer changes on an assignment page: its buyer and collection
// date, which decide who may change its items and which rules a new item must pass, and the
// marks a stored change leaves on the items and on the quotation.

#include "ItemValues.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace host {
class Database;
}

namespace appserver::modules {

struct PricedQuotation
{
    QString branch;  // CDFILIAL
    QString number;  // NRCOLEPRECO
    QString buyer;   // CDOPERADOR
    QDate collected; // DTCOLEPREC
};

// Refuses (rpc::Refusal) a quotation that does not exist, or no longer does.
PricedQuotation readPricedQuotation(host::Database& db, const QString& branch,
                                    const QString& number);

// An item as it is stored.
struct StoredItem
{
    double price = 0;    // VRPRECUNIITM, 0 when empty
    double discount = 0; // VRPERDESITM, 0 when empty
    QString freight;     // IDTIPFREITM
};

// The quotation's item of these codes; nothing when it has none.
std::optional<StoredItem> readStoredItem(host::Database& db, const PricedQuotation& quotation,
                                         const ItemKey& item);

// Marks the items as changed by the buyer on an assignment page (IDITMCOTPREC "S") and the
// quotation as priced on the worksheet (IDTIPCOLREG "G" when it was "L" or empty). Nothing
// when no item was stored.
void markPricedItems(host::Database& db, const PricedQuotation& quotation,
                     const QList<ItemKey>& items);

} // namespace appserver::modules

#pragma once

#include "host/core/Packet.h"

#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

// Who saves, and the quotation the save is for (both codes at their stored width).
struct QuotationSaveTarget
{
    QString operatorCode; // the logged-in operator of the session
    QString branch;       // CDFILIAL of the quotation
    QString number;       // NRCOLEPRECO of the quotation
    // The operator changes the quotation's items in the same save, as a buyer who prices
    // the products he negotiates: he may then also mark the quotation as priced on the
    // worksheet (IDTIPCOLREG from "L" or empty to "G"), as price entry does.
    bool pricesItems = false;
};

// Stores the changes the quotation list makes to a quotation record: the buyer
// reassignment (CDOPERADOR, by a manager of the current buyer, to another buyer he
// manages), the price-list flag IDDISMONTLIS and the collection type IDTIPCOLREG (by the
// buyer or his manager; its change to "G" also by whoever prices the items in the save). Changes are applied in the packet's order, each checked against
// the record as it then stands: a change whose original values no longer match, that
// touches another quotation or another column, inserts or deletes a quotation, or that
// the operator may not make, throws rpc::Refusal with the text for the buyer. The caller
// runs this inside the call's transaction, so a refusal leaves nothing written.
void applyQuotationRecordChanges(host::Database& db, const host::Delta& delta,
                                 const QuotationSaveTarget& target);

} // namespace appserver::modules

#pragma once

// The arguments of a new quotation as the entry page sends them, read into its criteria.
// Whatever cannot be read is refused (rpc::Refusal) with the text the buyer sees; nothing
// a caller sends becomes part of a statement.

#include "InclusionCriteria.h"

#include <QDate>
#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

// The buyer code, padded; refused when empty or not a buyer.
QString readBuyer(host::Database& db, const QString& code);

// The collection date; refused when missing.
QDate readCollectionDay(const QDate& date);

// The product range: the initial tree code and the final one followed by "Z" (the
// product picture's literals, if sent, are dropped). Both empty: every product; an empty
// initial code: from the first product. Refused when a code is too long or the initial
// code sorts after the final one.
void readProductRange(const QString& initial, const QString& final, InclusionCriteria& criteria);

// A list of chosen codes and its all-marker, each code padded to `width`. `what` names
// the list in the plural ("regiões"). Refused when malformed, over the most codes a list
// may carry, or holding a code wider than `width`.
ChosenCodes readCodeList(const QString& list, const QString& marker, const QString& what,
                         int width);

// The list of checks ("_0_2_"): the bits of the checks chosen, all of them when empty.
quint8 readChecks(const QString& list);

// A week number 1 to 53 as two digits; `which` names it ("inicial").
QString readWeek(const QString& text, const QString& which);

} // namespace appserver::modules

#pragma once

// A copy of one quotation under the centre's next number: its header with the new weeks,
// validity and collection date, and every item with its payment terms and taxes, each
// table copied by one statement however many items the quotation has.

#include "DuplicationRequest.h"

#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

// Copies quotation `source` of the centre and returns the copy's number. The copy keeps
// the buyer, the price-list flag (IDDISMONTLIS) and every item column but the validity,
// now the copy's, and the three prices, multiplied by the terms' factor and rounded to 5
// decimals; it is a quotation of type 'L'. Runs inside the caller's write transaction.
// Throws host::EDatabaseError.
QString copyQuotation(host::Database& db, const QString& centre, const QString& source,
                      const CopyTerms& terms);

} // namespace appserver::modules

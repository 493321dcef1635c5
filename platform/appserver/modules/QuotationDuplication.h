#pragma once

// The duplication itself: the quotations a request names are copied one by one, and each
// that may not or cannot be copied is written to the log of quotations not duplicated
// with the reason, while the others are copied all the same.

#include "DuplicationRequest.h"

#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

struct DuplicationOutcome
{
    int copied = 0;
    int uncopied = 0;      // rows written to COTNDUPLIC, numbered consecutively
    QString firstUncopied; // the first of them; empty when every source was copied
};

// Runs inside the caller's write transaction; each source is copied under a savepoint of
// its own, so a source whose copy fails leaves nothing behind but its log row. Refuses
// (rpc::Refusal) when there is nothing to copy: the current quotation does not exist, or
// no quotation of the chosen buyers lies within the source period. Throws
// host::EDatabaseError when the log itself cannot be written.
DuplicationOutcome duplicateQuotations(host::Database& db, const DuplicationRequest& request);

} // namespace appserver::modules

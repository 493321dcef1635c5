#pragma once

struct sqlite3;

namespace host::Internal {

// Registers WRITE_STAMP() on a raw SQLite handle: a random positive number that stays the
// same for the whole of the connection's current transaction and is drawn anew after each
// commit or rollback. Triggers use it to mark a row once per writing transaction (a
// quotation's version) instead of once per row written: they write only when the stored
// stamp is not the transaction's. Returns false when SQLite refused it.
bool registerWriteStamp(sqlite3* db);

} // namespace host::Internal

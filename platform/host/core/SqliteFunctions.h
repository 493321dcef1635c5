#pragma once

struct sqlite3;

namespace host::Internal {

// Registers on a raw SQLite handle the functions the shared query texts rely on:
//   NVLSTR(a, b)  -> a, or b when a is null or blank
//   LAST_DAY(d)   -> last day of the month of the ISO date d, as ISO text
// Returns false when SQLite refused one of them.
bool registerSqliteFunctions(sqlite3* db);

} // namespace host::Internal

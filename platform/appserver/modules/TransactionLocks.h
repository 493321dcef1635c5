#pragma once

// Locks that make a call's read-then-write hold when two calls meet. On SQLite a writing
// call holds the database's write lock from its first statement, so there is nothing more
// to take; PostgreSQL runs calls side by side under READ COMMITTED and locks rows, so a
// call that checks what it read before writing locks it first. Both locks last until the
// call's transaction ends.

#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

// The clause to append to a SELECT that reads rows the call will check and then change:
// " FOR UPDATE" on PostgreSQL (a second caller waits, then reads the committed values),
// nothing on SQLite.
QString forUpdate(host::Database& db);

// Serialises the calls that take the same name (e.g. numbering of one centre) until their
// transactions end. Throws host::EDatabaseError.
void lockName(host::Database& db, const QString& name);

} // namespace appserver::modules

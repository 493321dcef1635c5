#pragma once

#include <QString>
#include <QStringList>

namespace host {
class Database;
}

namespace appserver::db {

// Version the schema script brings a database to (the highest VERSAOBD row).
inline constexpr int kSchemaVersion = 5;

// The DDL of the shared database, as embedded in the library.
QString schemaScript();
// The part of it for one kind of database ("sqlite" or "postgresql").
QString schemaScript(const QString& dialect);

// Creates every missing table and index of the shared database, in one transaction.
// Safe to run on a database that already has them. Throws host::EDatabaseError.
void createSchema(host::Database& db);

// The same without a transaction of its own, for callers that already hold one.
void createSchemaInTransaction(host::Database& db);

// Brings a database whose schema is older than this program's up to date (in one
// transaction); does nothing to a current one or to one without the schema.
void upgradeSchema(host::Database& db);

// True when the database holds the schema (its version table exists).
bool hasSchema(host::Database& db);

// Highest schema version recorded in the database; 0 when there is no schema.
int schemaVersion(host::Database& db);

// The data tables, parents before children (the order to fill them; reversed, the order
// to empty them).
QStringList dataTables();

} // namespace appserver::db

#include "TransactionLocks.h"

#include "host/core/Database.h"

namespace appserver::modules {

QString forUpdate(host::Database& db)
{
    return db.kind() == host::DatabaseKind::PostgreSQL ? QStringLiteral(" FOR UPDATE") : QString();
}

void lockName(host::Database& db, const QString& name)
{
    if (db.kind() == host::DatabaseKind::PostgreSQL)
        db.run(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(?))"), {name});
}

} // namespace appserver::modules

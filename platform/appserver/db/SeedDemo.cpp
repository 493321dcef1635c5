#include "DemoModel.h"
#include "host/core/Password.h"
#include "Schema.h"
#include "Seed.h"
#include "SeedInternal.h"

#include <host/core/Database.h>

#include <QCryptographicHash>

namespace appserver::db {
namespace Internal {

QByteArray demoSalt(const QString& operatorCode)
{
    const QByteArray digest =
        QCryptographicHash::hash(QByteArrayLiteral("SUP01700 demo salt/") + operatorCode.toUtf8(),
                                 QCryptographicHash::Sha256);
    return digest.left(host::kPasswordSaltBytes);
}

void clearData(host::Database& db)
{
    const QStringList tables = dataTables();
    for (auto it = tables.crbegin(); it != tables.crend(); ++it)
        db.exec(QStringLiteral("DELETE FROM ") + *it);
}

void writeDemo(host::Database& db, const QDate& reference)
{
    const demo::DemoModel model(reference);
    clearData(db);
    writeOrganisation(db, model);
    writeSuppliers(db, model);
    writeCatalog(db, model);
    writeQuotations(db, model);
}

} // namespace Internal

void seedDemo(host::Database& db, const QDate& reference)
{
    host::Transaction tx(db);
    createSchemaInTransaction(db);
    Internal::writeDemo(db, reference);
    tx.commit();
}

} // namespace appserver::db

#pragma once

// Pieces of the seeds; each runs inside the transaction its caller holds.

#include <QByteArray>
#include <QDate>
#include <QString>

namespace host {
class Database;
}

namespace appserver::db {

namespace demo {
class DemoModel;
}

namespace Internal {

// Iterations of the demo operators' hashes. The demo password is public, so a lower
// count than real passwords keeps logins quick in tests without weakening anything.
inline constexpr int kDemoPasswordIterations = 4096;

// Salt of a demo operator's password, derived from the operator code so that the demo is
// reproducible.
QByteArray demoSalt(const QString& operatorCode);

void clearData(host::Database& db);
void writeOrganisation(host::Database& db, const demo::DemoModel& model);
void writeSuppliers(host::Database& db, const demo::DemoModel& model);
void writeCatalog(host::Database& db, const demo::DemoModel& model);
void writeQuotations(host::Database& db, const demo::DemoModel& model);
void writeDemo(host::Database& db, const QDate& reference);

} // namespace Internal
} // namespace appserver::db

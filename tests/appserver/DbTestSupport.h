#pragma once

#include <host/core/Database.h>

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <QVariantMap>

#include <memory>

namespace dbtest {

// The PostgreSQL server the tests run against: the URL of one of its databases that the
// tests may create others from, taken from SUP_TEST_POSTGRESQL. Empty when the tests run on
// SQLite.
QString postgresqlServer();

// A fresh, empty database removed with the object: a file in a temporary folder, or, when
// the tests run on PostgreSQL, a database of its own on that server.
class TempDatabase
{
public:
    TempDatabase();
    ~TempDatabase();
    host::Database& db() { return *m_db; }
    // The connection string of the database ("sqlite:PATH" or "postgresql://...").
    QString connectionString() const { return m_connectionString; }
    // The SQLite file; empty on PostgreSQL.
    QString path() const { return m_serverDatabase.isEmpty() ? m_connectionString.mid(7) : QString(); }
    // Opens a second connection on the same database.
    std::unique_ptr<host::Database> reopen() const;

private:
    QTemporaryDir m_dir;
    QString m_connectionString;
    QString m_serverDatabase; // the PostgreSQL database's name; empty on SQLite
    std::unique_ptr<host::Database> m_db;
};

// The first column of every row of the statement, as text (NULL as "<null>").
QStringList column(host::Database& db, const QString& sql, const QVariantList& values = {});
// The first column of the first row.
QVariant scalar(host::Database& db, const QString& sql, const QVariantList& values = {});
// Rows of the statement, columns joined by '|', NULL as "<null>".
QStringList rows(host::Database& db, const QString& sql, const QVariantList& values = {});

// Every table of the database and every row, in a fixed order: equal dumps mean equal
// contents. The sessions and failed logins of the servers are left out.
QStringList dump(host::Database& db);

// User tables of the database (from its catalogue), the columns of one table, the
// columns of its primary key in key order and the names of the indexes of every table.
QStringList tables(host::Database& db);
QStringList columns(host::Database& db, const QString& table);
QStringList primaryKey(host::Database& db, const QString& table);
// The columns of a table with their declared types, "NAME|TYPE" ("CDFILIAL|VARCHAR(4)").
QStringList declaredColumns(host::Database& db, const QString& table);
QStringList indexes(host::Database& db);

// A fault for tests: a trigger that makes a write fail with `message`. `event` is
// "BEFORE INSERT", "BEFORE UPDATE" or "BEFORE DELETE"; `condition` (may be empty) a test on
// NEW or OLD, as "NEW.IDTIPCOLREG = 'E'".
void addFailingTrigger(host::Database& db, const QString& name, const QString& event,
                       const QString& table, const QString& condition, const QString& message);
void dropTrigger(host::Database& db, const QString& name, const QString& table);

// A fixed day for reproducible demo data.
inline QDate referenceDay()
{
    return QDate(2025, 3, 12);
}

} // namespace dbtest

namespace dbtest {

// Runs a query text written with named parameters (":P_X", possibly repeated) by binding
// each occurrence in order; returns the rows as rows() does.
QStringList namedRows(host::Database& db, const QString& sql, const QVariantMap& parameters);

// Stored code of demo supplier n and of the product with a tree code.
QString supplier(int n);
QString productOf(host::Database& db, const QString& tree);

} // namespace dbtest

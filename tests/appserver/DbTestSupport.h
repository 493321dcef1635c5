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

// A database file in a fresh temporary folder, removed with the object.
class TempDatabase
{
public:
    TempDatabase();
    host::Database& db() { return *m_db; }
    QString path() const { return m_path; }
    // Opens a second connection on the same file.
    std::unique_ptr<host::Database> reopen() const;

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<host::Database> m_db;
};

// The first column of every row of the statement, as text (NULL as "<null>").
QStringList column(host::Database& db, const QString& sql, const QVariantList& values = {});
// The first column of the first row.
QVariant scalar(host::Database& db, const QString& sql, const QVariantList& values = {});
// Rows of the statement, columns joined by '|', NULL as "<null>".
QStringList rows(host::Database& db, const QString& sql, const QVariantList& values = {});

// Every table of the database and every row, in a fixed order: equal dumps mean equal
// contents.
QStringList dump(host::Database& db);

// User tables of the database (from its catalogue) and the columns of one table.
QStringList tables(host::Database& db);
QStringList columns(host::Database& db, const QString& table);

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

#pragma once

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace host {
class Database;
}

namespace appserver::db {

// Inserts rows into one table through prepared statements. Column names come from the
// code; values are always bound, never written into the SQL text.
//
// On SQLite each row is one run of the prepared statement, which costs little. On
// PostgreSQL every run is a round trip to the server, so rows are gathered and written
// many at a time with one multi-row INSERT. Gathered rows are written before rows of any
// writer made later on the same connection (a quotation's header before its items, for the
// foreign keys) and at the latest when the writer goes; flush() writes them earlier.
class TableWriter
{
public:
    TableWriter(host::Database& db, const QString& table, const QStringList& columns);
    // Writes what is gathered, unless an exception is already on its way (the caller's
    // transaction is then rolled back anyway). Throws host::EDatabaseError.
    ~TableWriter() noexcept(false);
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    // One row, values in the order of the columns. Throws host::EDatabaseError.
    void insert(const QVariantList& values);
    // Writes the gathered rows now. Throws host::EDatabaseError.
    void flush();
    int rowsWritten() const { return m_rows; }

private:
    QString insertSql(int rows) const;
    void writeGathered();

    host::Database& m_db;
    QString m_table;
    QStringList m_columns;
    QSqlQuery m_single;
    std::optional<QSqlQuery> m_batch; // PostgreSQL: a full batch of rows
    int m_batchRows = 1;
    QVariantList m_gathered; // values of rows not yet written
    int m_rows = 0;
    int m_uncaught = 0;
};

// NULL for an empty text or a null pointer, the text otherwise.
QVariant textOrNull(const QString& text);
QVariant textOrNull(const char* utf8);

} // namespace appserver::db

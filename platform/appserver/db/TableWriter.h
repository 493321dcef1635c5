#pragma once

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace host {
class Database;
}

namespace appserver::db {

// Inserts rows into one table through a single prepared statement. Column names come from
// the code; values are always bound, never written into the SQL text.
class TableWriter
{
public:
    TableWriter(host::Database& db, const QString& table, const QStringList& columns);

    // One row, values in the order of the columns. Throws host::EDatabaseError.
    void insert(const QVariantList& values);
    int rowsWritten() const { return m_rows; }

private:
    QSqlQuery m_query;
    QString m_table;
    int m_columns = 0;
    int m_rows = 0;
};

// NULL for an empty text or a null pointer, the text otherwise.
QVariant textOrNull(const QString& text);
QVariant textOrNull(const char* utf8);

} // namespace appserver::db

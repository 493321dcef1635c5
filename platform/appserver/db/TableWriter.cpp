#include "TableWriter.h"

#include <host/core/Database.h>
#include <host/core/Exceptions.h>

#include <QSqlError>

#include <algorithm>
#include <exception>
#include <vector>

namespace appserver::db {

namespace {

// Parameters of one statement stay well below PostgreSQL's limit of 65 535.
constexpr int kMaxBatchValues = 16000;
constexpr int kMaxBatchRows = 1000;

// The writers alive on this thread, oldest first: a writer writes the rows of older ones
// before its own.
std::vector<TableWriter*>& liveWriters()
{
    thread_local std::vector<TableWriter*> writers;
    return writers;
}

void prepare(QSqlQuery& query, const QString& sql, const QString& table)
{
    if (!query.prepare(sql))
        throw host::EDatabaseError(QStringLiteral("Erro ao preparar a gravação em %1: %2")
                                       .arg(table, query.lastError().text()));
}

} // namespace

TableWriter::TableWriter(host::Database& db, const QString& table, const QStringList& columns)
    : m_db(db), m_table(table), m_columns(columns), m_single(db.sql()),
      m_uncaught(std::uncaught_exceptions())
{
    prepare(m_single, insertSql(1), table);
    if (db.kind() == host::DatabaseKind::PostgreSQL && !columns.isEmpty())
        m_batchRows = std::max(1, std::min<int>(kMaxBatchRows, kMaxBatchValues / columns.size()));
    liveWriters().push_back(this);
}

TableWriter::~TableWriter() noexcept(false)
{
    struct Unregister
    {
        TableWriter* writer;
        ~Unregister()
        {
            auto& writers = liveWriters();
            writers.erase(std::remove(writers.begin(), writers.end(), writer), writers.end());
        }
    } unregister{this};
    if (std::uncaught_exceptions() == m_uncaught)
        flush();
}

QString TableWriter::insertSql(int rows) const
{
    QStringList marks;
    for (int i = 0; i < m_columns.size(); ++i)
        marks << QStringLiteral("?");
    const QString row = QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    QStringList values;
    for (int r = 0; r < rows; ++r)
        values << row;
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(m_table, m_columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
}

void TableWriter::insert(const QVariantList& values)
{
    if (values.size() != m_columns.size())
        throw host::EDatabaseError(
            QStringLiteral("Gravação em %1 com número de valores errado.").arg(m_table));
    if (m_batchRows == 1) {
        for (int i = 0; i < values.size(); ++i)
            m_single.bindValue(i, values[i]);
        if (!m_single.exec())
            throw host::EDatabaseError(QStringLiteral("Erro ao gravar em %1: %2")
                                           .arg(m_table, m_single.lastError().text()));
        ++m_rows;
        return;
    }
    m_gathered += values;
    if (m_gathered.size() == m_batchRows * m_columns.size())
        flush();
}

void TableWriter::flush()
{
    // Older writers first: their rows may be the ones these refer to.
    for (TableWriter* writer : liveWriters()) {
        if (writer == this)
            break;
        if (&writer->m_db == &m_db)
            writer->writeGathered();
    }
    writeGathered();
}

void TableWriter::writeGathered()
{
    if (m_gathered.isEmpty())
        return;
    const int rows = int(m_gathered.size() / m_columns.size());
    QSqlQuery* query = &m_single;
    std::optional<QSqlQuery> partial;
    if (rows == m_batchRows) {
        if (!m_batch) {
            m_batch.emplace(m_db.sql());
            prepare(*m_batch, insertSql(rows), m_table);
        }
        query = &*m_batch;
    } else if (rows > 1) {
        partial.emplace(m_db.sql());
        prepare(*partial, insertSql(rows), m_table);
        query = &*partial;
    }
    for (int i = 0; i < m_gathered.size(); ++i)
        query->bindValue(i, m_gathered[i]);
    m_gathered.clear();
    if (!query->exec())
        throw host::EDatabaseError(
            QStringLiteral("Erro ao gravar em %1: %2").arg(m_table, query->lastError().text()));
    m_rows += rows;
}

QVariant textOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant textOrNull(const char* utf8)
{
    return utf8 && *utf8 ? QVariant(QString::fromUtf8(utf8)) : QVariant();
}

} // namespace appserver::db

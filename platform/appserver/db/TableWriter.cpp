#include "TableWriter.h"

#include <host/core/Database.h>
#include <host/core/Exceptions.h>

#include <QSqlError>

namespace appserver::db {

TableWriter::TableWriter(host::Database& db, const QString& table, const QStringList& columns)
    : m_query(db.sql()), m_table(table), m_columns(int(columns.size()))
{
    QStringList marks;
    for (int i = 0; i < m_columns; ++i)
        marks << QStringLiteral("?");
    const QString sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    if (!m_query.prepare(sql))
        throw host::EDatabaseError(QStringLiteral("Erro ao preparar a gravação em %1: %2")
                                       .arg(table, m_query.lastError().text()));
}

void TableWriter::insert(const QVariantList& values)
{
    if (values.size() != m_columns)
        throw host::EDatabaseError(
            QStringLiteral("Gravação em %1 com número de valores errado.").arg(m_table));
    for (int i = 0; i < m_columns; ++i)
        m_query.bindValue(i, values[i]);
    if (!m_query.exec())
        throw host::EDatabaseError(
            QStringLiteral("Erro ao gravar em %1: %2").arg(m_table, m_query.lastError().text()));
    ++m_rows;
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

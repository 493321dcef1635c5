#include "DbTestSupport.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <stdexcept>

namespace dbtest {
namespace {

QSqlQuery run(host::Database& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db.sql());
    if (!query.prepare(sql))
        throw std::runtime_error(
            ("prepare failed: " + query.lastError().text() + "\n" + sql).toStdString());
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec())
        throw std::runtime_error(
            ("exec failed: " + query.lastError().text() + "\n" + sql).toStdString());
    return query;
}

QString text(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("<null>");
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 17);
    return value.toString();
}

} // namespace

TempDatabase::TempDatabase()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    m_path = m_dir.filePath(QStringLiteral("sup.db"));
    m_db = std::make_unique<host::Database>(QStringLiteral("sqlite:") + m_path);
}

std::unique_ptr<host::Database> TempDatabase::reopen() const
{
    return std::make_unique<host::Database>(QStringLiteral("sqlite:") + m_path);
}

QStringList column(host::Database& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = run(db, sql, values);
    QStringList result;
    while (query.next())
        result << text(query.value(0));
    return result;
}

QVariant scalar(host::Database& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = run(db, sql, values);
    return query.next() ? query.value(0) : QVariant();
}

QStringList rows(host::Database& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = run(db, sql, values);
    QStringList result;
    while (query.next()) {
        QStringList fields;
        for (int i = 0; i < query.record().count(); ++i)
            fields << text(query.value(i));
        result << fields.join(u'|');
    }
    return result;
}

QStringList tables(host::Database& db)
{
    return column(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                     "name NOT LIKE 'sqlite_%' ORDER BY name"));
}

QStringList columns(host::Database& db, const QString& table)
{
    QStringList names;
    QSqlQuery query(db.sql());
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        return names;
    while (query.next())
        names << query.value(1).toString();
    return names;
}

QStringList dump(host::Database& db)
{
    QStringList result;
    for (const QString& table : tables(db)) {
        const int count = int(columns(db, table).size());
        QStringList order;
        for (int i = 1; i <= count; ++i)
            order << QString::number(i);
        result << QStringLiteral("== ") + table;
        result += rows(db, QStringLiteral("SELECT * FROM %1 ORDER BY %2")
                               .arg(table, order.join(QStringLiteral(", "))));
    }
    return result;
}

} // namespace dbtest

namespace dbtest {

QStringList namedRows(host::Database& db, const QString& sql, const QVariantMap& parameters)
{
    static const QRegularExpression name(QStringLiteral(":(P_[A-Za-z0-9_]+)"));
    QString positional;
    QVariantList values;
    qsizetype last = 0;
    auto it = name.globalMatch(sql);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QString key = match.captured(1);
        if (!parameters.contains(key))
            throw std::runtime_error(("parameter not given: " + key).toStdString());
        positional += sql.mid(last, match.capturedStart() - last) + u'?';
        values << parameters.value(key);
        last = match.capturedEnd();
    }
    positional += sql.mid(last);
    return rows(db, positional, values);
}

QString supplier(int n)
{
    return QString::number(n).rightJustified(21, u'0');
}

QString productOf(host::Database& db, const QString& tree)
{
    return scalar(db, QStringLiteral("SELECT CDPRODUTO FROM PRODUTO WHERE CDARVPROD = ?"), {tree})
        .toString();
}

} // namespace dbtest

#include "DbTestSupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

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
    // The shortest text that reads back as the same number: alike on every database.
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    return value.toString();
}

} // namespace

QString postgresqlServer()
{
    return qEnvironmentVariable("SUP_TEST_POSTGRESQL");
}

namespace {

bool onPostgresql(host::Database& db)
{
    return db.kind() == host::DatabaseKind::PostgreSQL;
}

// The server's URL with another database name in its path.
QString withDatabase(const QString& serverUrl, const QString& name)
{
    QUrl url(serverUrl);
    url.setPath(QLatin1Char('/') + name);
    return url.toString();
}

void onServer(const QString& statement)
{
    host::Database admin(postgresqlServer());
    admin.exec(statement);
}

} // namespace

TempDatabase::TempDatabase()
{
    const QString server = postgresqlServer();
    if (server.isEmpty()) {
        if (!m_dir.isValid())
            throw std::runtime_error("no temporary folder");
        m_connectionString = QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("sup.db"));
    } else {
        // One database per fixture, named so that parallel test programs never meet.
        static int serial = 0;
        m_serverDatabase = QStringLiteral("sup_test_%1_%2_%3")
                               .arg(QCoreApplication::applicationPid())
                               .arg(QDateTime::currentMSecsSinceEpoch())
                               .arg(++serial);
        onServer(QStringLiteral("CREATE DATABASE ") + m_serverDatabase);
        m_connectionString = withDatabase(server, m_serverDatabase);
    }
    m_db = std::make_unique<host::Database>(m_connectionString);
}

TempDatabase::~TempDatabase()
{
    m_db.reset();
    if (m_serverDatabase.isEmpty())
        return;
    try {
        // Connections the server under test keeps per thread are closed with it.
        onServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_serverDatabase));
    } catch (const std::exception&) {
        // A database left behind goes with the throwaway cluster.
    }
}

std::unique_ptr<host::Database> TempDatabase::reopen() const
{
    return std::make_unique<host::Database>(m_connectionString);
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
    if (onPostgresql(db))
        return column(db, QStringLiteral("SELECT UPPER(table_name) FROM information_schema.tables "
                                         "WHERE table_schema = 'public' AND table_type = 'BASE "
                                         "TABLE' ORDER BY 1"));
    return column(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                     "name NOT LIKE 'sqlite_%' ORDER BY name"));
}

QStringList columns(host::Database& db, const QString& table)
{
    if (onPostgresql(db))
        return column(db,
                      QStringLiteral("SELECT UPPER(column_name) FROM information_schema.columns "
                                     "WHERE table_schema = 'public' AND table_name = LOWER(?) "
                                     "ORDER BY ordinal_position"),
                      {table});
    QStringList names;
    QSqlQuery query(db.sql());
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        return names;
    while (query.next())
        names << query.value(1).toString();
    return names;
}

QStringList primaryKey(host::Database& db, const QString& table)
{
    if (onPostgresql(db))
        return column(db, QStringLiteral("SELECT UPPER(k.column_name) FROM "
                                         "information_schema.table_constraints c JOIN "
                                         "information_schema.key_column_usage k ON "
                                         "k.constraint_name = c.constraint_name AND "
                                         "k.table_name = c.table_name WHERE c.constraint_type = "
                                         "'PRIMARY KEY' AND c.table_name = LOWER(?) ORDER BY "
                                         "k.ordinal_position"),
                      {table});
    return column(db, QStringLiteral("SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk"),
                  {table});
}

QStringList declaredColumns(host::Database& db, const QString& table)
{
    if (onPostgresql(db))
        return column(db, QStringLiteral("SELECT UPPER(column_name) || '|' || CASE WHEN "
                                         "character_maximum_length IS NULL THEN UPPER(data_type) "
                                         "ELSE 'VARCHAR(' || character_maximum_length || ')' END "
                                         "FROM information_schema.columns WHERE table_schema = "
                                         "'public' AND table_name = LOWER(?) ORDER BY "
                                         "ordinal_position"),
                      {table});
    return rows(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?)"), {table});
}

void addFailingTrigger(host::Database& db, const QString& name, const QString& event,
                       const QString& table, const QString& condition, const QString& message)
{
    QString quoted = message;
    quoted.replace(u'\'', QStringLiteral("''"));
    if (!onPostgresql(db)) {
        db.exec(QStringLiteral("CREATE TRIGGER %1 %2 ON %3 %4 BEGIN SELECT RAISE(ABORT, '%5'); END")
                    .arg(name, event, table,
                         condition.isEmpty() ? QString() : QStringLiteral("WHEN ") + condition,
                         quoted));
        return;
    }
    const QString test = condition.isEmpty() ? QStringLiteral("TRUE") : condition;
    const QString passOn = event.endsWith(QLatin1String("DELETE")) ? QStringLiteral("OLD")
                                                                   : QStringLiteral("NEW");
    db.exec(QStringLiteral("CREATE FUNCTION %1_FN() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                           "IF %2 THEN RAISE EXCEPTION '%3'; END IF; RETURN %4; END $$")
                .arg(name, test, quoted, passOn));
    db.exec(QStringLiteral("CREATE TRIGGER %1 %2 ON %3 FOR EACH ROW EXECUTE FUNCTION %1_FN()")
                .arg(name, event, table));
}

void dropTrigger(host::Database& db, const QString& name, const QString& table)
{
    if (!onPostgresql(db)) {
        db.exec(QStringLiteral("DROP TRIGGER %1").arg(name));
        return;
    }
    db.exec(QStringLiteral("DROP TRIGGER %1 ON %2").arg(name, table));
    db.exec(QStringLiteral("DROP FUNCTION %1_FN()").arg(name));
}

QStringList indexes(host::Database& db)
{
    if (onPostgresql(db))
        return column(db, QStringLiteral("SELECT UPPER(indexname) FROM pg_indexes WHERE "
                                         "schemaname = 'public' ORDER BY 1"));
    return column(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' "
                                     "ORDER BY name"));
}

QStringList dump(host::Database& db)
{
    QStringList result;
    for (const QString& table : tables(db)) {
        // The servers' own bookkeeping: a login writes there, and each write of items or names
        // draws a new version stamp (kept across seeds, so that it never goes back).
        if (table == QLatin1String("SESSAOAPP") || table == QLatin1String("FALHALOGIN") ||
            table == QLatin1String("VERSAOCOLETA"))
            continue;
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

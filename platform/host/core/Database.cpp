#include "Database.h"

#include "Exceptions.h"
#include "SqliteFunctions.h"
#include "SqliteWriteStamp.h"

#include <QAtomicInteger>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#include <QVariant>
#include <sqlite3.h>

namespace host {
namespace {

QString nextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("sup-db-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString errorText(const QSqlError& error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("erro desconhecido") : text;
}

} // namespace

Database::Database(const QString& connectionString)
    : m_connectionString(connectionString), m_connectionName(nextConnectionName())
{
    if (connectionString.startsWith(QLatin1String("sqlite:"))) {
        const QString path = connectionString.mid(7);
        if (path.isEmpty())
            throw EDatabaseError(QStringLiteral("Caminho do banco de dados não informado."));
        m_kind = DatabaseKind::SQLite;
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        m_db.setDatabaseName(path);
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    } else if (connectionString.startsWith(QLatin1String("postgresql://"))) {
        const QUrl url(connectionString);
        if (!url.isValid() || url.path().size() < 2)
            throw EDatabaseError(QStringLiteral("Endereço do banco de dados inválido."));
        m_kind = DatabaseKind::PostgreSQL;
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
        // "?host=/folder" names the folder of a unix socket, as libpq's URLs do.
        const QString socketFolder = QUrlQuery(url).queryItemValue(QStringLiteral("host"),
                                                                   QUrl::FullyDecoded);
        m_db.setHostName(socketFolder.isEmpty() ? url.host() : socketFolder);
        m_db.setPort(url.port(5432));
        m_db.setUserName(url.userName(QUrl::FullyDecoded));
        m_db.setPassword(url.password(QUrl::FullyDecoded));
        m_db.setDatabaseName(url.path(QUrl::FullyDecoded).mid(1));
    } else {
        throw EDatabaseError(
            QStringLiteral("Conexão de banco de dados desconhecida: \"%1\".").arg(connectionString));
    }

    if (!m_db.open()) {
        const QString why = errorText(m_db.lastError());
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw EDatabaseError(QStringLiteral("Não foi possível abrir o banco de dados: %1").arg(why));
    }

    if (m_kind == DatabaseKind::SQLite) {
        auto* handle = *static_cast<sqlite3**>(m_db.driver()->handle().data());
        if (!handle || !Internal::registerSqliteFunctions(handle) ||
            !Internal::registerWriteStamp(handle))
            throw EDatabaseError(QStringLiteral("Falha ao registrar as funções do banco de dados."));
        exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        exec(QStringLiteral("PRAGMA foreign_keys=ON"));
        exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    } else {
        // "CREATE ... IF NOT EXISTS" of an existing object is a notice, not news.
        exec(QStringLiteral("SET client_min_messages = warning"));
    }
}

Database::~Database()
{
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

QString Database::messageOf(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        return errorText(error);
    // PostgreSQL's messages start with their severity ("ERROR:  ") and may add a detail
    // line; the first line carries the message.
    static const QRegularExpression severity(QStringLiteral("^(ERROR|FATAL|PANIC):\\s+"));
    text.remove(severity);
    return text.section(QLatin1Char('\n'), 0, 0).trimmed();
}

QString Database::dialect() const
{
    return m_kind == DatabaseKind::SQLite ? QStringLiteral("sqlite") : QStringLiteral("postgresql");
}

void Database::exec(const QString& statement)
{
    QSqlQuery query(m_db);
    if (!query.exec(statement))
        throw EDatabaseError(QStringLiteral("Erro no banco de dados: %1\n%2")
                                 .arg(errorText(query.lastError()), statement.left(200)));
}

QSqlQuery Database::run(const QString& statement, const QVariantList& values)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(statement);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw EDatabaseError(
            QStringLiteral("Erro no banco de dados: %1").arg(errorText(query.lastError())));
    return query;
}

namespace {

// True while a statement is inside a body that holds ';' of its own: a PostgreSQL
// function between "$$" marks, or a trigger's BEGIN ... END.
bool insideBody(const QString& statement)
{
    if (statement.count(QLatin1String("$$")) % 2 == 1)
        return true;
    static const QRegularExpression trigger(QStringLiteral("^\\s*CREATE\\s+TRIGGER\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression end(QStringLiteral("\\bEND\\s*;\\s*$"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression plpgsql(QStringLiteral("\\bEXECUTE\\s+(FUNCTION|PROCEDURE)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    return trigger.match(statement).hasMatch() && !plpgsql.match(statement).hasMatch() &&
           !end.match(statement.trimmed()).hasMatch();
}

} // namespace

void Database::execScript(const QString& script)
{
    // Statements end with ';' at the end of a line; "--" starts a comment line. A body that
    // holds statements of its own ends with its last line instead.
    QString current;
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("--")) || (trimmed.isEmpty() && current.isEmpty()))
            continue;
        current += line + QLatin1Char('\n');
        if (trimmed.endsWith(QLatin1Char(';')) && !insideBody(current)) {
            exec(current.trimmed().chopped(1));
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        exec(current.trimmed());
}

void Database::begin()
{
    if (m_kind == DatabaseKind::SQLite) {
        // Take the write lock at once so that two writers never deadlock on an upgrade.
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        return;
    }
    if (!m_db.transaction())
        throw EDatabaseError(
            QStringLiteral("Não foi possível iniciar a transação: %1").arg(errorText(m_db.lastError())));
}

void Database::beginRead()
{
    if (m_kind == DatabaseKind::SQLite) {
        exec(QStringLiteral("BEGIN"));
        return;
    }
    begin();
}

void Database::commit()
{
    if (!m_db.commit())
        throw EDatabaseError(
            QStringLiteral("Não foi possível gravar a transação: %1").arg(errorText(m_db.lastError())));
}

void Database::rollback()
{
    m_db.rollback();
}

} // namespace host

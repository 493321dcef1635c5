#include "LoginAttempts.h"

#include "host/core/Database.h"

#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

namespace appserver::rpc {

namespace {

// The key column holds 12 characters; longer codes name no operator anyway.
QString key(const QString& operatorCode)
{
    return operatorCode.left(12);
}

} // namespace

LoginAttempts::LoginAttempts(Connection connection, ServerClock& clock, LoginPolicy policy)
    : m_connection(std::move(connection)), m_clock(clock), m_policy(policy)
{
}

std::chrono::seconds LoginAttempts::waitAfter(int failures) const
{
    const int beyond = failures - m_policy.freeFailures;
    if (beyond <= 0)
        return std::chrono::seconds(0);
    std::chrono::seconds wait = m_policy.firstWait;
    for (int i = 1; i < beyond && wait < m_policy.longestWait; ++i)
        wait *= 2;
    return std::min(wait, m_policy.longestWait);
}

qint64 LoginAttempts::waitBefore(const QString& operatorCode)
{
    const QDateTime now = m_clock.now();
    QSqlQuery row = m_connection().run(
        QStringLiteral("SELECT DTLIBERA FROM FALHALOGIN WHERE CDOPERADOR = ? AND DTPRIMFALHA > ?"),
        {key(operatorCode), ServerClock::text(now.addSecs(-m_policy.window.count()))});
    if (!row.next() || row.value(0).isNull())
        return 0;
    const QDateTime until = ServerClock::parse(row.value(0).toString());
    const qint64 ms = until.isValid() ? now.msecsTo(until) : 0;
    return ms > 0 ? (ms + 999) / 1000 : 0;
}

int LoginAttempts::failed(const QString& operatorCode, qint64* wait)
{
    const QDateTime now = m_clock.now();
    const QString nowText = ServerClock::text(now);
    const QString windowStart = ServerClock::text(now.addSecs(-m_policy.window.count()));
    host::Database& db = m_connection();
    host::Transaction tx(db);
    // Failures whose window has passed start a new one; the count goes up in one statement,
    // so that two servers failing the same code at once both count.
    db.run(QStringLiteral("INSERT INTO FALHALOGIN (CDOPERADOR, NRFALHAS, DTPRIMFALHA) "
                          "VALUES (?, 1, ?) ON CONFLICT (CDOPERADOR) DO UPDATE SET "
                          "NRFALHAS = CASE WHEN FALHALOGIN.DTPRIMFALHA <= ? THEN 1 "
                          "ELSE FALHALOGIN.NRFALHAS + 1 END, "
                          "DTPRIMFALHA = CASE WHEN FALHALOGIN.DTPRIMFALHA <= ? THEN ? "
                          "ELSE FALHALOGIN.DTPRIMFALHA END"),
           {key(operatorCode), nowText, windowStart, windowStart, nowText});
    QSqlQuery row = db.run(QStringLiteral("SELECT NRFALHAS FROM FALHALOGIN WHERE CDOPERADOR = ?"),
                           {key(operatorCode)});
    const int failures = row.next() ? row.value(0).toInt() : 1;
    row.finish();
    const std::chrono::seconds next = waitAfter(failures);
    db.run(QStringLiteral("UPDATE FALHALOGIN SET DTLIBERA = ? WHERE CDOPERADOR = ?"),
           {next.count() > 0 ? QVariant(ServerClock::text(now.addSecs(next.count())))
                             : QVariant(QMetaType::fromType<QString>()),
            key(operatorCode)});
    // Codes that stopped failing long ago are forgotten, so that typed garbage does not pile up.
    db.run(QStringLiteral("DELETE FROM FALHALOGIN WHERE DTPRIMFALHA <= ? AND "
                          "(DTLIBERA IS NULL OR DTLIBERA <= ?)"),
           {windowStart, nowText});
    tx.commit();
    if (wait)
        *wait = next.count();
    return failures;
}

void LoginAttempts::succeeded(const QString& operatorCode)
{
    m_connection().run(QStringLiteral("DELETE FROM FALHALOGIN WHERE CDOPERADOR = ?"),
                       {key(operatorCode)});
}

} // namespace appserver::rpc

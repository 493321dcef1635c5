#include "Sessions.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QVariant>

namespace appserver::rpc {

namespace {

QString newToken()
{
    quint32 words[8];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex());
}

// The last use is written back when it is older than this, not on every call.
constexpr qint64 kTouchSeconds = 60;

} // namespace

SessionStore::SessionStore(Connection connection, ServerClock& clock,
                           std::chrono::seconds idleTimeout, std::chrono::seconds recheckAfter)
    : m_connection(std::move(connection)), m_clock(clock), m_idleTimeout(idleTimeout),
      m_recheckAfter(recheckAfter)
{
}

QString SessionStore::tokenHash(const QString& token)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(token.toUtf8(), QCryptographicHash::Sha256).toHex());
}

Session SessionStore::open(const QString& operatorCode, const QString& operatorName,
                           const QString& branch, const QString& centre)
{
    Session session{newToken(), operatorCode, operatorName, branch, centre};
    const QString hash = tokenHash(session.token);
    const QDateTime now = m_clock.now();
    host::Database& db = m_connection();
    // Ended sessions go while here, so that the table does not grow without end.
    db.run(QStringLiteral("DELETE FROM SESSAOAPP WHERE DTEXPIRA <= ?"), {ServerClock::text(now)});
    db.run(QStringLiteral("INSERT INTO SESSAOAPP (DSTOKENHASH, CDOPERADOR, NMOPERADOR, CDFILIAL, "
                          "CDFILCENTCMP, DTULTUSO, DTEXPIRA) VALUES (?, ?, ?, ?, ?, ?, ?)"),
           {hash, operatorCode, operatorName, branch, centre, ServerClock::text(now),
            ServerClock::text(now.addSecs(m_idleTimeout.count()))});
    QMutexLocker lock(&m_mutex);
    m_cache.insert(hash, Cached{session, now});
    return session;
}

std::optional<Session> SessionStore::find(const QString& token)
{
    if (token.isEmpty())
        return std::nullopt;
    const QString hash = tokenHash(token);
    const QDateTime now = m_clock.now();
    {
        QMutexLocker lock(&m_mutex);
        const auto it = m_cache.constFind(hash);
        if (it != m_cache.constEnd() && it->checked.secsTo(now) < m_recheckAfter.count() &&
            it->checked <= now)
            return it->session;
    }
    try {
        return load(token, hash);
    } catch (const host::EDatabaseError&) {
        // A database that cannot answer cannot confirm the session either.
        return std::nullopt;
    }
}

std::optional<Session> SessionStore::load(const QString& token, const QString& hash)
{
    const QDateTime now = m_clock.now();
    const QString nowText = ServerClock::text(now);
    host::Database& db = m_connection();
    QSqlQuery row = db.run(QStringLiteral("SELECT CDOPERADOR, NMOPERADOR, CDFILIAL, CDFILCENTCMP, "
                                          "DTULTUSO, DTEXPIRA FROM SESSAOAPP WHERE DSTOKENHASH = ?"),
                           {hash});
    if (!row.next()) {
        forget(hash);
        return std::nullopt;
    }
    if (row.value(5).toString() <= nowText) {
        row.finish();
        forget(hash);
        db.run(QStringLiteral("DELETE FROM SESSAOAPP WHERE DSTOKENHASH = ? AND DTEXPIRA <= ?"),
               {hash, nowText});
        return std::nullopt;
    }
    Session session{token, row.value(0).toString(), row.value(1).toString(),
                    row.value(2).toString(), row.value(3).toString()};
    const QDateTime lastUse = ServerClock::parse(row.value(4).toString());
    row.finish();
    if (!lastUse.isValid() || lastUse.secsTo(now) >= kTouchSeconds) {
        try {
            db.run(QStringLiteral("UPDATE SESSAOAPP SET DTULTUSO = ?, DTEXPIRA = ? WHERE "
                                  "DSTOKENHASH = ?"),
                   {nowText, ServerClock::text(now.addSecs(m_idleTimeout.count())), hash});
        } catch (const host::EDatabaseError&) {
            // A busy database delays the mark of use; the session stays valid until then.
        }
    }
    QMutexLocker lock(&m_mutex);
    m_cache.insert(hash, Cached{session, now});
    return session;
}

void SessionStore::forget(const QString& hash)
{
    QMutexLocker lock(&m_mutex);
    m_cache.remove(hash);
}

void SessionStore::close(const QString& token)
{
    const QString hash = tokenHash(token);
    forget(hash);
    m_connection().run(QStringLiteral("DELETE FROM SESSAOAPP WHERE DSTOKENHASH = ?"), {hash});
}

int SessionStore::count() const
{
    QSqlQuery query = m_connection().run(
        QStringLiteral("SELECT COUNT(*) FROM SESSAOAPP WHERE DTEXPIRA > ?"),
        {ServerClock::text(m_clock.now())});
    return query.next() ? query.value(0).toInt() : 0;
}

} // namespace appserver::rpc

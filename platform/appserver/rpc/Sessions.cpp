#include "Sessions.h"

#include <QRandomGenerator>

namespace appserver::rpc {

namespace {

QString newToken()
{
    quint32 words[8];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex());
}

} // namespace

SessionStore::SessionStore(std::chrono::seconds idleTimeout) : m_idleTimeout(idleTimeout) {}

Session SessionStore::open(const QString& operatorCode, const QString& operatorName,
                           const QString& branch, const QString& centre)
{
    Session session{newToken(), operatorCode, operatorName, branch, centre};
    QMutexLocker lock(&m_mutex);
    // Forget expired sessions while here, so the table does not grow without end.
    const auto limit = now() - m_idleTimeout;
    for (auto it = m_sessions.begin(); it != m_sessions.end();)
        it = it->lastUse < limit ? m_sessions.erase(it) : std::next(it);
    m_sessions.insert(session.token, Entry{session, now()});
    return session;
}

std::optional<Session> SessionStore::find(const QString& token)
{
    QMutexLocker lock(&m_mutex);
    auto it = m_sessions.find(token);
    if (it == m_sessions.end())
        return std::nullopt;
    if (it->lastUse < now() - m_idleTimeout) {
        m_sessions.erase(it);
        return std::nullopt;
    }
    it->lastUse = now();
    return it->session;
}

void SessionStore::close(const QString& token)
{
    QMutexLocker lock(&m_mutex);
    m_sessions.remove(token);
}

int SessionStore::count() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_sessions.size());
}

void SessionStore::advanceClock(std::chrono::seconds by)
{
    QMutexLocker lock(&m_mutex);
    m_skew += by;
}

} // namespace appserver::rpc

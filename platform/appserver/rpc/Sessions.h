#pragma once

#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QString>
#include <chrono>
#include <optional>

namespace appserver::rpc {

// A logged-in operator. The server takes the operator from here, never from arguments,
// wherever it checks rights.
struct Session
{
    QString token;
    QString operatorCode;
    QString operatorName;
    QString branch; // the branch the operator logged in at
    QString centre; // that branch's purchasing centre: the only one its calls may name
};

// Tokens of the logged-in operators; a token unused for longer than the idle time is
// forgotten. Thread-safe.
class SessionStore
{
public:
    using Clock = std::chrono::steady_clock;

    explicit SessionStore(std::chrono::seconds idleTimeout = std::chrono::hours(8));

    // Opens a session with a fresh random token.
    Session open(const QString& operatorCode, const QString& operatorName, const QString& branch,
                 const QString& centre);
    // The session of a token, touched; nothing when unknown or expired.
    std::optional<Session> find(const QString& token);
    void close(const QString& token);
    int count() const;

    // For tests: moves the store's clock forward.
    void advanceClock(std::chrono::seconds by);

private:
    Clock::time_point now() const { return Clock::now() + m_skew; }

    struct Entry
    {
        Session session;
        Clock::time_point lastUse;
    };
    mutable QMutex m_mutex;
    QHash<QString, Entry> m_sessions;
    std::chrono::seconds m_idleTimeout;
    Clock::duration m_skew{0};
};

} // namespace appserver::rpc

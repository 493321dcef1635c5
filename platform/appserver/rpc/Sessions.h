#pragma once

#include "ServerClock.h"

#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

namespace host {
class Database;
}

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

// Tokens of the logged-in operators, kept in the shared database (table SESSAOAPP) so that
// every application server of a site knows them and a restarted server still does. Only a
// SHA-256 of a token is stored. A session unused for longer than the idle time ends.
//
// A session seen in the database a moment ago is taken from memory without asking again:
// within `recheckAfter` a logout or expiry on another server is not yet noticed here (on
// this server it is at once). The last use is written back at most once a minute, so that
// calls do not all write. Thread-safe; the database is reached through the calling
// thread's connection.
class SessionStore
{
public:
    using Connection = std::function<host::Database&()>;

    SessionStore(Connection connection, ServerClock& clock,
                 std::chrono::seconds idleTimeout = std::chrono::hours(8),
                 std::chrono::seconds recheckAfter = std::chrono::seconds(2));

    // Opens a session with a fresh random token. Throws host::EDatabaseError.
    Session open(const QString& operatorCode, const QString& operatorName, const QString& branch,
                 const QString& centre);
    // The session of a token, touched; nothing when unknown or expired.
    std::optional<Session> find(const QString& token);
    // Ends the session of a token, on every server.
    void close(const QString& token);
    // Sessions open in the database (on every server).
    int count() const;

    // For tests: moves the clock of the server's sessions and logins forward.
    void advanceClock(std::chrono::seconds by) { m_clock.advance(by); }

    // The stored form of a token: its SHA-256, lower-case hex.
    static QString tokenHash(const QString& token);

private:
    struct Cached
    {
        Session session;
        QDateTime checked; // when the database last confirmed it
    };

    std::optional<Session> load(const QString& token, const QString& hash);
    void forget(const QString& hash);

    Connection m_connection;
    ServerClock& m_clock;
    std::chrono::seconds m_idleTimeout;
    std::chrono::seconds m_recheckAfter;
    mutable QMutex m_mutex;
    QHash<QString, Cached> m_cache; // by token hash
};

} // namespace appserver::rpc

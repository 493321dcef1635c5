#pragma once

#include <QString>
#include <memory>

namespace host {
class Database;
class RemoteSession;
}
namespace appserver::rpc {
class Service;
}

// What the desktop client works with: the shared database and the application server,
// either a running sup-appserver or, by default, one in this process over a demo
// database in the user's data directory (created and seeded on first run).
class ClientEnvironment
{
public:
    ClientEnvironment();
    ~ClientEnvironment();

    // "sqlite:<user data>/sup01700/demo.db".
    static QString defaultDatabaseUrl();

    // Opens the shared database; the default one is created with the demo data when it
    // has none. Throws host::Exception with the reason.
    void openDatabase(const QString& url, bool seedWhenEmpty);
    // Reaches the server at "HOST:PORT", "http://HOST:PORT" or "https://HOST:PORT", or runs
    // one in this process when `address` is empty. Over HTTPS the server's certificate must
    // come from an authority of `caFile` (PEM) or, without it, of the system's store.
    // Throws host::Exception for a malformed address or a CA file that cannot be read.
    void connectServer(const QString& address, const QString& caFile = {});

    host::Database& database() { return *m_database; }
    host::RemoteSession& session() { return *m_session; }
    const QString& databaseUrl() const { return m_databaseUrl; }

private:
    QString m_databaseUrl;
    std::unique_ptr<host::Database> m_database;
    std::unique_ptr<appserver::rpc::Service> m_service;
    std::unique_ptr<host::RemoteSession> m_session;
};

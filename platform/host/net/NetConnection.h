#pragma once

#include "RemoteSession.h"

#include <QString>
#include <QVariant>

namespace host {

class TNetConnection;

// The late-bound interface of a remote module: AppServer().call("GetBanco", {}).
class RemoteModule
{
public:
    // Calls a method of the module with its arguments in order and returns its result.
    // A transport failure raises EConnectionLost (the connection is then closed); an error
    // answer of the server raises ERemote with the server's text. A connection that is not
    // open is opened first.
    //
    // `requestId` names one call across its retries (a UUID the caller keeps while it
    // retries a save whose answer was lost): the server applies a writing call once and
    // answers a repeated id of the same operator with the first answer. Empty: no id.
    QVariant call(const QString& method, const QVariantList& args = {},
                  const QString& requestId = QString()) const;

private:
    friend class TNetConnection;
    explicit RemoteModule(TNetConnection& connection) : m_connection(&connection) {}
    TNetConnection* m_connection;
};

// A connection to one remote module of the application server, e.g.
// TNetConnection netPlanCotaPrec("Sup.rdmPlanCotaPrec", session).
//
// Open() and Close() never raise: a server that cannot be reached leaves the connection
// closed (LastError() says why). Open() takes the server's address from the session at
// that moment, so Close() + Open() after the server came back (or moved) connects afresh.
// One thread at a time uses a connection.
class TNetConnection
{
public:
    TNetConnection(const QString& serverName, RemoteSession& session);
    TNetConnection(const TNetConnection&) = delete;
    TNetConnection& operator=(const TNetConnection&) = delete;

    // The remote module's name, e.g. "Sup.rdmPlanCotaPrec".
    const QString& ServerName() const { return m_serverName; }
    RemoteSession& session() const { return m_session; }

    void Open();
    void Close();
    bool Connected() const { return m_connected; }
    void SetConnected(bool connected);
    // Why the last Open() or call failed to reach the server; empty after a success.
    const QString& LastError() const { return m_lastError; }

    RemoteModule AppServer() { return RemoteModule(*this); }

private:
    friend class RemoteModule;
    QVariant call(const QString& method, const QVariantList& args, const QString& requestId);
    QVariant resultOf(const RpcReply& reply) const;

    QString m_serverName;
    RemoteSession& m_session;
    RpcEndpoint m_endpoint;
    bool m_connected = false;
    QString m_lastError;
};

} // namespace host

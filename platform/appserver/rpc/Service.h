#pragma once

#include "LoginAttempts.h"
#include "Method.h"
#include "ServerClock.h"
#include "Sessions.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>

namespace host {
class Database;
}

namespace appserver::rpc {

struct ServiceConfig
{
    QString connectionString; // "sqlite:PATH" or "postgresql://..."
    std::chrono::seconds idleTimeout = std::chrono::hours(8);
    // How long a session confirmed by the database is trusted before asking it again: the
    // delay before a logout or expiry on another server of the site is noticed here.
    std::chrono::seconds sessionRecheck = std::chrono::seconds(2);
    // How failed logins slow down an operator's next attempts.
    LoginPolicy loginPolicy;
    // Largest request body accepted. A full 300k-item worksheet packet sent for
    // validation is about 75 MB; the limit leaves room for it and no more.
    qint64 maxBody = 96ll * 1024 * 1024;
    // One line per call (method, operator, milliseconds, outcome); never data.
    std::function<void(const QString&)> log;
};

struct RpcRequest
{
    QByteArray verb = "POST"; // HTTP method
    QString path;             // "/rpc/Sup.rdmPlanCotaPrec/GetBanco"
    QByteArray body;
    QByteArray authorization; // "Bearer <token>"
    // The client's id of this call (header X-Request-Id), the same on every retry of one
    // save; empty when the client gave none. A writing call whose id the operator already
    // used is answered with the first answer and not run again.
    QString requestId;
};

struct RpcResponse
{
    int status = 200;
    QByteArray body;
    QByteArray contentType = "application/json; charset=utf-8";
};

// The application server's request handling, shared by the HTTP listener and the
// in-process mode of the client: login, sessions, method lookup, argument checks, one
// transaction per call, results and errors as JSON. Thread-safe; every thread uses its
// own connection to the shared database.
class Service
{
public:
    Service(ServiceConfig config, MethodRegistry registry);

    RpcResponse handle(const RpcRequest& request);

    const ServiceConfig& config() const { return m_config; }
    SessionStore& sessions() { return m_sessions; }
    LoginAttempts& loginAttempts() { return m_logins; }
    // The time of sessions and logins; tests move it.
    ServerClock& clock() { return m_clock; }
    const MethodRegistry& registry() const { return m_registry; }
    // This thread's connection to the shared database.
    host::Database& connection();

    static RpcResponse error(int status, const QString& text);

private:
    // What the log line of a call tells besides its path and status.
    struct CallNote
    {
        QString operatorCode = QStringLiteral("-");
        bool replayed = false; // answered from the answers of earlier calls
        QString detail;        // what else the line says, e.g. a failed login's count
    };

    // A failed login is told on the call's log line: the operator code typed and its
    // failures, never the password.
    RpcResponse login(const RpcRequest& request, CallNote& note);
    // Ends the session of the bearer token, on every server of the site.
    RpcResponse logout(const RpcRequest& request);
    void logLine(const QString& line) const;
    RpcResponse call(const QString& module, const QString& name, const RpcRequest& request,
                     CallNote& note);
    // Runs the method in its transaction and returns the answer's body.
    QByteArray run(const Method& method, const Session& session, const QVariantList& args,
                   const QString& requestId, CallNote& note);

    ServiceConfig m_config;
    MethodRegistry m_registry;
    ServerClock m_clock;
    SessionStore m_sessions;
    LoginAttempts m_logins;
};

} // namespace appserver::rpc

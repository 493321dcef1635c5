#pragma once

#include "RpcTransport.h"

#include <QString>
#include <functional>

namespace host {

// Where the application server listens.
struct ServerAddress
{
    // Host name or address; "http://host" and a trailing "/" are accepted, "https://host"
    // asks for HTTPS (the certificate checked as HttpOptions::caFile says).
    QString url;
    int port = 0;
};

// What the application server answers a successful login with.
struct LoginAnswer
{
    QString token;
    QString name; // the operator's name
};

// The logged-in operator's connection to the application server: where the server is
// (WebURL, WebPort — or, in the embedded mode, the server's request handling wired
// in-process) and the session token that every call carries.
//
// The connections read the address just before each connect, so a changed address takes
// effect at the next Open(). The address is the session's own (setWebURL, setWebPort) or,
// once an address source is set, whatever that source gives at each connect (the desktop
// client reads Halvore's WebURL and WebPort there). Set the session up before connections
// use it from other threads.
class RemoteSession
{
public:
    // A session with a server reached over HTTP (address set with setWebURL/setWebPort).
    RemoteSession() = default;
    // A session with a server running in this process.
    explicit RemoteSession(RpcEndpoint inProcess);

    using AddressSource = std::function<ServerAddress()>;
    void setAddressSource(AddressSource source) { m_addressSource = std::move(source); }
    ServerAddress address() const;
    QString WebURL() const { return address().url; }
    int WebPort() const { return address().port; }
    void setWebURL(const QString& url) { m_address.url = url; }
    void setWebPort(int port) { m_address.port = port; }
    bool isInProcess() const { return bool(m_inProcess); }

    // Limits of the HTTP connections opened from now on.
    const HttpOptions& httpOptions() const { return m_options; }
    void setHttpOptions(const HttpOptions& options) { m_options = options; }

    // A fresh endpoint to the server at its current address (the in-process one as is).
    // Throws EConnectionLost when the address is missing or malformed.
    RpcEndpoint connect() const;

    // Logs the operator in at the branch and keeps the token. A wrong operator or password
    // raises ERemote with the server's text; an unreachable server EConnectionLost.
    LoginAnswer login(const QString& operatorCode, const QString& password, const QString& branch);
    void logout();

    bool isLoggedIn() const { return !m_token.isEmpty(); }
    const QString& token() const { return m_token; }
    const QString& operatorCode() const { return m_operatorCode; }
    const QString& operatorName() const { return m_operatorName; }
    const QString& branch() const { return m_branch; }
    // The header value the calls carry: "Bearer <token>".
    QByteArray authorization() const;

private:
    RpcEndpoint m_inProcess;
    ServerAddress m_address;
    AddressSource m_addressSource;
    HttpOptions m_options;

    QString m_token;
    QString m_operatorCode;
    QString m_operatorName;
    QString m_branch;
};

// The error text of a server's error answer ({"error": text}), or a text naming the
// status when the body carries none.
QString remoteErrorText(const RpcReply& reply);

} // namespace host

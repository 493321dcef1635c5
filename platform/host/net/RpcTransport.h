#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>

namespace host {

// One answer of the application server: the HTTP status and the JSON body.
struct RpcReply
{
    int status = 0;
    QByteArray body;
};

// Something that answers requests of the wire protocol: a path ("/health", "/rpc/login",
// "/rpc/<module>/<method>"), a JSON body, the "Bearer <token>" header and the call's request
// id (header X-Request-Id, not sent when empty: the id a client keeps across the retries of
// one save, so that the server applies it once). "/health" is read, everything else posted.
// Throws host::EConnectionLost when the server cannot be reached or the connection broke;
// every answer of the server (errors included) comes back as a reply.
//
// The HTTP transport below is one; the embedded mode wires the server's own request
// handling in-process, so that both modes run the same encoder and decoder.
using RpcEndpoint =
    std::function<RpcReply(const QString& path, const QByteArray& body,
                           const QByteArray& authorization, const QString& requestId)>;

// Limits of an HTTP connection to the application server.
struct HttpOptions
{
    // Giving up on a server that does not accept the connection.
    std::chrono::milliseconds connectTimeout = std::chrono::seconds(5);
    // Waiting for an answer: loading or validating a large worksheet takes minutes.
    std::chrono::milliseconds readTimeout = std::chrono::minutes(10);
    // Sending a request (a worksheet's change packet may be tens of megabytes).
    std::chrono::milliseconds writeTimeout = std::chrono::minutes(2);
    // HTTPS: the server must show a certificate for its name, issued by an authority of
    // `caFile` (PEM) or, when that is empty, of the system's trusted authorities.
    bool tls = false;
    QString caFile;
};

// An endpoint over HTTP/1.1 (or HTTPS, see HttpOptions::tls) to host:port, on one
// kept-alive connection that is reopened when the server closed it. One caller at a time:
// give each thread its own endpoint.
RpcEndpoint httpEndpoint(const QString& host, int port, const HttpOptions& options = {});

} // namespace host

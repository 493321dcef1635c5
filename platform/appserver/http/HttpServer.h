#pragma once

#include <QString>
#include <chrono>
#include <cstddef>
#include <memory>

namespace appserver::rpc {
class Service;
}

namespace appserver::http {

struct HttpServerOptions
{
    // Address to listen on; the loopback unless the clients run on other machines.
    QString address = QStringLiteral("127.0.0.1");
    // 0 asks for any free port (see HttpServer::port()).
    int port = 8211;
    // Calls run at the same time. A call holds a worker while it runs (it may wait on the
    // database); open connections, idle or not, hold none.
    int workers = 16;
    // Calls that may wait for a worker when all are busy; one more is answered 503.
    int queuedCalls = 256;
    // Threads that serve every connection (read requests, send answers), however many.
    int ioThreads = 2;
    // How long an idle client connection is kept open for its next call.
    std::chrono::seconds keepAlive{5};
    // How long a client has to send the head of a request (request line and headers), from
    // its first byte or from connecting (the TLS handshake included). A client that trickles
    // it a byte at a time is cut off when this runs out, however busy it looks.
    std::chrono::seconds headerTimeout{10};
    // The longest pause while the body of a request arrives or its answer is being sent.
    std::chrono::seconds ioTimeout{120};
    // PEM files with the server's certificate (its chain) and private key: when both are set
    // the server speaks HTTPS only.
    QString tlsCertificate;
    QString tlsKey;
};

// Serves the application server's remote calls over HTTP/1.1:
//   GET  /health                    "ok"
//   POST /rpc/login                 {"operator", "password", "branch"} -> {"token", "name"}
//   POST /rpc/<module>/<method>     {"args": [...]} -> {"result": ...}
// Every answer, the HTTP layer's own refusals included (unknown address 404, malformed
// request 400, a body that is not JSON 415 or of undeclared length 411, over the service's
// limit 413 — judged from the head, before the body is read —, every worker busy and the
// queue full 503), carries a JSON body, {"error": text} on failure. Each answered request
// gives one line to the service's log. The service must outlive the server.
//
// Connections are served by a few I/O threads, asynchronously: an idle or slow client
// costs a socket and a little memory, never a thread, and is cut off by the timeouts
// above. Only received calls take a worker.
class HttpServer
{
public:
    HttpServer(rpc::Service& service, HttpServerOptions options = {});
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds the address and starts answering on threads of its own; returns once the
    // server accepts connections. Throws host::Exception when the address cannot be bound
    // or the certificate and key cannot be loaded.
    void start();
    // Stops accepting connections, closes the idle ones and those still sending a request,
    // and returns when every call already received has been answered.
    void stop();

    bool isRunning() const;
    const QString& address() const;
    // The port listened on (the one chosen when the options asked for 0).
    int port() const;
    bool usesTls() const;
    // Client connections open at this moment, idle ones included.
    std::size_t openConnections() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace appserver::http

#pragma once

#include <QString>
#include <chrono>
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
    // Threads answering calls. An open client connection holds one while it is kept
    // alive, so this bounds the connections served at the same time.
    int workers = 16;
    // How long an idle client connection is kept open for its next call.
    std::chrono::seconds keepAlive{5};
    // How long a client may stall while sending its request or reading the answer.
    std::chrono::seconds ioTimeout{120};
};

// Serves the application server's remote calls over HTTP/1.1:
//   GET  /health                    "ok"
//   POST /rpc/login                 {"operator", "password", "branch"} -> {"token", "name"}
//   POST /rpc/<module>/<method>     {"args": [...]} -> {"result": ...}
// Every answer, the HTTP layer's own refusals included (unknown address, malformed
// request, body over the service's limit: 413), carries a JSON body, {"error": text} on
// failure. Each answered request gives one line to the service's log. The service must
// outlive the server.
class HttpServer
{
public:
    HttpServer(rpc::Service& service, HttpServerOptions options = {});
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds the address and starts answering on threads of its own; returns once the
    // server accepts connections. Throws host::Exception when the address cannot be bound.
    void start();
    // Stops accepting connections and returns when every call already received has been
    // answered (idle kept-alive connections are closed within the keep-alive time).
    void stop();

    bool isRunning() const;
    const QString& address() const;
    // The port listened on (the one chosen when the options asked for 0).
    int port() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace appserver::http

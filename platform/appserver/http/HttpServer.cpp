#include "HttpServer.h"

#include "appserver/rpc/Service.h"
#include "host/core/Exceptions.h"

#include <httplib.h>

#include <sys/socket.h>

#include <atomic>
#include <thread>

namespace appserver::http {

namespace {

const std::string kJson = "application/json; charset=utf-8";

// The text of a refusal of the HTTP layer itself, before any call was made.
QString refusalText(int status, const QString& path, qint64 maxBody)
{
    switch (status) {
    case 400:
        return QStringLiteral("Requisição HTTP malformada.");
    case 404:
        return QStringLiteral("Endereço %1 não existe.").arg(path);
    case 411:
        return QStringLiteral("Informe o tamanho da chamada (Content-Length).");
    case 413:
        return QStringLiteral("Chamada maior que o limite de %1 bytes.").arg(maxBody);
    case 414:
        return QStringLiteral("Endereço longo demais.");
    case 500:
        return QStringLiteral("Erro interno do servidor.");
    default:
        return QStringLiteral("Requisição recusada pelo servidor (código %1).").arg(status);
    }
}

// A path as it may appear in the log: one line, at most 200 characters.
QString loggable(const QString& path)
{
    QString line = path.left(200);
    for (QChar& c : line)
        if (!c.isPrint())
            c = QLatin1Char('?');
    return line.isEmpty() ? QStringLiteral("-") : line;
}

// Only SO_REUSEADDR (a restarted server gets its port back at once); never SO_REUSEPORT,
// which would let a second server share the port of a running one.
void socketOptions(int sock)
{
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
}

} // namespace

struct HttpServer::Impl
{
    Impl(rpc::Service& s, HttpServerOptions o) : service(s), options(std::move(o)) {}

    rpc::Service& service;
    HttpServerOptions options;
    std::unique_ptr<httplib::Server> server;
    std::thread listener;
    std::atomic<bool> listening{false};
    int port = 0;

    void answer(const httplib::Request& req, httplib::Response& res);
    httplib::Server::HandlerResponse refuse(const httplib::Request& req, httplib::Response& res);
    void log(const QString& line) const
    {
        if (service.config().log)
            service.config().log(line);
    }
    void configure(httplib::Server& s);
};

void HttpServer::Impl::answer(const httplib::Request& req, httplib::Response& res)
{
    rpc::RpcRequest request;
    request.verb = QByteArray::fromStdString(req.method);
    request.path = QString::fromStdString(req.path);
    // The body is only read during the call; no copy of a large change packet.
    request.body = QByteArray::fromRawData(req.body.data(), qsizetype(req.body.size()));
    request.authorization = QByteArray::fromStdString(req.get_header_value("Authorization"));
    request.requestId = QString::fromStdString(req.get_header_value("X-Request-Id"));
    const rpc::RpcResponse response = service.handle(request);
    res.status = response.status;
    res.set_content(response.body.constData(), size_t(response.body.size()),
                    response.contentType.toStdString());
}

httplib::Server::HandlerResponse HttpServer::Impl::refuse(const httplib::Request& req,
                                                          httplib::Response& res)
{
    // The service's own error answers already carry their text.
    if (!res.body.empty())
        return httplib::Server::HandlerResponse::Unhandled;
    const QString path = QString::fromStdString(req.path);
    res.set_content(
        rpc::Service::error(res.status, refusalText(res.status, path, service.config().maxBody))
            .body.toStdString(),
        kJson);
    log(QStringLiteral("%1 - 0 ms %2").arg(loggable(path)).arg(res.status));
    return httplib::Server::HandlerResponse::Handled;
}

void HttpServer::Impl::configure(httplib::Server& s)
{
    const auto serve = [this](const httplib::Request& req, httplib::Response& res) {
        answer(req, res);
    };
    s.Get("/health", serve);
    s.Post("/rpc/login", serve);
    s.Post(R"(/rpc/[^/]+/[^/]+)", serve);

    // A body without a declared length could not be held to the limit before it is read.
    s.set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
        if (req.method == "POST" && !req.has_header("Content-Length")) {
            res.status = 411;
            res.set_header("Connection", "close");
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    s.set_error_handler(httplib::Server::HandlerWithResponse(
        [this](const httplib::Request& req, httplib::Response& res) { return refuse(req, res); }));
    s.set_exception_handler(
        [this](const httplib::Request& req, httplib::Response& res, std::exception_ptr) {
            res.status = 500;
            res.body.clear();
            refuse(req, res);
        });

    s.set_payload_max_length(size_t(std::max<qint64>(service.config().maxBody, 0)));
    s.set_keep_alive_timeout(options.keepAlive.count());
    s.set_read_timeout(options.ioTimeout.count(), 0);
    s.set_write_timeout(options.ioTimeout.count(), 0);
    s.set_tcp_nodelay(true);
    s.set_socket_options(socketOptions);
    const size_t workers = size_t(std::max(options.workers, 1));
    s.new_task_queue = [workers] { return new httplib::ThreadPool(workers); };
}

HttpServer::HttpServer(rpc::Service& service, HttpServerOptions options)
    : d(std::make_unique<Impl>(service, std::move(options)))
{
}

HttpServer::~HttpServer()
{
    stop();
}

void HttpServer::start()
{
    if (d->server)
        return;
    auto server = std::make_unique<httplib::Server>();
    d->configure(*server);
    const std::string address = d->options.address.toStdString();
    int port = d->options.port;
    const bool bound = port == 0 ? (port = server->bind_to_any_port(address)) > 0
                                 : server->bind_to_port(address, port);
    if (!bound)
        throw host::Exception(QStringLiteral("Não foi possível escutar em %1:%2 (endereço "
                                             "inválido ou porta em uso).")
                                  .arg(d->options.address)
                                  .arg(d->options.port));
    d->port = port;
    httplib::Server* s = server.get();
    d->server = std::move(server);
    d->listening = true;
    d->listener = std::thread([this, s] {
        s->listen_after_bind();
        d->listening = false;
    });
    // The library has no way to wait for readiness, and its stop() does nothing before
    // the accept loop runs: wait for it.
    while (d->listening && !s->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void HttpServer::stop()
{
    if (!d->server)
        return;
    // Closing the listening socket ends the accept loop; the listener then waits for the
    // worker pool, which finishes every connection it took (the running calls answer).
    d->server->stop();
    if (d->listener.joinable())
        d->listener.join();
    d->server.reset();
}

bool HttpServer::isRunning() const
{
    return d->server && d->server->is_running();
}

const QString& HttpServer::address() const
{
    return d->options.address;
}

int HttpServer::port() const
{
    return d->port;
}

} // namespace appserver::http

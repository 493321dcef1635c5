#include "HttpServer.h"

#include "Connection.h"
#include "ServerCore.h"
#include "TlsContext.h"

#include "host/core/Exceptions.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>

#include <algorithm>
#include <future>
#include <optional>
#include <thread>
#include <vector>

namespace appserver::http {

namespace {

namespace net = boost::asio;
using tcp = net::ip::tcp;

// The address to listen on: a literal address, or a name resolved to its first address.
std::optional<tcp::endpoint> endpointOf(net::io_context& io, const QString& address, int port)
{
    boost::system::error_code ec;
    const net::ip::address literal = net::ip::make_address(address.toStdString(), ec);
    if (!ec)
        return tcp::endpoint(literal, static_cast<unsigned short>(port));
    tcp::resolver resolver(io);
    const auto found = resolver.resolve(address.toStdString(), std::to_string(port), ec);
    if (ec || found.empty())
        return std::nullopt;
    return found.begin()->endpoint();
}

} // namespace

// One run of the server, from start() to stop(): the I/O threads, the listening socket and
// the connections' shared state.
struct Run
{
    Run(rpc::Service& service, const HttpServerOptions& options)
        : core(service, options), acceptor(net::make_strand(io)), retry(acceptor.get_executor())
    {
    }

    void accept();
    void onAccept(const boost::system::error_code& ec, tcp::socket socket);
    void closeAcceptor();

    net::io_context io;
    ServerCore core;
    std::optional<net::ssl::context> tls;
    tcp::acceptor acceptor;
    net::steady_timer retry;
    std::optional<net::executor_work_guard<net::io_context::executor_type>> work;
    std::vector<std::thread> threads;
};

void Run::accept()
{
    acceptor.async_accept(net::make_strand(io),
                          [this](const boost::system::error_code& ec, tcp::socket socket) {
                              onAccept(ec, std::move(socket));
                          });
}

void Run::onAccept(const boost::system::error_code& ec, tcp::socket socket)
{
    if (!acceptor.is_open())
        return;
    if (ec) {
        // Out of file descriptors, most likely: accepting again at once would spin.
        retry.expires_after(std::chrono::milliseconds(50));
        retry.async_wait([this](const boost::system::error_code& waited) {
            if (!waited && acceptor.is_open())
                accept();
        });
        return;
    }
    boost::system::error_code ignored;
    socket.set_option(tcp::no_delay(true), ignored);
    std::shared_ptr<Connection> connection = tls ? tlsConnection(std::move(socket), *tls, core)
                                                 : plainConnection(std::move(socket), core);
    core.opened(connection);
    connection->start();
    accept();
}

void Run::closeAcceptor()
{
    std::promise<void> closed;
    net::post(acceptor.get_executor(), [this, &closed] {
        boost::system::error_code ignored;
        acceptor.close(ignored);
        retry.cancel();
        closed.set_value();
    });
    closed.get_future().wait();
}

struct HttpServer::Impl
{
    Impl(rpc::Service& s, HttpServerOptions o) : service(s), options(std::move(o)) {}

    rpc::Service& service;
    HttpServerOptions options;
    std::unique_ptr<Run> run;
    int port = 0;

    [[noreturn]] void cannotListen() const
    {
        throw host::Exception(QStringLiteral("Não foi possível escutar em %1:%2 (endereço "
                                             "inválido ou porta em uso).")
                                  .arg(options.address)
                                  .arg(options.port));
    }
};

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
    if (d->run)
        return;
    auto run = std::make_unique<Run>(d->service, d->options);
    if (usesTls())
        run->tls.emplace(serverTlsContext(d->options.tlsCertificate, d->options.tlsKey));

    const std::optional<tcp::endpoint> where =
        endpointOf(run->io, d->options.address, d->options.port);
    if (!where)
        d->cannotListen();
    boost::system::error_code ec;
    run->acceptor.open(where->protocol(), ec);
    // Only SO_REUSEADDR (a restarted server gets its port back at once); never SO_REUSEPORT,
    // which would let a second server share the port of a running one.
    if (!ec)
        run->acceptor.set_option(net::socket_base::reuse_address(true), ec);
    if (!ec)
        run->acceptor.bind(*where, ec);
    if (!ec)
        run->acceptor.listen(net::socket_base::max_listen_connections, ec);
    if (ec)
        d->cannotListen();
    d->port = run->acceptor.local_endpoint().port();

    run->work.emplace(run->io.get_executor());
    run->accept();
    const int threads = std::max(d->options.ioThreads, 1);
    for (int i = 0; i < threads; ++i)
        run->threads.emplace_back([io = &run->io] { io->run(); });
    d->run = std::move(run);
}

void HttpServer::stop()
{
    if (!d->run)
        return;
    Run& run = *d->run;
    run.closeAcceptor();
    run.core.setStopping();
    for (const std::shared_ptr<Connection>& connection : run.core.openConnections())
        connection->stop();
    // The calls already received are answered before their connections close.
    run.core.waitUntilAllClosed();
    run.core.pool().stop();
    run.work.reset();
    run.io.stop();
    for (std::thread& thread : run.threads)
        thread.join();
    d->run.reset();
}

bool HttpServer::isRunning() const
{
    return bool(d->run);
}

const QString& HttpServer::address() const
{
    return d->options.address;
}

int HttpServer::port() const
{
    return d->port;
}

bool HttpServer::usesTls() const
{
    return !d->options.tlsCertificate.isEmpty() || !d->options.tlsKey.isEmpty();
}

std::size_t HttpServer::openConnections() const
{
    return d->run ? d->run->core.openCount() : 0;
}

} // namespace appserver::http

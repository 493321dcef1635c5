#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl/context.hpp>

#include <memory>

namespace appserver::http {

class ServerCore;

// One client connection, served asynchronously on the server's I/O threads: it reads each
// request's head within the header timeout, judges it, reads the body, hands the call to a
// worker and sends the answer the worker posts back; then it waits for the next request
// within the keep-alive time. Every step runs on the connection's own strand.
class Connection : public std::enable_shared_from_this<Connection>
{
public:
    explicit Connection(ServerCore& core) : m_core(core) {}
    virtual ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    virtual void start() = 0;
    // The server stops: the connection closes at once unless a call it received is being
    // run or answered, which it then answers and closes.
    virtual void stop() = 0;

protected:
    ServerCore& m_core;
};

std::shared_ptr<Connection> plainConnection(boost::asio::ip::tcp::socket socket, ServerCore& core);
std::shared_ptr<Connection> tlsConnection(boost::asio::ip::tcp::socket socket,
                                          boost::asio::ssl::context& tls, ServerCore& core);

} // namespace appserver::http

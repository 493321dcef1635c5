#pragma once

#include "CallPool.h"
#include "HttpServer.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace appserver::rpc {
class Service;
}

namespace appserver::http {

class Connection;

// What every connection of one running server shares: the service, the options, the
// workers, and the list of open connections that a stop walks through.
class ServerCore
{
public:
    ServerCore(rpc::Service& service, const HttpServerOptions& options);

    rpc::Service& service() { return m_service; }
    const HttpServerOptions& options() const { return m_options; }
    qint64 maxBody() const;
    CallPool& pool() { return m_pool; }

    bool stopping() const { return m_stopping; }
    void setStopping() { m_stopping = true; }

    // One line of the service's log.
    void log(const QString& line) const;

    void opened(const std::shared_ptr<Connection>& connection);
    void closed(const Connection* connection);
    std::size_t openCount() const;
    std::vector<std::shared_ptr<Connection>> openConnections() const;
    void waitUntilAllClosed();

private:
    rpc::Service& m_service;
    const HttpServerOptions m_options;
    CallPool m_pool;
    std::atomic<bool> m_stopping{false};

    mutable std::mutex m_mutex;
    std::condition_variable m_allClosed;
    std::unordered_map<const Connection*, std::weak_ptr<Connection>> m_open;
};

} // namespace appserver::http

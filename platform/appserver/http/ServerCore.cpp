#include "ServerCore.h"

#include "appserver/rpc/Service.h"

#include <algorithm>

namespace appserver::http {

ServerCore::ServerCore(rpc::Service& service, const HttpServerOptions& options)
    : m_service(service), m_options(options), m_pool(options.workers, options.queuedCalls)
{
}

qint64 ServerCore::maxBody() const
{
    return std::max<qint64>(m_service.config().maxBody, 0);
}

void ServerCore::log(const QString& line) const
{
    if (m_service.config().log)
        m_service.config().log(line);
}

void ServerCore::opened(const std::shared_ptr<Connection>& connection)
{
    std::lock_guard lock(m_mutex);
    m_open.emplace(connection.get(), connection);
}

void ServerCore::closed(const Connection* connection)
{
    std::lock_guard lock(m_mutex);
    m_open.erase(connection);
    if (m_open.empty())
        m_allClosed.notify_all();
}

std::size_t ServerCore::openCount() const
{
    std::lock_guard lock(m_mutex);
    return m_open.size();
}

std::vector<std::shared_ptr<Connection>> ServerCore::openConnections() const
{
    std::lock_guard lock(m_mutex);
    std::vector<std::shared_ptr<Connection>> open;
    open.reserve(m_open.size());
    for (const auto& [key, weak] : m_open)
        if (std::shared_ptr<Connection> connection = weak.lock())
            open.push_back(std::move(connection));
    return open;
}

void ServerCore::waitUntilAllClosed()
{
    std::unique_lock lock(m_mutex);
    m_allClosed.wait(lock, [this] { return m_open.empty(); });
}

} // namespace appserver::http

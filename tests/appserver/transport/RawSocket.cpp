#include "RawSocket.h"

#include <QList>

#include <algorithm>
#include <utility>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace transporttest {

RawSocket::RawSocket(int port)
{
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(quint16(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        close();
        return;
    }
    int yes = 1;
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof(yes));
}

RawSocket::~RawSocket()
{
    close();
}

RawSocket::RawSocket(RawSocket&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_pending(std::move(other.m_pending))
{
}

void RawSocket::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool RawSocket::send(const QByteArray& bytes)
{
    qsizetype sent = 0;
    while (m_fd >= 0 && sent < bytes.size()) {
        const ssize_t n =
            ::send(m_fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return m_fd >= 0;
}

bool RawSocket::receive(std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (m_fd < 0 || left.count() <= 0)
            return false;
        pollfd wait = {m_fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, int(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        char chunk[16 * 1024];
        const ssize_t n = ::recv(m_fd, chunk, sizeof(chunk), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        m_pending.append(chunk, n);
        return true;
    }
}

std::optional<RawSocket::Answer> RawSocket::readAnswer(std::chrono::milliseconds within)
{
    const auto deadline = std::chrono::steady_clock::now() + within;
    qsizetype headEnd = -1;
    while ((headEnd = m_pending.indexOf("\r\n\r\n")) < 0)
        if (!receive(deadline))
            return std::nullopt;
    Answer answer;
    answer.headers = m_pending.left(headEnd).toLower();
    const QList<QByteArray> lines = answer.headers.split('\n');
    answer.status = lines.value(0).split(' ').value(1).toInt();
    qsizetype length = 0;
    for (const QByteArray& line : lines)
        if (line.startsWith("content-length:"))
            length = line.mid(15).trimmed().toLongLong();
    const qsizetype bodyStart = headEnd + 4;
    while (m_pending.size() < bodyStart + length)
        if (!receive(deadline))
            return std::nullopt;
    answer.body = m_pending.mid(bodyStart, length);
    m_pending.remove(0, bodyStart + length);
    return answer;
}

bool RawSocket::closedByPeerWithin(std::chrono::milliseconds within)
{
    const auto deadline = std::chrono::steady_clock::now() + within;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd wait = {m_fd, POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (::poll(&wait, 1, int(std::max<qint64>(left.count(), 0))) <= 0)
            continue;
        char chunk[4096];
        const ssize_t n = ::recv(m_fd, chunk, sizeof(chunk), 0);
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN))
            return true;
    }
    return false;
}

QByteArray requestText(const QByteArray& method, const QByteArray& path, const QByteArray& headers,
                       const QByteArray& body)
{
    QByteArray text = method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + headers;
    if (!body.isEmpty())
        text += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return text + "\r\n" + body;
}

} // namespace transporttest

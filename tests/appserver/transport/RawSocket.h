#pragma once

#include <QByteArray>
#include <chrono>
#include <optional>

namespace transporttest {

// A loopback TCP connection driven byte by byte, for what no HTTP client library does on
// purpose: requests sent in part, held open, or never finished.
class RawSocket
{
public:
    // Connects to 127.0.0.1:port; check isOpen().
    explicit RawSocket(int port);
    ~RawSocket();
    RawSocket(RawSocket&& other) noexcept;
    RawSocket& operator=(RawSocket&&) = delete;
    RawSocket(const RawSocket&) = delete;
    RawSocket& operator=(const RawSocket&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // False when the connection broke.
    bool send(const QByteArray& bytes);

    struct Answer
    {
        int status = 0;
        QByteArray headers; // the head, lower-cased
        QByteArray body;
    };
    // The next answer (its head and a body of Content-Length bytes), or nothing when the
    // connection ends or the time runs out first.
    std::optional<Answer> readAnswer(std::chrono::milliseconds within);
    // True when the server closes the connection (end of stream or reset) within the time;
    // whatever it sends before is read and dropped.
    bool closedByPeerWithin(std::chrono::milliseconds within);
    void close();

private:
    // Waits for bytes and appends them to m_pending; false on end, error or time out.
    bool receive(std::chrono::steady_clock::time_point deadline);

    int m_fd = -1;
    QByteArray m_pending;
};

// A request head (and body) as a client would write it.
QByteArray requestText(const QByteArray& method, const QByteArray& path,
                       const QByteArray& headers = {}, const QByteArray& body = {});

} // namespace transporttest

#pragma once

#include <QDateTime>
#include <QMutex>
#include <QString>
#include <chrono>

namespace appserver::rpc {

// The server's idea of the time for sessions and logins: UTC to the second, as moments
// are stored in the database ('YYYY-MM-DDThh:mm:ss' text, which orders as time does).
// Tests move it forward, or stop it, so that they need not wait. Thread-safe.
class ServerClock
{
public:
    QDateTime now() const
    {
        QMutexLocker lock(&m_mutex);
        QDateTime moment = m_frozen.isValid() ? m_frozen : QDateTime::currentDateTimeUtc();
        moment = moment.addSecs(m_skew.count());
        return moment.addMSecs(-moment.time().msec());
    }
    void advance(std::chrono::seconds by)
    {
        QMutexLocker lock(&m_mutex);
        m_skew += by;
    }
    // For tests: time stands still from now on, but for advance().
    void freeze()
    {
        QMutexLocker lock(&m_mutex);
        if (!m_frozen.isValid())
            m_frozen = QDateTime::currentDateTimeUtc();
    }
    static QString text(const QDateTime& moment)
    {
        return moment.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    }
    static QDateTime parse(const QString& text)
    {
        QDateTime moment = QDateTime::fromString(text, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
        moment.setTimeSpec(Qt::UTC);
        return moment;
    }

private:
    mutable QMutex m_mutex;
    QDateTime m_frozen;
    std::chrono::seconds m_skew{0};
};

} // namespace appserver::rpc

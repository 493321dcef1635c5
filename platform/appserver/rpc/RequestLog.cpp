#include "RequestLog.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace appserver::rpc::requests {

namespace {

constexpr qint64 kKeptSeconds = 24 * 60 * 60;
// Forgetting old answers once an hour is enough to keep the table small.
constexpr qint64 kPurgeEverySeconds = 60 * 60;

QString moment(const QDateTime& when)
{
    return when.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

// True once in a while, for one caller of the process at a time.
bool purgeIsDue(const QDateTime& now)
{
    static std::atomic<qint64> lastPurge{0};
    const qint64 seconds = now.toSecsSinceEpoch();
    qint64 last = lastPurge.load();
    return seconds - last >= kPurgeEverySeconds && lastPurge.compare_exchange_strong(last, seconds);
}

} // namespace

bool isValidId(const QString& requestId)
{
    if (requestId.isEmpty() || requestId.size() > kMaxIdLength)
        return false;
    for (const QChar c : requestId) {
        const char16_t u = c.unicode();
        const bool allowed = (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'z') ||
                             (u >= u'A' && u <= u'Z') || u == u'-' || u == u'_' || u == u'.' ||
                             u == u'{' || u == u'}';
        if (!allowed)
            return false;
    }
    return true;
}

std::optional<StoredAnswer> find(host::Database& db, const QString& operatorCode,
                                 const QString& requestId)
{
    QSqlQuery query = db.run(QStringLiteral("SELECT NMMETODO, DSRESPOSTA FROM REQGRAVACAO "
                                            "WHERE CDOPERADOR = ? AND IDREQUISICAO = ?"),
                             {operatorCode, requestId});
    if (!query.next())
        return std::nullopt;
    return StoredAnswer{query.value(0).toString(), query.value(1).toString().toUtf8()};
}

void record(host::Database& db, const QString& operatorCode, const QString& requestId,
            const QString& method, const QByteArray& result)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (purgeIsDue(now))
        db.run(QStringLiteral("DELETE FROM REQGRAVACAO WHERE DTREGISTRO < ?"),
               {moment(now.addSecs(-kKeptSeconds))});
    db.run(
        QStringLiteral("INSERT INTO REQGRAVACAO (CDOPERADOR, IDREQUISICAO, NMMETODO, DSRESPOSTA, "
                       "DTREGISTRO) VALUES (?, ?, ?, ?, ?)"),
        {operatorCode, requestId, method, QString::fromUtf8(result), moment(now)});
}

} // namespace appserver::rpc::requests

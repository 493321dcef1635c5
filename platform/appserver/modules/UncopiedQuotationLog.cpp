#include "UncopiedQuotationLog.h"

#include "CentreNumbers.h"

#include "host/core/Database.h"

#include <QDateTime>

namespace appserver::modules {

namespace {

constexpr int kReasonWidth = 200; // DSMOTIVO

QVariant textOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

UncopiedQuotationLog::UncopiedQuotationLog(host::Database& db, const DuplicationRequest& request)
    : m_db(db), m_request(request),
      m_when(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")))
{
}

void UncopiedQuotationLog::add(const SourceQuotation& source, const QString& reason)
{
    // The first number is taken when it is needed; the call holds the write lock, so the
    // rows that follow it are this duplication's only.
    if (m_count == 0)
        m_first = nextCentreNumber(m_db, CentreSequence::UncopiedQuotation, m_request.centre);
    m_db.run(QStringLiteral("INSERT INTO COTNDUPLIC (CDFILIAL, NRCOTNDUP, NRCOLEPRECO, "
                            "CDOPERADOR, DTINIVALCOL, DTFINVALCOL, DSMOTIVO, NRSEMAINIC, "
                            "NRSEMAFINAL, DTREGISTRO, CDOPERREG) VALUES (?, ?, ?, ?, ?, ?, ?, ?, "
                            "?, ?, ?)"),
             {m_request.centre, centreNumberText(m_first + m_count), source.number,
              textOrNull(source.buyer), textOrNull(source.validFrom), textOrNull(source.validTo),
              reason.left(kReasonWidth), m_request.copy.firstWeek, m_request.copy.lastWeek, m_when,
              m_request.operatorCode});
    ++m_count;
}

QString UncopiedQuotationLog::first() const
{
    return m_count == 0 ? QString() : centreNumberText(m_first);
}

} // namespace appserver::modules

#include "CentreNumbers.h"

#include "TransactionLocks.h"

#include "host/core/Database.h"
#include "module/records/QuotationRecords.h"

#include <QSqlQuery>
#include <QVariant>

namespace appserver::modules {

qint64 nextCentreNumber(host::Database& db, CentreSequence sequence, const QString& centre)
{
    // Fixed texts only: the sequence picks the table, never a caller.
    const bool quotation = sequence == CentreSequence::Quotation;
    const QString sql =
        quotation ? QStringLiteral("SELECT COALESCE(MAX(CAST(NRCOLEPRECO AS BIGINT)), 0) FROM "
                                   "COLETAPR WHERE CDFILIAL = ?")
                  : QStringLiteral("SELECT COALESCE(MAX(CAST(NRCOTNDUP AS BIGINT)), 0) FROM "
                                   "COTNDUPLIC WHERE CDFILIAL = ?");
    lockName(db, (quotation ? QStringLiteral("COLETAPR/") : QStringLiteral("COTNDUPLIC/")) + centre);
    QSqlQuery last = db.run(sql, {centre});
    return last.next() ? last.value(0).toLongLong() + 1 : 1;
}

QString centreNumberText(qint64 number)
{
    return QString::number(number).rightJustified(module::Width::QuotationNumber, QLatin1Char('0'));
}

} // namespace appserver::modules

#include "QuotationDuplication.h"

#include "BoundSql.h"
#include "ItemValues.h"
#include "QuotationCopy.h"
#include "Rights.h"
#include "UncopiedQuotationLog.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/Exceptions.h"

#include <QSqlQuery>
#include <QVariant>
#include <cmath>
#include <optional>

namespace appserver::modules {

namespace {

using rpc::Refusal;

QString iso(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

// The sources are read before anything is copied: a copy whose new validity falls within
// the source period is never taken for a source itself.
QList<SourceQuotation> readSources(host::Database& db, const DuplicationRequest& request)
{
    BoundSql sql;
    sql.add(QStringLiteral("SELECT NRCOLEPRECO, CDOPERADOR, DTINIVALCOL, DTFINVALCOL FROM "
                           "COLETAPR WHERE CDFILIAL = ? AND "),
            {request.centre});
    if (request.wholePeriod) {
        sql.add(QStringLiteral("DTINIVALCOL >= ? AND DTFINVALCOL <= ? AND "),
                {iso(request.periodFrom), iso(request.periodTo)});
        sql.add(inCondition(QStringLiteral("CDOPERADOR"), request.buyers));
    } else {
        sql.add(QStringLiteral("NRCOLEPRECO = ?"), {request.current});
    }
    sql.add(QStringLiteral(" ORDER BY NRCOLEPRECO"));

    QList<SourceQuotation> sources;
    QSqlQuery query = db.run(sql.text, sql.values);
    while (query.next())
        sources.append({query.value(0).toString(), query.value(1).toString(),
                        query.value(2).toString(), query.value(3).toString()});
    return sources;
}

void refuseNothingToCopy(const DuplicationRequest& request)
{
    if (request.wholePeriod)
        throw Refusal(
            QStringLiteral("Não há cotação para o comprador no período de validade informado."));
    if (request.current.trimmed().isEmpty())
        throw Refusal(QStringLiteral("Não há cotação corrente para duplicar."));
    throw Refusal(QStringLiteral("Cotação %1 não encontrada.").arg(request.current.left(20)));
}

bool buyerHasQuotationIn(host::Database& db, const DuplicationRequest& request,
                         const QString& buyer)
{
    return db
        .run(QStringLiteral("SELECT 1 FROM COLETAPR WHERE CDFILIAL = ? AND CDOPERADOR = ? AND "
                            "DTINIVALCOL <= ? AND DTFINVALCOL >= ? LIMIT 1"),
             {request.centre, buyer, iso(request.copy.validTo), iso(request.copy.validFrom)})
        .next();
}

struct ItemSummary
{
    qint64 count = 0;
    double highestPrice = 0;
};

ItemSummary itemSummary(host::Database& db, const QString& centre, const QString& number)
{
    QSqlQuery query = db.run(QStringLiteral("SELECT COUNT(*), COALESCE(MAX(VRPRECUNIITM), 0) "
                                            "FROM ITEMCOLE WHERE CDFILIAL = ? AND NRCOLEPRECO = ?"),
                             {centre, number});
    if (!query.next())
        return {};
    return {query.value(0).toLongLong(), query.value(1).toDouble()};
}

double readjusted(double price, double factor)
{
    return std::round(price * factor * 1e5) / 1e5;
}

// Why the source may not be copied; nothing when it may.
std::optional<QString> whyNotCopied(host::Database& db, const DuplicationRequest& request,
                                    const SourceQuotation& source)
{
    if (buyerHasQuotationIn(db, request, source.buyer))
        return QStringLiteral("Comprador já possui cotação na nova validade.");
    const ItemSummary items = itemSummary(db, request.centre, source.number);
    if (items.count == 0)
        return QStringLiteral("Cotação sem itens.");
    if (source.buyer != request.operatorCode &&
        !managesBuyer(db, request.operatorCode, source.buyer))
        return QStringLiteral("Operador sem permissão para o comprador.");
    // No price a buyer could not type in the price dialog.
    if (readjusted(items.highestPrice, request.copy.priceFactor) > kMaxUnitPrice)
        return QStringLiteral("Preço reajustado acima do máximo permitido "
                              "(9.999.999.999,99999).");
    return std::nullopt;
}

// Copies the source, or tells why it was not copied. A copy that fails halfway is undone
// to its savepoint and the duplication goes on with the next source.
std::optional<QString> copyOrExplain(host::Database& db, const DuplicationRequest& request,
                                     const SourceQuotation& source)
{
    if (std::optional<QString> reason = whyNotCopied(db, request, source))
        return reason;
    db.exec(QStringLiteral("SAVEPOINT COPIA_COTACAO"));
    try {
        copyQuotation(db, request.centre, source.number, request.copy);
        db.exec(QStringLiteral("RELEASE COPIA_COTACAO"));
        return std::nullopt;
    } catch (const host::EDatabaseError& e) {
        db.exec(QStringLiteral("ROLLBACK TO COPIA_COTACAO"));
        db.exec(QStringLiteral("RELEASE COPIA_COTACAO"));
        return QStringLiteral("Falha ao copiar a cotação: ") + e.message();
    }
}

} // namespace

DuplicationOutcome duplicateQuotations(host::Database& db, const DuplicationRequest& request)
{
    const QList<SourceQuotation> sources = readSources(db, request);
    if (sources.isEmpty())
        refuseNothingToCopy(request);

    UncopiedQuotationLog log(db, request);
    DuplicationOutcome outcome;
    for (const SourceQuotation& source : sources) {
        if (const std::optional<QString> reason = copyOrExplain(db, request, source))
            log.add(source, *reason);
        else
            ++outcome.copied;
    }
    outcome.uncopied = log.count();
    outcome.firstUncopied = log.first();
    return outcome;
}

} // namespace appserver::modules

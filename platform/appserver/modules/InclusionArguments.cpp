#include "InclusionArguments.h"

#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Exceptions.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/Codes.h"
#include "module/records/QuotationRecords.h"

namespace appserver::modules {

namespace {

using rpc::Refusal;

// A text sent by the caller, short enough to quote in a message.
QString quoted(const QString& text)
{
    return QLatin1Char('"') + text.left(40) + QLatin1Char('"');
}

// A tree code bound without the product picture's literals.
QString treeBound(const QString& text, int width, const QString& which)
{
    QString bound;
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            bound += c;
    if (bound.size() > width)
        throw Refusal(QStringLiteral("Produto %1 inválido: %2.").arg(which, quoted(text)));
    return bound;
}

} // namespace

QString readBuyer(host::Database& db, const QString& code)
{
    const QString buyer = module::normaliseBuyer(code);
    if (buyer.trimmed().isEmpty())
        throw Refusal(QStringLiteral("Comprador deve ser informado."));
    if (buyer.size() > module::Width::Operator || !isBuyer(db, buyer))
        throw Refusal(QStringLiteral("Comprador %1 não cadastrado.").arg(quoted(code.trimmed())));
    return buyer;
}

QDate readCollectionDay(const QDate& date)
{
    if (!date.isValid())
        throw Refusal(QStringLiteral("Data da coleta deve ser informada."));
    return date;
}

void readProductRange(const QString& initial, const QString& final, InclusionCriteria& criteria)
{
    const int width = module::Width::ProductTreeCode;
    criteria.firstTree = treeBound(initial, width, QStringLiteral("inicial"));
    criteria.lastTree =
        treeBound(final, width + module::ProductRangeBoundLength, QStringLiteral("final"));
    if (!criteria.firstTree.isEmpty() && !criteria.lastTree.isEmpty() &&
        criteria.firstTree > criteria.lastTree)
        throw Refusal(QStringLiteral("Produto inicial deve ser menor ou igual ao produto final."));
}

ChosenCodes readCodeList(const QString& list, const QString& marker, const QString& what, int width)
{
    ChosenCodes codes;
    try {
        codes = readChosenCodes(list, marker, what);
    } catch (const host::Exception& e) {
        throw Refusal(e.message());
    }
    for (QString& code : codes.codes) {
        const QString sent = code;
        code = host::Ajusta(code, width);
        if (code.size() > width)
            throw Refusal(
                QStringLiteral("Lista de %1 com código inválido: %2.").arg(what, quoted(sent)));
    }
    return codes;
}

quint8 readChecks(const QString& list)
{
    const std::optional<QStringList> codes = module::parseChosenCodes(list);
    if (!codes)
        throw Refusal(QStringLiteral("Lista de verificações em formato inválido."));
    quint8 checks = 0;
    for (const QString& code : *codes) {
        bool ok = false;
        const int check = code.trimmed().toInt(&ok);
        if (!ok || check < 0 || check >= kInclusionCheckCount || code.trimmed().size() != 1)
            throw Refusal(QStringLiteral("Verificação %1 desconhecida: use 0 a %2.")
                              .arg(quoted(code))
                              .arg(kInclusionCheckCount - 1));
        checks |= quint8(1 << check);
    }
    return codes->isEmpty() ? quint8((1 << kInclusionCheckCount) - 1) : checks;
}

QString readWeek(const QString& text, const QString& which)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    const int week = trimmed.toInt(&ok);
    if (!ok || trimmed.size() > module::Width::Week || week < 1 || week > 53)
        throw Refusal(
            QStringLiteral("Semana %1 inválida: %2 (use 01 a 53).").arg(which, quoted(text)));
    return module::normaliseWeek(week);
}

} // namespace appserver::modules

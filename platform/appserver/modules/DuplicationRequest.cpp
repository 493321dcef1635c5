#include "DuplicationRequest.h"

#include "InclusionArguments.h"
#include "Rights.h"

#include "appserver/rpc/Method.h"
#include "appserver/rpc/RpcErrors.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

#include <cmath>

namespace appserver::modules {

namespace {

using rpc::Refusal;

// The argument positions of DuplicaCotacao.
enum Arg
{
    Centre,
    FirstWeek,
    LastWeek,
    ValidFrom,
    ValidTo,
    Current,
    PeriodFrom,
    PeriodTo,
    Collected,
    Readjustment,
    Buyers,
    WholePeriod,
    BuyerListApplies,
    OperatorBranch,
    Operator
};

// Both ends of a period given, the first not after the last.
void checkPeriod(const QDate& from, const QDate& to, const QString& missingFrom,
                 const QString& missingTo, const QString& inverted)
{
    if (!from.isValid())
        throw Refusal(missingFrom);
    if (!to.isValid())
        throw Refusal(missingTo);
    if (from > to)
        throw Refusal(inverted);
}

double priceFactor(double readjustment)
{
    if (!std::isfinite(readjustment) || readjustment <= -100)
        throw Refusal(QStringLiteral("Reajuste deve ser maior que -100%."));
    return 1.0 + readjustment / 100.0;
}

ChosenCodes chosenBuyers(const QString& list)
{
    // An empty marker: the list applies, even when it is empty.
    ChosenCodes buyers =
        readCodeList(list, QString(), QStringLiteral("compradores"), module::Width::Operator);
    if (buyers.codes.isEmpty())
        throw Refusal(QStringLiteral("Comprador deve ser informado."));
    return buyers;
}

} // namespace

DuplicationRequest readDuplicationRequest(const rpc::CallContext& call)
{
    DuplicationRequest request;
    request.operatorCode = sessionOperatorArg(call, Operator);
    operatorBranchArg(call, OperatorBranch);
    request.centre = centreArg(call, Centre);

    CopyTerms& copy = request.copy;
    copy.firstWeek = readWeek(call.text(FirstWeek), QStringLiteral("inicial"));
    copy.lastWeek = readWeek(call.text(LastWeek), QStringLiteral("final"));
    copy.validFrom = call.date(ValidFrom);
    copy.validTo = call.date(ValidTo);
    checkPeriod(copy.validFrom, copy.validTo,
                QStringLiteral("Nova validade inicial deve ser informada."),
                QStringLiteral("Nova validade final deve ser informada."),
                QStringLiteral("Nova validade inicial deve ser menor ou igual a nova validade "
                               "final."));
    copy.collected = readCollectionDay(call.date(Collected));
    if (copy.collected > QDate::currentDate())
        throw Refusal(QStringLiteral("Data da coleta deve ser menor ou igual a data atual."));
    copy.priceFactor = priceFactor(call.number(Readjustment));

    request.wholePeriod = call.boolean(WholePeriod);
    if (!request.wholePeriod) {
        request.current = host::Ajusta(call.text(Current), module::Width::QuotationNumber);
        return request;
    }
    request.periodFrom = call.date(PeriodFrom);
    request.periodTo = call.date(PeriodTo);
    checkPeriod(request.periodFrom, request.periodTo,
                QStringLiteral("Data de validade inicial deve ser informada."),
                QStringLiteral("Data de validade final deve ser informada."),
                QStringLiteral("Data de validade inicial deve ser menor ou igual a data de "
                               "validade final."));
    if (call.boolean(BuyerListApplies))
        request.buyers = chosenBuyers(call.text(Buyers));
    return request;
}

} // namespace appserver::modules

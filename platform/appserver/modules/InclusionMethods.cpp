// A new quotation: IncluirCotacao writes it with the items its criteria choose, and
// GetDetalhes tells a buyer, stage by stage, why the same criteria would choose nothing.

#include "InclusionArguments.h"
#include "InclusionDetails.h"
#include "Modules.h"
#include "QuotationFunnel.h"
#include "QuotationInclusion.h"
#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "module/records/Codes.h"
#include "module/records/QuotationRecords.h"

namespace appserver::modules {

namespace {

using rpc::Arg;
using rpc::CallContext;
using rpc::Refusal;

// The first character of IncluirCotacao's answer.
const QString kIncluded = QStringLiteral("1");
const QString kNothingToInclude = QStringLiteral("2");
const QString kRefused = QStringLiteral("3");

const QString kNoItem =
    QStringLiteral("Nenhum item foi gerado para a cotação com os critérios informados.");

// An empty list of IncluirCotacao means every code.
QString allWhenEmpty(const QString& list)
{
    return module::allMarker(list.trimmed().isEmpty());
}

struct Inclusion
{
    InclusionCriteria criteria;
    NewQuotation quotation;
};

// IncluirCotacao's arguments, checked in the order a buyer would fix them.
Inclusion readInclusion(const CallContext& call)
{
    Inclusion in;
    InclusionCriteria& criteria = in.criteria;
    NewQuotation& quotation = in.quotation;
    const QString operatorCode = sessionOperatorArg(call, 18);
    operatorBranchArg(call, 1);
    criteria.centre = centreArg(call, 0);
    criteria.buyer = readBuyer(call.db(), call.text(2));
    if (criteria.buyer != operatorCode && !managesBuyer(call.db(), operatorCode, criteria.buyer))
        throw Refusal(QStringLiteral("Somente o próprio comprador ou o seu gerente pode incluir "
                                     "cotação para o comprador %1.")
                          .arg(criteria.buyer.trimmed()));

    criteria.collected = quotation.collected = readCollectionDay(call.date(3));
    if (quotation.collected > QDate::currentDate())
        throw Refusal(QStringLiteral("Data da coleta deve ser menor ou igual a data atual."));
    quotation.firstWeek = readWeek(call.text(4), QStringLiteral("inicial"));
    quotation.lastWeek = readWeek(call.text(5), QStringLiteral("final"));
    quotation.validFrom = call.date(6);
    quotation.validTo = call.date(7);
    if (!quotation.validFrom.isValid())
        throw Refusal(QStringLiteral("Data de validade inicial deve ser informada."));
    if (!quotation.validTo.isValid())
        throw Refusal(QStringLiteral("Data de validade final deve ser informada."));
    if (quotation.validFrom > quotation.validTo)
        throw Refusal(QStringLiteral(
            "Data de validade inicial deve ser menor ou igual a data de validade final."));

    readProductRange(call.text(8), call.text(9), criteria);
    criteria.regions = readCodeList(call.text(10), allWhenEmpty(call.text(10)),
                                    QStringLiteral("regiões"), module::Width::Region);
    criteria.suppliers = readCodeList(call.text(11), allWhenEmpty(call.text(11)),
                                      QStringLiteral("fornecedores"), module::Width::Supplier);
    criteria.brands = readCodeList(call.text(12), allWhenEmpty(call.text(12)),
                                   QStringLiteral("marcas"), module::Width::Brand);
    criteria.checks = readChecks(call.text(13));
    criteria.toBuyOnly = !call.boolean(14);
    quotation.lastPrices = call.boolean(15);
    quotation.requestNotes = call.boolean(16);
    quotation.priceList = call.text(17).trimmed().toUpper();
    if (quotation.priceList != QLatin1String("S") && quotation.priceList != QLatin1String("N"))
        throw Refusal(QStringLiteral("Indicador de disponibilização na montagem da lista de "
                                     "preços inválido: use S ou N."));
    return in;
}

// IncluirCotacao(centre, operator's branch, buyer, collection date, first week, last week,
// validity start, validity end, initial product, final product + "Z", regions, suppliers,
// brands, checks, all products, last prices, request notes, price list "S"/"N", operator)
// → "1" + the new number; "2" + a text when no item would be generated; "3" + the reason
// of a refusal. Nothing is written unless the answer is "1".
QVariant incluirCotacao(CallContext& call)
{
    WrittenQuotation written;
    try {
        const Inclusion in = readInclusion(call);
        const QuotationFunnel funnel(call.db(), in.criteria);
        if (funnel.counts().items > 0)
            written = writeQuotation(call.db(), funnel, in.quotation);
    } catch (const Refusal& refusal) {
        throw Refusal(kRefused + refusal.message());
    }
    if (written.items == 0)
        throw Refusal(kNothingToInclude + kNoItem);
    return kIncluded + written.number;
}

// GetDetalhes(centre, buyer, initial product, final product + "Z", all-products marker,
// validity start, validity end, regions, region marker, suppliers, supplier marker,
// collection date, brands, products to buy, last prices, all brands, operator's branch)
// → the stages of the choice with what each left, every check applied. The product range
// is read from the two codes exactly as IncluirCotacao reads it (the marker adds nothing).
QVariant getDetalhes(CallContext& call)
{
    InclusionCriteria criteria;
    criteria.centre = centreArg(call, 0);
    operatorBranchArg(call, 16);
    criteria.buyer = readBuyer(call.db(), call.text(1));
    readProductRange(call.text(2), call.text(3), criteria);
    criteria.regions =
        readCodeList(call.text(7), call.text(8), QStringLiteral("regiões"), module::Width::Region);
    criteria.suppliers = readCodeList(call.text(9), call.text(10), QStringLiteral("fornecedores"),
                                      module::Width::Supplier);
    criteria.collected = readCollectionDay(call.date(11));
    criteria.brands = readCodeList(call.text(12), module::allMarker(call.boolean(15)),
                                   QStringLiteral("marcas"), module::Width::Brand);
    criteria.toBuyOnly = call.boolean(13);
    const QuotationFunnel funnel(call.db(), criteria);
    return inclusionDetails(funnel.counts(), criteria);
}

} // namespace

void addInclusionMethods(rpc::MethodRegistry& registry)
{
    const Arg s = Arg::Text;
    const Arg d = Arg::Date;
    const Arg b = Arg::Boolean;
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("IncluirCotacao"),
                             {s, s, s, d, s, s, d, d, s, s, s, s, s, s, b, b, b, s, s},
                             true,
                             incluirCotacao});
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("GetDetalhes"),
                             {s, s, s, s, s, d, d, s, s, s, s, d, s, b, b, b, s},
                             false,
                             getDetalhes});
}

} // namespace appserver::modules

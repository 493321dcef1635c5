// Quotation duplication: GetDadDuplica gives the duplication dialog the latest quotation,
// from which it proposes the next validity; DuplicaCotacao copies quotations into a new
// validity and logs those it could not copy.

#include "BoundSql.h"
#include "DuplicationRequest.h"
#include "Modules.h"
#include "QuotationDuplication.h"
#include "Rights.h"

#include "host/core/Database.h"
#include "module/records/QuotationRecords.h"

namespace appserver::modules {

namespace {

using rpc::Arg;
using rpc::CallContext;

// (centre) → zero or one row: NRSEMAFINAL and DTFINVALCOL of the centre's quotation that
// ends last, the highest number among those ending that day.
QVariant getDadDuplica(CallContext& call)
{
    const QString centre = centreArg(call, 0);
    const BoundSql sql{QStringLiteral("SELECT NRSEMAFINAL, DTFINVALCOL FROM COLETAPR WHERE "
                                      "CDFILIAL = ? AND DTFINVALCOL IS NOT NULL ORDER BY "
                                      "DTFINVALCOL DESC, NRCOLEPRECO DESC LIMIT 1"),
                       {centre}};
    return QVariant::fromValue(
        runPacket(call.db(), sql,
                  {host::FieldDef::text(QStringLiteral("NRSEMAFINAL"), module::Width::Week),
                   host::FieldDef::of(QStringLiteral("DTFINVALCOL"), host::FieldType::Date)}));
}

// DuplicaCotacao (arguments: see readDuplicationRequest) → "XS" when every source was
// copied; "XN" + the first log number of the sources not copied + how many more follow it
// ("XN00000000120": one, "XN00000000124": five, 12 to 16); otherwise the refusal's text,
// and nothing is written.
QVariant duplicaCotacao(CallContext& call)
{
    const DuplicationRequest request = readDuplicationRequest(call);
    const DuplicationOutcome outcome = duplicateQuotations(call.db(), request);
    if (outcome.uncopied == 0)
        return QStringLiteral("XS");
    return QStringLiteral("XN") + outcome.firstUncopied + QString::number(outcome.uncopied - 1);
}

} // namespace

void addDuplicationMethods(rpc::MethodRegistry& registry)
{
    const Arg s = Arg::Text;
    const Arg d = Arg::Date;
    const Arg b = Arg::Boolean;
    const Arg f = Arg::Number;
    registry.add(
        rpc::Method{kPlanCotaPrec, QStringLiteral("GetDadDuplica"), {s}, false, getDadDuplica});
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("DuplicaCotacao"),
                             {s, s, s, d, d, s, d, d, d, f, s, b, b, s, s},
                             true,
                             duplicaCotacao});
}

} // namespace appserver::modules

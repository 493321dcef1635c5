// The quotation register's remote methods: what the filter dialog, the quotation list
// and its region page ask the application server.

#include "Modules.h"
#include "QuotationDeletion.h"
#include "RegisterQueries.h"
#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/Codes.h"
#include "module/records/QuotationRecords.h"

namespace appserver::modules {

namespace {

using rpc::Arg;
using rpc::CallContext;

QVariant packet(const host::Packet& p)
{
    return QVariant::fromValue(p);
}

// The kind of database the server runs on; the screen refuses to work on "MSSQL".
QVariant getBanco(CallContext& call)
{
    switch (call.db().kind()) {
    case host::DatabaseKind::SQLite:
        return QStringLiteral("SQLITE");
    case host::DatabaseKind::PostgreSQL:
        return QStringLiteral("POSTGRESQL");
    }
    return QString();
}

// (centre, operator): the validity the filter starts from, taken from the latest
// quotation of the centre, or of the operator himself when he is a buyer.
QVariant getDadosFiltro(CallContext& call)
{
    const QString centre = centreArg(call, 0);
    const QString operatorCode = module::normaliseBuyer(call.text(1));
    const bool buyer = !operatorCode.isEmpty() && isBuyer(call.db(), operatorCode);
    return packet(latestValidity(call.db(), centre, buyer ? operatorCode : QString()));
}

// (centre, buyer list, buyer marker, initial date, final date, period marker, supplier
// list, supplier marker, region list, region marker): [quotations, quoted suppliers].
QVariant getColetaPr(CallContext& call)
{
    QuotationFilter filter;
    filter.centre = centreArg(call, 0);
    filter.buyers = readChosenCodes(call.text(1), call.text(2), QStringLiteral("compradores"),
                                    &module::normaliseBuyer);
    filter.from = call.date(3);
    filter.to = call.date(4);
    filter.anyPeriod = module::isAllMarker(call.text(5));
    filter.suppliers = readChosenCodes(call.text(6), call.text(7), QStringLiteral("fornecedores"));
    filter.regions = readChosenCodes(call.text(8), call.text(9), QStringLiteral("regiões"),
                                     &module::normaliseRegion);
    if (!filter.anyPeriod && filter.from.isValid() && filter.to.isValid() &&
        filter.from > filter.to)
        throw host::Exception(QStringLiteral(
            "Data de validade inicial deve ser menor ou igual a data de validade final."));

    return QVariantList{packet(quotationList(call.db(), filter)),
                        packet(quotedSuppliers(call.db(), filter))};
}

// (): the suppliers quoted by the session's purchasing centre, for the filter's search.
QVariant getPesqForn(CallContext& call)
{
    const QString centre = purchasingCentre(call.db(), call.session().branch);
    return packet(quotedSupplierChoices(call.db(), centre));
}

// (centre): the centre's purchasing parameters.
QVariant getParaSupri(CallContext& call)
{
    return packet(purchasingParameters(call.db(), centreArg(call, 0)));
}

// (branch, number, operator): deletes the quotation; "" when done, otherwise the reason.
// The operator sent must be the one logged in: rights are checked for the session.
QVariant delColetaPr(CallContext& call)
{
    sessionOperatorArg(call, 2);
    deleteQuotation(call.db(), call.session().operatorCode, centreArg(call, 0),
                    module::normaliseQuotationNumber(call.text(1)));
    return QString();
}

// (branch, number, name of the all-regions row): the quotation's regions.
QVariant getServRegiao(CallContext& call)
{
    return packet(quotationRegions(call.db(), centreArg(call, 0),
                                   module::normaliseQuotationNumber(call.text(1)), call.text(2)));
}

rpc::Method method(const QString& module, const char* name, QList<Arg> args, rpc::Handler handler,
                   bool writes = false)
{
    return rpc::Method{module, QString::fromLatin1(name), std::move(args), writes,
                       std::move(handler)};
}

} // namespace

void addRegisterMethods(rpc::MethodRegistry& registry)
{
    const Arg s = Arg::Text;
    const Arg d = Arg::Date;
    registry.add(method(kPlanCotaPrec, "GetBanco", {}, getBanco));
    registry.add(method(kPlanCotaPrec, "GetDadosFiltro", {s, s}, getDadosFiltro));
    registry.add(method(kPlanCotaPrec, "GetColetaPr", {s, s, s, d, d, s, s, s, s, s}, getColetaPr));
    registry.add(method(kPlanCotaPrec, "GetPesqForn", {}, getPesqForn));
    registry.add(method(kSuprimentos, "GetParaSupri", {s}, getParaSupri));
    registry.add(method(kPlanCotaPrec, "DelColetaPr", {s, s, s}, delColetaPr, true));
    registry.add(method(kPlanCotaPrec, "GetServRegiao", {s, s, s}, getServRegiao));
}

} // namespace appserver::modules

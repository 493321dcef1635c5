// The worksheet's maintenance dialogs: GetFornAtend (which of the worksheet's suppliers serve
// a region), GetInsProd (the items a product added to the worksheet gets) and IncFornecedor
// (a supplier added to the stored quotation with its items). The worksheet's regions and
// suppliers travel as its own composite values, one per line, and come back as sent.

#include "InclusionArguments.h"
#include "ItemValues.h"
#include "Modules.h"
#include "ProductInsertion.h"
#include "Rights.h"
#include "Statement.h"
#include "SupplierInclusion.h"
#include "WorksheetLists.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/Packet.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

#include <QSet>
#include <QSqlQuery>

namespace appserver::modules {

namespace {

using rpc::Arg;
using rpc::CallContext;
using rpc::Refusal;

// A region code as typed; refuses one the register lacks.
QString regionArg(const CallContext& call, int i)
{
    const QString typed = call.text(i).trimmed();
    if (typed.isEmpty())
        throw Refusal(QStringLiteral("Região deve ser informada."));
    const QString region = host::Ajusta(typed, module::Width::Region);
    if (region.size() > module::Width::Region ||
        !call.db().run(QStringLiteral("SELECT 1 FROM REGIAO WHERE CDREGIAO = ?"), {region}).next())
        throw Refusal(QStringLiteral("Região %1 não cadastrada.").arg(shownValue(typed)));
    return region;
}

// The suppliers that do not serve the region at all: the rule of Vd_RefoReg and GetRegAtend
// (regionsNotServed) read from the region's side.
QSet<QString> suppliersNotServing(host::Database& db, const QString& region)
{
    QSet<QString> suppliers;
    QSqlQuery query = db.run(QStringLiteral("SELECT CDFORNECED FROM REFOREG WHERE CDPERIENTR IS "
                                            "NULL AND CDREGIAO = ?"),
                             {region});
    while (query.next())
        suppliers.insert(query.value(0).toString());
    return suppliers;
}

// GetFornAtend(region, supplier values one per line) → packet COCFORNECED of the registered
// suppliers of the list that serve the region, as sent and in the order sent.
QVariant getFornAtend(CallContext& call)
{
    const QString region = regionArg(call, 0);
    const QList<ListedValue> suppliers = readSupplierList(call.text(1));
    const QSet<QString> barred = suppliersNotServing(call.db(), region);
    Statement registered(call.db(),
                         QStringLiteral("SELECT 1 FROM FORNECEDOR WHERE CDFORNECED = ?"));
    host::Packet serving(
        host::FieldDefs{host::FieldDef::text(QStringLiteral("COCFORNECED"), kSupplierValueWidth)});
    for (const ListedValue& supplier : suppliers)
        if (!barred.contains(supplier.code) && registered.bind(0, supplier.code).readNumber())
            serving.appendRow({supplier.value});
    return QVariant::fromValue(serving);
}

// GetInsProd(centre, product, chosen brands "_c1_c2_" or "" for every quotable brand,
// collection date, supplier values, region values) → packet COCREGIAO, COCFORNECED,
// COCPRODUTO, CONTA of the new product's items (see productInsertionItems).
QVariant getInsProd(CallContext& call)
{
    ProductInsertion insertion;
    insertion.centre = centreArg(call, 0);
    insertion.product = call.text(1);
    if (const QString brands = call.text(2).trimmed(); !brands.isEmpty()) {
        QStringList codes =
            readCodeList(brands, QString(), QStringLiteral("marcas"), module::Width::Brand).codes;
        codes.removeDuplicates();
        insertion.brands = codes;
    }
    insertion.collected = call.date(3);
    if (!insertion.collected.isValid())
        throw Refusal(QStringLiteral("Data da cotação deve ser informada."));
    insertion.suppliers = readSupplierList(call.text(4));
    insertion.regions = readRegionList(call.text(5));
    return QVariant::fromValue(productInsertionItems(call.db(), insertion));
}

QString paddedCode(const CallContext& call, int i, int width)
{
    const QString typed = call.text(i).trimmed();
    return typed.isEmpty() ? QString() : host::Ajusta(typed, width);
}

// IncFornecedor(centre, quotation number, supplier, operator, "S" every served region or
// "N" the quotation's, supplier to load prices from, region to load them from) → an empty
// packet when the items were written, otherwise the refusal.
QVariant incFornecedor(CallContext& call)
{
    SupplierInclusion inclusion;
    inclusion.branch = centreArg(call, 0);
    inclusion.operatorCode = sessionOperatorArg(call, 3);
    inclusion.number = host::Ajusta(call.text(1).trimmed(), module::Width::QuotationNumber);
    if (inclusion.number.size() > module::Width::QuotationNumber)
        throw Refusal(QStringLiteral("Cotação de preços %1 não encontrada.")
                          .arg(shownValue(inclusion.number)));
    inclusion.supplier = paddedCode(call, 2, module::Width::Supplier);
    if (inclusion.supplier.isEmpty())
        throw Refusal(QStringLiteral("Fornecedor deve ser informado."));
    const QString all = call.text(4).trimmed().toUpper();
    if (all != QLatin1String("S") && all != QLatin1String("N"))
        throw Refusal(QStringLiteral("Indicador de regiões atendidas inválido: use S ou N."));
    inclusion.allServedRegions = all == QLatin1String("S");
    inclusion.priceSupplier = paddedCode(call, 5, module::Width::Supplier);
    inclusion.priceRegion = paddedCode(call, 6, module::Width::Region);
    includeSupplier(call.db(), inclusion);
    return QVariant::fromValue(host::Packet(host::FieldDefs{}));
}

} // namespace

void addMaintenanceMethods(rpc::MethodRegistry& registry)
{
    const Arg s = Arg::Text;
    registry.add(
        rpc::Method{kPlanCotaPrec, QStringLiteral("GetFornAtend"), {s, s}, false, getFornAtend});
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("GetInsProd"),
                             {s, s, s, Arg::Date, s, s},
                             false,
                             getInsProd});
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("IncFornecedor"),
                             {s, s, s, s, s, s, s},
                             true,
                             incFornecedor});
}

} // namespace appserver::modules

// The checks around price entry and saving: ValidaDados (the register checks of every
// priced item before a save), GetVerPrZero (are prices missing after it) and GetRegAtend
// (the regions a supplier serves, where a typed price may be copied).

#include "ItemChecks.h"
#include "ItemValues.h"
#include "Modules.h"
#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/core/Packet.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"
#include "module/records/WorksheetValues.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <functional>
#include <vector>

namespace appserver::modules {

namespace {

using rpc::Arg;
using rpc::CallContext;
using rpc::Refusal;

const QString kItemPacket = QStringLiteral("A tabela de itens enviada para validação é inválida");

// The distinct texts of one field of the packet, each read into its codes once: a
// worksheet repeats a few regions, suppliers and products over hundreds of thousands of
// items.
template <class Codes> class DistinctValues
{
public:
    DistinctValues(const host::Table& table, int field, std::function<Codes(const QString&)> read)
        : m_table(table), m_field(field), m_read(std::move(read))
    {
    }
    // Index of the row's value among the distinct ones.
    quint32 indexOf(quint32 slot)
    {
        const quint32 id = quint32(m_table.cell(slot, m_field));
        if (id == host::StringPool::NullId)
            throw Refusal(kItemPacket + QStringLiteral(": o campo %1 de um item está vazio.")
                                            .arg(m_table.defs()[m_field].name));
        auto it = m_index.constFind(id);
        if (it == m_index.constEnd()) {
            it = m_index.insert(id, quint32(m_codes.size()));
            m_codes.push_back(m_read(m_table.pool(m_field).at(id)));
        }
        return *it;
    }
    const Codes& codes(quint32 index) const { return m_codes[index]; }

private:
    const host::Table& m_table;
    int m_field;
    std::function<Codes(const QString&)> m_read;
    QHash<quint32, quint32> m_index; // pool id -> index
    std::vector<Codes> m_codes;
};

quint64 pairKey(quint32 a, quint32 b)
{
    return (quint64(a) << 32) | b;
}

host::FieldDefs errorFields()
{
    return {host::FieldDef::text(QStringLiteral("CDREGIAO"), module::Width::Region),
            host::FieldDef::text(QStringLiteral("CDFORNECED"), module::Width::Supplier),
            host::FieldDef::text(QStringLiteral("CDPRODUTO"), module::Width::Product),
            host::FieldDef::text(QStringLiteral("CDMARCA"), module::Width::Brand),
            host::FieldDef::text(QStringLiteral("IDERRO"), ItemChecks::kFlagCount)};
}

// ValidaDados(item table, operator's branch, purchasing centre, collection date) → one row
// per priced item with at least one error: its codes and the seven flags.
QVariant validaDados(CallContext& call)
{
    operatorBranchArg(call, 1);
    const QString centre = centreArg(call, 2);
    const QDate date = readCollectionDate(call.text(3));
    if (!date.isValid())
        throw Refusal(
            QStringLiteral("Data da cotação inválida: \"%1\".").arg(call.text(3).left(40)));
    const QVariant& value = call.value(0);
    if (value.metaType() != QMetaType::fromType<host::Packet>() ||
        !value.value<host::Packet>().isValid())
        throw Refusal(kItemPacket + QStringLiteral(": esperava a tabela de itens da planilha."));
    const host::Packet packet = value.value<host::Packet>();
    const ItemLayout layout = itemLayout(packet.fields(), kItemPacket);
    if (packet.rowCount() > kMaxWorksheetItems)
        throw Refusal(kItemPacket + QStringLiteral(": mais de %1 itens.").arg(kMaxWorksheetItems));

    const ItemChecks checks(call.db(), centre, date);
    const host::Table& table = *packet.table();
    DistinctValues<QString> regions(
        table, layout.region, [](const QString& v) { return readRegionCode(v, kItemPacket); });
    DistinctValues<QPair<QString, QString>> suppliers(table, layout.supplier, [](const QString& v) {
        const QString shown = readSupplierCode(v, kItemPacket);
        return QPair<QString, QString>{shown, host::Ajusta(shown, module::Width::Supplier)};
    });
    DistinctValues<QPair<QString, QString>> products(table, layout.product, [](const QString& v) {
        return readProductAndBrand(v, kItemPacket);
    });

    // Flags of each distinct pair, computed on its first item.
    QHash<quint32, quint8> productFlags;
    QHash<quint64, quint8> supplyFlags, regionFlags, branchFlags;
    auto cached = [](auto& cache, auto key, auto compute) {
        auto it = cache.constFind(key);
        if (it == cache.constEnd())
            it = cache.insert(key, compute());
        return *it;
    };
    QSet<ItemKey> reported;
    host::Packet errors(errorFields());
    for (qsizetype row = 0; row < packet.rowCount(); ++row) {
        const quint32 slot = packet.slot(row);
        const quint32 r = regions.indexOf(slot);
        const quint32 s = suppliers.indexOf(slot);
        const quint32 p = products.indexOf(slot);
        if (readItemPrice(table.value(slot, layout.price), false, kItemPacket) <= 0)
            continue;
        const QString& region = regions.codes(r);
        const QString& supplier = suppliers.codes(s).second;
        // Named references rather than a structured binding: clang 14 (the fuzz build)
        // cannot capture bindings in the lambdas below.
        const auto& productCodes = products.codes(p);
        const QString& product = productCodes.first;
        const QString& brand = productCodes.second;
        const quint8 flags =
            cached(productFlags, p, [&] { return checks.productFlags(product, brand); }) |
            cached(supplyFlags, pairKey(s, p),
                   [&] { return checks.supplyFlags(supplier, product); }) |
            cached(regionFlags, pairKey(s, r),
                   [&] { return checks.regionFlags(supplier, region); }) |
            cached(branchFlags, pairKey(r, p),
                   [&] { return checks.regionBranchFlags(region, product); });
        // An item the table holds twice (a worksheet of one item) is reported once.
        const ItemKey key{region, supplier, product, brand};
        if (flags == 0 || reported.contains(key))
            continue;
        reported.insert(key);
        errors.appendRow(
            {region, suppliers.codes(s).first, product, brand, ItemChecks::errorText(flags)});
    }
    return QVariant::fromValue(errors);
}

// GetVerPrZero(branch, number) → "" when every item has a price, "1" when none has, "2"
// when some have none (zero or empty).
QVariant getVerPrZero(CallContext& call)
{
    const QString branch = centreArg(call, 0);
    const QString number = host::Ajusta(call.text(1), module::Width::QuotationNumber);
    if (!quotationBuyer(call.db(), branch, number))
        throw Refusal(QStringLiteral("A cotação %1 não existe mais: foi excluída por outro "
                                     "operador.")
                          .arg(number));
    QSqlQuery query =
        call.db().run(QStringLiteral("SELECT COUNT(*), COALESCE(SUM(CASE WHEN "
                                     "VRPRECUNIITM > 0 THEN 1 ELSE 0 END), 0) FROM "
                                     "ITEMCOLE WHERE CDFILIAL = ? AND NRCOLEPRECO = ?"),
                      {branch, number});
    query.next();
    const qint64 items = query.value(0).toLongLong();
    const qint64 priced = query.value(1).toLongLong();
    if (priced == 0)
        return QStringLiteral("1");
    return priced < items ? QStringLiteral("2") : QString();
}

// Most region values one GetRegAtend call may name: far above the regions of a centre.
constexpr int kMaxRegionValues = 10000;

// GetRegAtend(supplier, region values one per line, all) → packet COCREGIAO of the regions
// the supplier serves: among the given ones, or (all) among every region of the centre.
QVariant getRegAtend(CallContext& call)
{
    const QString code = call.text(0).trimmed();
    if (code.isEmpty())
        throw Refusal(QStringLiteral("Fornecedor deve ser informado."));
    const QString supplier = host::Ajusta(code, module::Width::Supplier);
    if (supplier.size() > module::Width::Supplier ||
        !call.db()
             .run(QStringLiteral("SELECT 1 FROM FORNECEDOR WHERE CDFORNECED = ?"), {supplier})
             .next())
        throw Refusal(QStringLiteral("Fornecedor %1 não cadastrado.").arg(code.left(40)));

    const QSet<QString> barred = regionsNotServed(call.db(), supplier);

    QStringList values;
    if (call.boolean(2)) {
        // The regions bought for by the branches of the operator's purchasing centre.
        QSqlQuery regions = call.db().run(
            QStringLiteral("SELECT R.CDREGIAO, R.NMREGIAO FROM REGIAO R JOIN FILIAL F ON "
                           "F.CDFILIAL = R.CDFILIAL WHERE %1 = ? ORDER BY R.CDREGIAO")
                .arg(QLatin1String(kBranchCentreSql)),
            {call.session().centre});
        while (regions.next())
            values.append(
                module::regionValue(regions.value(0).toString(), regions.value(1).toString()));
    } else {
        const QString packetName = QStringLiteral("A lista de regiões é inválida");
        QSet<QString> seen;
        const QStringList lines = call.text(1).split(QLatin1Char('\n'));
        for (QString line : lines) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (line.isEmpty() || seen.contains(line))
                continue;
            if (seen.size() == kMaxRegionValues)
                throw Refusal(packetName +
                              QStringLiteral(": mais de %1 regiões.").arg(kMaxRegionValues));
            readRegionCode(line, packetName);
            seen.insert(line);
            values.append(line);
        }
    }

    host::Packet served(host::FieldDefs{host::FieldDef::text(QStringLiteral("COCREGIAO"), 35)});
    for (const QString& value : values)
        if (!barred.contains(module::regionCodeOf(value)))
            served.appendRow({value});
    return QVariant::fromValue(served);
}

} // namespace

void addItemCheckMethods(rpc::MethodRegistry& registry)
{
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("ValidaDados"),
                             {Arg::Variant, Arg::Text, Arg::Text, Arg::Text},
                             false,
                             validaDados});
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("GetVerPrZero"),
                             {Arg::Text, Arg::Text},
                             false,
                             getVerPrZero});
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("GetRegAtend"),
                             {Arg::Text, Arg::Text, Arg::Boolean},
                             false,
                             getRegAtend});
}

} // namespace appserver::modules

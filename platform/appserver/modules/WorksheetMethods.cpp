// The worksheet's remote methods: the items of a quotation as the pivot's item table and
// the per-item detail lines.

#include "BoundSql.h"
#include "ChosenCodes.h"
#include "Modules.h"
#include "Rights.h"
#include "WorksheetItems.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"
#include "module/records/WorksheetValues.h"

#include <QSqlError>
#include <QHash>
#include <QSqlQuery>
#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace appserver::modules {

namespace {

using rpc::Arg;
using rpc::CallContext;

host::FieldDefs worksheetItemFields()
{
    return {host::FieldDef::text(QStringLiteral("COCREGIAO"), 35),
            host::FieldDef::text(QStringLiteral("COCFORNECED"), 63),
            host::FieldDef::text(QStringLiteral("COCPRODUTO"), 91),
            host::FieldDef::of(QStringLiteral("CONTA"), host::FieldType::Float)};
}

QString normaliseRegion(const QString& code)
{
    return host::Ajusta(code, module::Width::Region);
}

// The regions asked for: "NULL" (all), one region code, or a list "_001_004_" (after a
// save, the regions the worksheet showed).
BoundSql regionCondition(const QString& region)
{
    const QString text = region.trimmed();
    if (text.isEmpty() || text.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0)
        return BoundSql{QStringLiteral("1 = 1"), {}};
    if (text.startsWith(QLatin1Char('_')))
        return inCondition(QStringLiteral("I.CDREGIAO"),
                           readChosenCodes(text, QString(), QStringLiteral("regiões"),
                                           normaliseRegion));
    return BoundSql{QStringLiteral("I.CDREGIAO = ?"), {normaliseRegion(text)}};
}

// Names of the registers a worksheet shows, read once per call (a few thousand rows at
// most) instead of being joined to each of the quotation's items.
struct RegisterNames
{
    QHash<QString, QString> regions, suppliers, brands;
    struct Product
    {
        QString name, treeCode, unit;
    };
    QHash<QString, Product> products;
};

RegisterNames readRegisterNames(host::Database& db)
{
    RegisterNames names;
    auto read = [&db](const QString& sql, const std::function<void(QSqlQuery&)>& take) {
        QSqlQuery query(db.sql());
        query.setForwardOnly(true);
        if (!query.exec(sql))
            throw host::EDatabaseError(query.lastError().text());
        while (query.next())
            take(query);
    };
    read(QStringLiteral("SELECT CDREGIAO, NMREGIAO FROM REGIAO"), [&names](QSqlQuery& q) {
        names.regions.insert(q.value(0).toString(), q.value(1).toString());
    });
    read(QStringLiteral("SELECT CDFORNECED, NMFANTFORN FROM FORNECEDOR"), [&names](QSqlQuery& q) {
        names.suppliers.insert(q.value(0).toString(), q.value(1).toString());
    });
    read(QStringLiteral("SELECT CDMARCA, NMMARCA FROM MARCA"), [&names](QSqlQuery& q) {
        names.brands.insert(q.value(0).toString(), q.value(1).toString());
    });
    read(QStringLiteral("SELECT CDPRODUTO, NMPRODUTO, CDARVPROD, CDUNIDMED FROM PRODUTO"),
         [&names](QSqlQuery& q) {
             names.products.insert(q.value(0).toString(),
                                   {q.value(1).toString(), q.value(2).toString().trimmed(),
                                    q.value(3).toString().trimmed()});
         });
    return names;
}

// A composite value and its id in the item packet's text pool, made once per distinct code;
// for a product/brand pair also the product's unit and tree code.
struct CompositeValue
{
    std::string key; // the codes as stored
    QString text;
    quint32 poolId = 0;
    QString unit, treeCode;
    int rank = 0; // place among the values of its kind, in the worksheet's order
};

// The distinct values of one kind, found by their codes as stored without copying them; the
// value of the previous item is checked first (the items come grouped by region and supplier).
class CompositeValues
{
public:
    CompositeValues(host::Table& table, int field) : m_table(table), m_field(field) {}

    template<typename Make>
    CompositeValue& find(std::string_view key, const Make& make)
    {
        if (m_last && m_last->key == key)
            return *m_last;
        auto it = m_known.find(key);
        if (it == m_known.end()) {
            CompositeValue& value = m_values.emplace_back();
            value.key.assign(key);
            value.text = make();
            value.poolId = m_table.pool(m_field).intern(value.text);
            it = m_known.emplace(std::string_view(value.key), &value).first;
        }
        m_last = it->second;
        return *m_last;
    }

    // Ranks the values in the worksheet's order: their texts without regard to case.
    void rank()
    {
        std::vector<CompositeValue*> sorted;
        sorted.reserve(m_values.size());
        for (CompositeValue& value : m_values)
            sorted.push_back(&value);
        std::sort(sorted.begin(), sorted.end(), [](const CompositeValue* a, const CompositeValue* b) {
            return QString::compare(a->text, b->text, Qt::CaseInsensitive) < 0;
        });
        for (size_t i = 0; i < sorted.size(); ++i)
            sorted[i]->rank = int(i);
    }

private:
    host::Table& m_table;
    int m_field;
    std::deque<CompositeValue> m_values; // stable addresses: the index views their keys
    std::unordered_map<std::string_view, CompositeValue*> m_known;
    CompositeValue* m_last = nullptr;
};

QString fromStored(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

// GetStringList(branch, number, region, afterSave) → [detail lines, item packet].
QVariant getStringList(CallContext& call)
{
    const QString branch = centreArg(call, 0);
    const QString number = host::Ajusta(call.text(1), module::Width::QuotationNumber);
    BoundSql sql;
    sql.add(QStringLiteral("SELECT I.CDREGIAO, I.CDFORNECED, I.CDPRODUTO, I.CDMARCA, "
                           "I.VRPRECUNIITM, I.VRPRECECOITM, I.VRPRECECOPIITM, I.QTACMPITMCOL, "
                           "I.VRPERDESITM FROM ITEMCOLE I WHERE I.CDFILIAL = ? AND "
                           "I.NRCOLEPRECO = ? AND "),
            {branch, number});
    sql.add(regionCondition(call.text(2)));

    const RegisterNames names = readRegisterNames(call.db());
    host::Packet items(worksheetItemFields());
    host::Table& table = *items.table();
    CompositeValues regions(table, 0), suppliers(table, 1);
    CompositeValues products(table, 2); // product code + '|' + brand code

    // The items are gathered first and written in the order of their key texts, without
    // regard to case: the worksheet keeps its detail lines in that order and so does not
    // have to sort them again.
    struct Item
    {
        const CompositeValue* region;
        const CompositeValue* supplier;
        const CompositeValue* productBrand;
        double unitPrice, economicPrice, economicPricePI, quantity, discount;
    };
    std::vector<Item> gathered;
    std::string productKey;
    forEachWorksheetItem(call.db(), sql, [&](const WorksheetItemRow& row) {
        const CompositeValue& region = regions.find(row.region, [&] {
            const QString code = fromStored(row.region);
            return module::regionValue(code, names.regions.value(code));
        });
        const CompositeValue& supplier = suppliers.find(row.supplier, [&] {
            const QString code = fromStored(row.supplier);
            return module::supplierValue(code, names.suppliers.value(code));
        });
        productKey.assign(row.product.data(), size_t(row.product.size()));
        productKey += '|';
        productKey.append(row.brand.data(), size_t(row.brand.size()));
        CompositeValue& productBrand = products.find(productKey, [&] {
            const QString brand = fromStored(row.brand);
            const QString code = fromStored(row.product);
            return module::productValue(names.products.value(code).name, code, brand,
                                        names.brands.value(brand));
        });
        if (productBrand.treeCode.isNull()) {
            // Filled once per pair, on its first item.
            const RegisterNames::Product product = names.products.value(fromStored(row.product));
            productBrand.unit = product.unit;
            productBrand.treeCode = product.treeCode.isNull() ? QStringLiteral("") : product.treeCode;
        }
        gathered.push_back({&region, &supplier, &productBrand, row.unitPrice, row.economicPrice,
                            row.economicPricePI, row.quantity, row.discount});
    });

    regions.rank();
    suppliers.rank();
    products.rank();
    // One sortable key per item: the three ranks, ties kept in the order read.
    std::vector<std::pair<quint64, quint32>> order(gathered.size());
    for (size_t i = 0; i < gathered.size(); ++i) {
        const Item& item = gathered[i];
        order[i] = {(quint64(item.region->rank) << 42) | (quint64(item.supplier->rank) << 21) |
                        quint64(item.productBrand->rank),
                    quint32(i)};
    }
    std::sort(order.begin(), order.end());

    const module::DetailLineWriter writer;
    QString lines;
    lines.reserve(qsizetype(gathered.size()) * 240);
    table.reserve(qsizetype(gathered.size()));
    for (const auto& position : order) {
        const Item& item = gathered[position.second];
        const quint32 slot = table.addSlot();
        table.setCell(slot, 0, item.region->poolId);
        table.setCell(slot, 1, item.supplier->poolId);
        table.setCell(slot, 2, item.productBrand->poolId);
        table.setCell(slot, 3, host::Table::encodeFloat(item.unitPrice));
        writer.append(lines, item.region->text, item.supplier->text, item.productBrand->text,
                      item.unitPrice, item.economicPrice, item.economicPricePI, item.quantity,
                      item.productBrand->unit, item.discount, false, item.productBrand->treeCode);
    }
    return QVariantList{lines, QVariant::fromValue(items)};
}

// GetVersaoItens(branch, number) → the version of the quotation's items and of the register
// names shown with them, "items.names"; the same text while neither changed.
QVariant getItemsVersion(CallContext& call)
{
    const QString branch = centreArg(call, 0);
    const QString number = host::Ajusta(call.text(1), module::Width::QuotationNumber);
    QSqlQuery query = call.db().run(
        QStringLiteral("SELECT (SELECT NRVERSAO FROM VERSAOCOLETA WHERE CDFILIAL = ? AND "
                       "NRCOLEPRECO = ?), (SELECT NRVERSAO FROM VERSAOCOLETA WHERE CDFILIAL = '*' "
                       "AND NRCOLEPRECO = '*')"),
        {branch, number});
    if (!query.next())
        throw host::EDatabaseError(QStringLiteral("A versão dos itens da cotação não foi lida."));
    return QStringLiteral("%1.%2").arg(query.value(0).toLongLong()).arg(query.value(1).toLongLong());
}

} // namespace

void addWorksheetMethods(rpc::MethodRegistry& registry)
{
    registry.add(rpc::Method{kPlanCotaPrec, QStringLiteral("GetStringList"),
                             {Arg::Text, Arg::Text, Arg::Text, Arg::Boolean}, false, getStringList});
    registry.add(rpc::Method{kPlanCotaPrec, QStringLiteral("GetVersaoItens"),
                             {Arg::Text, Arg::Text}, false, getItemsVersion});
}

} // namespace appserver::modules

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
    QString text;
    quint32 poolId = 0;
    QString unit, treeCode;
};

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
    // Each distinct value once, at a stable address; looked up by its codes as stored.
    std::deque<CompositeValue> values;
    QHash<QByteArray, CompositeValue*> regions, suppliers;
    QHash<QByteArray, CompositeValue*> products;  // product code + '|' + brand code
    auto composite = [&table, &values](QHash<QByteArray, CompositeValue*>& known,
                                       const QByteArray& key, int field,
                                       const std::function<QString()>& make) -> CompositeValue& {
        CompositeValue*& value = known[key];
        if (!value) {
            values.push_back(CompositeValue{make(), 0, {}, {}});
            value = &values.back();
            value->poolId = table.pool(field).intern(value->text);
        }
        return *value;
    };

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
    QByteArray productKey;
    forEachWorksheetItem(call.db(), sql, [&](const WorksheetItemRow& row) {
        const CompositeValue& region = composite(regions, row.region, 0, [&] {
            const QString code = QString::fromUtf8(row.region);
            return module::regionValue(code, names.regions.value(code));
        });
        const CompositeValue& supplier = composite(suppliers, row.supplier, 1, [&] {
            const QString code = QString::fromUtf8(row.supplier);
            return module::supplierValue(code, names.suppliers.value(code));
        });
        productKey = row.product;
        productKey += '|';
        productKey += row.brand;
        CompositeValue& productBrand = composite(products, productKey, 2, [&] {
            const QString brand = QString::fromUtf8(row.brand);
            const QString code = QString::fromUtf8(row.product);
            return module::productValue(names.products.value(code).name, code, brand,
                                        names.brands.value(brand));
        });
        if (productBrand.treeCode.isNull()) {
            // Filled once per pair, on its first item.
            const RegisterNames::Product product = names.products.value(QString::fromUtf8(row.product));
            productBrand.unit = product.unit;
            productBrand.treeCode = product.treeCode.isNull() ? QStringLiteral("") : product.treeCode;
        }
        gathered.push_back({&region, &supplier, &productBrand, row.unitPrice, row.economicPrice,
                            row.economicPricePI, row.quantity, row.discount});
    });

    // Ranks of the distinct values in case-insensitive order.
    QHash<const CompositeValue*, int> rank;
    for (auto* known : {&regions, &suppliers, &products}) {
        std::vector<const CompositeValue*> sorted(known->cbegin(), known->cend());
        std::sort(sorted.begin(), sorted.end(), [](const CompositeValue* a, const CompositeValue* b) {
            return QString::compare(a->text, b->text, Qt::CaseInsensitive) < 0;
        });
        for (size_t i = 0; i < sorted.size(); ++i)
            rank.insert(sorted[i], int(i));
    }
    std::vector<std::array<int, 4>> order(gathered.size());
    for (size_t i = 0; i < gathered.size(); ++i)
        order[i] = {rank.value(gathered[i].region), rank.value(gathered[i].supplier),
                    rank.value(gathered[i].productBrand), int(i)};
    std::sort(order.begin(), order.end());

    QString lines;
    lines.reserve(qsizetype(gathered.size()) * 240);
    table.reserve(qsizetype(gathered.size()));
    for (const auto& position : order) {
        const Item& item = gathered[size_t(position[3])];
        const quint32 slot = table.addSlot();
        table.setCell(slot, 0, item.region->poolId);
        table.setCell(slot, 1, item.supplier->poolId);
        table.setCell(slot, 2, item.productBrand->poolId);
        table.setCell(slot, 3, host::Table::encodeFloat(item.unitPrice));
        module::appendDetailLine(lines, item.region->text, item.supplier->text,
                                 item.productBrand->text, item.unitPrice, item.economicPrice,
                                 item.economicPricePI, item.quantity, item.productBrand->unit,
                                 item.discount, false, item.productBrand->treeCode);
    }
    return QVariantList{lines, QVariant::fromValue(items)};
}

} // namespace

void addWorksheetMethods(rpc::MethodRegistry& registry)
{
    registry.add(rpc::Method{kPlanCotaPrec, QStringLiteral("GetStringList"),
                             {Arg::Text, Arg::Text, Arg::Text, Arg::Boolean}, false, getStringList});
}

} // namespace appserver::modules

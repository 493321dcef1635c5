// The worksheet's remote methods: the items of a quotation as the pivot's item table and
// the per-item detail lines.

#include "BoundSql.h"
#include "ChosenCodes.h"
#include "Modules.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"
#include "module/records/WorksheetValues.h"

#include <QSqlError>
#include <QSqlQuery>

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

// GetStringList(branch, number, region, afterSave) → [detail lines, item packet].
QVariant getStringList(CallContext& call)
{
    const QString branch = host::Ajusta(call.text(0), module::Width::Branch);
    const QString number = host::Ajusta(call.text(1), module::Width::QuotationNumber);
    BoundSql sql;
    sql.add(QStringLiteral(
                "SELECT I.CDREGIAO, R.NMREGIAO, I.CDFORNECED, F.NMFANTFORN, I.CDPRODUTO, "
                "P.NMPRODUTO, P.CDARVPROD, P.CDUNIDMED, I.CDMARCA, M.NMMARCA, I.VRPRECUNIITM, "
                "I.VRPRECECOITM, I.VRPRECECOPIITM, I.QTACMPITMCOL, I.VRPERDESITM "
                "FROM ITEMCOLE I "
                "LEFT JOIN REGIAO R ON R.CDREGIAO = I.CDREGIAO "
                "LEFT JOIN FORNECEDOR F ON F.CDFORNECED = I.CDFORNECED "
                "LEFT JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO "
                "LEFT JOIN MARCA M ON M.CDMARCA = I.CDMARCA "
                "WHERE I.CDFILIAL = ? AND I.NRCOLEPRECO = ? AND "),
            {branch, number});
    sql.add(regionCondition(call.text(2)));

    QSqlQuery query(call.db().sql());
    query.setForwardOnly(true);
    if (!query.prepare(sql.text))
        throw host::EDatabaseError(query.lastError().text());
    for (int i = 0; i < sql.values.size(); ++i)
        query.bindValue(i, sql.values[i]);
    if (!query.exec())
        throw host::EDatabaseError(
            QStringLiteral("Erro ao ler os itens da cotação: %1").arg(query.lastError().text()));

    host::Packet items(worksheetItemFields());
    host::Table& table = *items.table();
    QString lines;
    while (query.next()) {
        const QString region = module::regionValue(query.value(0).toString(), query.value(1).toString());
        const QString supplier = module::supplierValue(query.value(2).toString(), query.value(3).toString());
        const QString product = module::productValue(query.value(5).toString(), query.value(4).toString(),
                                                     query.value(8).toString(), query.value(9).toString());
        const double price = query.value(10).toDouble();
        const quint32 slot = table.addSlot();
        table.setValue(slot, 0, region);
        table.setValue(slot, 1, supplier);
        table.setValue(slot, 2, product);
        table.setCell(slot, 3, host::Table::encodeFloat(price));
        lines += module::detailLine(region + supplier + product, price, query.value(11).toDouble(),
                                    query.value(12).toDouble(), query.value(13).toDouble(),
                                    query.value(7).toString().trimmed(), query.value(14).toDouble(),
                                    false, query.value(6).toString().trimmed())
                     .text();
        lines += QLatin1Char('\n');
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

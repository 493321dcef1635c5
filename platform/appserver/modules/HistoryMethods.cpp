// The price history of the centre's quotations: the history panel of an item (GetHistorico)
// and the load of the best prices of a period into the items still without a price
// (CargMelhorsPrs).

#include "Modules.h"
#include "PriceHistory.h"
#include "Rights.h"
#include "Statement.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/Packet.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

#include <QSqlQuery>
#include <vector>

namespace appserver::modules {

namespace {

using rpc::Arg;
using rpc::CallContext;
using rpc::Refusal;

constexpr int kSupplierBrandWidth = 50; // P_NMFORN_NORM, P_NMFORN_ALTER

// A quoted price with its validity and who quoted it.
struct Quote
{
    double unit = 0;
    double economic = 0;
    QVariant from, to;     // validity; null when nothing was found
    QString supplierBrand; // "supplier trade name / brand name", at most 50 characters
};

// The columns every history query reads, from the items I of the quotations C, with the
// supplier F and the brand M. The item's own validity wins over the quotation's.
const QString kQuoteColumns = QStringLiteral(
    "SELECT I.VRPRECUNIITM, I.VRPRECECOITM, COALESCE(I.DTINIVALITM, C.DTINIVALCOL), "
    "COALESCE(I.DTFINVALITM, C.DTFINVALCOL), COALESCE(NULLIF(TRIM(F.NMFANTFORN), ''), "
    "F.NMRAZSOCFORN), M.NMMARCA FROM ITEMCOLE I JOIN COLETAPR C ON C.CDFILIAL = I.CDFILIAL AND "
    "C.NRCOLEPRECO = I.NRCOLEPRECO JOIN FORNECEDOR F ON F.CDFORNECED = I.CDFORNECED LEFT JOIN "
    "MARCA M ON M.CDMARCA = I.CDMARCA ");

Quote readQuote(host::Database& db, const QString& conditions, const QVariantList& values)
{
    QSqlQuery query = db.run(kQuoteColumns + QStringLiteral("WHERE ") + conditions, values);
    Quote quote;
    if (!query.next())
        return quote;
    quote.unit = query.value(0).toDouble();
    quote.economic = query.value(1).toDouble();
    quote.from = query.value(2);
    quote.to = query.value(3);
    QString name = query.value(4).toString().trimmed();
    const QString brand = query.value(5).toString().trimmed();
    if (!brand.isEmpty())
        name += QStringLiteral(" / ") + brand;
    quote.supplierBrand = name.left(kSupplierBrandWidth);
    return quote;
}

host::FieldDefs historyFields()
{
    using host::FieldDef;
    using host::FieldType;
    auto number = [](const char* name) {
        return FieldDef::of(QLatin1String(name), FieldType::Float);
    };
    auto date = [](const char* name) { return FieldDef::of(QLatin1String(name), FieldType::Date); };
    return {number("P_VRULTCOT_PRUN"),
            number("P_VRULTCOT_ECO"),
            date("P_DTINIVAL_ULTCOT"),
            date("P_DTFINVAL_ULTCOT"),
            number("P_VRFNORM_PRUN"),
            number("P_VRFNORM_ECO"),
            date("P_DTINIVAL_MINPRFN"),
            date("P_DTFINVAL_MINPRFN"),
            FieldDef::text(QStringLiteral("P_NMFORN_NORM"), kSupplierBrandWidth),
            number("P_VRFALTER_PRUN"),
            number("P_VRFALTER_ECO"),
            date("P_DTINIVAL_MINPRFA"),
            date("P_DTFINVAL_MINPRFA"),
            FieldDef::text(QStringLiteral("P_NMFORN_ALTER"), kSupplierBrandWidth),
            number("P_PERVARIACAO")};
}

// GetHistorico(centre, number, region, supplier, product, brand) → one row: the supplier's
// last earlier price of the item (an item left at zero was not quoted and does not count);
// the lowest earlier prices of the region and product quoted by normal and by alternative
// suppliers (any brand); and how far the item's current price lies from the last one, in
// percent. Zeros and null dates when nothing was quoted before.
QVariant getHistorico(CallContext& call)
{
    host::Database& db = call.db();
    const QString centre = centreArg(call, 0);
    const QString number = host::Ajusta(call.text(1), module::Width::QuotationNumber);
    const QString region = host::Ajusta(call.text(2), module::Width::Region);
    const QString supplier = host::Ajusta(call.text(3), module::Width::Supplier);
    const QString product = host::Ajusta(call.text(4), module::Width::Product);
    const QString brand = host::Ajusta(call.text(5), module::Width::Brand);

    QSqlQuery quotation = db.run(QStringLiteral("SELECT DTCOLEPREC FROM COLETAPR WHERE CDFILIAL = "
                                                "? AND NRCOLEPRECO = ?"),
                                 {centre, number});
    if (!quotation.next())
        throw Refusal(QStringLiteral("Cotação de preços %1 não encontrada.").arg(number));
    const QString collected = quotation.value(0).toString();
    const QVariantList earlier = {centre, collected, collected, number};

    const Quote last =
        readQuote(db,
                  kEarlierPriceSql +
                      QStringLiteral("AND I.CDREGIAO = ? AND I.CDFORNECED = ? AND I.CDPRODUTO = ? "
                                     "AND I.CDMARCA = ? ORDER BY C.DTCOLEPREC DESC, "
                                     "C.NRCOLEPRECO DESC LIMIT 1"),
                  earlier + QVariantList{region, supplier, product, brand});
    // Among equal prices the most recent one, then a fixed order.
    auto lowest = [&](const char* supplierKind) {
        return readQuote(db,
                         kEarlierPriceSql +
                             QStringLiteral("AND I.CDREGIAO = ? AND I.CDPRODUTO = ? AND ") +
                             QLatin1String(supplierKind) +
                             QStringLiteral(" ORDER BY I.VRPRECUNIITM, C.DTCOLEPREC DESC, "
                                            "C.NRCOLEPRECO DESC, I.CDFORNECED, I.CDMARCA LIMIT 1"),
                         earlier + QVariantList{region, product});
    };
    const Quote normal = lowest("COALESCE(F.IDTIPOFORN, 'N') <> 'A'");
    const Quote alternative = lowest("F.IDTIPOFORN = 'A'");

    QSqlQuery current = db.run(QStringLiteral("SELECT VRPRECUNIITM FROM ITEMCOLE WHERE CDFILIAL = "
                                              "? AND NRCOLEPRECO = ? AND CDREGIAO = ? AND "
                                              "CDFORNECED = ? AND CDPRODUTO = ? AND CDMARCA = ?"),
                               {centre, number, region, supplier, product, brand});
    const double price = current.next() ? current.value(0).toDouble() : 0.0;
    const double variation =
        price > 0 && last.unit > 0 ? (price - last.unit) / last.unit * 100.0 : 0.0;

    host::Packet history(historyFields());
    history.appendRow({last.unit, last.economic, last.from, last.to, normal.unit, normal.economic,
                       normal.from, normal.to, normal.supplierBrand, alternative.unit,
                       alternative.economic, alternative.from, alternative.to,
                       alternative.supplierBrand, variation});
    return QVariant::fromValue(history);
}

// CargMelhorsPrs(branch, number, start, end) → "": each item of the quotation without a
// price takes the lowest price above zero that the same supplier quoted for the same
// region, product and brand in another quotation of the centre valid at some time within
// the period, with that quotation's economic prices. A price the buyer typed is never
// replaced.
QVariant cargMelhorsPrs(CallContext& call)
{
    host::Database& db = call.db();
    const QDate start = call.date(2);
    const QDate end = call.date(3);
    if (!start.isValid())
        throw Refusal(QStringLiteral("Data de validade inicial deve ser informada."));
    if (!end.isValid())
        throw Refusal(QStringLiteral("Data de validade final deve ser informada."));
    if (start > end)
        throw Refusal(QStringLiteral(
            "Data de validade inicial deve ser menor ou igual a data de validade final."));
    const auto [centre, number] = changeableQuotationArgs(call, 0);

    // Every candidate of every unpriced item, the best first within each item.
    QSqlQuery best = db.run(
        QStringLiteral(
            "SELECT Z.CDREGIAO, Z.CDFORNECED, Z.CDPRODUTO, Z.CDMARCA, S.VRPRECUNIITM, "
            "S.VRPRECECOITM, S.VRPRECECOPIITM FROM ITEMCOLE Z JOIN ITEMCOLE S ON S.CDFILIAL = "
            "Z.CDFILIAL AND S.NRCOLEPRECO <> Z.NRCOLEPRECO AND S.CDREGIAO = Z.CDREGIAO AND "
            "S.CDFORNECED = Z.CDFORNECED AND S.CDPRODUTO = Z.CDPRODUTO AND S.CDMARCA = Z.CDMARCA "
            "JOIN COLETAPR C ON C.CDFILIAL = S.CDFILIAL AND C.NRCOLEPRECO = S.NRCOLEPRECO WHERE "
            "Z.CDFILIAL = ? AND Z.NRCOLEPRECO = ? AND COALESCE(Z.VRPRECUNIITM, 0) <= 0 AND "
            "S.VRPRECUNIITM > 0 AND COALESCE(S.DTINIVALITM, C.DTINIVALCOL) <= ? AND "
            "COALESCE(S.DTFINVALITM, C.DTFINVALCOL) >= ? ORDER BY Z.CDREGIAO, Z.CDFORNECED, "
            "Z.CDPRODUTO, Z.CDMARCA, S.VRPRECUNIITM, C.DTCOLEPREC DESC, C.NRCOLEPRECO DESC"),
        {centre, number, end.toString(Qt::ISODate), start.toString(Qt::ISODate)});

    // The best candidate of each item, gathered before anything is written.
    struct Fill
    {
        QStringList key; // region, supplier, product, brand
        double unit;
        QVariant economic, economicPi;
    };
    std::vector<Fill> fills;
    while (best.next()) {
        QStringList key = {best.value(0).toString(), best.value(1).toString(),
                           best.value(2).toString(), best.value(3).toString()};
        if (fills.empty() || fills.back().key != key)
            fills.push_back(
                {std::move(key), best.value(4).toDouble(), best.value(5), best.value(6)});
    }

    Statement update(db, QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = ?, VRPRECECOITM = ?, "
                                        "VRPRECECOPIITM = ? WHERE CDFILIAL = ? AND NRCOLEPRECO = "
                                        "? AND CDREGIAO = ? AND CDFORNECED = ? AND CDPRODUTO = ? "
                                        "AND CDMARCA = ? AND COALESCE(VRPRECUNIITM, 0) <= 0"));
    update.bind(3, centre).bind(4, number);
    auto bindNumber = [&update](int index, const QVariant& value) {
        if (value.isNull())
            update.bindNull(index);
        else
            update.bind(index, value.toDouble());
    };
    for (const Fill& fill : fills) {
        update.bind(0, fill.unit);
        bindNumber(1, fill.economic);
        bindNumber(2, fill.economicPi);
        for (int i = 0; i < 4; ++i)
            update.bind(5 + i, fill.key[i]);
        update.execute();
    }
    return QString();
}

} // namespace

void addHistoryMethods(rpc::MethodRegistry& registry)
{
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("GetHistorico"),
                             {Arg::Text, Arg::Text, Arg::Text, Arg::Text, Arg::Text, Arg::Text},
                             false,
                             getHistorico});
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("CargMelhorsPrs"),
                             {Arg::Text, Arg::Text, Arg::Date, Arg::Date},
                             true,
                             cargMelhorsPrs});
}

} // namespace appserver::modules

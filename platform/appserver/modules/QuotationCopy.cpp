#include "QuotationCopy.h"

#include "BoundSql.h"
#include "CentreNumbers.h"

#include "host/core/Database.h"

namespace appserver::modules {

namespace {

QString iso(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

// Copies the rows of one quotation in `table` under the new number: `columns` are the
// columns after the branch and the number, `selected` what each of them gets, read from
// the source row (with "?" for the values bound in `selectedValues`).
void copyRows(host::Database& db, const char* table, const char* columns, const char* selected,
              const QVariantList& selectedValues, const QString& centre, const QString& source,
              const QString& copy)
{
    BoundSql sql;
    sql.add(QStringLiteral("INSERT INTO %1 (CDFILIAL, NRCOLEPRECO, %2) SELECT CDFILIAL, ?, ")
                .arg(QLatin1String(table), QLatin1String(columns)),
            {copy});
    sql.add(QLatin1String(selected), selectedValues);
    sql.add(
        QStringLiteral(" FROM %1 WHERE CDFILIAL = ? AND NRCOLEPRECO = ?").arg(QLatin1String(table)),
        {centre, source});
    db.run(sql.text, sql.values);
}

// Copied as they are: every column but the branch and the number.
constexpr const char* kPaymentTermColumns = "CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, "
                                            "NRPARCPGTO, NRDIAPGTO, VRPERCPARC, CDFORMPGTO";
constexpr const char* kTaxColumns =
    "CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, CDIMPOSTO, VRALIQIMPOS";

} // namespace

QString copyQuotation(host::Database& db, const QString& centre, const QString& source,
                      const CopyTerms& terms)
{
    const QString copy = centreNumberText(nextCentreNumber(db, CentreSequence::Quotation, centre));
    copyRows(db, "COLETAPR",
             "DTCOLEPREC, NRSEMAINIC, NRSEMAFINAL, DTINIVALCOL, DTFINVALCOL, CDOPERADOR, "
             "IDTIPCOLREG, IDDISMONTLIS",
             "?, ?, ?, ?, ?, CDOPERADOR, 'L', IDDISMONTLIS",
             {iso(terms.collected), terms.firstWeek, terms.lastWeek, iso(terms.validFrom),
              iso(terms.validTo)},
             centre, source, copy);
    copyRows(db, "ITEMCOLE",
             "CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, VRPRECUNIITM, VRPRECECOITM, "
             "VRPRECECOPIITM, QTACMPITMCOL, VRPERDESITM, DTINIVALITM, DTFINVALITM, "
             "IDITMCOTPREC, IDTIPFREITM, DSOBSITMCOL",
             "CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, ROUND(VRPRECUNIITM * ?, 5), "
             "ROUND(VRPRECECOITM * ?, 5), ROUND(VRPRECECOPIITM * ?, 5), QTACMPITMCOL, "
             "VRPERDESITM, ?, ?, IDITMCOTPREC, IDTIPFREITM, DSOBSITMCOL",
             {terms.priceFactor, terms.priceFactor, terms.priceFactor, iso(terms.validFrom),
              iso(terms.validTo)},
             centre, source, copy);
    copyRows(db, "PZOPGTITMCOL", kPaymentTermColumns, kPaymentTermColumns, {}, centre, source,
             copy);
    copyRows(db, "IMPCOLET", kTaxColumns, kTaxColumns, {}, centre, source, copy);
    return copy;
}

} // namespace appserver::modules

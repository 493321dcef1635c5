#include "QuotationInclusion.h"

#include "BoundSql.h"
#include "CentreNumbers.h"
#include "PriceHistory.h"
#include "PurchaseRequests.h"
#include "QuotationFunnel.h"
#include "Statement.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "module/records/QuotationRecords.h"

#include <QSqlQuery>
#include <QVariant>

namespace appserver::modules {

namespace {

// The work tables of one inclusion, private to the connection: the pairs of the funnel and
// the open requests by region and product.
struct WorkTable
{
    const char* name;
    const char* columns;
};

constexpr WorkTable kServed{"INC_REGFORN", "CDREGIAO VARCHAR(3) NOT NULL, CDFORNECED VARCHAR(21) "
                                           "NOT NULL, PRIMARY KEY (CDREGIAO, CDFORNECED)"};
constexpr WorkTable kSupplied{"INC_PRODFORN", "CDFORNECED VARCHAR(21) NOT NULL, CDPRODUTO "
                                              "VARCHAR(10) NOT NULL, PRIMARY KEY (CDFORNECED, "
                                              "CDPRODUTO)"};
constexpr WorkTable kBrands{"INC_MARCPROD", "CDPRODUTO VARCHAR(10) NOT NULL, CDMARCA VARCHAR(5) "
                                            "NOT NULL, PRIMARY KEY (CDPRODUTO, CDMARCA)"};
constexpr WorkTable kBarred{"INC_REGPROD", "CDREGIAO VARCHAR(3) NOT NULL, CDPRODUTO VARCHAR(10) "
                                           "NOT NULL, PRIMARY KEY (CDREGIAO, CDPRODUTO)"};
constexpr WorkTable kRequests{"INC_SOLICOMP",
                              "CDREGIAO VARCHAR(3) NOT NULL, CDPRODUTO VARCHAR(10) NOT NULL, "
                              "QTSOLICOMP FLOAT, DSOBSSOLIC VARCHAR(1000), PRIMARY KEY (CDREGIAO, "
                              "CDPRODUTO)"};
constexpr WorkTable kWorkTables[] = {kServed, kSupplied, kBrands, kBarred, kRequests};

QString iso(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

void dropWorkTables(host::Database& db)
{
    for (const WorkTable& table : kWorkTables)
        db.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(table.name)));
}

void createWorkTables(host::Database& db)
{
    dropWorkTables(db);
    for (const WorkTable& table : kWorkTables)
        db.exec(QStringLiteral("CREATE TEMP TABLE %1 (%2)")
                    .arg(QLatin1String(table.name), QLatin1String(table.columns)));
}

void fill(host::Database& db, const WorkTable& table, const char* columns,
          const QList<CodePair>& pairs)
{
    Statement insert(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (?, ?)")
                             .arg(QLatin1String(table.name), QLatin1String(columns)));
    for (const auto& [first, second] : pairs)
        insert.bind(0, first).bind(1, second).execute();
}

// The open requests of the centre's branches summed by region and product, their notes
// joined one per line in the order they were made.
void fillRequests(host::Database& db, const QString& centre)
{
    db.run(QStringLiteral("INSERT INTO %1 (CDREGIAO, CDPRODUTO, QTSOLICOMP, DSOBSSOLIC) SELECT "
                          "CDREGIAO, CDPRODUTO, SUM(QTSOLICOMP), SUBSTR(GROUP_CONCAT(DSOBSSOLIC, "
                          "?), 1, %2) FROM (SELECT S.CDREGIAO, S.CDPRODUTO, S.QTSOLICOMP, "
                          "NULLIF(TRIM(S.DSOBSSOLIC), '') AS DSOBSSOLIC FROM %3 ORDER BY "
                          "S.CDREGIAO, S.CDPRODUTO, S.DTSOLICOMP, S.CDFILIAL, S.NRSOLICOMP) R "
                          "GROUP BY CDREGIAO, CDPRODUTO")
               .arg(QLatin1String(kRequests.name))
               .arg(module::Width::Observation)
               .arg(openRequestsSql()),
           {QStringLiteral("\n"), centre});
}

// The statement that generates every item at once.
BoundSql itemsStatement(const QuotationFunnel& funnel, const NewQuotation& quotation,
                        const QString& number)
{
    const QString& centre = funnel.criteria().centre;
    BoundSql sql;
    sql.add(QStringLiteral("INSERT INTO ITEMCOLE (CDFILIAL, NRCOLEPRECO, CDREGIAO, CDFORNECED, "
                           "CDPRODUTO, CDMARCA, VRPRECUNIITM, VRPRECECOITM, VRPRECECOPIITM, "
                           "QTACMPITMCOL, VRPERDESITM, DTINIVALITM, DTFINVALITM, IDITMCOTPREC, "
                           "IDTIPFREITM, DSOBSITMCOL) SELECT ?, ?, V.CDREGIAO, V.CDFORNECED, "
                           "P.CDPRODUTO, B.CDMARCA, "),
            {centre, number});
    sql.add(quotation.lastPrices ? QStringLiteral("COALESCE(H.VRPRECUNIITM, 0), "
                                                  "COALESCE(H.VRPRECECOITM, 0), "
                                                  "COALESCE(H.VRPRECECOPIITM, 0), ")
                                 : QStringLiteral("0, 0, 0, "));
    sql.add(QStringLiteral("COALESCE(D.QTSOLICOMP, 0), CASE WHEN F.IDTPDESCFORN = 'C' THEN "
                           "COALESCE(F.VRPEDESCFORN, 0) ELSE 0 END, ?, ?, 'N', F.IDTPFRETFORN, "),
            {iso(quotation.validFrom), iso(quotation.validTo)});
    sql.add(quotation.requestNotes ? QStringLiteral("D.DSOBSSOLIC ") : QStringLiteral("NULL "));
    sql.add(QStringLiteral("FROM INC_REGFORN V JOIN FORNECEDOR F ON F.CDFORNECED = V.CDFORNECED "
                           "JOIN INC_PRODFORN P ON P.CDFORNECED = V.CDFORNECED JOIN INC_MARCPROD "
                           "B ON B.CDPRODUTO = P.CDPRODUTO "));
    // "a Comprar": only where open requests ask for the product in the region.
    sql.add(funnel.criteria().toBuyOnly ? QStringLiteral("JOIN ") : QStringLiteral("LEFT JOIN "));
    sql.add(QStringLiteral("INC_SOLICOMP D ON D.CDREGIAO = V.CDREGIAO AND D.CDPRODUTO = "
                           "P.CDPRODUTO "));
    if (quotation.lastPrices)
        sql.add(QStringLiteral("LEFT JOIN ITEMCOLE H ON H.CDFILIAL = ? AND H.CDREGIAO = "
                               "V.CDREGIAO AND H.CDFORNECED = V.CDFORNECED AND H.CDPRODUTO = "
                               "P.CDPRODUTO AND H.CDMARCA = B.CDMARCA AND H.NRCOLEPRECO = (SELECT "
                               "C.NRCOLEPRECO FROM ITEMCOLE I JOIN COLETAPR C ON C.CDFILIAL = "
                               "I.CDFILIAL AND C.NRCOLEPRECO = I.NRCOLEPRECO WHERE ") +
                    kEarlierPriceSql +
                    QStringLiteral("AND I.CDREGIAO = V.CDREGIAO AND I.CDFORNECED = V.CDFORNECED "
                                   "AND I.CDPRODUTO = P.CDPRODUTO AND I.CDMARCA = B.CDMARCA ORDER "
                                   "BY C.DTCOLEPREC DESC, C.NRCOLEPRECO DESC LIMIT 1) "),
                {centre, centre, iso(quotation.collected), iso(quotation.collected), number});
    sql.add(QStringLiteral("WHERE NOT EXISTS (SELECT 1 FROM INC_REGPROD X WHERE X.CDREGIAO = "
                           "V.CDREGIAO AND X.CDPRODUTO = P.CDPRODUTO)"));
    return sql;
}

} // namespace

WrittenQuotation writeQuotation(host::Database& db, const QuotationFunnel& funnel,
                                const NewQuotation& quotation)
{
    const InclusionCriteria& criteria = funnel.criteria();
    WrittenQuotation written;
    written.number =
        centreNumberText(nextCentreNumber(db, CentreSequence::Quotation, criteria.centre));
    db.run(QStringLiteral("INSERT INTO COLETAPR (CDFILIAL, NRCOLEPRECO, DTCOLEPREC, NRSEMAINIC, "
                          "NRSEMAFINAL, DTINIVALCOL, DTFINVALCOL, CDOPERADOR, IDTIPCOLREG, "
                          "IDDISMONTLIS) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 'L', ?)"),
           {criteria.centre, written.number, iso(quotation.collected), quotation.firstWeek,
            quotation.lastWeek, iso(quotation.validFrom), iso(quotation.validTo), criteria.buyer,
            quotation.priceList});

    createWorkTables(db);
    fill(db, kServed, "CDREGIAO, CDFORNECED", funnel.servedRegions());
    fill(db, kSupplied, "CDFORNECED, CDPRODUTO", funnel.suppliedProducts());
    fill(db, kBrands, "CDPRODUTO, CDMARCA", funnel.productBrands());
    fill(db, kBarred, "CDREGIAO, CDPRODUTO", funnel.barredRegionProducts());
    fillRequests(db, criteria.centre);

    const BoundSql items = itemsStatement(funnel, quotation, written.number);
    written.items = db.run(items.text, items.values).numRowsAffected();
    dropWorkTables(db);
    return written;
}

} // namespace appserver::modules

// A large quotation for benchmarks, over generated products under tree node 99.

#include "DemoModel.h"
#include "Schema.h"
#include "Seed.h"
#include "SeedInternal.h"
#include "TableWriter.h"

#include <host/core/Database.h>
#include <host/core/Exceptions.h>

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>
#include <vector>

namespace appserver::db {
namespace {

constexpr int kRegions = 5;
constexpr int kSuppliers = 30;
constexpr int kBrandsPerProduct = 3;
constexpr int kProductsPerSubgroup = 999;
const QString kGroupTree = QStringLiteral("99");
const QString kGroupCode = QStringLiteral("9900000000");

QStringList column(host::Database& db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery query(db.sql());
    query.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec())
        throw host::EDatabaseError(
            QStringLiteral("Erro ao ler o banco de dados: %1").arg(query.lastError().text()));
    QStringList result;
    while (query.next())
        result << query.value(0).toString();
    return result;
}

struct ScaleSupplier
{
    QString code;
    QString freight;
    double discount = 0;
    QSet<QString> regions; // regions served, among the quotation's
};

// Products, brands and registrations of the benchmark tree, created as they are needed.
class ScaleCatalog
{
public:
    ScaleCatalog(host::Database& db, QStringList brands)
        : m_brands(std::move(brands)),
          m_products(db, QStringLiteral("PRODUTO"),
                     {"CDPRODUTO", "CDARVPROD", "NMPRODUTO", "CDNVPRODUTO", "CDPRODESTO",
                      "IDPRODATIVPR", "CDUNIDMED"}),
          m_registrations(db, QStringLiteral("MARCPROD"), {"CDPRODUTO", "CDMARCA"})
    {
        const QStringList existing =
            column(db, QStringLiteral("SELECT CDPRODUTO FROM PRODUTO WHERE CDARVPROD LIKE '99%'"));
        m_existing = QSet<QString>(existing.begin(), existing.end());
        ensure(kGroupCode, kGroupTree, QStringLiteral("CARGA DE TESTE"), 1);
    }

    const QStringList& brands() const { return m_brands; }

    // Code of the n-th benchmark product (1-based), creating it when missing.
    QString product(int n)
    {
        const int subgroup = (n - 1) / kProductsPerSubgroup + 1;
        const int index = (n - 1) % kProductsPerSubgroup + 1;
        if (subgroup > 99)
            throw std::invalid_argument("too many benchmark products");
        const QString sub = QString::number(subgroup).rightJustified(2, u'0');
        const QString pos = QString::number(index).rightJustified(3, u'0');
        ensure(QStringLiteral("99") + sub + QStringLiteral("000000"), kGroupTree + sub,
               QStringLiteral("CARGA DE TESTE ") + sub, 2);
        const QString code = QStringLiteral("99") + sub + QStringLiteral("000") + pos;
        if (ensure(code, kGroupTree + sub + pos,
                   QStringLiteral("PRODUTO DE CARGA %1").arg(n, 6, 10, QLatin1Char('0')), 3))
            for (const QString& brand : m_brands)
                m_registrations.insert({code, brand});
        return code;
    }

private:
    // Writes the tree node unless it exists; true when it was written.
    bool ensure(const QString& code, const QString& tree, const QString& name, int level)
    {
        if (m_existing.contains(code))
            return false;
        m_existing.insert(code);
        const QVariant stock = level == 3 ? QVariant(code) : QVariant();
        const QVariant unit = level == 3 ? QVariant(QStringLiteral("UN")) : QVariant();
        m_products.insert({code, tree, name, level, stock, QStringLiteral("S"), unit});
        return true;
    }

    QStringList m_brands;
    QSet<QString> m_existing;
    TableWriter m_products;
    TableWriter m_registrations;
};

std::vector<ScaleSupplier> scaleSuppliers(host::Database& db, const QStringList& regions)
{
    QSqlQuery query(db.sql());
    if (!query.exec(QStringLiteral("SELECT CDFORNECED, IDTPFRETFORN, IDTPDESCFORN, VRPEDESCFORN "
                                   "FROM FORNECEDOR WHERE IDSITUCADA = 'A' ORDER BY CDFORNECED")))
        throw host::EDatabaseError(
            QStringLiteral("Erro ao ler os fornecedores: %1").arg(query.lastError().text()));
    std::vector<ScaleSupplier> result;
    while (query.next() && int(result.size()) < kSuppliers) {
        ScaleSupplier supplier;
        supplier.code = query.value(0).toString();
        supplier.freight = query.value(1).toString();
        if (query.value(2).toString() == u"C")
            supplier.discount = query.value(3).toDouble();
        const QStringList barred =
            column(db,
                   QStringLiteral(
                       "SELECT CDREGIAO FROM REFOREG WHERE CDPERIENTR IS NULL AND CDFORNECED = ?"),
                   {supplier.code});
        for (const QString& region : regions)
            if (!barred.contains(region))
                supplier.regions.insert(region);
        if (!supplier.regions.isEmpty())
            result.push_back(supplier);
    }
    return result;
}

void ensureRow(host::Database& db, const QString& table, const QString& keyColumn,
               const QString& key, const QString& productCode)
{
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2 WHERE %1 = ? AND CDPRODUTO = ?").arg(keyColumn, table);
    if (!column(db, sql, {key, productCode}).isEmpty())
        return;
    TableWriter(db, table, {keyColumn, QStringLiteral("CDPRODUTO")}).insert({key, productCode});
}

QString nextQuotationNumber(host::Database& db, const QString& centre)
{
    const QStringList last = column(
        db, QStringLiteral("SELECT MAX(NRCOLEPRECO) FROM COLETAPR WHERE CDFILIAL = ?"), {centre});
    const qlonglong number = last.isEmpty() ? 0 : last.first().toLongLong();
    return QString::number(number + 1).rightJustified(10, u'0');
}

// Items ordered by product, brand, region and supplier, until `items` are written. Every
// item is for a supplier serving its region; one in twenty still waits for its price.
void writeItems(host::Database& db, ScaleCatalog& catalog, const QStringList& regions,
                const std::vector<ScaleSupplier>& suppliers, const QString& centre,
                const QString& number, const QDate& from, const QDate& to, int items)
{
    TableWriter itemWriter(db, QStringLiteral("ITEMCOLE"),
                           {"CDFILIAL", "NRCOLEPRECO", "CDREGIAO", "CDFORNECED", "CDPRODUTO",
                            "CDMARCA", "VRPRECUNIITM", "VRPRECECOITM", "VRPRECECOPIITM",
                            "QTACMPITMCOL", "VRPERDESITM", "DTINIVALITM", "DTFINVALITM",
                            "IDITMCOTPREC", "IDTIPFREITM", "DSOBSITMCOL"});
    const QString fromText = from.toString(Qt::ISODate);
    const QString toText = to.toString(Qt::ISODate);
    int written = 0;
    for (int n = 1; written < items; ++n) {
        const QString product = catalog.product(n);
        for (int b = 0; b < catalog.brands().size() && written < items; ++b) {
            for (const QString& region : regions) {
                for (const ScaleSupplier& supplier : suppliers) {
                    if (written == items)
                        break;
                    if (!supplier.regions.contains(region))
                        continue;
                    const bool priced = written % 20 != 7;
                    const double price =
                        priced ? 1.0 + double((n * 37 + written * 11 + b * 5) % 5000) / 100.0 : 0.0;
                    const double freight = supplier.freight == u"F" ? 1.025 : 1.0;
                    const double economic =
                        demo::roundTo(price * (1.0 - supplier.discount / 100.0) * freight, 5);
                    itemWriter.insert({centre, number, region, supplier.code, product,
                                       catalog.brands()[b], price, economic, 0.0, 0.0,
                                       priced ? supplier.discount : 0.0, fromText, toText,
                                       QStringLiteral("N"), supplier.freight, QVariant()});
                    ++written;
                }
            }
        }
    }
}

} // namespace

QString seedScale(host::Database& db, int items, const QDate& reference)
{
    if (items <= 0)
        throw std::invalid_argument("the number of items must be positive");

    host::Transaction tx(db);
    createSchemaInTransaction(db);
    if (column(db, QStringLiteral("SELECT CDREGIAO FROM REGIAO")).isEmpty())
        Internal::writeDemo(db, reference);

    const QString centre = QString::fromLatin1(demo::kDemoCentre);
    const QStringList regions =
        column(db, QStringLiteral("SELECT CDREGIAO FROM REGIAO ORDER BY CDREGIAO"))
            .mid(0, kRegions);
    const QString buyer =
        column(db, QStringLiteral("SELECT CDOPERADOR FROM COMPRADOR ORDER BY CDOPERADOR")).value(0);
    const QStringList brands =
        column(db, QStringLiteral("SELECT CDMARCA FROM MARCA ORDER BY CDMARCA"))
            .mid(0, kBrandsPerProduct);
    const std::vector<ScaleSupplier> suppliers = scaleSuppliers(db, regions);
    if (buyer.isEmpty() || brands.isEmpty() || suppliers.empty())
        throw host::EDatabaseError(QStringLiteral(
            "O banco de dados não tem compradores, marcas ou fornecedores para a carga."));

    ScaleCatalog catalog(db, brands);
    for (const ScaleSupplier& supplier : suppliers)
        ensureRow(db, QStringLiteral("PRODFORN"), QStringLiteral("CDFORNECED"), supplier.code,
                  kGroupCode);
    ensureRow(db, QStringLiteral("PRODCOMP"), QStringLiteral("CDOPERADOR"), buyer, kGroupCode);

    const QDate monday = reference.addDays(1 - reference.dayOfWeek());
    const QDate from = monday;
    const QDate to = monday.addDays(13);
    const QString number = nextQuotationNumber(db, centre);
    TableWriter(db, QStringLiteral("COLETAPR"),
                {"CDFILIAL", "NRCOLEPRECO", "DTCOLEPREC", "NRSEMAINIC", "NRSEMAFINAL",
                 "DTINIVALCOL", "DTFINVALCOL", "CDOPERADOR", "IDTIPCOLREG", "IDDISMONTLIS"})
        .insert({centre, number, monday.toString(Qt::ISODate),
                 QString::number(from.weekNumber()).rightJustified(2, u'0'),
                 QString::number(to.weekNumber()).rightJustified(2, u'0'),
                 from.toString(Qt::ISODate), to.toString(Qt::ISODate), buyer, QStringLiteral("L"),
                 QStringLiteral("N")});

    writeItems(db, catalog, regions, suppliers, centre, number, from, to, items);
    tx.commit();
    return number;
}

} // namespace appserver::db

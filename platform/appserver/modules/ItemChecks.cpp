#include "ItemChecks.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/Exceptions.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace appserver::modules {

namespace {

bool is(const QVariant& flag, char letter)
{
    return flag.toString().trimmed() == QLatin1Char(letter);
}

} // namespace

QSet<QString> regionsNotServed(host::Database& db, const QString& supplier)
{
    QSet<QString> regions;
    QSqlQuery query = db.run(QStringLiteral("SELECT CDREGIAO FROM REFOREG WHERE CDPERIENTR IS "
                                            "NULL AND CDFORNECED = ?"),
                             {supplier});
    while (query.next())
        regions.insert(query.value(0).toString());
    return regions;
}

QDate readCollectionDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    QDate date = QDate::fromString(trimmed, Qt::ISODate);
    if (!date.isValid())
        date = QDate::fromString(trimmed, QStringLiteral("dd/MM/yyyy"));
    return date;
}

ItemChecks::ItemChecks(host::Database& db, const QString& centre, const QDate& collectionDate)
    : m_date(collectionDate), m_centre(centre), m_products(db)
{
    QSqlQuery parameters = db.run(QStringLiteral("SELECT IDULTIDTVALQ, IDMARSEMQUA, CDMARCA "
                                                 "FROM PARASUPRI WHERE CDFILIAL = ?"),
                                  {centre});
    if (!parameters.next())
        throw rpc::Refusal(QStringLiteral("Parâmetros de compras da central %1 não cadastrados: "
                                          "os itens não podem ser validados.")
                               .arg(centre));
    m_validityRule = parameters.value(0).toString().trimmed();
    m_unqualifiedBrands = is(parameters.value(1), 'S');
    m_defaultBrand = parameters.value(2).toString().trimmed();

    readQualifications(db);
    QSqlQuery barred =
        db.run(QStringLiteral("SELECT CDFORNECED, CDREGIAO FROM REFOREG WHERE CDPERIENTR IS NULL"));
    while (barred.next())
        m_barredRegions.insert({barred.value(0).toString(), barred.value(1).toString()});
    QSqlQuery regions = db.run(QStringLiteral("SELECT CDREGIAO, CDFILIAL FROM REGIAO"));
    while (regions.next())
        m_regionBranch.insert(regions.value(0).toString(), regions.value(1).toString());

    m_notBought = readTreeNodes(
        db, QStringLiteral("SELECT F.CDFILIAL, P.CDARVPROD FROM PRODFILI F JOIN PRODUTO P ON "
                           "P.CDPRODUTO = F.CDPRODUTO WHERE F.IDNEGPRODFI = 'N'"));
    m_supplied = readTreeIndex(db, QStringLiteral("SELECT F.CDFORNECED, P.CDARVPROD FROM PRODFORN "
                                                  "F JOIN PRODUTO P ON P.CDPRODUTO = F.CDPRODUTO"));
    m_brandNodes = readTreeIndex(db, QStringLiteral("SELECT M.CDMARCA, P.CDARVPROD FROM "
                                                    "MARCPROD M JOIN PRODUTO P ON "
                                                    "P.CDPRODUTO = M.CDPRODUTO"));
}

void ItemChecks::readQualifications(host::Database& db)
{
    // Refused: neither approved nor authorised. Lapsed: approved, up to a date now past.
    auto refused = [this](const QVariant& approved, const QVariant& authorised,
                          const QVariant& validUntil) {
        return (is(approved, 'N') && is(authorised, 'N')) ||
               (is(approved, 'S') && lapsed(validUntil.toString()));
    };
    QSqlQuery brands = db.run(QStringLiteral("SELECT CDPRODUTO, CDMARCA, IDAPRMARPRO, "
                                             "IDAUTMARPRO, DTVALAPROVA FROM QFOMARPROD"));
    while (brands.next()) {
        const Pair pair{brands.value(0).toString(), brands.value(1).toString()};
        m_qualifiedBrands.insert(pair);
        if (refused(brands.value(2), brands.value(3), brands.value(4)))
            m_refusedBrands.insert(pair);
    }
    QSqlQuery suppliers =
        db.run(QStringLiteral("SELECT CDPRODUTO, CDFORNECED, IDFORNAPROV, IDFORNAUTOR, "
                              "DTVALPRFORN FROM QFOPRODFORN"));
    while (suppliers.next())
        if (refused(suppliers.value(2), suppliers.value(3), suppliers.value(4)))
            m_refusedSuppliers.insert(
                {suppliers.value(0).toString(), suppliers.value(1).toString()});
}

bool ItemChecks::lapsed(const QString& validUntil) const
{
    const QDate until = QDate::fromString(validUntil.left(10), Qt::ISODate);
    if (!until.isValid())
        return false; // no date: nothing proves the approval over
    if (m_validityRule == QLatin1String("M"))
        return m_date > QDate(until.year(), until.month(), until.daysInMonth());
    if (m_validityRule == QLatin1String("D"))
        return m_date > until;
    return false;
}

quint8 ItemChecks::productFlags(const QString& product, const QString& brand) const
{
    quint8 flags = 0;
    const Pair pair{product, brand};
    if (m_refusedBrands.contains(pair) ||
        (m_unqualifiedBrands && !m_qualifiedBrands.contains(pair)))
        flags |= BrandNotQualified;
    if (!centreNegotiates(product))
        flags |= CentreDoesNotBuy;
    if (m_defaultBrand.isEmpty() && !brandRegistered(product, brand))
        flags |= BrandNotRegistered;
    return flags;
}

bool ItemChecks::centreNegotiates(const QString& product) const
{
    const auto centre = m_notBought.constFind(m_centre);
    return centre == m_notBought.constEnd() || !centre->covers(m_products.treeCode(product));
}

bool ItemChecks::brandRegistered(const QString& product, const QString& brand) const
{
    const QString tree = m_products.treeCode(product);
    return !tree.isEmpty() && m_brandNodes.covers(brand, tree);
}

QStringList ItemChecks::suppliersOf(const QString& product) const
{
    return m_supplied.keysCovering(m_products.treeCode(product));
}

QStringList ItemChecks::brandsOf(const QString& product) const
{
    return m_brandNodes.keysCovering(m_products.treeCode(product));
}

quint8 ItemChecks::supplyFlags(const QString& supplier, const QString& product) const
{
    quint8 flags = 0;
    if (m_refusedSuppliers.contains({product, supplier}))
        flags |= ProductNotQualifiedForSupplier;
    const QString tree = m_products.treeCode(product);
    if (tree.isEmpty() || !m_supplied.covers(supplier, tree))
        flags |= ProductNotSupplied;
    return flags;
}

quint8 ItemChecks::regionFlags(const QString& supplier, const QString& region) const
{
    return m_barredRegions.contains({supplier, region}) ? RegionNotServed : 0;
}

quint8 ItemChecks::regionBranchFlags(const QString& region, const QString& product) const
{
    const auto nodes = m_notBought.constFind(m_regionBranch.value(region));
    return nodes != m_notBought.constEnd() && nodes->covers(m_products.treeCode(product))
               ? RegionBranchDoesNotBuy
               : 0;
}

QString ItemChecks::errorText(quint8 flags)
{
    QString text(kFlagCount, QLatin1Char('N'));
    for (int i = 0; i < kFlagCount; ++i)
        if (flags & (1 << i))
            text[i] = QLatin1Char('S');
    return text;
}

} // namespace appserver::modules

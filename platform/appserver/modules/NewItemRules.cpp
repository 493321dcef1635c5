#include "NewItemRules.h"

#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"

#include <QSqlQuery>

namespace appserver::modules {

namespace {

bool isYes(const QVariant& flag)
{
    return flag.toString().trimmed() == QLatin1String("S");
}

} // namespace

NewItemRules::NewItemRules(host::Database& db, const QString& centre,
                           const PricedQuotation& quotation, const QString& operatorCode)
    : m_db(db), m_checks(db, centre, quotation.collected), m_collected(quotation.collected)
{
    QSqlQuery parameters = db.run(QStringLiteral("SELECT IDULTIDTVALQ, IDUTLPROCMP, IDUMPRODCMP "
                                                 "FROM PARASUPRI WHERE CDFILIAL = ?"),
                                  {centre});
    parameters.next(); // ItemChecks refused a centre without them
    m_validityRule = parameters.value(0).toString().trimmed();
    m_purchaseOnly = isYes(parameters.value(1));
    m_pricedByProduct = isYes(parameters.value(2));
    m_buyerProducts = negotiatedBy(db, quotation.buyer);
    if (m_pricedByProduct) {
        m_operatorProducts = negotiatedBy(db, operatorCode);
        m_anyBuyerProducts = readTreeNodes(db, QStringLiteral("SELECT '', P.CDARVPROD FROM "
                                                              "PRODCOMP C JOIN PRODUTO P ON "
                                                              "P.CDPRODUTO = C.CDPRODUTO"))
                                 .value(QString());
    }
}

bool NewItemRules::registered(const char* sql, const QString& code) const
{
    return m_db.run(QString::fromLatin1(sql), {code}).next();
}

QString NewItemRules::refusal(const ItemKey& item) const
{
    if (!registered("SELECT 1 FROM REGIAO WHERE CDREGIAO = ?", item.region))
        return QStringLiteral("Região não cadastrada.");
    if (QString refused = supplierRefusal(item); !refused.isEmpty())
        return refused;
    if (QString refused = productRefusal(item); !refused.isEmpty())
        return refused;
    if (!registered("SELECT 1 FROM MARCA WHERE CDMARCA = ?", item.brand))
        return QStringLiteral("Marca não cadastrada.");
    const quint8 flags = m_checks.productFlags(item.product, item.brand) |
                         m_checks.regionBranchFlags(item.region, item.product);
    if (flags & ItemChecks::BrandNotRegistered)
        return QStringLiteral("Marca não cadastrada para o produto.");
    if (flags & ItemChecks::BrandNotQualified)
        return QStringLiteral("Marca não qualificada ou com validade vencida.");
    if (flags & ItemChecks::CentreDoesNotBuy)
        return QStringLiteral("Produto não é negociado pela filial corporativa.");
    if (flags & ItemChecks::RegionBranchDoesNotBuy)
        return QStringLiteral("Produto não é negociado pela filial regional.");
    return QString();
}

QString NewItemRules::supplierRefusal(const ItemKey& item) const
{
    // The qualification as the supplier searches read it: none asked (no CDQUALIF), or one
    // that lets the supplier quote (IDPERCOTCMP "1", or "2" for an automatic supplier)
    // still valid at the collection date.
    QSqlQuery supplier = m_db.run(
        QStringLiteral("SELECT F.IDSITUCADA, F.CDQUALIF, F.IDFORNAUTO, F.DTVALQUALIF, "
                       "Q.IDPERCOTCMP FROM FORNECEDOR F LEFT JOIN QUALIFICACAO Q ON Q.CDQUALIF = "
                       "F.CDQUALIF WHERE F.CDFORNECED = ?"),
        {item.supplier});
    if (!supplier.next())
        return QStringLiteral("Fornecedor não cadastrado.");
    if (m_checks.regionFlags(item.supplier, item.region))
        return QStringLiteral("Fornecedor não atende a região.");
    const QString permission = supplier.value(4).toString().trimmed();
    const bool mayQuote = permission == QLatin1String("1") ||
                          (permission == QLatin1String("2") && isYes(supplier.value(2)));
    if (!supplier.value(1).toString().trimmed().isEmpty() &&
        !(mayQuote && qualified(supplier.value(3).toString())))
        return QStringLiteral("Fornecedor não qualificado ou com qualificação vencida.");
    if (supplier.value(0).toString().trimmed() == QLatin1String("I"))
        return QStringLiteral("Fornecedor inativo.");
    return QString();
}

bool NewItemRules::qualified(const QString& validUntil) const
{
    const QDate until = QDate::fromString(validUntil.left(10), Qt::ISODate);
    if (!until.isValid())
        return false;
    if (m_validityRule == QLatin1String("D"))
        return m_collected <= until;
    if (m_validityRule == QLatin1String("M"))
        return m_collected <= QDate(until.year(), until.month(), until.daysInMonth());
    return false;
}

QString NewItemRules::productRefusal(const ItemKey& item) const
{
    QSqlQuery product = m_db.run(QStringLiteral("SELECT CDPRODESTO, CDARVPROD FROM PRODUTO WHERE "
                                                "CDPRODUTO = ? AND CDPRODESTO IS NOT NULL AND "
                                                "COALESCE(IDPRODATIVPR, 'S') = 'S'"),
                                 {item.product});
    if (!product.next())
        return QStringLiteral("Produto não cadastrado.");
    if (m_purchaseOnly && product.value(0).toString() == item.product)
        return QStringLiteral("Produto informado deve ser de compra.");
    const quint8 flags = m_checks.supplyFlags(item.supplier, item.product);
    if (flags & ItemChecks::ProductNotSupplied)
        return QStringLiteral("Produto não cadastrado para o fornecedor.");
    if (flags & ItemChecks::ProductNotQualifiedForSupplier)
        return QStringLiteral("Produto não qualificado para o fornecedor.");
    return buyerRefusal(product.value(1).toString().trimmed());
}

QString NewItemRules::buyerRefusal(const QString& treeCode) const
{
    if (m_buyerProducts.covers(treeCode))
        return QString();
    if (!m_pricedByProduct)
        return QStringLiteral("Produto não cadastrado para o comprador da cotação.");
    // Where each product has its own buyer, the operator who negotiates it adds it; a
    // product no buyer negotiates may be added by anyone.
    if (m_operatorProducts.covers(treeCode) || !m_anyBuyerProducts.covers(treeCode))
        return QString();
    return QStringLiteral("Produto ou grupo de produto é negociado por outro comprador.");
}

} // namespace appserver::modules

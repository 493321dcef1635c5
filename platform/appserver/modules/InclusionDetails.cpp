#include "InclusionDetails.h"

#include "QuotationFunnel.h"

#include <QStringList>

namespace appserver::modules {

QString inclusionDetails(const FunnelCounts& counts, const InclusionCriteria& criteria)
{
    QStringList lines;
    auto line = [&lines](const QString& text, qint64 left) {
        lines.append(QStringLiteral("%1: %2").arg(text).arg(left));
    };
    // A check the buyer chose: what it took away and what is left.
    auto check = [&](InclusionCheck which, const QString& name, qint64 before, qint64 after) {
        if (criteria.has(which))
            lines.append(QStringLiteral("%1: retira %2, restam %3")
                             .arg(name)
                             .arg(before - after)
                             .arg(after));
    };

    line(QStringLiteral("Regiões escolhidas da central de compras"), counts.regions);
    line(QStringLiteral("Fornecedores ativos escolhidos"), counts.suppliers);
    check(InclusionCheck::SupplierQualified,
          QStringLiteral("Qualificação de fornecedor na data da coleta"), counts.suppliers,
          counts.qualifiedSuppliers);
    line(QStringLiteral("Fornecedores que atendem às regiões (%1 pares região/fornecedor)")
             .arg(counts.servedRegionPairs),
         counts.servingSuppliers);
    line(QStringLiteral("Produtos ativos de compra na faixa informada"), counts.productsInRange);
    line(QStringLiteral("Produtos negociados pela central de compras"), counts.productsOfCentre);
    check(InclusionCheck::BuyerNegotiatesProduct,
          QStringLiteral("Produto por comprador (%1)").arg(criteria.buyer.trimmed()),
          counts.productsOfCentre, counts.productsOfBuyer);
    if (criteria.toBuyOnly)
        line(QStringLiteral("Produtos a comprar (solicitações de compra abertas nas regiões)"),
             counts.productsToBuy);
    line(QStringLiteral("Pares região/produto que a filial da região não negocia"),
         counts.barredRegionPairs);
    line(QStringLiteral("Produtos cadastrados para os fornecedores (pares produto/fornecedor)"),
         counts.supplyPairs);
    check(InclusionCheck::SupplierQualifiedForProduct,
          QStringLiteral("Qualificação de produto por fornecedor"), counts.supplyPairs,
          counts.qualifiedSupplyPairs);
    line(QStringLiteral("Marcas cadastradas para os produtos (pares produto/marca)"),
         counts.brandPairs);
    check(InclusionCheck::BrandQualifiedForProduct,
          QStringLiteral("Qualificação de marca por produto"), counts.brandPairs,
          counts.qualifiedBrandPairs);
    line(QStringLiteral("Itens gerados"), counts.items);
    return lines.join(QLatin1Char('\n'));
}

} // namespace appserver::modules

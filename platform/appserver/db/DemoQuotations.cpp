#include "DemoQuotations.h"

#include <QMap>

namespace appserver::db::demo {
namespace {

QString twoDigitWeek(const QDate& day)
{
    return QString::number(day.weekNumber()).rightJustified(2, u'0');
}

// The qualified brands of a product, preferred first, at most `limit`.
QStringList quotedBrands(const DemoModel& model, const QString& tree, const QDate& day, int limit)
{
    QStringList chosen;
    for (const QString& brand : words(model.product(tree).brands)) {
        if (chosen.size() == limit)
            break;
        if (model.brandQualified(tree, brand, day))
            chosen << brand;
    }
    return chosen;
}

bool itemAllowed(const DemoModel& model, const QuotationPlan& plan, const QDate& day,
                 const QString& region, int supplier, const QString& tree)
{
    return model.serves(supplier, region) && model.supplies(supplier, tree) &&
           model.qualifiedForProduct(supplier, tree, day) &&
           model.negotiates(QString::fromLatin1(plan.buyer), tree) &&
           model.branchNegotiates(QString::fromLatin1(kDemoCentre), tree) &&
           model.branchNegotiates(model.regionBranch(region), tree);
}

// Prices one item from the product's typical price, varying by supplier, region and brand.
void price(DemoItem& item, const DemoModel& model, const QuotationPlan& plan, int brandRank)
{
    const SupplierRow& supplier = model.supplier(item.supplier);
    const QString key = QLatin1String(plan.number) + item.region + item.product + item.brand +
                        QString::number(item.supplier);
    item.freight = QString::fromLatin1(supplier.freight);
    item.marker = QStringLiteral("N");
    if (fraction(key + QStringLiteral("zero")) < plan.unpricedShare)
        return;
    static const double brandFactor[] = {1.0, 0.94, 1.07};
    const double base = model.product(item.tree).price;
    item.price = roundTo(base * (0.92 + 0.18 * fraction(key)) * brandFactor[brandRank % 3], 2);
    if (qstrcmp(supplier.discountType, "C") == 0)
        item.discount = supplier.discount;
    const double freight = qstrcmp(supplier.freight, "F") == 0 ? 1.025 : 1.0;
    item.economicPrice = roundTo(item.price * (1.0 - item.discount / 100.0) * freight, 5);
    if (fraction(key + QStringLiteral("obs")) < plan.observationShare) {
        const auto notes = itemObservations();
        const int pick = int(fraction(key + QStringLiteral("note")) * double(notes.size()));
        item.observation = QString::fromUtf8(notes[pick]);
    }
}

// The economic price PI: how far the item's economic price lies from the average of the
// priced offers for the same region, product and brand (negative: below average).
void setEconomicPricePi(std::vector<DemoItem>& items)
{
    QMap<QString, std::pair<double, int>> sums;
    auto groupOf = [](const DemoItem& item) { return item.region + item.product + item.brand; };
    for (const DemoItem& item : items) {
        if (item.price <= 0)
            continue;
        auto& sum = sums[groupOf(item)];
        sum.first += item.economicPrice;
        sum.second += 1;
    }
    for (DemoItem& item : items) {
        if (item.price <= 0)
            continue;
        const auto& sum = sums[groupOf(item)];
        item.economicPricePi = roundTo(item.economicPrice - sum.first / sum.second, 5);
    }
}

} // namespace

QString DemoQuotation::firstWeek() const
{
    return twoDigitWeek(validFrom);
}
QString DemoQuotation::lastWeek() const
{
    return twoDigitWeek(validTo);
}

DemoQuotation buildQuotation(const DemoModel& model, const QuotationPlan& plan)
{
    DemoQuotation quotation;
    quotation.plan = &plan;
    quotation.collection = model.monday().addDays(plan.collectionDayOffset);
    quotation.validFrom = model.monday().addDays(7 * plan.firstWeekOffset);
    quotation.validTo = quotation.validFrom.addDays(7 * plan.weeks - 1);

    const QDate day = quotation.collection;
    for (const QString& region : words(plan.regions)) {
        for (const QString& supplierNumber : words(plan.suppliers)) {
            const int supplier = supplierNumber.toInt();
            if (!model.supplierQualified(supplier, day))
                continue;
            for (const QString& tree : words(plan.products)) {
                if (!itemAllowed(model, plan, day, region, supplier, tree))
                    continue;
                const QStringList brandCodes =
                    quotedBrands(model, tree, day, plan.brandsPerProduct);
                for (int rank = 0; rank < brandCodes.size(); ++rank) {
                    DemoItem item;
                    item.region = region;
                    item.supplier = supplier;
                    item.tree = tree;
                    item.product = model.productCode(tree);
                    item.brand = brandCodes[rank];
                    if (plan.quantitiesToBuy)
                        item.quantity = model.openRequests(tree, region);
                    price(item, model, plan, rank);
                    quotation.items.push_back(item);
                }
            }
        }
    }
    setEconomicPricePi(quotation.items);
    return quotation;
}

} // namespace appserver::db::demo

#include "InclusionTestSupport.h"

#include "DbTestSupport.h"

namespace inclusiontest {

QVariantList InclusionFixture::inclusionArgs()
{
    const QDate day = dbtest::referenceDay();
    QVariantList args(ArgCount);
    args[Centre] = args[Branch] = savetest::kBranch;
    args[Buyer] = args[Operator] = savetest::kAna;
    args[Collected] = day;
    args[FirstWeek] = QStringLiteral("11");
    args[LastWeek] = QStringLiteral("12");
    args[ValidFrom] = day.addDays(-2);
    args[ValidTo] = day.addDays(11);
    for (int text : {FirstProduct, LastProduct, Regions, Suppliers, Brands, Checks})
        args[text] = QString();
    args[AllProducts] = true;
    args[LastPrices] = args[RequestNotes] = false;
    args[PriceList] = QStringLiteral("S");
    return args;
}

QVariantList InclusionFixture::detailsArgs(const QVariantList& in)
{
    auto marker = [](const QVariant& list) {
        return list.toString().isEmpty() ? QStringLiteral("T") : QString();
    };
    return {in[Centre],
            in[Buyer],
            in[FirstProduct],
            in[LastProduct],
            marker(in[FirstProduct]),
            in[ValidFrom],
            in[ValidTo],
            in[Regions],
            marker(in[Regions]),
            in[Suppliers],
            marker(in[Suppliers]),
            in[Collected],
            in[Brands],
            !in[AllProducts].toBool(),
            in[LastPrices],
            in[Brands].toString().isEmpty(),
            in[Branch]};
}

QString InclusionFixture::include(const std::function<void(QVariantList&)>& change,
                                  const QString& operatorCode)
{
    QVariantList args = inclusionArgs();
    args[Operator] = operatorCode;
    if (change)
        change(args);
    return call(rpctest::kPlan, QStringLiteral("IncluirCotacao"), args, login(operatorCode))
        .toString();
}

QString InclusionFixture::details(const QVariantList& inclusion)
{
    return call(rpctest::kPlan, QStringLiteral("GetDetalhes"), detailsArgs(inclusion), login())
        .toString();
}

QString InclusionFixture::numberOf(const QString& answer)
{
    EXPECT_TRUE(answer.startsWith(u'1') && answer.size() == 11) << answer.toStdString();
    return answer.mid(1);
}

QStringList InclusionFixture::items(const QString& number)
{
    return dbtest::rows(db(),
                        QStringLiteral("SELECT CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA FROM "
                                       "ITEMCOLE WHERE CDFILIAL = '0001' AND NRCOLEPRECO = ? "
                                       "ORDER BY 1, 2, 3, 4"),
                        {number});
}

} // namespace inclusiontest

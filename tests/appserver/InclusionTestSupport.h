#pragma once

// A new quotation as the entry page asks the server for it: IncluirCotacao with its
// nineteen arguments and GetDetalhes with the seventeen the error dialog derives from them.

#include "SaveTestSupport.h"

#include <functional>

namespace inclusiontest {

// Positions of IncluirCotacao's arguments.
enum Arg
{
    Centre,
    Branch,
    Buyer,
    Collected,
    FirstWeek,
    LastWeek,
    ValidFrom,
    ValidTo,
    FirstProduct,
    LastProduct,
    Regions,
    Suppliers,
    Brands,
    Checks,
    AllProducts,
    LastPrices,
    RequestNotes,
    PriceList,
    Operator,
    ArgCount
};

class InclusionFixture : public savetest::SaveFixture
{
protected:
    // Ana's quotation of everything, collected on the demo's reference day.
    static QVariantList inclusionArgs();
    // The same arguments as the error dialog sends them to GetDetalhes.
    static QVariantList detailsArgs(const QVariantList& inclusion);

    // IncluirCotacao with the default arguments changed by `change`, as `operatorCode`.
    QString include(const std::function<void(QVariantList&)>& change = {},
                    const QString& operatorCode = savetest::kAna);
    QString details(const QVariantList& inclusion);
    // The number of a successful answer; fails the test on any other.
    static QString numberOf(const QString& answer);
    // "region|supplier|product|brand" of each item of a quotation of the centre, sorted.
    QStringList items(const QString& number);
};

} // namespace inclusiontest

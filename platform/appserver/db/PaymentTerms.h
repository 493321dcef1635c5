#pragma once

// The payment terms a supplier grants when nothing else was negotiated for an item, from
// the supplier's register: cash (IDTPFORPGTFO 'V') is one instalment on delivery;
// instalments ('P') are NRPARCPGTOFO equal shares, one every 28 days, the last one rounding
// the total to 100 percent. Both the demo and the application server write them so.

#include <QtGlobal>
#include <cmath>
#include <vector>

namespace appserver::db {

struct Instalment
{
    int number;     // NRPARCPGTO, from 1
    int days;       // NRDIAPGTO, after delivery
    double percent; // VRPERCPARC
};

inline constexpr int kDaysBetweenInstalments = 28;

inline std::vector<Instalment> supplierInstalments(bool cash, int instalments)
{
    const int count = cash ? 1 : qMax(1, instalments);
    auto cents = [](double value) { return std::round(value * 100.0) / 100.0; };
    const double share = cents(100.0 / count);
    std::vector<Instalment> terms;
    for (int n = 1; n <= count; ++n)
        terms.push_back({n, cash ? 0 : kDaysBetweenInstalments * n,
                         n < count ? share : cents(100.0 - share * (count - 1))});
    return terms;
}

} // namespace appserver::db

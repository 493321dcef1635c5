#pragma once

// What the quotation register reads from the shared database: the quotations a filter
// chooses and their quoted suppliers, the validity the filter starts from, the suppliers
// a buyer can filter by, the purchasing parameters of a centre and the regions of one
// quotation. Each function returns a packet whose fields are those the screens load.

#include "ChosenCodes.h"

#include "host/core/Packet.h"

#include <QDate>
#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

// The quotation filter of the register.
struct QuotationFilter
{
    QString centre;        // purchasing centre that owns the quotations
    ChosenCodes buyers;    // stored buyer codes
    ChosenCodes suppliers; // stored supplier codes: the quotation quotes one of them
    ChosenCodes regions;   // stored region codes: the quotation quotes one of them
    bool anyPeriod = true; // period marker "T"
    QDate from;            // validity must reach this day (invalid: no lower limit)
    QDate to;              // validity must start by this day (invalid: no upper limit)
};

// The quotations of the filter with their buyer's name, newest number first; stored
// header fields only.
host::Packet quotationList(host::Database& db, const QuotationFilter& filter);

// One row per supplier and quotation of the filter (every supplier the quotation quotes,
// not only the chosen ones), by quotation (newest first) and legal name.
host::Packet quotedSuppliers(host::Database& db, const QuotationFilter& filter);

// Validity (DTINIVALCOL, DTFINVALCOL) of the centre's latest quotation: the one collected
// last, the highest number among those of that day. Only the buyer's quotations when
// `buyer` is not empty. No row when there is none.
host::Packet latestValidity(host::Database& db, const QString& centre, const QString& buyer);

// Purchasing centre of a branch: its CDFILCENTCMP, or the branch itself when that is
// empty or the branch is unknown.
QString purchasingCentre(host::Database& db, const QString& branch);

// The suppliers quoted in any quotation of the centre, unmarked (IDMARCADO 'N'), one row
// per supplier, by trade name.
host::Packet quotedSupplierChoices(host::Database& db, const QString& centre);

// Purchasing parameters of the centre (one row; none when the centre has none).
host::Packet purchasingParameters(host::Database& db, const QString& centre);

// The regions a quotation's items are in, by code, preceded by the all-regions row
// "XXX" named `allRegionsName`; every row carries the quotation number.
host::Packet quotationRegions(host::Database& db, const QString& branch, const QString& number,
                              const QString& allRegionsName);

// Code of the all-regions row of a quotation's region list.
inline const QString kAllRegionsCode = QStringLiteral("XXX");

} // namespace appserver::modules

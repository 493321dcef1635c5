#pragma once

// What a buyer asks when he duplicates quotations: which quotations to copy (the current
// one, or those of a validity period for all buyers or a list of them) and what each copy
// gets (new weeks and validity, collection date, readjusted prices). DuplicaCotacao's
// arguments are read into it; whatever cannot be read is refused (rpc::Refusal) with the
// text the duplication dialog shows.

#include "ChosenCodes.h"

#include <QDate>
#include <QString>

namespace appserver::rpc {
class CallContext;
}

namespace appserver::modules {

// What changes in every copy; everything else is the source quotation's.
struct CopyTerms
{
    QString firstWeek; // two digits
    QString lastWeek;
    QDate validFrom; // the copy's validity, also set on each of its items
    QDate validTo;
    QDate collected;
    double priceFactor = 1.0; // 1 + readjustment / 100; prices are rounded to 5 decimals
};

struct DuplicationRequest
{
    QString centre;
    QString operatorCode; // the session's operator, whose rights over each buyer count
    CopyTerms copy;
    // Every quotation of the centre valid within [periodFrom, periodTo] of the chosen
    // buyers; otherwise only the `current` quotation.
    bool wholePeriod = false;
    QString current;
    QDate periodFrom;
    QDate periodTo;
    ChosenCodes buyers; // all, or the stored codes of the chosen buyers
};

// A quotation chosen for copying, as its record stands before anything is copied.
struct SourceQuotation
{
    QString number;
    QString buyer;
    QString validFrom; // ISO text, as stored (may be empty)
    QString validTo;
};

// DuplicaCotacao(centre, initial week, final week, new validity start, new validity end,
// current quotation, source period start, source period end, collection date,
// readjustment %, buyer list, whole period, buyer list applies, operator's branch,
// operator), checked in this order: operator, branches, weeks, new validity, collection
// date, readjustment, then (whole period only) the source period and the buyer list.
DuplicationRequest readDuplicationRequest(const rpc::CallContext& call);

} // namespace appserver::modules

#pragma once

// Which earlier prices a quotation compares with and loads.

#include <QString>

namespace appserver::modules {

// The prices quoted in the centre's quotations collected before a given one (on an earlier
// day, or on the same day under a lower number), over the items I of the quotations C:
// a buyer compares with the last time the item was quoted, however long ago that was. An
// item left at zero was not quoted and does not count. Four "?": the centre, the
// collection date twice and the quotation number.
inline const QString kEarlierPriceSql = QStringLiteral(
    "I.CDFILIAL = ? AND I.VRPRECUNIITM > 0 AND (C.DTCOLEPREC < ? OR (C.DTCOLEPREC = ? AND "
    "C.NRCOLEPRECO < ?)) ");

} // namespace appserver::modules

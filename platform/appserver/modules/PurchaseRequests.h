#pragma once

// The open purchase requests a purchasing centre buys for: what its quotations take their
// quantities to buy, and a new quotation its products to buy and request notes, from.

#include "Rights.h"

#include <QString>

namespace appserver::modules {

// FROM and WHERE of the open requests (SOLICOMP aliased S) of the branches the centre
// buys for; one "?" for the centre. Callers append " AND ..." conditions.
inline QString openRequestsSql()
{
    return QStringLiteral("SOLICOMP S JOIN FILIAL F ON F.CDFILIAL = S.CDFILIAL WHERE "
                          "S.IDSITUSOLIC = 'A' AND %1 = ?")
        .arg(QLatin1String(kBranchCentreSql));
}

} // namespace appserver::modules

#pragma once

// The numbers a purchasing centre gives its records one after the other: the highest so
// far plus one, as ten zero-padded digits. They are read inside the caller's write
// transaction, which holds the write lock until it commits, so two calls never get the
// same number.

#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

enum class CentreSequence
{
    Quotation,         // COLETAPR.NRCOLEPRECO
    UncopiedQuotation, // COTNDUPLIC.NRCOTNDUP, the quotations a duplication left out
};

// The next number of the sequence in the centre. Throws host::EDatabaseError.
qint64 nextCentreNumber(host::Database& db, CentreSequence sequence, const QString& centre);

// A number as stored: "0000000042".
QString centreNumberText(qint64 number);

} // namespace appserver::modules

#pragma once

// Whether a supplier may quote at a collection date, decided as the supplier searches of
// the screens decide it (module::supplierOfferedCondition): active, and not kept out by a
// qualification that does not let it quote or that has lapsed under the centre's validity
// rule (PARASUPRI.IDULTIDTVALQ).

#include "host/core/Query.h"

#include <QDate>
#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

class OfferedSuppliers
{
public:
    OfferedSuppliers(host::Database& db, const QString& validityRule, const QDate& collected);
    // With the validity rule of the purchasing centre; refuses (rpc::Refusal) a centre
    // without purchasing parameters.
    static OfferedSuppliers atCentre(host::Database& db, const QString& centre,
                                     const QDate& collected);

    // False for a supplier the register does not hold. Throws host::EDatabaseError.
    bool offered(const QString& supplier) const;

private:
    host::Database& m_db;
    QString m_validityRule;
    QString m_collected; // ISO text, as the dates are stored
    host::ParsedSql m_sql;
};

} // namespace appserver::modules

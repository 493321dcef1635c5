#pragma once

#include <QString>

namespace bench {

// Steps through the items of one quotation with a bare prepared statement on the SQLite
// file: the columns the worksheet's load reads, in the database's own order, nothing
// formatted and nothing sorted. The floor under any load of the same items. Returns the
// number of rows read (and folds every value into `checksum`, so nothing is skipped).
long scanQuotationItems(const QString& databaseFile, const QString& branch, const QString& number,
                        double& checksum);

} // namespace bench

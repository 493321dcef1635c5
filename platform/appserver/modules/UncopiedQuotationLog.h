#pragma once

// The quotations one duplication did not copy, each written to COTNDUPLIC with the reason,
// under consecutive numbers of the centre: the report prints the range from the first to
// the last.

#include "DuplicationRequest.h"

#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

class UncopiedQuotationLog
{
public:
    UncopiedQuotationLog(host::Database& db, const DuplicationRequest& request);

    // Writes the source with the reason (cut to the column's 200 characters). Throws
    // host::EDatabaseError.
    void add(const SourceQuotation& source, const QString& reason);

    int count() const { return m_count; }
    // The number of the first row written; empty while there is none.
    QString first() const;

private:
    host::Database& m_db;
    const DuplicationRequest& m_request;
    QString m_when;
    qint64 m_first = 0;
    int m_count = 0;
};

} // namespace appserver::modules

#pragma once

// Internal pieces shared by the files that implement DataSet.

#include "DataSet.h"

namespace host {

constexpr quint32 kNoSlot = 0xFFFFFFFFu;
constexpr qint64 kOrderGap = 1024;

struct DataSet::SlotMeta
{
    enum Status : quint8 {
        Unmodified,  // loaded or merged, untouched since
        Modified,    // changed; orig holds the values as loaded
        Inserted,    // added since the last merge
        Deleted,     // removed since the last merge (kept for the delta)
        Original,    // hidden copy of a modified record's original values
        Free,        // no longer used
        Pending,     // being inserted, not posted yet
    };
    qint64 order = 0;  // natural order key
    quint32 orig = kNoSlot;
    Status status = Unmodified;
};

struct DataSet::IndexDef
{
    QString name;
    QStringList fieldNames;
    std::vector<int> fields;  // stored field positions; empty when unresolved
    int options = 0;
    bool caseInsensitive() const { return options & IxCaseInsensitive; }
    bool descending() const { return options & IxDescending; }
};

namespace Internal {
QStringList splitFieldList(const QString& fields);
}

} // namespace host

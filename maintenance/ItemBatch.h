#pragma once

#include "host/core/DataSet.h"

#include <QString>
#include <QStringList>

namespace module {

class Worksheet;

// Many items of the worksheet changed at once by a maintenance dialog. While it lives the
// pivot is unhooked from the item table and the table's controls are disabled; it may
// filter the table, and with appendLines the items are kept unordered and their detail
// lines appended, both put in order once at the end. Leaving it always turns the filter
// off, puts the order back, enables the controls, hooks the pivot again and recounts.
// Leaving it without commit() (an exception half-way) first puts the items, their pending
// changes and the detail lines back as they were when it began.
class ItemBatch
{
public:
    ItemBatch(Worksheet& worksheet, bool appendLines = false);
    ~ItemBatch();
    ItemBatch(const ItemBatch&) = delete;
    ItemBatch& operator=(const ItemBatch&) = delete;

    host::DataSet& items() const;
    // Keeps only the items the filter text accepts (texts compared without regard to case)
    // until the batch ends.
    void filter(const QString& text);
    // Deletes the items the filter text accepts; the number deleted. The filter stays.
    int removeMatching(const QString& filterText);
    // A filter term: the field equals the text (its quotes doubled).
    static QString equals(const QString& field, const QString& value);
    // Adds an item and posts it, the item table's own events running as for any item.
    void insert(const QString& region, const QString& supplier, const QString& product,
                double value);
    // The batch's work is complete: the changes stay.
    void commit() { m_committed = true; }

private:
    Worksheet& m_worksheet;
    host::DataSet::Snapshot m_items;
    QStringList m_lines;
    QString m_indexName;
    int m_filterOptions = 0;
    bool m_committed = false;
};

} // namespace module

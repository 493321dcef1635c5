#pragma once

#include "Table.h"

#include <QString>
#include <QStringView>
#include <memory>

namespace host {

// A compiled filter text of a data set:
//   [FIELD] op value      op: = <> < > <= >=
//   [FIELD] [NOT] LIKE 'pattern'   (% any text, _ one character)
//   [FIELD] IS [NOT] NULL
// joined with AND, OR, NOT and parentheses. Values are quoted texts ('' for a quote),
// numbers, TRUE/FALSE, or another [FIELD]. Keywords are case-insensitive; blanks are
// free. Text comparisons are case-sensitive unless the filter options say otherwise;
// a null text compares as an empty one.
//
// Results per distinct text are cached, so a filter over many repeated values costs
// about one test per distinct value.
class FilterExpression
{
public:
    // Throws EFilterError naming the 1-based position of the fault.
    FilterExpression(const QString& text, const Table& table, bool caseInsensitive);
    ~FilterExpression();
    FilterExpression(const FilterExpression&) = delete;
    FilterExpression& operator=(const FilterExpression&) = delete;

    bool matches(const Table& table, quint32 slot);

    // SQL LIKE on one value: % any run of characters, _ exactly one.
    static bool like(QStringView value, QStringView pattern, bool caseInsensitive);

    struct Node;

private:
    std::unique_ptr<Node> m_root;
};

} // namespace host

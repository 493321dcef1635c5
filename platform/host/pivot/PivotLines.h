#pragma once

#include "PivotAxis.h"

#include <vector>

namespace host::internal {

// One row or column of the pivot grid's data area: a combination of the cube, or a sum
// line that adds up a group of combinations.
struct PivotLine
{
    int tuple = -1;         // the combination; -1 for a sum line
    int sumLevel = -1;      // sum line: the level whose values it adds up (0: the grand total)
    PivotAxis::Range range; // combinations the line covers

    bool isSum() const { return tuple < 0; }
};

// The lines of one side of the grid in display order. A subtotal of the dimension at
// level L > 0 follows every group of level L-1 (e.g. one per region after its
// suppliers); the grand total (a sum line of level 0) comes last. When several groups end
// together the inner subtotal comes first.
class PivotLines
{
public:
    // subtotals[level]: whether the dimension shown at that level (L > 0) has its sum
    // lines; grandTotal: whether the side ends with the grand total.
    void build(const PivotAxis& axis, const std::vector<bool>& subtotals, bool grandTotal);
    void clear() { m_lines.clear(); }

    int count() const { return int(m_lines.size()); }
    const PivotLine& at(int line) const { return m_lines[size_t(line)]; }
    bool isSum(int line) const { return line >= 0 && line < count() && at(line).isSum(); }

private:
    std::vector<PivotLine> m_lines;
};

} // namespace host::internal

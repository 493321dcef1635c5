#include "PivotLines.h"

namespace host::internal {

void PivotLines::build(const PivotAxis& axis, const std::vector<bool>& subtotals,
                       bool grandTotal)
{
    m_lines.clear();
    const int levels = axis.Levels();
    const int count = axis.Count();
    auto wanted = [&subtotals](int level) {
        return level < int(subtotals.size()) && subtotals[size_t(level)];
    };
    m_lines.reserve(size_t(count) + 1);
    // groupFirst[L]: first tuple of the current group of level L.
    std::vector<int> groupFirst(size_t(std::max(levels, 1)), 0);
    for (int t = 0; t < count; ++t) {
        for (int l = 0; l < levels; ++l)
            if (axis.StartsGroup(t, l)) {
                for (int k = l; k < levels; ++k)
                    groupFirst[size_t(k)] = t;
                break;
            }
        m_lines.push_back({t, -1, {t, t + 1}});
        // Subtotal of level L closes a group of level L-1.
        for (int l = levels - 1; l >= 1; --l)
            if (wanted(l) && axis.EndsGroup(t, l - 1))
                m_lines.push_back({-1, l, {groupFirst[size_t(l - 1)], t + 1}});
    }
    if (count > 0 && levels > 0 && grandTotal)
        m_lines.push_back({-1, 0, {0, count}});
}

} // namespace host::internal

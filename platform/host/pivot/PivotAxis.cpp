#include "PivotAxis.h"

#include <algorithm>

namespace host {

int PivotAxis::firstDifference(int a, int b) const
{
    const int levels = Levels();
    for (int l = 0; l < levels; ++l)
        if (Value(a, l) != Value(b, l))
            return l;
    return levels;
}

bool PivotAxis::StartsGroup(int tuple, int level) const
{
    return tuple == 0 || firstDifference(tuple - 1, tuple) <= level;
}

bool PivotAxis::EndsGroup(int tuple, int level) const
{
    return tuple == m_count - 1 || firstDifference(tuple, tuple + 1) <= level;
}

PivotAxis::Range PivotAxis::Group(int tuple, int level) const
{
    if (level < 0 || tuple < 0 || tuple >= m_count)
        return {0, m_count};
    Range range{tuple, tuple + 1};
    while (!StartsGroup(range.first, level))
        --range.first;
    while (!EndsGroup(range.end - 1, level))
        ++range.end;
    return range;
}

int PivotAxis::Find(const std::vector<int>& values) const
{
    const size_t levels = m_dims.size();
    if (values.size() != levels)
        return -1;
    if (levels == 0)
        return m_count > 0 ? 0 : -1;
    // Tuples are sorted by their values, outer level first.
    int lo = 0, hi = m_count;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const auto* v = &m_values[size_t(mid) * levels];
        if (std::lexicographical_compare(v, v + levels, values.begin(), values.end()))
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo < m_count && std::equal(values.begin(), values.end(), &m_values[size_t(lo) * levels]))
        return lo;
    return -1;
}

} // namespace host

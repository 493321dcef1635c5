#pragma once

#include <QtGlobal>
#include <vector>

namespace host {

namespace internal {
class CubeBuilder;
}

// One side of a pivot (the rows or the columns): the combinations of the values of its
// dimensions, outer dimension first, in the order of those values. A combination is a
// "tuple"; its values are indices into the cube's distinct values of each dimension.
//
// Tuples that share the values of levels 0..L form a contiguous group: all suppliers of
// one region, all brands of one product. A subtotal adds up such a group.
class PivotAxis
{
public:
    // Tuples [first, end).
    struct Range
    {
        int first = 0;
        int end = 0;
        int size() const { return end - first; }
        bool empty() const { return end <= first; }
        bool operator==(const Range&) const = default;
    };

    // Number of dimensions on this side (0: the whole cube is one tuple).
    int Levels() const { return int(m_dims.size()); }
    // Cube dimension shown at a level.
    int Dimension(int level) const { return m_dims[size_t(level)]; }
    int Count() const { return m_count; }
    // Value index of a tuple at a level.
    int Value(int tuple, int level) const
    {
        return m_values[size_t(tuple) * m_dims.size() + size_t(level)];
    }

    // True when the tuple is the first of its group at `level`, that is when it differs
    // from the previous tuple at some level up to `level`.
    bool StartsGroup(int tuple, int level) const;
    // True when the tuple is the last of its group at `level`.
    bool EndsGroup(int tuple, int level) const;
    // The group of a tuple at a level: tuples sharing its values of levels 0..level.
    // Level -1 is the whole axis.
    Range Group(int tuple, int level) const;
    // Tuple with exactly these values (one per level), -1 when absent.
    int Find(const std::vector<int>& values) const;

private:
    friend class internal::CubeBuilder;
    // First level (0..levels) at which two tuples differ; Levels() when equal.
    int firstDifference(int a, int b) const;

    std::vector<int> m_dims;
    std::vector<qint32> m_values; // Count() * Levels(), row by row
    int m_count = 0;
};

} // namespace host

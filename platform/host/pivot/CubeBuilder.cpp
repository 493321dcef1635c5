// Computing a decision cube straight from the rows of a data set: dimension texts are
// read as string-pool ids, numbered once per distinct text, and every item becomes one
// integer key (row combination, column combination) that a sort groups together.

#include "CubeResult.h"

#include "host/core/DataSet.h"
#include "host/core/Exceptions.h"

#include <algorithm>
#include <numeric>

namespace host::internal {

int compareValues(const QString& a, const QString& b)
{
    const int ci = QString::compare(a, b, Qt::CaseInsensitive);
    return ci != 0 ? ci : QString::compare(a, b, Qt::CaseSensitive);
}

int CubeResult::valueIndex(int dimension, const QString& text) const
{
    if (dimension < 0 || dimension >= int(values.size()))
        return -1;
    const QStringList& list = values[size_t(dimension)];
    const auto it =
        std::lower_bound(list.begin(), list.end(), text, [](const QString& a, const QString& b) {
            return compareValues(a, b) < 0;
        });
    return it != list.end() && *it == text ? int(it - list.begin()) : -1;
}

CubeSummary CubeResult::cell(int row, int col) const
{
    if (row < 0 || col < 0 || row >= rows.Count() || col >= cols.Count())
        return {};
    const auto begin = cells.rowCol.begin() + cells.rowStart[size_t(row)];
    const auto end = cells.rowCol.begin() + cells.rowStart[size_t(row) + 1];
    const auto it = std::lower_bound(begin, end, col);
    if (it == end || *it != col)
        return {};
    const size_t e = size_t(it - cells.rowCol.begin());
    return {cells.rowCount[e + 1] - cells.rowCount[e], cells.rowSum[e + 1] - cells.rowSum[e]};
}

namespace {

// Adds up the entries of lines [lines.first, lines.end) whose cross index lies in
// [cross.first, cross.end), for one of the two storages of the cells.
CubeSummary addUp(const std::vector<quint32>& start, const std::vector<qint32>& cross,
                  const std::vector<qint64>& count, const std::vector<double>& sum,
                  PivotAxis::Range lines, PivotAxis::Range crossRange, int crossCount)
{
    CubeSummary s;
    const bool wholeCross = crossRange.first <= 0 && crossRange.end >= crossCount;
    if (wholeCross) {
        const size_t a = start[size_t(lines.first)], b = start[size_t(lines.end)];
        return {count[b] - count[a], sum[b] - sum[a]};
    }
    for (int l = lines.first; l < lines.end; ++l) {
        const auto begin = cross.begin() + start[size_t(l)];
        const auto end = cross.begin() + start[size_t(l) + 1];
        const size_t a = size_t(std::lower_bound(begin, end, crossRange.first) - cross.begin());
        const size_t b = size_t(std::lower_bound(begin, end, crossRange.end) - cross.begin());
        s.count += count[b] - count[a];
        s.sum += sum[b] - sum[a];
    }
    return s;
}

} // namespace

CubeSummary CubeResult::summary(PivotAxis::Range r, PivotAxis::Range c) const
{
    r.first = std::max(r.first, 0);
    r.end = std::min(r.end, rows.Count());
    c.first = std::max(c.first, 0);
    c.end = std::min(c.end, cols.Count());
    if (r.empty() || c.empty())
        return {};
    // Walk the shorter side; the other one is a binary search per line.
    if (r.size() <= c.size())
        return addUp(cells.rowStart, cells.rowCol, cells.rowCount, cells.rowSum, r, c,
                     cols.Count());
    return addUp(cells.colStart, cells.colRow, cells.colCount, cells.colSum, c, r, rows.Count());
}

class CubeBuilder
{
public:
    CubeBuilder(const DataSet* dataSet, const CubeDefinition& definition)
        : m_dataSet(dataSet), m_def(definition)
    {
    }

    CubeResult build()
    {
        m_result.values.resize(size_t(m_def.dimensionFields.size()));
        m_result.rows.m_dims = m_def.rowDims;
        m_result.cols.m_dims = m_def.colDims;
        if (m_dataSet && m_dataSet->Active()) {
            resolveFields();
            rankValues();
            groupItems();
        }
        buildAxes();
        buildCells();
        return std::move(m_result);
    }

private:
    struct Item
    {
        quint64 key;
        double value;
        bool operator<(const Item& o) const { return key < o.key; }
    };

    const Table& table() const { return m_dataSet->table(); }

    // Positions in the view of the rows that take part (a record still being inserted
    // has no posted values yet).
    template <typename F> void forEachRow(F&& f) const
    {
        const std::vector<quint32>& view = m_dataSet->view();
        const int pending =
            m_dataSet->State() == DataSetState::Insert ? m_dataSet->currentRow() : -1;
        for (size_t i = 0; i < view.size(); ++i)
            if (int(i) != pending)
                f(view[i]);
    }

    void resolveFields()
    {
        for (const QString& name : m_def.dimensionFields) {
            const int f = table().indexOf(name);
            if (f < 0 || !isTextType(table().type(f)))
                throw EDatabaseError(
                    QStringLiteral("%1: o campo de texto %2 da dimensão não existe.")
                        .arg(m_dataSet->Name, name));
            m_dimFields.push_back(f);
        }
        if (!m_def.summaryField.isEmpty()) {
            m_summaryField = table().indexOf(m_def.summaryField);
            const FieldType type =
                m_summaryField < 0 ? FieldType::String : table().type(m_summaryField);
            if (type != FieldType::Float && type != FieldType::Integer)
                throw EDatabaseError(QStringLiteral("%1: o campo numérico %2 do resumo não existe.")
                                         .arg(m_dataSet->Name, m_def.summaryField));
        }
    }

    // Numbers the distinct texts of each dimension in value order and maps every
    // string-pool id in use to that number.
    void rankValues()
    {
        m_rank.resize(m_dimFields.size());
        for (size_t d = 0; d < m_dimFields.size(); ++d) {
            const int field = m_dimFields[d];
            const StringPool& pool = table().pool(field);
            std::vector<char> used(pool.size(), 0);
            forEachRow([&](quint32 slot) { used[size_t(quint32(table().cell(slot, field)))] = 1; });
            std::vector<quint32> ids;
            for (quint32 id = 0; id < pool.size(); ++id)
                if (used[id])
                    ids.push_back(id);
            std::sort(ids.begin(), ids.end(), [&pool](quint32 a, quint32 b) {
                return compareValues(pool.at(a), pool.at(b)) < 0;
            });
            std::vector<qint32>& rank = m_rank[d];
            rank.assign(pool.size(), -1);
            QStringList& values = m_result.values[d];
            for (quint32 id : ids) {
                if (values.isEmpty() || values.last() != pool.at(id))
                    values.append(pool.at(id));
                rank[id] = qint32(values.size() - 1);
            }
        }
    }

    // Mixed-radix size of a side: the number of possible combinations of its values.
    quint64 space(const std::vector<int>& dims) const
    {
        quint64 n = 1;
        for (int d : dims) {
            const quint64 size = quint64(std::max<qsizetype>(1, m_result.values[size_t(d)].size()));
            if (__builtin_mul_overflow(n, size, &n))
                throw EDatabaseError(
                    QStringLiteral("%1: combinações demais para o cubo de decisão.")
                        .arg(m_dataSet ? m_dataSet->Name : QString()));
        }
        return n;
    }

    quint64 keyOf(quint32 slot, const std::vector<int>& dims) const
    {
        quint64 key = 0;
        for (int d : dims) {
            const quint32 id = quint32(table().cell(slot, m_dimFields[size_t(d)]));
            key = key * quint64(m_result.values[size_t(d)].size()) + quint64(m_rank[size_t(d)][id]);
        }
        return key;
    }

    // One key per item, sorted, then folded into one summary per combination.
    void groupItems()
    {
        m_rowSpace = space(m_def.rowDims);
        m_colSpace = space(m_def.colDims);
        quint64 unused;
        if (__builtin_mul_overflow(m_rowSpace, m_colSpace, &unused))
            throw EDatabaseError(QStringLiteral("%1: combinações demais para o cubo de decisão.")
                                     .arg(m_dataSet->Name));
        std::vector<Item> items;
        items.reserve(m_dataSet->view().size());
        const Cell nullValue =
            m_summaryField >= 0 ? Table::nullCell(table().type(m_summaryField)) : 0;
        const bool isFloat =
            m_summaryField >= 0 && table().type(m_summaryField) == FieldType::Float;
        forEachRow([&](quint32 slot) {
            double value = 0.0;
            if (m_summaryField >= 0) {
                const Cell c = table().cell(slot, m_summaryField);
                if (c != nullValue)
                    value = isFloat ? Table::decodeFloat(c) : double(Table::decodeInteger(c));
            }
            items.push_back(
                {keyOf(slot, m_def.rowDims) * m_colSpace + keyOf(slot, m_def.colDims), value});
        });
        std::sort(items.begin(), items.end());
        for (size_t i = 0; i < items.size();) {
            size_t j = i;
            double sum = 0.0;
            for (; j < items.size() && items[j].key == items[i].key; ++j)
                sum += items[j].value;
            m_keys.push_back(items[i].key);
            m_counts.push_back(qint64(j - i));
            m_sums.push_back(sum);
            i = j;
        }
    }

    // Sparse sides list the combinations that have items; dense ones every combination.
    void buildAxes()
    {
        std::vector<quint64> rowKeys, colKeys;
        for (quint64 key : m_keys) {
            const quint64 r = key / m_colSpace;
            if (rowKeys.empty() || rowKeys.back() != r)
                rowKeys.push_back(r);
            colKeys.push_back(key % m_colSpace);
        }
        std::sort(colKeys.begin(), colKeys.end());
        colKeys.erase(std::unique(colKeys.begin(), colKeys.end()), colKeys.end());
        const bool any = !m_keys.empty();
        m_denseRows = any && !m_def.sparseRows;
        m_denseCols = any && !m_def.sparseCols;
        fillAxis(m_result.rows, rowKeys, m_denseRows ? m_rowSpace : 0);
        fillAxis(m_result.cols, colKeys, m_denseCols ? m_colSpace : 0);
        m_colKeys = std::move(colKeys);
    }

    void fillAxis(PivotAxis& axis, const std::vector<quint64>& keys, quint64 dense)
    {
        constexpr quint64 kMaxDense = 4'000'000;
        if (dense > kMaxDense)
            throw EDatabaseError(QStringLiteral("%1: combinações demais para o cubo de decisão.")
                                     .arg(m_dataSet->Name));
        const size_t count = dense ? size_t(dense) : keys.size();
        const size_t levels = axis.m_dims.size();
        axis.m_count = int(count);
        axis.m_values.assign(count * levels, 0);
        for (size_t t = 0; t < count; ++t) {
            quint64 key = dense ? quint64(t) : keys[t];
            for (size_t l = levels; l-- > 0;) {
                const quint64 size = quint64(m_result.values[size_t(axis.m_dims[l])].size());
                axis.m_values[t * levels + l] = qint32(key % size);
                key /= size;
            }
        }
    }

    void buildCells()
    {
        CubeCells& c = m_result.cells;
        const size_t n = m_keys.size();
        const int rows = m_result.rows.Count(), cols = m_result.cols.Count();
        c.rowStart.assign(size_t(rows) + 1, 0);
        c.rowCol.resize(n);
        c.rowCount.assign(n + 1, 0);
        c.rowSum.assign(n + 1, 0.0);
        // Keys are sorted by row then column, so entries already come row by row.
        int row = -1;
        quint64 lastRowKey = ~quint64(0);
        for (size_t e = 0; e < n; ++e) {
            const quint64 rk = m_keys[e] / m_colSpace, ck = m_keys[e] % m_colSpace;
            if (rk != lastRowKey) {
                row = m_denseRows ? int(rk) : row + 1;
                lastRowKey = rk;
            }
            ++c.rowStart[size_t(row) + 1];
            c.rowCol[e] = m_denseCols
                              ? int(ck)
                              : int(std::lower_bound(m_colKeys.begin(), m_colKeys.end(), ck) -
                                    m_colKeys.begin());
            c.rowCount[e + 1] = c.rowCount[e] + m_counts[e];
            c.rowSum[e + 1] = c.rowSum[e] + m_sums[e];
        }
        std::partial_sum(c.rowStart.begin(), c.rowStart.end(), c.rowStart.begin());

        // Column by column: a stable counting sort of the entries by column.
        c.colStart.assign(size_t(cols) + 1, 0);
        for (qint32 col : c.rowCol)
            ++c.colStart[size_t(col) + 1];
        std::partial_sum(c.colStart.begin(), c.colStart.end(), c.colStart.begin());
        std::vector<quint32> next(c.colStart.begin(), c.colStart.end() - 1);
        c.colRow.resize(n);
        std::vector<size_t> order(n);
        for (int r = 0; r < rows; ++r)
            for (quint32 e = c.rowStart[size_t(r)]; e < c.rowStart[size_t(r) + 1]; ++e) {
                const quint32 at = next[size_t(c.rowCol[e])]++;
                c.colRow[at] = r;
                order[at] = e;
            }
        c.colCount.assign(n + 1, 0);
        c.colSum.assign(n + 1, 0.0);
        for (size_t at = 0; at < n; ++at) {
            c.colCount[at + 1] = c.colCount[at] + m_counts[order[at]];
            c.colSum[at + 1] = c.colSum[at] + m_sums[order[at]];
        }
    }

    const DataSet* m_dataSet;
    const CubeDefinition& m_def;
    CubeResult m_result;
    std::vector<int> m_dimFields;
    int m_summaryField = -1;
    std::vector<std::vector<qint32>> m_rank;
    quint64 m_rowSpace = 1;
    quint64 m_colSpace = 1;
    bool m_denseRows = false;
    bool m_denseCols = false;
    // One entry per existing combination, in key order.
    std::vector<quint64> m_keys;
    std::vector<qint64> m_counts;
    std::vector<double> m_sums;
    std::vector<quint64> m_colKeys;
};

CubeResult buildCube(const DataSet* dataSet, const CubeDefinition& definition)
{
    return CubeBuilder(dataSet, definition).build();
}

} // namespace host::internal

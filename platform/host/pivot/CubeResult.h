#pragma once

// What a decision cube computes from its data set: the distinct values of each
// dimension, the row and column combinations, and the summaries of every combination
// that has items, reachable by row and by column for fast subtotals.

#include "PivotAxis.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace host {

class DataSet;

// Summary of a set of items: how many there are and the sum of the summary field
// (a null value counts as an item and adds nothing).
struct CubeSummary
{
    qint64 count = 0;
    double sum = 0.0;
    bool operator==(const CubeSummary&) const = default;
};

namespace internal {

// What the cube is asked to compute.
struct CubeDefinition
{
    QStringList dimensionFields;
    QString summaryField; // empty: items are only counted
    std::vector<int> rowDims;
    std::vector<int> colDims;
    bool sparseRows = true;
    bool sparseCols = true;
};

// Summaries of the existing (row tuple, column tuple) combinations, stored twice: row by
// row (entries ordered by column) and column by column (entries ordered by row). The
// counts and sums are running totals over the entries, so that any run of entries adds
// up with one subtraction.
struct CubeCells
{
    std::vector<quint32> rowStart; // rows + 1
    std::vector<qint32> rowCol;    // column tuple of each entry
    std::vector<qint64> rowCount;  // entries + 1 running totals
    std::vector<double> rowSum;
    std::vector<quint32> colStart; // columns + 1
    std::vector<qint32> colRow;
    std::vector<qint64> colCount;
    std::vector<double> colSum;
};

class CubeResult
{
public:
    std::vector<QStringList> values; // per dimension, in case-insensitive text order
    PivotAxis rows;
    PivotAxis cols;
    CubeCells cells;

    int cellCount() const { return int(cells.rowCol.size()); }
    CubeSummary cell(int row, int col) const;
    // Sum over rows [rows.first, rows.end) and columns [cols.first, cols.end).
    CubeSummary summary(PivotAxis::Range rowRange, PivotAxis::Range colRange) const;
    // Index of a value of a dimension, -1 when absent.
    int valueIndex(int dimension, const QString& text) const;
};

// Walks the data set's visible rows (its filter and the posted values; a record being
// inserted is left out) and computes the cube. Throws EDatabaseError when the data set
// lacks a field or the combinations cannot be numbered.
CubeResult buildCube(const DataSet* dataSet, const CubeDefinition& definition);

// The order of dimension values: case-insensitive, then exact text.
int compareValues(const QString& a, const QString& b);

} // namespace internal
} // namespace host

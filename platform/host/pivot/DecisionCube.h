#pragma once

#include "CubeResult.h"
#include "PivotAxis.h"

#include "host/core/DataSetObserver.h"

#include <QObject>
#include <QStringList>
#include <vector>

namespace host {

class DataSet;

// The decision cube of the screens ("dec..."): the items of a data set summarised by
// some of its text fields (the dimensions). The pivot says which dimensions go down
// (rows) and which across (columns), outer dimension first; the cube then lists the
// distinct values of each dimension in case-insensitive text order (the order of a
// case-insensitive index over those fields), the row and column combinations, and the
// number of items (and the sum of the summary field) of every combination, of every
// group of combinations and of the whole.
//
// Sparse rows or columns list only the combinations that have items; otherwise every
// combination of the values is listed, empty ones included.
//
// The cube follows its data set while active: any change of rows, filter or order
// marks the results stale and they are computed again when next read (so a loop of
// posts costs one rebuild). Between the data set's DisableControls and EnableControls
// the cube keeps what it had. The visible rows are read straight from the data set's
// table; nothing is copied.
class TDecisionCube : public QObject, private DataSetObserver
{
    Q_OBJECT
public:
    static constexpr int MaxDimensions = 5;

    explicit TDecisionCube(QObject* parent = nullptr);
    ~TDecisionCube() override;

    // --- definition ------------------------------------------------------------------
    // Hooks the cube to a data set; nullptr unhooks it (an active cube is then empty).
    void SetDataSet(DataSet* dataSet);
    DataSet* dataSet() const { return m_dataSet; }

    // Adds a dimension over a text field; returns its index. The display name is what
    // the grid's captions show (the field name when empty).
    int AddDimension(const QString& fieldName, const QString& displayName = QString());
    int DimensionCount() const { return int(m_def.dimensionFields.size()); }
    QString DimensionField(int dimension) const;
    QString DisplayName(int dimension) const;
    void SetDisplayName(int dimension, const QString& name);

    // The numeric field summed besides the item count; empty: counts only.
    void SetSummaryField(const QString& fieldName);
    QString SummaryField() const { return m_def.summaryField; }

    // Dimensions down and across, outer first; a dimension in neither is added up.
    // Without a call: the last dimension down, the others across in their order.
    void SetPivot(const std::vector<int>& rowDimensions, const std::vector<int>& colDimensions);
    std::vector<int> RowDimensions() const;
    std::vector<int> ColDimensions() const;

    void SetSparseRows(bool sparse);
    bool SparseRows() const { return m_def.sparseRows; }
    void SetSparseCols(bool sparse);
    bool SparseCols() const { return m_def.sparseCols; }

    // --- activation ------------------------------------------------------------------
    bool Active() const { return m_active; }
    // Activating computes the cube now; a data set without a dimension's field raises
    // EDatabaseError and leaves the cube inactive. Deactivating empties it.
    void SetActive(bool active);

    // --- results (empty while inactive) ----------------------------------------------
    const QStringList& Values(int dimension) const;
    int ValueIndex(int dimension, const QString& value) const;
    const PivotAxis& Rows() const { return result().rows; }
    const PivotAxis& Cols() const { return result().cols; }
    // Number of combinations that have items.
    int CellCount() const { return result().cellCount(); }
    // One row combination by one column combination.
    CubeSummary Cell(int rowTuple, int colTuple) const { return result().cell(rowTuple, colTuple); }
    bool HasCell(int rowTuple, int colTuple) const { return Cell(rowTuple, colTuple).count > 0; }
    // A block of rows by a block of columns, e.g. a subtotal: the group of a row tuple
    // at some level (Rows().Group(tuple, level)) by one column tuple.
    CubeSummary Summary(PivotAxis::Range rows, PivotAxis::Range cols) const
    {
        return result().summary(rows, cols);
    }
    CubeSummary Total() const;

    // Changes whenever the results change (rebuilt, emptied, or found stale and rebuilt).
    quint64 Generation() const;

Q_SIGNALS:
    // The results changed or became stale; they are computed again when next read.
    void Changed();

private:
    // DataSetObserver
    void dataSetChanged(DataSet&) override;
    void recordChanged(DataSet&, Field* field) override;
    void dataSetDestroyed(DataSet&) override;

    const internal::CubeResult& result() const;
    void checkDimension(int dimension) const;
    void markStale();
    void clearResult();

    DataSet* m_dataSet = nullptr;
    internal::CubeDefinition m_def;
    QStringList m_displayNames;
    bool m_pivotSet = false;
    bool m_active = false;

    mutable internal::CubeResult m_result;
    mutable bool m_stale = false;
    mutable quint64 m_generation = 0;
};

} // namespace host

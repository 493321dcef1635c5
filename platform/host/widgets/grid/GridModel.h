#pragma once

#include "host/core/DataSetModel.h"

namespace host {

class DBGrid;

namespace internal {

// The data set as the grid shows it: which cells may be typed in follows the grid's
// switches at run time (read-only grid, row selection, read-only columns); numbers are
// right aligned unless a column says otherwise; titles take the columns' alignment; the
// row header marks the current record (browsing, editing, inserting).
class GridModel : public DataSetModel
{
    Q_OBJECT
public:
    explicit GridModel(DBGrid* grid);

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The row marks changed (the current record moved or its state changed).
    void refreshRowMarks();

private:
    DBGrid* m_grid;
};

} // namespace internal
} // namespace host

#pragma once

#include <QItemSelectionModel>

namespace host {

class DBGrid;

namespace internal {

// Every change of the grid's current cell passes here first, so that the grid can write
// the typed text, run the column and row events and refuse the move when one fails
// (the row stays in edit, the cursor where it was).
class GridSelectionModel : public QItemSelectionModel
{
    Q_OBJECT
public:
    GridSelectionModel(QAbstractItemModel* model, DBGrid* grid);

    void setCurrentIndex(const QModelIndex& index,
                         QItemSelectionModel::SelectionFlags command) override;
    void select(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;
    void select(const QItemSelection& selection,
                QItemSelectionModel::SelectionFlags command) override;

    // Moves the current cell without asking the grid (the grid following its data set).
    void setCurrentDirect(const QModelIndex& index, QItemSelectionModel::SelectionFlags command);

private:
    DBGrid* m_grid;
    // After a refused move, the selection the view applies next in the same event
    // (the clicked cell) is ignored.
    bool m_ignoreSelection = false;
};

} // namespace internal
} // namespace host

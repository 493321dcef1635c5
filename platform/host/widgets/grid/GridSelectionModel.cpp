#include "GridSelectionModel.h"

#include "DBGrid.h"

#include <QTimer>

namespace host::internal {

GridSelectionModel::GridSelectionModel(QAbstractItemModel* model, DBGrid* grid)
    : QItemSelectionModel(model, grid), m_grid(grid)
{
}

void GridSelectionModel::setCurrentIndex(const QModelIndex& index,
                                         QItemSelectionModel::SelectionFlags command)
{
    const QModelIndex previous = currentIndex();
    QModelIndex target = index;
    if (!m_grid->beforeCurrentChange(previous, target)) {
        if (!m_ignoreSelection) {
            m_ignoreSelection = true;
            QTimer::singleShot(0, this, [this] { m_ignoreSelection = false; });
        }
        return;
    }
    QItemSelectionModel::setCurrentIndex(target, command);
    m_grid->afterCurrentChange(previous, target);
}

void GridSelectionModel::setCurrentDirect(const QModelIndex& index,
                                          QItemSelectionModel::SelectionFlags command)
{
    QItemSelectionModel::setCurrentIndex(index, command);
}

void GridSelectionModel::select(const QModelIndex& index,
                                QItemSelectionModel::SelectionFlags command)
{
    if (!m_ignoreSelection)
        QItemSelectionModel::select(index, command);
}

void GridSelectionModel::select(const QItemSelection& selection,
                                QItemSelectionModel::SelectionFlags command)
{
    if (!m_ignoreSelection)
        QItemSelectionModel::select(selection, command);
}

} // namespace host::internal

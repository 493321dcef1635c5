#include "MarkedRowsModel.h"

#include <algorithm>

namespace host::Internal {

MarkedRowsModel::MarkedRowsModel(QAbstractItemModel* rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(rows), m_marks(size_t(rows->rowCount()), 0)
{
    connect(m_rows, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(m_rows, &QAbstractItemModel::modelReset, this, [this] { innerReset(); });
    connect(m_rows, &QAbstractItemModel::layoutAboutToBeChanged, this,
            [this] { Q_EMIT layoutAboutToBeChanged(); });
    connect(m_rows, &QAbstractItemModel::layoutChanged, this, [this] { Q_EMIT layoutChanged(); });
    connect(m_rows, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                Q_EMIT dataChanged(index(from.row(), from.column() + 1),
                                   index(to.row(), to.column() + 1));
            });
}

// The inner rows were replaced: marks cannot follow them and start over.
void MarkedRowsModel::innerReset()
{
    m_marks.assign(size_t(m_rows->rowCount()), 0);
    endResetModel();
    Q_EMIT marksChanged();
}

bool MarkedRowsModel::isMarked(int row) const
{
    return row >= 0 && size_t(row) < m_marks.size() && m_marks[size_t(row)];
}

void MarkedRowsModel::setMarked(int row, bool marked)
{
    if (row < 0 || size_t(row) >= m_marks.size() || bool(m_marks[size_t(row)]) == marked)
        return;
    m_marks[size_t(row)] = marked;
    Q_EMIT dataChanged(index(row, 0), index(row, 0), {Qt::CheckStateRole});
    Q_EMIT marksChanged();
}

void MarkedRowsModel::toggle(int row)
{
    setMarked(row, !isMarked(row));
}

void MarkedRowsModel::markAll(bool marked)
{
    if (m_marks.empty())
        return;
    std::fill(m_marks.begin(), m_marks.end(), char(marked));
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
    Q_EMIT marksChanged();
}

QList<int> MarkedRowsModel::markedRows() const
{
    QList<int> rows;
    for (size_t i = 0; i < m_marks.size(); ++i)
        if (m_marks[i])
            rows.append(int(i));
    return rows;
}

int MarkedRowsModel::markedCount() const
{
    return int(std::count(m_marks.begin(), m_marks.end(), char(1)));
}

int MarkedRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_marks.size());
}

int MarkedRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows->columnCount() + 1;
}

QVariant MarkedRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (index.column() == 0)
        return role == Qt::CheckStateRole
                   ? QVariant(isMarked(index.row()) ? Qt::Checked : Qt::Unchecked)
                   : QVariant();
    return m_rows->data(m_rows->index(index.row(), index.column() - 1), role);
}

QVariant MarkedRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == 0)
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    return m_rows->headerData(orientation == Qt::Horizontal ? section - 1 : section, orientation,
                              role);
}

Qt::ItemFlags MarkedRowsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace host::Internal

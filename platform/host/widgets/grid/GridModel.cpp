#include "GridModel.h"

#include "DBGrid.h"
#include "host/core/DataSet.h"

namespace host::internal {

GridModel::GridModel(DBGrid* grid) : DataSetModel(nullptr, grid), m_grid(grid) {}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::TextAlignmentRole)
        return DataSetModel::data(index, role);
    const QList<DBGrid::Column>& columns = m_grid->Columns();
    if (index.column() < columns.size() && columns[index.column()].alignment != Qt::Alignment())
        return QVariant::fromValue(columns[index.column()].alignment | Qt::AlignVCenter);
    const Field* field = fieldAt(index.column());
    const bool number =
        field && (field->DataType() == FieldType::Float || field->DataType() == FieldType::Integer);
    return QVariant::fromValue(
        Qt::Alignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role != Qt::DisplayRole || !dataSet() || section != dataSet()->currentRow())
            return {};
        switch (dataSet()->State()) {
        case DataSetState::Edit:
            return QStringLiteral("I");
        case DataSetState::Insert:
            return QStringLiteral("*");
        default:
            return QStringLiteral("▶");
        }
    }
    if (role == Qt::TextAlignmentRole) {
        const QList<DBGrid::Column>& columns = m_grid->Columns();
        if (section >= 0 && section < columns.size() &&
            columns[section].titleAlignment != Qt::Alignment())
            return QVariant::fromValue(columns[section].titleAlignment | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    return DataSetModel::headerData(section, orientation, role);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = DataSetModel::flags(index);
    if (m_grid->ReadOnly() || m_grid->RowSelect() || m_grid->ColumnReadOnlyAt(index.column()))
        flags &= ~Qt::ItemIsEditable;
    return flags;
}

void GridModel::refreshRowMarks()
{
    if (rowCount() > 0)
        Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

} // namespace host::internal

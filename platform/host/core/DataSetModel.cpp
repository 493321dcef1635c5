#include "DataSetModel.h"

#include "DataSet.h"

namespace host {

DataSetModel::DataSetModel(DataSet* dataSet, QObject* parent) : QAbstractTableModel(parent)
{
    setDataSet(dataSet);
}

DataSetModel::~DataSetModel()
{
    if (m_dataSet)
        m_dataSet->removeObserver(this);
}

void DataSetModel::setDataSet(DataSet* dataSet)
{
    beginResetModel();
    if (m_dataSet)
        m_dataSet->removeObserver(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->addObserver(this);
    if (!m_explicitColumns)
        defaultColumns();
    m_rows = m_dataSet ? m_dataSet->RecordCount() : 0;
    endResetModel();
}

void DataSetModel::defaultColumns()
{
    m_columns.clear();
    if (!m_dataSet)
        return;
    for (int i = 0; i < m_dataSet->FieldCount(); ++i)
        if (m_dataSet->Fields(i).Visible())
            m_columns.append(Column{m_dataSet->Fields(i).FieldName()});
}

void DataSetModel::setColumns(const QList<Column>& columns)
{
    beginResetModel();
    m_explicitColumns = !columns.isEmpty();
    if (m_explicitColumns)
        m_columns = columns;
    else
        defaultColumns();
    endResetModel();
}

Field* DataSetModel::fieldAt(int column) const
{
    if (!m_dataSet || column < 0 || column >= m_columns.size())
        return nullptr;
    return m_dataSet->FindField(m_columns[column].fieldName);
}

int DataSetModel::columnOf(const QString& fieldName) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    Field* field = fieldAt(index.column());
    if (!field || index.row() >= m_dataSet->RecordCount())
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        const DataSet::RowPeek peek(*m_dataSet, index.row());
        return field->DisplayText();
    }
    case Qt::EditRole: {
        const DataSet::RowPeek peek(*m_dataSet, index.row());
        return field->Text();
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[index.column()].alignment);
    default:
        return {};
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return {};
    if (section < 0 || section >= m_columns.size())
        return {};
    if (!m_columns[section].title.isEmpty())
        return m_columns[section].title;
    Field* field = fieldAt(section);
    return field ? field->DisplayLabel() : m_columns[section].fieldName;
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    Field* field = fieldAt(index.column());
    if (field && !field->ReadOnly() && !field->Calculated() && !m_columns[index.column()].readOnly)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Field* field = fieldAt(index.column());
    if (role != Qt::EditRole || !field)
        return false;
    if (m_dataSet->currentRow() != index.row())
        m_dataSet->SetRecNo(index.row() + 1);
    m_dataSet->Edit();
    field->SetValue(value);
    return true;
}

void DataSetModel::dataSetChanged(DataSet& ds)
{
    const int rows = ds.RecordCount();
    bool structureChanged = false;
    if (!m_explicitColumns) {
        const QList<Column> before = m_columns;
        defaultColumns();
        structureChanged = before.size() != m_columns.size();
        for (int i = 0; !structureChanged && i < before.size(); ++i)
            structureChanged = before[i].fieldName != m_columns[i].fieldName;
    }
    if (rows == m_rows && !structureChanged) {
        Q_EMIT layoutAboutToBeChanged();
        Q_EMIT layoutChanged();
        if (rows > 0)
            Q_EMIT dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
    } else {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }
    Q_EMIT currentRowChanged(ds.currentRow());
}

void DataSetModel::recordScrolled(DataSet& ds)
{
    Q_EMIT currentRowChanged(ds.currentRow());
}

void DataSetModel::recordChanged(DataSet& ds, Field*)
{
    const int row = ds.currentRow();
    if (row >= 0 && row < m_rows && columnCount() > 0)
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DataSetModel::stateChanged(DataSet&)
{
    Q_EMIT stateChanged();
}

void DataSetModel::dataSetDestroyed(DataSet&)
{
    beginResetModel();
    m_dataSet = nullptr;
    m_rows = 0;
    endResetModel();
}

} // namespace host

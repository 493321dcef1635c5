#pragma once

#include "DataSetObserver.h"

#include <QAbstractTableModel>
#include <QList>

namespace host {

class DataSet;
class Field;

// A data set seen as a Qt table model: one row per visible record, one column per
// listed field. Texts are the fields' display texts (their OnGetText and formats);
// editing goes through the data set (the record is edited, then posted by the grid).
class DataSetModel : public QAbstractTableModel, private DataSetObserver
{
    Q_OBJECT
public:
    struct Column
    {
        QString fieldName;
        QString title;  // the field's label when empty
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
        bool readOnly = false;
        int width = 0;  // pixels; 0: from the field's display width
    };

    explicit DataSetModel(DataSet* dataSet = nullptr, QObject* parent = nullptr);
    ~DataSetModel() override;

    void setDataSet(DataSet* dataSet);
    DataSet* dataSet() const { return m_dataSet; }
    // Columns to show; empty: every visible field, in order.
    void setColumns(const QList<Column>& columns);
    const QList<Column>& columns() const { return m_columns; }
    Field* fieldAt(int column) const;
    int columnOf(const QString& fieldName) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Moves to the row, puts the data set in edit and writes the typed text; errors
    // (a refused value, an abort in a handler) pass to the caller.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

Q_SIGNALS:
    // The data set's current record moved to `row` (-1 when empty).
    void currentRowChanged(int row);
    void stateChanged();

private:
    void dataSetChanged(DataSet&) override;
    void recordScrolled(DataSet&) override;
    void recordChanged(DataSet&, Field*) override;
    void stateChanged(DataSet&) override;
    void dataSetDestroyed(DataSet&) override;
    void defaultColumns();

    DataSet* m_dataSet = nullptr;
    QList<Column> m_columns;
    bool m_explicitColumns = false;
    int m_rows = 0;
};

} // namespace host

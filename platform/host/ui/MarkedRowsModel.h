#pragma once

#include <QAbstractTableModel>
#include <vector>

namespace host::Internal {

// The rows of a table model with a marking check column in front: column 0 shows each
// row's mark, the other columns are the inner model's. Marks are changed only through
// this class (the dialog decides which clicks and keys toggle them).
class MarkedRowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit MarkedRowsModel(QAbstractItemModel* rows, QObject* parent = nullptr);

    bool isMarked(int row) const;
    void setMarked(int row, bool marked);
    void toggle(int row);
    void markAll(bool marked);
    // Marked rows, in row order.
    QList<int> markedRows() const;
    int markedCount() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    void marksChanged();

private:
    void innerReset();

    QAbstractItemModel* m_rows;
    std::vector<char> m_marks;
};

} // namespace host::Internal

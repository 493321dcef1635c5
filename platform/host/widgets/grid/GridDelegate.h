#pragma once

#include <QStyledItemDelegate>

namespace host {

class DBGrid;

namespace internal {

// Paints the cells (the default text, then the screen's drawing hook) and makes the
// in-place editors, whose keys it hands to the grid.
class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit GridDelegate(DBGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // Writes the editor's value into the field; a refused value throws.
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    DBGrid* m_grid;
};

} // namespace internal
} // namespace host

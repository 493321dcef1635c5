#include "GridDelegate.h"

#include "DBGrid.h"
#include "GridCellEditor.h"

#include <QKeyEvent>

namespace host::internal {

GridDelegate::GridDelegate(DBGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    m_grid->drawCell(*painter, option, index);
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const
{
    auto* editor = new GridCellEditor(parent);
    if (const Field* field = m_grid->ColumnField(index.column())) {
        editor->SetEditMask(field->EditMask());
        if (isTextType(field->DataType()) && field->Size() > 0 && field->EditMask().isEmpty())
            editor->setMaxLength(field->Size());
    }
    editor->setButtonVisible(m_grid->ColumnButtonAt(index.column()));
    editor->setAlignment(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>());
    m_grid->editorCreated(editor, index);
    return editor;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* cell = qobject_cast<GridCellEditor*>(editor);
    if (!cell)
        return;
    cell->SetText(index.data(Qt::EditRole).toString());
    cell->setModified(false);
    cell->selectAll();
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const
{
    if (auto* cell = qobject_cast<GridCellEditor*>(editor))
        model->setData(index, cell->Text(), Qt::EditRole);
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<GridCellEditor*>(object);
    if (!editor)
        return QStyledItemDelegate::eventFilter(object, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return m_grid->editorKeyPress(editor, static_cast<QKeyEvent*>(event));
    case QEvent::FocusOut:
        // The typed text stays in the editor until the cell is left or the grid is told
        // to apply it (RefreshGrid), as when a search dialog or a tool button takes the
        // focus for a moment.
        return false;
    default:
        return QStyledItemDelegate::eventFilter(object, event);
    }
}

} // namespace host::internal

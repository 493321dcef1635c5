// The grid's editing cycle: the in-place editor, moves of the current cell, the record
// commands of the keyboard, and how a failure leaves the row and the focus.

#include "DBGrid.h"

#include "GridCellEditor.h"
#include "GridDelegate.h"
#include "GridModel.h"
#include "GridSelectionModel.h"
#include "host/core/Messages.h"
#include "host/ui/Guard.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace host {

// --- moves of the current cell ------------------------------------------------------

bool DBGrid::beforeCurrentChange(const QModelIndex& from, QModelIndex& to)
{
    if (m_syncing || !hasData() || !to.isValid() || from == to)
        return true;
    const bool outer = !m_busy;
    const int fromColumn = from.isValid() ? from.column() : to.column();
    bool ok = true;
    {
        const QScopedValueRollback<bool> busy(m_busy, true);
        if (outer)
            m_focusRequest.clear();
        try {
            writeEditor();
            if (from.isValid() && from.column() != to.column()) {
                Field* leaving = ColumnField(from.column());
                if (const auto handler = OnColExit; handler && leaving)
                    handler(*leaving);
            }
            // An untouched new row goes away when left, and the rows below it move up.
            int targetRow = to.row();
            if (m_dataSet->State() == DataSetState::Insert && !m_dataSet->Modified() &&
                m_dataSet->currentRow() < targetRow)
                --targetRow;
            if (m_dataSet->currentRow() != targetRow)
                m_dataSet->SetRecNo(targetRow + 1);
        } catch (...) {
            ok = false;
            reportHandlerException(std::current_exception());
        }
    }
    if (!ok) {
        if (outer)
            settle(false, fromColumn);
        return false;
    }
    discardEditor();
    int column = to.column();
    if (outer && !m_focusRequest.isEmpty()) {
        const int requested = IndiceCol(m_focusRequest);
        if (requested >= 0)
            column = requested;
        m_focusRequest.clear();
    }
    const int row = m_dataSet->currentRow();
    to = row >= 0 ? m_model->index(row, column) : QModelIndex();
    return true;
}

void DBGrid::afterCurrentChange(const QModelIndex& from, const QModelIndex& to)
{
    if (m_syncing || !to.isValid())
        return;
    m_lastColumn = to.column();
    if (!from.isValid() || from.column() == to.column())
        return;
    Field* entered = ColumnField(to.column());
    if (const auto handler = OnColEnter; handler && entered)
        runStep([&] { handler(*entered); });
}

void DBGrid::moveCurrent(CursorAction action)
{
    const QModelIndex target = moveCursor(action, Qt::NoModifier);
    if (target.isValid() && target != currentIndex())
        setCurrentIndex(target);
}

// --- steps ------------------------------------------------------------------------------

bool DBGrid::runStep(const std::function<void()>& step)
{
    if (m_busy) {
        // Inside another step (a handler asking the grid for something): report here,
        // the outer step goes on.
        try {
            step();
            return true;
        } catch (...) {
            reportHandlerException(std::current_exception());
            return false;
        }
    }
    const int fallbackColumn = currentColumn();
    bool ok = true;
    {
        const QScopedValueRollback<bool> busy(m_busy, true);
        m_focusRequest.clear();
        try {
            step();
        } catch (...) {
            ok = false;
            reportHandlerException(std::current_exception());
        }
    }
    settle(ok, fallbackColumn);
    return ok;
}

void DBGrid::settle(bool ok, int fallbackColumn)
{
    if (!hasData())
        return;
    const bool requested = !m_focusRequest.isEmpty();
    int column = ok ? currentColumn() : fallbackColumn;
    if (requested) {
        const int wanted = IndiceCol(m_focusRequest);
        if (wanted >= 0)
            column = wanted;
        m_focusRequest.clear();
    }
    const int row = m_dataSet->currentRow();
    if (m_editor && (m_editorIndex.row() != row || m_editorIndex.column() != column))
        discardEditor();
    syncCurrent(row, column);
    if (!ok || requested) {
        setFocus();
        if (m_editor)
            m_editor->setFocus();
    }
}

bool DBGrid::canModify() const
{
    if (!hasData() || m_readOnly || m_rowSelect)
        return false;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const Field* field = ColumnField(c);
        if (field && !ColumnReadOnlyAt(c) && !field->ReadOnly() && !field->Calculated())
            return true;
    }
    return false;
}

void DBGrid::enterPressed()
{
    const bool lastColumn = currentColumn() == m_model->columnCount() - 1;
    if (runStep([&] {
            writeEditor();
            if (lastColumn && isEditing())
                m_dataSet->Post();
        }))
        discardEditor();
}

void DBGrid::postRow()
{
    runStep([this] {
        writeEditor();
        if (isEditing())
            m_dataSet->Post();
    });
}

void DBGrid::cancelRow()
{
    discardEditor();
    runStep([this] {
        if (isEditing())
            m_dataSet->Cancel();
    });
}

void DBGrid::appendRow()
{
    const bool untouchedNewRow = m_dataSet->State() == DataSetState::Insert &&
                                 !m_dataSet->Modified() && !(m_editor && m_editor->isModified());
    if (untouchedNewRow)
        return;
    runStep([this] {
        writeEditor();
        m_dataSet->Append();
    });
}

void DBGrid::insertRow()
{
    runStep([this] {
        writeEditor();
        m_dataSet->Insert();
    });
}

void DBGrid::deleteRow()
{
    discardEditor();
    runStep([this] {
        const int answer = Ui::current().ask(MessageKind::Confirmation,
                                             Messages::base().Msg(QStringLiteral("Excl")),
                                             MessageButtons::YesNo, this);
        if (answer == mrYes)
            m_dataSet->Delete();
    });
}

// --- the in-place editor ----------------------------------------------------------------

bool DBGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool editable = index.isValid() && (m_model->flags(index) & Qt::ItemIsEditable);
    if (!editable || !hasData() || EditorMode())
        return QTableView::edit(index, trigger, event);
    // Only the data set's current record is ever typed in.
    if (index.row() != m_dataSet->currentRow())
        return false;
    if (trigger == AnyKeyPressed) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (!key || key->text().isEmpty() ||
            key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        // Typing puts the record in edit first; a refusal spends the key.
        m_keyTaken = true;
        if (!runStep([this] {
                if (!isEditing())
                    m_dataSet->Edit();
            }))
            return true;
    }
    return QTableView::edit(index, trigger, event);
}

void DBGrid::editorCreated(internal::GridCellEditor* editor, const QModelIndex& index)
{
    m_editor = editor;
    m_editorIndex = index;
    connect(editor, &QLineEdit::textEdited, this, &DBGrid::editorTextEdited);
    connect(editor, &internal::GridCellEditor::buttonClicked, this, &DBGrid::editorButtonClicked);
}

void DBGrid::editorTextEdited()
{
    if (!hasData() || isEditing())
        return;
    if (!runStep([this] { m_dataSet->Edit(); }))
        discardEditor();
}

void DBGrid::editorButtonClicked()
{
    if (!EditorMode())
        return;
    Field* field = ColumnField(m_editorIndex.column());
    const auto handler = OnEditButtonClick;
    if (!field || !handler)
        return;
    const QPersistentModelIndex index = m_editorIndex;
    runStep([&] { handler(*field); });
    // The handler usually fills the field (a search): the editor shows what it chose.
    if (EditorMode() && m_editorIndex == index) {
        m_delegate->setEditorData(m_editor, index);
        m_editor->setFocus();
    }
}

void DBGrid::writeEditor()
{
    if (!EditorMode() || !m_editor->isModified() || !m_editorIndex.isValid() ||
        m_editorIndex.row() != m_dataSet->currentRow())
        return;
    m_delegate->setModelData(m_editor, m_model, m_editorIndex);
    if (m_editor)
        m_editor->setModified(false);
}

void DBGrid::discardEditor()
{
    const QPointer<internal::GridCellEditor> editor = m_editor;
    m_editor = nullptr;
    m_editorIndex = QPersistentModelIndex();
    if (editor && !editor->isHidden())
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DBGrid::commitData(QWidget* editor)
{
    if (editor == m_editor)
        runStep([this] { writeEditor(); });
}

bool DBGrid::EditorMode() const
{
    return m_editor && !m_editor->isHidden();
}

void DBGrid::SetEditorMode(bool on)
{
    if (!on) {
        RefreshGrid();
        return;
    }
    if (!EditorMode() && currentIndex().isValid())
        QTableView::edit(currentIndex());
}

bool DBGrid::RefreshGrid()
{
    if (!EditorMode())
        return true;
    const bool ok = runStep([this] { writeEditor(); });
    if (ok)
        discardEditor();
    return ok;
}

void DBGrid::cellClicked(const QModelIndex& index)
{
    // A press refused by the row's checks leaves the cursor elsewhere: no click then.
    if (index != currentIndex())
        return;
    Field* field = ColumnField(index.column());
    if (const auto handler = OnCellClick; handler && field)
        runStep([&] { handler(*field); });
}

// --- keys -------------------------------------------------------------------------------

bool DBGrid::runKeyHook(QKeyEvent* event)
{
    if (!OnKeyDown || event == m_hookedKey)
        return false;
    m_hookedKey = event;
    const auto hook = OnKeyDown;
    try {
        return hook(*event);
    } catch (...) {
        reportHandlerException(std::current_exception());
        return true;
    }
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    const QScopedValueRollback<QKeyEvent*> hooked(m_hookedKey);
    if (runKeyHook(event) || gridKey(event)) {
        event->accept();
        return;
    }
    const QScopedValueRollback<bool> taken(m_keyTaken, false);
    QTableView::keyPressEvent(event);
    // A typed key that opened the editor (or was refused with the edit) stays here.
    if (m_keyTaken)
        event->accept();
}

bool DBGrid::editorKeyPress(internal::GridCellEditor* editor, QKeyEvent* event)
{
    const QScopedValueRollback<QKeyEvent*> hooked(m_hookedKey);
    if (runKeyHook(event))
        return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Escape:
        cancelRow();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers & Qt::ControlModifier) {
            if (editor->buttonVisible())
                editorButtonClicked();
        } else {
            enterPressed();
        }
        return true;
    case Qt::Key_Tab:
        moveCurrent(MoveNext);
        return true;
    case Qt::Key_Backtab:
        moveCurrent(MovePrevious);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!plain)
            break;
        if (event->key() == Qt::Key_Down && currentIndex().row() == m_model->rowCount() - 1) {
            if (canModify())
                appendRow();
            return true;
        }
        moveCurrent(event->key() == Qt::Key_Up       ? MoveUp
                    : event->key() == Qt::Key_Down   ? MoveDown
                    : event->key() == Qt::Key_PageUp ? MovePageUp
                                                     : MovePageDown);
        return true;
    default:
        break;
    }
    // Everything else is the editor's; what it does not take is the grid's, and then the
    // window's (its shortcuts and key handlers), as for a key pressed on the grid itself.
    event->accept();
    static_cast<QObject*>(editor)->event(event);
    if (!event->isAccepted() && gridKey(event))
        event->accept();
    if (!event->isAccepted() && parentWidget())
        QCoreApplication::sendEvent(parentWidget(), event);
    event->accept(); // delivered once to each concerned; no further propagation
    return true;
}

bool DBGrid::gridKey(QKeyEvent* event)
{
    if (!hasData())
        return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Escape:
        if (modifiers != Qt::NoModifier || (!isEditing() && !EditorMode()))
            return false;
        cancelRow();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers != Qt::NoModifier || !isEditing() ||
            currentColumn() != m_model->columnCount() - 1)
            return false;
        postRow();
        return true;
    case Qt::Key_Insert:
        if (modifiers != Qt::NoModifier || !canModify())
            return false;
        insertRow();
        return true;
    case Qt::Key_Delete:
        if (modifiers != Qt::ControlModifier || !canModify() || m_dataSet->IsEmpty())
            return false;
        deleteRow();
        return true;
    case Qt::Key_Down:
        if (modifiers != Qt::NoModifier || !canModify() ||
            currentIndex().row() != m_model->rowCount() - 1)
            return false;
        appendRow();
        return true;
    default:
        return false;
    }
}

} // namespace host

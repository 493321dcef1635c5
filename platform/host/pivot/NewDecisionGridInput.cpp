// The pivot grid: current cell, scrolling, keys and mouse.

#include "NewDecisionGrid.h"

#include "host/ui/Guard.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace host {

// --- current cell and scrolling --------------------------------------------------------

int TNewDecisionGrid::Row() const
{
    return DataRowCount() > 0 && DataColCount() > 0 ? m_row : -1;
}

int TNewDecisionGrid::Col() const
{
    return DataRowCount() > 0 && DataColCount() > 0 ? m_col : -1;
}

int TNewDecisionGrid::TopRow() const
{
    return verticalScrollBar()->value();
}

int TNewDecisionGrid::LeftCol() const
{
    return horizontalScrollBar()->value();
}

void TNewDecisionGrid::SetTopRow(int row)
{
    ensureLayout();
    verticalScrollBar()->setValue(row);
}

void TNewDecisionGrid::SetLeftCol(int col)
{
    ensureLayout();
    horizontalScrollBar()->setValue(col);
}

void TNewDecisionGrid::scrollContentsBy(int, int)
{
    viewport()->update();
    const int top = TopRow(), left = LeftCol();
    if (top == m_lastTop && left == m_lastLeft)
        return;
    m_lastTop = top;
    m_lastLeft = left;
    if (OnTopLeftChanged)
        guarded([&] { OnTopLeftChanged(); });
}

void TNewDecisionGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

bool TNewDecisionGrid::GotoCell(int col, int row)
{
    const int rows = DataRowCount(), cols = DataColCount();
    if (rows == 0 || cols == 0)
        return false;
    col = col < 0 ? m_col : std::min(col, cols - 1);
    row = row < 0 ? m_row : std::min(row, rows - 1);
    return moveTo(col, row);
}

bool TNewDecisionGrid::moveTo(int col, int row)
{
    if (col != m_col || row != m_row) {
        bool canSelect = true;
        if (OnSelectCell) {
            bool finished = false;
            guarded([&] {
                OnSelectCell(col, row, canSelect);
                finished = true;
            });
            canSelect = canSelect && finished;
        }
        if (!canSelect)
            return false;
        m_col = col;
        m_row = row;
        viewport()->update();
    }
    makeVisible(col, row);
    return true;
}

void TNewDecisionGrid::makeVisible(int col, int row)
{
    const int visibleRows = std::max(1, VisibleRowCount());
    if (row < TopRow())
        SetTopRow(row);
    else if (row >= TopRow() + visibleRows)
        SetTopRow(row - visibleRows + 1);
    const int visibleCols = std::max(1, VisibleColCount());
    if (col < LeftCol())
        SetLeftCol(col);
    else if (col >= LeftCol() + visibleCols)
        SetLeftCol(col - visibleCols + 1);
}

// --- keys ------------------------------------------------------------------------------

bool TNewDecisionGrid::event(QEvent* event)
{
    // Tab moves between the grid's cells, not to the next control.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TNewDecisionGrid::keyPressEvent(QKeyEvent* event)
{
    handleKey(*event);
}

void TNewDecisionGrid::keyReleaseEvent(QKeyEvent* event)
{
    if (OnKeyUp && !event->isAutoRepeat())
        guarded([&] { OnKeyUp(*event); });
}

void TNewDecisionGrid::SendKey(int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    handleKey(event);
}

void TNewDecisionGrid::PostKey(int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, key, modifiers, text));
}

void TNewDecisionGrid::handleKey(QKeyEvent& event)
{
    if (OnKeyDown) {
        // A handler that fails has consumed the key as well.
        bool consumed = true;
        guarded([&] { consumed = OnKeyDown(event); });
        if (consumed) {
            event.accept();
            return;
        }
    }
    if (navigate(event)) {
        event.accept();
        return;
    }
    const QString text = event.text();
    if (!text.isEmpty() && OnKeyPress)
        guarded([&] { OnKeyPress(event); });
    // Characters stop here; control keys (Escape, Enter...) go on to the window.
    if (!text.isEmpty() && text.at(0).isPrint())
        event.accept();
    else
        event.ignore();
}

bool TNewDecisionGrid::navigate(const QKeyEvent& event)
{
    const int rows = DataRowCount(), cols = DataColCount();
    const bool ctrl = event.modifiers() & Qt::ControlModifier;
    int key = event.key();
    if (key == Qt::Key_Tab && (event.modifiers() & Qt::ShiftModifier))
        key = Qt::Key_Backtab;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Home:
    case Qt::Key_End:
        break;
    default:
        return false;
    }
    if (rows == 0 || cols == 0)
        return true;
    const int page = std::max(1, VisibleRowCount());
    int col = m_col, row = m_row;
    switch (key) {
    case Qt::Key_Up:
        row = std::max(0, row - 1);
        break;
    case Qt::Key_Down:
        row = std::min(rows - 1, row + 1);
        break;
    case Qt::Key_PageUp:
        row = std::max(0, row - page);
        SetTopRow(TopRow() - page);
        break;
    case Qt::Key_PageDown:
        row = std::min(rows - 1, row + page);
        SetTopRow(TopRow() + page);
        break;
    case Qt::Key_Left:
        col = std::max(0, col - 1);
        break;
    case Qt::Key_Right:
        col = std::min(cols - 1, col + 1);
        break;
    case Qt::Key_Tab:
        if (col < cols - 1)
            ++col;
        else if (row < rows - 1)
            col = 0, ++row;
        break;
    case Qt::Key_Backtab:
        if (col > 0)
            --col;
        else if (row > 0)
            col = cols - 1, --row;
        break;
    case Qt::Key_Home:
        col = 0;
        if (ctrl)
            row = 0;
        break;
    case Qt::Key_End:
        col = cols - 1;
        if (ctrl)
            row = rows - 1;
        break;
    }
    moveTo(col, row);
    return true;
}

// --- mouse and focus -------------------------------------------------------------------

void TNewDecisionGrid::mousePressEvent(QMouseEvent* event)
{
    int col = 0, row = 0;
    if (event->button() == Qt::LeftButton && CellAt(event->position().toPoint(), col, row) &&
        col >= 0 && row >= 0)
        moveTo(col, row);
    QAbstractScrollArea::mousePressEvent(event);
}

void TNewDecisionGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    int col = 0, row = 0;
    if (event->button() != Qt::LeftButton || !CellAt(event->position().toPoint(), col, row) ||
        col < 0 || row < 0)
        return;
    if (moveTo(col, row) && OnDblClick)
        guarded([&] { OnDblClick(); });
}

void TNewDecisionGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TNewDecisionGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace host

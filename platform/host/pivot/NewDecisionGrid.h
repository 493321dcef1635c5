#pragma once

#include "DecisionCube.h"
#include "PivotLines.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QPointer>
#include <functional>

class QKeyEvent;

namespace host {

// The pivot grid of the screens ("deg..."): a decision cube shown with the row
// dimensions down and the column dimensions across, with the sum lines of the
// dimensions whose subtotals are on.
//
// Coordinates: data cells (combinations and sums) have column and row indices from 0.
// The label cells of the row dimensions lie in the columns left of 0 (-1 for the inner,
// or only, row dimension), those of the column dimensions in the rows above 0 (-1 for
// the inner one, -2 for the one outside it, ...). A group's label text is in its first
// row or column only; the other cells of the group hold an empty text. Sum lines are
// labelled "Subtotal" (a group of an outer dimension) or "Total" (the grand total) at
// the level they add up. The corner cells are captions: in row -1 the name of each row
// dimension, in the top row the names of the column dimensions.
//
// The current cell is always a data cell. Arrows, Page Up/Down, Tab/Shift+Tab (moving
// on to the next row at the end of one), Home/End (Ctrl: first/last cell) and a mouse
// click move it; every move asks OnSelectCell first. Every handler of the screen runs
// through the handler guard.
//
// Painting visits every visible cell row by row, top to bottom and left to right
// (labels before data), and hands each one to OnDecisionDrawCell.
class TNewDecisionGrid : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // Drawing state of the grid.
    enum class GridState
    {
        Selected = 1, // the current cell
        Focused = 2,  // the current cell of a grid that has the focus
        Fixed = 4,    // a label or caption cell
    };
    Q_DECLARE_FLAGS(GridStates, GridState)

    // What a cell shows of the pivot.
    enum class PivotState
    {
        Data = 1,        // a combination of the row and column values
        Sum = 2,         // in a sum row or column (data cell or its label)
        RowLabel = 4,    // a value of a row dimension
        ColLabel = 8,    // a value of a column dimension
        RowCaption = 16, // the name of a row dimension
        ColCaption = 32, // the names of the column dimensions
    };
    Q_DECLARE_FLAGS(PivotStates, PivotState)

    explicit TNewDecisionGrid(QWidget* parent = nullptr);
    ~TNewDecisionGrid() override;

    // --- source ------------------------------------------------------------------------
    void SetDecisionCube(TDecisionCube* cube);
    TDecisionCube* DecisionCube() const { return m_cube; }

    // --- look --------------------------------------------------------------------------
    int DefaultColWidth() const { return m_colWidth; }
    void SetDefaultColWidth(int width);
    // Width of each label column.
    int FixedColWidth() const { return m_fixedColWidth; }
    void SetFixedColWidth(int width);
    int DefaultRowHeight() const { return m_rowHeight; }
    void SetDefaultRowHeight(int height);
    bool GridLines() const { return m_gridLines; }
    void SetGridLines(bool on);

    QColor CaptionColor, DataColor, DataSumColor, LabelColor, LabelSumColor;
    QFont CaptionFont, DataFont, LabelFont;
    // Applies colour and font changes made to the members above.
    void Invalidate();

    // Sum lines of a dimension (the cube's dimension index), on by default: a subtotal
    // after every group of the dimension outside it. The outer dimension of a side has
    // none of its own; its sum is the grand total.
    void SetSubtotals(int dimension, bool on);
    bool Subtotals(int dimension) const;
    // The grand total row and column, on by default, whatever the subtotals.
    void SetTotals(bool on);
    bool Totals() const { return m_totals; }

    // --- coordinates -------------------------------------------------------------------
    int FixedRows() const; // number of column dimensions
    int FixedCols() const; // number of row dimensions
    int RowCount() const { return FixedRows() + DataRowCount(); }
    int ColCount() const { return FixedCols() + DataColCount(); }
    int DataRowCount() const;
    int DataColCount() const;

    // Text of any cell as the grid shows it before the screen's drawing handler: the
    // item count of data cells (empty when none), the full value of label cells.
    QString Cells(int col, int row) const;
    // Kind of a cell; empty outside the grid.
    PivotStates CellKind(int col, int row) const;
    bool IsSumRow(int row) const;
    bool IsSumCol(int col) const;
    bool IsSumCell(int col, int row) const { return IsSumRow(row) || IsSumCol(col); }
    CubeSummary CellSummary(int col, int row) const;

    // --- current cell and scrolling ----------------------------------------------------
    int Row() const; // -1 while the grid has no data cells
    int Col() const;
    // Makes a data cell current and visible; a negative coordinate keeps the current
    // one, a coordinate past the end means the last. False when there is no data cell or
    // OnSelectCell refused.
    bool GotoCell(int col, int row);
    int TopRow() const;
    int LeftCol() const;
    void SetTopRow(int row);
    void SetLeftCol(int col);
    // Data rows and columns that fit entirely.
    int VisibleRowCount() const;
    int VisibleColCount() const;
    // Rectangle of a cell in the viewport; empty when it is scrolled out of sight.
    QRect CellRect(int col, int row) const;
    // Cell under a viewport point; false outside the cells.
    bool CellAt(const QPoint& point, int& col, int& row) const;

    // --- keys --------------------------------------------------------------------------
    // Handles a key now, exactly as a pressed key (OnKeyDown first): the screens step
    // over sum lines by sending the key once more from their OnKeyDown.
    void SendKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                 const QString& text = QString());
    // Queues a key press for the grid, handled after the running event.
    void PostKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                 const QString& text = QString());

    // --- hooks of the screen -----------------------------------------------------------
    // Every painted cell: the text and the background may be replaced.
    std::function<void(int col, int row, QString& text, QColor& background, GridStates grid,
                       PivotStates pivot)>
        OnDecisionDrawCell;
    // From inside OnDecisionDrawCell: the cell being drawn is written in bold.
    void EmphasizeCell() { m_emphasized = true; }
    // Sees every key first; true consumes it (the grid then does nothing with it).
    std::function<bool(QKeyEvent&)> OnKeyDown;
    // A key that types a character, when OnKeyDown left it and the grid does not use it.
    std::function<void(QKeyEvent&)> OnKeyPress;
    std::function<void(QKeyEvent&)> OnKeyUp;
    // The top row or the left column changed.
    std::function<void()> OnTopLeftChanged;
    // A double click on a data cell (after the click made it current).
    std::function<void()> OnDblClick;
    // Before the current cell moves; clearing canSelect keeps it where it is.
    std::function<void(int col, int row, bool& canSelect)> OnSelectCell;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Layout of the data area, rebuilt when the cube's results or the subtotals change.
    void ensureLayout() const;
    void rebuildLayout();
    void updateScrollBars();
    std::vector<bool> subtotalsOf(const std::vector<int>& dims) const;

    // Label texts: `continued` asks for the group's value also where the group did not
    // start (the first visible line, so that a scrolled group stays named).
    QString labelText(const PivotAxis& axis, const internal::PivotLines& lines, int line, int level,
                      bool continued) const;
    QString cellText(int col, int row, bool firstVisibleRow, bool firstVisibleCol) const;
    QString captionText(int col, int row) const;
    QColor defaultBackground(PivotStates kind) const;
    const QFont& fontOf(PivotStates kind) const;

    void paintCell(QPainter& painter, int col, int row, const QRect& rect, int topRow, int leftCol);
    int colX(int col) const;
    int rowY(int row) const;
    int colWidthOf(int col) const { return col < 0 ? m_fixedColWidth : m_colWidth; }

    // Keys and moves.
    void handleKey(QKeyEvent& event);
    bool navigate(const QKeyEvent& event);
    bool moveTo(int col, int row);
    void makeVisible(int col, int row);

    QPointer<TDecisionCube> m_cube;
    QMetaObject::Connection m_cubeConnection;

    int m_colWidth = 130;
    int m_fixedColWidth = 335;
    int m_rowHeight = 17;
    bool m_gridLines = true;
    std::vector<bool> m_subtotals; // by cube dimension
    bool m_totals = true;

    int m_row = 0;
    int m_col = 0;
    int m_lastTop = 0;
    int m_lastLeft = 0;

    // Layout cache.
    mutable bool m_layoutDirty = true;
    bool m_emphasized = false;
    // The bold fonts of emphasised cells, made once per kind of cell.
    mutable QHash<int, QFont> m_emphasisFonts;
    mutable quint64 m_layoutGeneration = ~quint64(0);
    mutable internal::PivotLines m_rowLines;
    mutable internal::PivotLines m_colLines;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TNewDecisionGrid::GridStates)
Q_DECLARE_OPERATORS_FOR_FLAGS(TNewDecisionGrid::PivotStates)

} // namespace host

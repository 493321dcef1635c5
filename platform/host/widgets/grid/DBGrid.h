#pragma once

#include "host/core/DataSet.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>
#include <functional>

namespace host {

namespace internal {
class GridModel;
class GridDelegate;
class GridSelectionModel;
class GridCellEditor;
} // namespace internal

// The data grid of the screens ("dbg..."): the rows of a data set, the columns the
// screen lists. The grid and the data set move together: a row clicked or reached with
// the keys becomes the data set's current record (with its scroll events), and a move of
// the data set selects its row.
//
// Editing follows the data set: typing in an editable cell puts the record in edit; the
// typed text is written into the field when the cell is left, on Enter, or by
// RefreshGrid; leaving the row posts it (or cancels it when nothing changed), so does
// Enter on the last column; Escape cancels. When writing, a column's exit event, the post
// or the move fails — an abort (EAbort) stays silent, any other error is shown — the
// record stays in edit with what was typed and the focus goes back to the cell of the
// field that asked for it (FocusControl / FocusField) or to the cell that was left.
// Insert inserts a row, Down on the last row appends one, Ctrl+Delete deletes the
// current one after the confirmation "Excl".
//
// Every screen handler run by the grid goes through the handler guard.
class DBGrid : public QTableView
{
    Q_OBJECT
public:
    struct Column
    {
        QString fieldName;
        QString title;                     // empty: the field's label
        int width = 0;                     // pixels; 0: from the field's display width
        Qt::Alignment alignment = {};      // empty: numbers right, the rest left
        Qt::Alignment titleAlignment = {}; // empty: left
        bool readOnly = false;
        bool ellipsis = false; // the editor shows an ellipsis button (OnEditButtonClick)
    };

    // Drawing state of a cell passed to OnDrawColumnCell.
    enum DrawState
    {
        gdSelected = 1, // the current cell (or row, with row selection)
        gdFocused = 2,  // the current cell of a grid that has the focus
        gdFixed = 4,    // a title cell (never passed: titles are the grid's own)
    };

    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;

    void SetDataSet(DataSet* dataSet);
    DataSet* dataSet() const { return m_dataSet; }

    void SetColumns(const QList<Column>& columns);
    const QList<Column>& Columns() const { return m_columns; }
    // Column of a field (IndiceCol); -1 when the grid does not show it.
    int IndiceCol(const QString& fieldName) const;
    Field* ColumnField(int column) const;

    // No typing at all (the screens' ReadOnly).
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    // Whole rows are selected and nothing is typed (a list to choose from).
    bool RowSelect() const { return m_rowSelect; }
    void SetRowSelect(bool rowSelect);
    // Typing allowed or not in one column, at run time.
    void SetColumnReadOnly(const QString& fieldName, bool readOnly);
    bool ColumnReadOnlyAt(int column) const;
    // The ellipsis button of a column, at run time.
    void SetColumnButton(const QString& fieldName, bool ellipsis);
    bool ColumnButtonAt(int column) const;
    // The editor opens by itself on every editable cell reached.
    void SetAlwaysShowEditor(bool always);
    // Background of the cells (clInfoBk for the screens' lists).
    void SetColor(const QColor& color);

    // The current cell's field and column.
    Field* SelectedField() const;
    int SelectedIndex() const;
    // Moves to a column as the user would (column exit and enter events).
    void SetSelectedField(const QString& fieldName);
    // Puts the current cell on a field's column and the focus in the grid, without column
    // events (a validation giving the focus back to its field). While the grid itself is
    // writing, posting or moving, the request is kept and applied when it ends.
    void FocusField(const QString& fieldName);

    // The in-place editor is open.
    bool EditorMode() const;
    void SetEditorMode(bool on);
    // Writes the editor's pending text into the field and closes the editor (before a
    // command posts the record). A refused value is shown and the editor stays; false then.
    bool RefreshGrid();

    // Hooks of the screen. OnDrawColumnCell runs after the default painting of each cell,
    // with the data set reading that cell's row (its fields give that row's values), the
    // painter's brush and pen set to the cell's background and text colours.
    std::function<void(QPainter&, const QRect&, int row, Field&, int state)> OnDrawColumnCell;
    // Sees every key pressed in the grid or its editor first; true consumes it.
    std::function<bool(QKeyEvent&)> OnKeyDown;
    std::function<void(Field&)> OnColEnter;
    // An exception here keeps the current cell in its column.
    std::function<void(Field&)> OnColExit;
    std::function<void(Field&)> OnEditButtonClick;
    // A click on the current cell (after the move the press made).
    std::function<void(Field&)> OnCellClick;
    std::function<void()> OnDblClick;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;

private:
    friend class internal::GridSelectionModel;
    friend class internal::GridDelegate;

    // Current cell changes (GridSelectionModel).
    bool beforeCurrentChange(const QModelIndex& from, QModelIndex& to);
    void afterCurrentChange(const QModelIndex& from, const QModelIndex& to);
    // The data set moved, changed or changed state (GridModel's signals).
    void followDataSet(int row);
    void dataSetStateChanged();
    void syncCurrent(int row, int column);
    // Painting and editors (GridDelegate).
    void drawCell(QPainter& painter, const QStyleOptionViewItem& option, const QModelIndex& index);
    void editorCreated(internal::GridCellEditor* editor, const QModelIndex& index);
    bool editorKeyPress(internal::GridCellEditor* editor, QKeyEvent* event);

    // Editing steps.
    bool hasData() const;
    bool canModify() const;
    bool isEditing() const;
    void writeEditor();
    void discardEditor();
    void editorTextEdited();
    void editorButtonClicked();
    bool gridKey(QKeyEvent* event);
    bool runKeyHook(QKeyEvent* event);
    void moveCurrent(CursorAction action);
    void enterPressed();
    void cancelRow();
    void postRow();
    void appendRow();
    void insertRow();
    void deleteRow();
    // Runs one editing step as a unit: a failure is reported and the focus settles.
    bool runStep(const std::function<void()>& step);
    void settle(bool ok, int fallbackColumn);
    void cellClicked(const QModelIndex& index);
    void applyColumnWidths();
    int currentColumn() const;

    DataSet* m_dataSet = nullptr;
    internal::GridModel* m_model;
    internal::GridDelegate* m_delegate;
    internal::GridSelectionModel* m_selection;
    QList<Column> m_columns;
    bool m_readOnly = false;
    bool m_rowSelect = false;

    QPointer<internal::GridCellEditor> m_editor;
    QPersistentModelIndex m_editorIndex;
    bool m_busy = false;    // a step of the grid is running (focus requests wait)
    bool m_syncing = false; // the grid follows its data set (no events, no checks)
    QString m_focusRequest;
    int m_lastColumn = 0;
    QKeyEvent* m_hookedKey = nullptr; // the key the hook already saw
    bool m_keyTaken = false;          // the key being handled went into the editor
};

// Gives the focus to the grid cell that shows a field (the field's FocusControl): every
// grid over the field's data set that has a column for it takes the request.
void FocusControl(Field& field);

// Writes a grid's pending cell text into its field (Consiste's RefreshGrid).
bool RefreshGrid(DBGrid& grid);

} // namespace host

#include "DBGrid.h"

#include "GridCellEditor.h"
#include "GridDelegate.h"
#include "GridModel.h"
#include "GridSelectionModel.h"
#include "host/ui/Guard.h"

#include <QHeaderView>
#include <QPainter>
#include <QScopedValueRollback>
#include <algorithm>

namespace host {
namespace {

// Every grid alive, for FocusControl.
std::vector<DBGrid*>& grids()
{
    static std::vector<DBGrid*> all;
    return all;
}

} // namespace

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent), m_model(new internal::GridModel(this)),
      m_delegate(new internal::GridDelegate(this))
{
    grids().push_back(this);
    setModel(m_model);
    m_selection = new internal::GridSelectionModel(m_model, this);
    QItemSelectionModel* previous = selectionModel();
    setSelectionModel(m_selection);
    delete previous;
    setItemDelegate(m_delegate);

    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setAlternatingRowColors(false);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(16);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

    connect(m_model, &DataSetModel::currentRowChanged, this, &DBGrid::followDataSet);
    connect(m_model, qOverload<>(&DataSetModel::stateChanged), this, &DBGrid::dataSetStateChanged);
    // A reset destroys the editors; one with the focus would hand it on as a Tab would,
    // moving the cursor: it is closed first, the focus going back to the grid.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &DBGrid::discardEditor);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_dataSet = m_model->dataSet(); // null once the data set is destroyed
        applyColumnWidths();
    });
    connect(this, &QAbstractItemView::clicked, this, &DBGrid::cellClicked);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] {
        if (const std::function<void()> handler = OnDblClick)
            guarded(handler);
    });
}

DBGrid::~DBGrid()
{
    auto& all = grids();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void DBGrid::SetDataSet(DataSet* dataSet)
{
    discardEditor();
    m_dataSet = dataSet;
    m_model->setDataSet(dataSet);
    applyColumnWidths();
    followDataSet(dataSet ? dataSet->currentRow() : -1);
}

void DBGrid::SetColumns(const QList<Column>& columns)
{
    discardEditor();
    m_columns = columns;
    QList<DataSetModel::Column> modelColumns;
    for (const Column& column : columns)
        // Read-only columns are the grid's business (switched at run time).
        modelColumns.append(DataSetModel::Column{
            column.fieldName, column.title, Qt::AlignLeft | Qt::AlignVCenter, false, column.width});
    m_model->setColumns(modelColumns);
    applyColumnWidths();
    if (m_dataSet)
        followDataSet(m_dataSet->currentRow());
}

void DBGrid::applyColumnWidths()
{
    const int charWidth = fontMetrics().averageCharWidth();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        int width = c < m_columns.size() ? m_columns[c].width : 0;
        if (width <= 0) {
            const Field* field = ColumnField(c);
            const QString title =
                m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
            const int chars = field ? field->DisplayWidth() : 10;
            width = std::max(chars * charWidth, fontMetrics().horizontalAdvance(title)) + 10;
        }
        horizontalHeader()->resizeSection(c, width);
    }
}

int DBGrid::IndiceCol(const QString& fieldName) const
{
    return m_model->columnOf(fieldName);
}

Field* DBGrid::ColumnField(int column) const
{
    return m_model->fieldAt(column);
}

void DBGrid::SetReadOnly(bool readOnly)
{
    if (readOnly)
        discardEditor();
    m_readOnly = readOnly;
}

void DBGrid::SetRowSelect(bool rowSelect)
{
    if (rowSelect)
        discardEditor();
    m_rowSelect = rowSelect;
    setSelectionBehavior(rowSelect ? QAbstractItemView::SelectRows
                                   : QAbstractItemView::SelectItems);
    if (m_dataSet)
        syncCurrent(m_dataSet->currentRow(), currentColumn());
}

void DBGrid::SetColumnReadOnly(const QString& fieldName, bool readOnly)
{
    const int column = IndiceCol(fieldName);
    if (column < 0 || column >= m_columns.size())
        return;
    m_columns[column].readOnly = readOnly;
    if (readOnly && m_editor && m_editorIndex.column() == column)
        discardEditor();
}

bool DBGrid::ColumnReadOnlyAt(int column) const
{
    return column >= 0 && column < m_columns.size() && m_columns[column].readOnly;
}

void DBGrid::SetColumnButton(const QString& fieldName, bool ellipsis)
{
    const int column = IndiceCol(fieldName);
    if (column < 0 || column >= m_columns.size())
        return;
    m_columns[column].ellipsis = ellipsis;
    if (m_editor && m_editorIndex.column() == column)
        m_editor->setButtonVisible(ellipsis);
}

bool DBGrid::ColumnButtonAt(int column) const
{
    return column >= 0 && column < m_columns.size() && m_columns[column].ellipsis;
}

void DBGrid::SetAlwaysShowEditor(bool always)
{
    EditTriggers triggers = editTriggers();
    triggers.setFlag(QAbstractItemView::CurrentChanged, always);
    setEditTriggers(triggers);
}

void DBGrid::SetColor(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
}

Field* DBGrid::SelectedField() const
{
    return ColumnField(currentColumn());
}

int DBGrid::SelectedIndex() const
{
    return currentColumn();
}

int DBGrid::currentColumn() const
{
    const QModelIndex current = currentIndex();
    if (current.isValid())
        return current.column();
    return m_model->columnCount() > 0 ? std::min(m_lastColumn, m_model->columnCount() - 1) : -1;
}

void DBGrid::SetSelectedField(const QString& fieldName)
{
    const int column = IndiceCol(fieldName);
    if (column < 0 || !hasData() || m_dataSet->currentRow() < 0)
        return;
    setCurrentIndex(m_model->index(m_dataSet->currentRow(), column));
}

void DBGrid::FocusField(const QString& fieldName)
{
    const int column = IndiceCol(fieldName);
    if (column < 0)
        return;
    if (m_busy) {
        m_focusRequest = fieldName;
        return;
    }
    if (m_editor && m_editorIndex.column() != column)
        discardEditor();
    if (m_dataSet)
        syncCurrent(m_dataSet->currentRow(), column);
    setFocus();
    if (m_editor)
        m_editor->setFocus();
}

void FocusControl(Field& field)
{
    // A copy: giving the focus may close editors, but never creates or destroys grids.
    const std::vector<DBGrid*> all = grids();
    for (DBGrid* grid : all)
        if (grid->dataSet() == &field.dataSet() && grid->IndiceCol(field.FieldName()) >= 0)
            grid->FocusField(field.FieldName());
}

bool RefreshGrid(DBGrid& grid)
{
    return grid.RefreshGrid();
}

// --- following the data set ---------------------------------------------------------

void DBGrid::followDataSet(int row)
{
    m_model->refreshRowMarks();
    if (m_editor && m_editorIndex.row() != row)
        discardEditor();
    // A step of the grid's own puts the cursor where the data set went when it ends.
    if (m_busy)
        return;
    if (!currentIndex().isValid() || currentIndex().row() != row)
        syncCurrent(row, currentColumn());
}

void DBGrid::syncCurrent(int row, int column)
{
    if (column >= 0)
        m_lastColumn = column;
    const QModelIndex target =
        row >= 0 && column >= 0 ? m_model->index(row, column) : QModelIndex();
    if (target == currentIndex() && (target.isValid() || !currentIndex().isValid()))
        return;
    const QScopedValueRollback<bool> syncing(m_syncing, true);
    if (!target.isValid()) {
        m_selection->clearCurrentIndex();
        return;
    }
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
    if (m_rowSelect)
        flags |= QItemSelectionModel::Rows;
    m_selection->setCurrentDirect(target, flags);
    scrollTo(target);
}

void DBGrid::dataSetStateChanged()
{
    m_model->refreshRowMarks();
    if (m_editor && m_dataSet && !isEditing())
        discardEditor();
}

bool DBGrid::hasData() const
{
    return m_dataSet && m_dataSet->Active();
}

bool DBGrid::isEditing() const
{
    return m_dataSet &&
           (m_dataSet->State() == DataSetState::Edit || m_dataSet->State() == DataSetState::Insert);
}

// --- painting -------------------------------------------------------------------------

void DBGrid::drawCell(QPainter& painter, const QStyleOptionViewItem& option,
                      const QModelIndex& index)
{
    Field* field = ColumnField(index.column());
    if (!OnDrawColumnCell || !field || !hasData() || index.row() >= m_dataSet->RecordCount())
        return;
    int state = 0;
    if (option.state & QStyle::State_Selected)
        state |= gdSelected;
    if (index == currentIndex() && hasFocus())
        state |= gdFocused;
    const bool selected = state & gdSelected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    painter.save();
    painter.setBrush(option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base));
    painter.setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter.setFont(option.font);
    try {
        const DataSet::RowPeek peek(*m_dataSet, index.row());
        OnDrawColumnCell(painter, option.rect, index.row(), *field, state);
    } catch (const EAbort&) {
        // Nothing to draw.
    } catch (const std::exception& e) {
        // A message box from inside a paint would paint again and fail again: the fault
        // is logged, never shown, and the cell keeps its default painting.
        qWarning("DBGrid: drawing %s failed: %s", qPrintable(field->FieldName()), e.what());
    }
    painter.restore();
}

} // namespace host

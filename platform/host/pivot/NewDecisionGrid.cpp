// The pivot grid: layout of the data area, cell texts and kinds, painting.

#include "NewDecisionGrid.h"

#include "PivotTexts.h"

#include "host/ui/Guard.h"
#include "host/widgets/SystemColors.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace host {

namespace {

// The label font: fixed pitch, so that the blank-padded product names line up.
QFont fixedPitchFont(const QFont& base)
{
    QFont font = base;
    font.setFamily(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace

TNewDecisionGrid::TNewDecisionGrid(QWidget* parent)
    : QAbstractScrollArea(parent), CaptionColor(clActiveCaption()), DataColor(clInfoBk()),
      DataSumColor(clInactiveCaption()), LabelColor(clBtnFace()),
      LabelSumColor(clInactiveCaption()), CaptionFont(font()), DataFont(font()),
      LabelFont(fixedPitchFont(font())), m_subtotals(size_t(TDecisionCube::MaxDimensions), true)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
}

TNewDecisionGrid::~TNewDecisionGrid() = default;

void TNewDecisionGrid::SetDecisionCube(TDecisionCube* cube)
{
    if (cube == m_cube)
        return;
    QObject::disconnect(m_cubeConnection);
    m_cube = cube;
    if (cube)
        m_cubeConnection = connect(cube, &TDecisionCube::Changed, this, [this] {
            m_layoutDirty = true;
            viewport()->update();
        });
    m_layoutDirty = true;
    viewport()->update();
}

void TNewDecisionGrid::SetDefaultColWidth(int width)
{
    m_colWidth = std::max(1, width);
    updateScrollBars();
    viewport()->update();
}

void TNewDecisionGrid::SetFixedColWidth(int width)
{
    m_fixedColWidth = std::max(1, width);
    updateScrollBars();
    viewport()->update();
}

void TNewDecisionGrid::SetDefaultRowHeight(int height)
{
    m_rowHeight = std::max(1, height);
    updateScrollBars();
    viewport()->update();
}

void TNewDecisionGrid::SetGridLines(bool on)
{
    m_gridLines = on;
    viewport()->update();
}

void TNewDecisionGrid::Invalidate()
{
    viewport()->update();
}

void TNewDecisionGrid::SetSubtotals(int dimension, bool on)
{
    if (dimension < 0 || dimension >= int(m_subtotals.size()) ||
        m_subtotals[size_t(dimension)] == on)
        return;
    m_subtotals[size_t(dimension)] = on;
    m_layoutDirty = true;
    viewport()->update();
}

void TNewDecisionGrid::SetTotals(bool on)
{
    if (m_totals == on)
        return;
    m_totals = on;
    m_layoutDirty = true;
    viewport()->update();
}

bool TNewDecisionGrid::Subtotals(int dimension) const
{
    return dimension >= 0 && dimension < int(m_subtotals.size()) && m_subtotals[size_t(dimension)];
}

// --- layout ----------------------------------------------------------------------------

int TNewDecisionGrid::FixedRows() const
{
    return m_cube ? int(m_cube->ColDimensions().size()) : 0;
}

int TNewDecisionGrid::FixedCols() const
{
    return m_cube ? int(m_cube->RowDimensions().size()) : 0;
}

int TNewDecisionGrid::DataRowCount() const
{
    ensureLayout();
    return m_rowLines.count();
}

int TNewDecisionGrid::DataColCount() const
{
    ensureLayout();
    return m_colLines.count();
}

void TNewDecisionGrid::ensureLayout() const
{
    const quint64 generation = m_cube ? m_cube->Generation() : 0;
    if (m_layoutDirty || generation != m_layoutGeneration)
        const_cast<TNewDecisionGrid*>(this)->rebuildLayout();
}

std::vector<bool> TNewDecisionGrid::subtotalsOf(const std::vector<int>& dims) const
{
    std::vector<bool> levels;
    for (int d : dims)
        levels.push_back(Subtotals(d));
    return levels;
}

void TNewDecisionGrid::rebuildLayout()
{
    m_layoutDirty = false;
    m_layoutGeneration = m_cube ? m_cube->Generation() : 0;
    if (m_cube && m_cube->Active()) {
        m_rowLines.build(m_cube->Rows(), subtotalsOf(m_cube->RowDimensions()), m_totals);
        m_colLines.build(m_cube->Cols(), subtotalsOf(m_cube->ColDimensions()), m_totals);
    } else {
        m_rowLines.clear();
        m_colLines.clear();
    }
    // The current cell stays where it was as far as the new data allow.
    if (m_rowLines.count() > 0 && m_colLines.count() > 0) {
        m_row = std::clamp(m_row, 0, m_rowLines.count() - 1);
        m_col = std::clamp(m_col, 0, m_colLines.count() - 1);
    }
    updateScrollBars();
}

void TNewDecisionGrid::updateScrollBars()
{
    const int rows = m_rowLines.count(), cols = m_colLines.count();
    const int visibleRows = VisibleRowCount(), visibleCols = VisibleColCount();
    verticalScrollBar()->setPageStep(std::max(1, visibleRows));
    verticalScrollBar()->setRange(0, std::max(0, rows - visibleRows));
    horizontalScrollBar()->setPageStep(std::max(1, visibleCols));
    horizontalScrollBar()->setRange(0, std::max(0, cols - visibleCols));
}

int TNewDecisionGrid::VisibleRowCount() const
{
    return std::max(0, (viewport()->height() - FixedRows() * m_rowHeight) / m_rowHeight);
}

int TNewDecisionGrid::VisibleColCount() const
{
    return std::max(0, (viewport()->width() - FixedCols() * m_fixedColWidth) / m_colWidth);
}

// --- texts and kinds -------------------------------------------------------------------

QString TNewDecisionGrid::labelText(const PivotAxis& axis, const internal::PivotLines& lines,
                                    int line, int level, bool continued) const
{
    if (line < 0 || line >= lines.count() || level < 0 || level >= axis.Levels())
        return {};
    const internal::PivotLine& l = lines.at(line);
    const QStringList& values = m_cube->Values(axis.Dimension(level));
    if (l.isSum()) {
        if (level == l.sumLevel)
            return internal::pivotText(level == 0 ? QStringLiteral("Total")
                                                  : QStringLiteral("Subtotal"));
        if (continued && level < l.sumLevel)
            return values.value(axis.Value(l.range.first, level));
        return {};
    }
    if (continued || axis.StartsGroup(l.tuple, level))
        return values.value(axis.Value(l.tuple, level));
    return {};
}

QString TNewDecisionGrid::captionText(int col, int row) const
{
    if (row == -1) {
        const std::vector<int> dims = m_cube->RowDimensions();
        const int level = col + FixedCols();
        return level >= 0 && level < int(dims.size()) ? m_cube->DisplayName(dims[size_t(level)])
                                                      : QString();
    }
    if (col == -1 && row == -FixedRows()) {
        QStringList names;
        for (int d : m_cube->ColDimensions())
            names.append(m_cube->DisplayName(d));
        return names.join(QStringLiteral(" / "));
    }
    return {};
}

QString TNewDecisionGrid::cellText(int col, int row, bool firstVisibleRow,
                                   bool firstVisibleCol) const
{
    const PivotStates kind = CellKind(col, row);
    if (!kind)
        return {};
    if (kind & (PivotState::RowCaption | PivotState::ColCaption))
        return captionText(col, row);
    if (kind & PivotState::RowLabel)
        return labelText(m_cube->Rows(), m_rowLines, row, col + FixedCols(), firstVisibleRow);
    if (kind & PivotState::ColLabel)
        return labelText(m_cube->Cols(), m_colLines, col, row + FixedRows(), firstVisibleCol);
    const qint64 count = CellSummary(col, row).count;
    return count > 0 ? QString::number(count) : QString();
}

QString TNewDecisionGrid::Cells(int col, int row) const
{
    return cellText(col, row, false, false);
}

TNewDecisionGrid::PivotStates TNewDecisionGrid::CellKind(int col, int row) const
{
    ensureLayout();
    const int fixedRows = FixedRows(), fixedCols = FixedCols();
    if (col < -fixedCols || row < -fixedRows || col >= m_colLines.count() ||
        row >= m_rowLines.count())
        return {};
    if (col < 0 && row < 0)
        return row == -1 ? PivotState::RowCaption : PivotState::ColCaption;
    PivotStates kind;
    if (row < 0)
        kind = PivotState::ColLabel;
    else if (col < 0)
        kind = PivotState::RowLabel;
    if ((row >= 0 && m_rowLines.isSum(row)) || (col >= 0 && m_colLines.isSum(col)))
        kind |= PivotState::Sum;
    if (row >= 0 && col >= 0 && !(kind & PivotState::Sum))
        kind |= PivotState::Data;
    return kind;
}

bool TNewDecisionGrid::IsSumRow(int row) const
{
    ensureLayout();
    return m_rowLines.isSum(row);
}

bool TNewDecisionGrid::IsSumCol(int col) const
{
    ensureLayout();
    return m_colLines.isSum(col);
}

CubeSummary TNewDecisionGrid::CellSummary(int col, int row) const
{
    ensureLayout();
    if (!m_cube || row < 0 || col < 0 || row >= m_rowLines.count() || col >= m_colLines.count())
        return {};
    const internal::PivotLine& r = m_rowLines.at(row);
    const internal::PivotLine& c = m_colLines.at(col);
    if (!r.isSum() && !c.isSum())
        return m_cube->Cell(r.tuple, c.tuple);
    return m_cube->Summary(r.range, c.range);
}

QColor TNewDecisionGrid::defaultBackground(PivotStates kind) const
{
    if (kind & (PivotState::RowCaption | PivotState::ColCaption))
        return CaptionColor;
    const bool sum = kind.testFlag(PivotState::Sum);
    if (kind & (PivotState::RowLabel | PivotState::ColLabel))
        return sum ? LabelSumColor : LabelColor;
    return sum ? DataSumColor : DataColor;
}

const QFont& TNewDecisionGrid::fontOf(PivotStates kind) const
{
    if (kind & (PivotState::RowCaption | PivotState::ColCaption))
        return CaptionFont;
    if (kind & (PivotState::RowLabel | PivotState::ColLabel))
        return LabelFont;
    return DataFont;
}

// --- painting --------------------------------------------------------------------------

int TNewDecisionGrid::colX(int col) const
{
    const int fixedCols = FixedCols();
    if (col < 0)
        return (col + fixedCols) * m_fixedColWidth;
    return fixedCols * m_fixedColWidth + (col - LeftCol()) * m_colWidth;
}

int TNewDecisionGrid::rowY(int row) const
{
    return (row + FixedRows() - (row >= 0 ? TopRow() : 0)) * m_rowHeight;
}

QRect TNewDecisionGrid::CellRect(int col, int row) const
{
    if (!CellKind(col, row) || (col >= 0 && col < LeftCol()) || (row >= 0 && row < TopRow()))
        return {};
    const QRect rect(colX(col), rowY(row), colWidthOf(col), m_rowHeight);
    return rect.intersects(viewport()->rect()) ? rect : QRect();
}

bool TNewDecisionGrid::CellAt(const QPoint& point, int& col, int& row) const
{
    ensureLayout();
    if (point.x() < 0 || point.y() < 0)
        return false;
    const int fixedCols = FixedCols(), fixedRows = FixedRows();
    const int fixedWidth = fixedCols * m_fixedColWidth;
    col = point.x() < fixedWidth ? point.x() / m_fixedColWidth - fixedCols
                                 : LeftCol() + (point.x() - fixedWidth) / m_colWidth;
    row = point.y() / m_rowHeight - fixedRows;
    if (row >= 0)
        row += TopRow();
    return bool(CellKind(col, row));
}

void TNewDecisionGrid::paintEvent(QPaintEvent*)
{
    ensureLayout();
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    const int fixedRows = FixedRows(), fixedCols = FixedCols();
    const int top = TopRow(), left = LeftCol();
    const int width = viewport()->width(), height = viewport()->height();

    // Fixed lines, then the data lines from the first visible one while they fit.
    auto visible = [](int fixed, int first, int count, int extent, auto position) {
        std::vector<int> lines;
        for (int i = -fixed; i < 0 && position(i) < extent; ++i)
            lines.push_back(i);
        for (int i = first; i < count && position(i) < extent; ++i)
            lines.push_back(i);
        return lines;
    };
    const std::vector<int> rows =
        visible(fixedRows, top, m_rowLines.count(), height, [this](int r) { return rowY(r); });
    const std::vector<int> cols =
        visible(fixedCols, left, m_colLines.count(), width, [this](int c) { return colX(c); });
    // Row by row, labels first: the screens' handlers rely on seeing the labels of a
    // column in order from the top.
    for (int r : rows)
        for (int c : cols)
            paintCell(painter, c, r, QRect(colX(c), rowY(r), colWidthOf(c), m_rowHeight), top,
                      left);
}

void TNewDecisionGrid::paintCell(QPainter& painter, int col, int row, const QRect& rect, int topRow,
                                 int leftCol)
{
    const PivotStates kind = CellKind(col, row);
    GridStates state;
    if (col < 0 || row < 0)
        state |= GridState::Fixed;
    const bool current = col == m_col && row == m_row && col >= 0 && row >= 0;
    if (current)
        state |= GridState::Selected;
    if (current && hasFocus())
        state |= GridState::Focused;
    QString text = cellText(col, row, row == topRow, col == leftCol);
    QColor background = defaultBackground(kind);
    m_emphasized = false;
    if (OnDecisionDrawCell)
        guarded([&] { OnDecisionDrawCell(col, row, text, background, state, kind); });

    painter.fillRect(rect, background);
    const bool caption = bool(kind & (PivotState::RowCaption | PivotState::ColCaption));
    painter.setPen(palette().color(caption ? QPalette::HighlightedText : QPalette::Text));
    if (m_emphasized) {
        auto bold = m_emphasisFonts.find(int(kind));
        if (bold == m_emphasisFonts.end()) {
            QFont font = fontOf(kind);
            font.setBold(true);
            bold = m_emphasisFonts.insert(int(kind), font);
        }
        painter.setFont(*bold);
    } else {
        painter.setFont(fontOf(kind));
    }
    const Qt::Alignment align =
        (col >= 0 && row >= 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    painter.drawText(rect.adjusted(2, 0, -3, 0), int(align) | Qt::TextSingleLine, text);
    if (m_gridLines) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    }
    if (current) {
        QPen frame(palette().color(QPalette::Highlight));
        frame.setWidth(hasFocus() ? 2 : 1);
        painter.setPen(frame);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(1, 1, -2, -2));
    }
}

} // namespace host

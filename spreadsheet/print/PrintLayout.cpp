#include "PrintLayout.h"

#include "host/pivot/NewDecisionGrid.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace module {

namespace {

// Lines of `size` that fit whole in `room`; rounding must not lose a line that fits exactly.
int linesIn(qreal room, qreal size)
{
    if (size <= 0)
        throw std::invalid_argument("printed cells need a size");
    return std::max(1, int(std::floor(room / size + 1e-6)));
}

int pagesFor(int lines, int perPage)
{
    return std::max(1, (lines + perPage - 1) / perPage);
}

} // namespace

WorksheetPrintLayout::WorksheetPrintLayout(int fixedCols, int fixedRows, int dataCols, int dataRows,
                                           const QSizeF& area, const CellSizes& sizes)
    : m_fixedCols(std::max(0, fixedCols)), m_fixedRows(std::max(0, fixedRows)),
      m_dataCols(std::max(0, dataCols)), m_dataRows(std::max(0, dataRows)), m_sizes(sizes)
{
    m_colsPerPage = linesIn(area.width() - m_fixedCols * sizes.labelWidth, sizes.dataWidth);
    m_rowsPerPage = linesIn(area.height() - m_fixedRows * sizes.rowHeight, sizes.rowHeight);
    m_pagesAcross = pagesFor(m_dataCols, m_colsPerPage);
    m_pagesDown = pagesFor(m_dataRows, m_rowsPerPage);
}

WorksheetPrintLayout WorksheetPrintLayout::ofGrid(const host::TNewDecisionGrid& grid,
                                                  const QSizeF& area, const CellSizes& sizes)
{
    return WorksheetPrintLayout(grid.FixedCols(), grid.FixedRows(), grid.DataColCount(),
                                grid.DataRowCount(), area, sizes);
}

WorksheetPrintLayout::Page WorksheetPrintLayout::page(int index) const
{
    if (index < 0 || index >= pageCount())
        throw std::out_of_range("no such printed page");
    const int across = index / m_pagesDown;
    const int down = index % m_pagesDown;
    Page p;
    p.firstCol = across * m_colsPerPage;
    p.colCount = std::clamp(m_dataCols - p.firstCol, 0, m_colsPerPage);
    p.firstRow = down * m_rowsPerPage;
    p.rowCount = std::clamp(m_dataRows - p.firstRow, 0, m_rowsPerPage);
    return p;
}

std::vector<int> WorksheetPrintLayout::columnsOf(int index) const
{
    const Page p = page(index);
    std::vector<int> cols;
    for (int c = -m_fixedCols; c < 0; ++c)
        cols.push_back(c);
    for (int c = p.firstCol; c < p.firstCol + p.colCount; ++c)
        cols.push_back(c);
    return cols;
}

std::vector<int> WorksheetPrintLayout::rowsOf(int index) const
{
    const Page p = page(index);
    std::vector<int> rows;
    for (int r = -m_fixedRows; r < 0; ++r)
        rows.push_back(r);
    for (int r = p.firstRow; r < p.firstRow + p.rowCount; ++r)
        rows.push_back(r);
    return rows;
}

QRectF WorksheetPrintLayout::cellRect(const Page& page, int col, int row) const
{
    const qreal labels = m_fixedCols * m_sizes.labelWidth;
    const qreal x = col < 0 ? (col + m_fixedCols) * m_sizes.labelWidth
                            : labels + (col - page.firstCol) * m_sizes.dataWidth;
    const qreal y =
        (row < 0 ? row + m_fixedRows : m_fixedRows + row - page.firstRow) * m_sizes.rowHeight;
    return QRectF(x, y, col < 0 ? m_sizes.labelWidth : m_sizes.dataWidth, m_sizes.rowHeight);
}

QSizeF WorksheetPrintLayout::usedSize(const Page& page) const
{
    return QSizeF(m_fixedCols * m_sizes.labelWidth + page.colCount * m_sizes.dataWidth,
                  (m_fixedRows + page.rowCount) * m_sizes.rowHeight);
}

} // namespace module

#pragma once

#include <QRectF>
#include <QSizeF>
#include <vector>

namespace host {
class TNewDecisionGrid;
}

namespace module {

// How the worksheet's pivot falls onto printed pages. Every page repeats the label columns
// (product and brand) on its left and the header rows (region, supplier) on its top, and
// takes as many supplier columns and product rows as its printable area holds; at least one
// of each, cut at the edge when even one does not fit. Pages run down first, then across: all
// the products of the first suppliers, then all the products of the next ones.
//
// Coordinates are the grid's: data lines from 0, label columns and header rows negative.
class WorksheetPrintLayout
{
public:
    // The printed size of the cells, in the unit of the area.
    struct CellSizes
    {
        qreal labelWidth = 0;
        qreal dataWidth = 0;
        qreal rowHeight = 0;
    };
    // The data lines one page shows.
    struct Page
    {
        int firstCol = 0;
        int colCount = 0;
        int firstRow = 0;
        int rowCount = 0;
    };

    WorksheetPrintLayout(int fixedCols, int fixedRows, int dataCols, int dataRows,
                         const QSizeF& area, const CellSizes& sizes);
    // The layout of a grid's lines as they are now.
    static WorksheetPrintLayout ofGrid(const host::TNewDecisionGrid& grid, const QSizeF& area,
                                       const CellSizes& sizes);

    int colsPerPage() const { return m_colsPerPage; }
    int rowsPerPage() const { return m_rowsPerPage; }
    int pagesAcross() const { return m_pagesAcross; }
    int pagesDown() const { return m_pagesDown; }
    // Never less than one: a worksheet without lines still prints its labels.
    int pageCount() const { return m_pagesAcross * m_pagesDown; }

    // Page index from 0.
    Page page(int index) const;
    // The columns and rows of a page in printing order: the label columns and header rows
    // first, then the page's data lines.
    std::vector<int> columnsOf(int index) const;
    std::vector<int> rowsOf(int index) const;
    // Where a cell of a page lies, from the top left corner of the area.
    QRectF cellRect(const Page& page, int col, int row) const;
    // The size the page's cells take.
    QSizeF usedSize(const Page& page) const;

private:
    int m_fixedCols;
    int m_fixedRows;
    int m_dataCols;
    int m_dataRows;
    CellSizes m_sizes;
    int m_colsPerPage = 1;
    int m_rowsPerPage = 1;
    int m_pagesAcross = 1;
    int m_pagesDown = 1;
};

} // namespace module

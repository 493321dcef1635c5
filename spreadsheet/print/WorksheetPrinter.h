#pragma once

#include "PrintLayout.h"

#include "host/core/Messages.h"
#include "host/pivot/NewDecisionGrid.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace module {

class TfrmPlanCotaPrec;
class Worksheet;

// The worksheet on paper: the pivot as the screen shows it (the worksheet's own cell texts
// and colours, prices with five decimals, "-" where the supplier has no item, the sum lines
// that are shown), spread over pages by WorksheetPrintLayout, under a header with the
// quotation, its buyer and its validity, and over a footer "Página N de M". Items the
// worksheet marks (the best prices) print in bold, as on the screen.
//
// The cells print a little smaller than on the screen, so that a page takes a useful number
// of suppliers; the fonts shrink with them.
class WorksheetPrinter
{
public:
    explicit WorksheetPrinter(TfrmPlanCotaPrec& form);

    // A cell as it is printed.
    struct PrintedCell
    {
        int col = 0;
        int row = 0;
        QString text;
        QColor background;
        host::TNewDecisionGrid::PivotStates kind;
        bool bold = false; // an item the worksheet marks (the best price)
    };

    // The layout of the worksheet on the pages of a device (a printer or a PDF writer).
    WorksheetPrintLayout layoutFor(const QPaintDevice& device) const;
    // The cells of one page in painting order, row by row from the header rows down and each
    // row from its labels on. A group (region, supplier) that runs on from the page before
    // is named again in the page's first column.
    std::vector<PrintedCell> pageCells(const WorksheetPrintLayout& layout, int page) const;
    // The page header: the title, then the quotation with its date, the buyer and the
    // validity period.
    QStringList headerLines() const;
    // Paints every page onto the device; answers the layout it followed.
    WorksheetPrintLayout print(QPagedPaintDevice& device) const;

private:
    // Sizes and fonts on one device.
    struct Metrics
    {
        qreal scale = 1;
        WorksheetPrintLayout::CellSizes cells;
        QFont titleFont, headerFont, footerFont;
        QFont captionFont, labelFont, dataFont;
        QRectF header, grid, footer;
    };
    Metrics metricsFor(const QPaintDevice& device) const;
    QString labelText(int col, int row, bool firstCol, bool firstRow) const;
    QColor defaultBackground(host::TNewDecisionGrid::PivotStates kind) const;
    void paintPage(QPainter& painter, const Metrics& metrics, const WorksheetPrintLayout& layout,
                   int page) const;

    TfrmPlanCotaPrec& m_form;
    Worksheet& m_sheet;
    host::TNewDecisionGrid& m_grid;
    host::Messages m_texts;
};

} // namespace module

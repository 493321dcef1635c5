#include "WorksheetPrinter.h"

#include "module/entry/PlanCotaPrecPages.h"
#include "module/records/QuotationRecords.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/Worksheet.h"

#include "host/core/consiste/Consiste.h"
#include "host/ui/Guard.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

namespace module {

namespace {

using PivotState = host::TNewDecisionGrid::PivotState;
using GridState = host::TNewDecisionGrid::GridState;

// The cells print at this fraction of their size on the screen.
constexpr qreal kPrintScale = 0.8;
// Point sizes of the page header and footer.
constexpr qreal kTitlePoints = 11;
constexpr qreal kHeaderPoints = 8;
constexpr qreal kFooterPoints = 7;
// Space between the header, the grid and the footer, in millimetres.
constexpr qreal kGapMillimetres = 3;

// A screen font at the printed scale. Pixel-sized fonts are taken at the screen's density.
QFont printFont(QFont font, qreal sourceDpi)
{
    const qreal points = font.pointSizeF() > 0  ? font.pointSizeF()
                         : font.pixelSize() > 0 ? font.pixelSize() * 72.0 / sourceDpi
                                                : 9.0;
    font.setPointSizeF(points * kPrintScale);
    return font;
}

QFont sized(QFont font, qreal points, bool bold = false)
{
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString fieldText(const host::DataSet& data, const char* name)
{
    const host::Field* field = data.FindField(QString::fromLatin1(name));
    return field ? field->AsString() : QString();
}

QDate fieldDate(const host::DataSet& data, const char* name)
{
    const host::Field* field = data.FindField(QString::fromLatin1(name));
    return field ? field->AsDate() : QDate();
}

} // namespace

WorksheetPrinter::WorksheetPrinter(TfrmPlanCotaPrec& form)
    : m_form(form), m_sheet(worksheetOf(form)), m_grid(*m_sheet.degCotacao),
      m_texts(host::Messages::load(QStringLiteral("PLANPRT")))
{
}

WorksheetPrinter::Metrics WorksheetPrinter::metricsFor(const QPaintDevice& device) const
{
    Metrics m;
    const qreal sourceX = m_grid.logicalDpiX() > 0 ? m_grid.logicalDpiX() : 96;
    const qreal sourceY = m_grid.logicalDpiY() > 0 ? m_grid.logicalDpiY() : 96;
    const qreal scaleX = kPrintScale * device.logicalDpiX() / sourceX;
    const qreal scaleY = kPrintScale * device.logicalDpiY() / sourceY;
    m.scale = scaleX;
    m.cells.labelWidth = m_grid.FixedColWidth() * scaleX;
    m.cells.dataWidth = m_grid.DefaultColWidth() * scaleX;
    m.cells.rowHeight = m_grid.DefaultRowHeight() * scaleY;
    m.captionFont = printFont(m_grid.CaptionFont, sourceY);
    m.labelFont = printFont(m_grid.LabelFont, sourceY);
    m.dataFont = printFont(m_grid.DataFont, sourceY);
    m.titleFont = sized(m_grid.font(), kTitlePoints, true);
    m.headerFont = sized(m_grid.font(), kHeaderPoints);
    m.footerFont = sized(m_grid.font(), kFooterPoints);

    // Title, then two lines of the quotation's data; the grid; the footer at the bottom.
    const qreal gap = kGapMillimetres * device.logicalDpiY() / 25.4;
    const qreal headerHeight = QFontMetricsF(m.titleFont, &device).height() +
                               2 * QFontMetricsF(m.headerFont, &device).height();
    const qreal footerHeight = QFontMetricsF(m.footerFont, &device).height();
    const qreal width = device.width(), height = device.height();
    m.header = QRectF(0, 0, width, headerHeight);
    m.footer = QRectF(0, height - footerHeight, width, footerHeight);
    m.grid =
        QRectF(0, headerHeight + gap, width,
               std::max<qreal>(m.cells.rowHeight, height - headerHeight - footerHeight - 2 * gap));
    return m;
}

WorksheetPrintLayout WorksheetPrinter::layoutFor(const QPaintDevice& device) const
{
    const Metrics metrics = metricsFor(device);
    return WorksheetPrintLayout::ofGrid(m_grid, metrics.grid.size(), metrics.cells);
}

QStringList WorksheetPrinter::headerLines() const
{
    const host::DataSet& list = m_form.cdsColetapr;
    const bool filled = list.Active() && !list.IsEmpty();
    const QLocale locale = host::operatorLocale();
    const QDate date = m_form.currentDate();
    QString quotation = m_texts.Msg(QStringLiteral("Cotacao")).arg(m_form.currentNumber());
    if (date.isValid())
        quotation += QLatin1Char(' ') + m_texts.Msg(QStringLiteral("DataCotacao"))
                                            .arg(locale.toString(date, QLocale::ShortFormat));
    QString buyer = m_form.quotationBuyer().trimmed();
    const QString buyerName = filled ? fieldText(list, "NMOPERADOR").trimmed() : QString();
    if (!buyerName.isEmpty())
        buyer += QStringLiteral(" - ") + buyerName;
    const QString validity =
        filled ? validityRangeText(fieldDate(list, "DTINIVALCOL"), fieldDate(list, "DTFINVALCOL"),
                                   m_texts.Msg(QStringLiteral("msgA")))
               : QString();
    return {m_texts.Msg(QStringLiteral("Titulo")), quotation,
            m_texts.Msg(QStringLiteral("Comprador")).arg(buyer),
            m_texts.Msg(QStringLiteral("Validade")).arg(validity)};
}

QColor WorksheetPrinter::defaultBackground(host::TNewDecisionGrid::PivotStates kind) const
{
    if (kind & (PivotState::RowCaption | PivotState::ColCaption))
        return m_grid.CaptionColor;
    const bool sum = kind.testFlag(PivotState::Sum);
    if (kind & (PivotState::RowLabel | PivotState::ColLabel))
        return sum ? m_grid.LabelSumColor : m_grid.LabelColor;
    return sum ? m_grid.DataSumColor : m_grid.DataColor;
}

QString WorksheetPrinter::labelText(int col, int row, bool firstCol, bool firstRow) const
{
    const QString text = m_grid.Cells(col, row);
    if (!text.isEmpty())
        return text;
    // A region that began on the page before is named again on the page's first supplier
    // column (and so for the row labels). A sum line is left as it is where an outer label of
    // it already reads "Total" or "Subtotal".
    const bool header = row < 0 && col >= 0 && firstCol;
    const bool side = col < 0 && row >= 0 && firstRow;
    if (!header && !side)
        return text;
    if (header ? m_grid.IsSumCol(col) : m_grid.IsSumRow(row)) {
        const int first = header ? -m_grid.FixedRows() : -m_grid.FixedCols();
        for (int outer = first; outer < (header ? row : col); ++outer)
            if (!(header ? m_grid.Cells(col, outer) : m_grid.Cells(outer, row)).isEmpty())
                return text;
    }
    for (int line = (header ? col : row) - 1; line >= 0; --line) {
        const QString before = header ? m_grid.Cells(line, row) : m_grid.Cells(col, line);
        if (!before.isEmpty())
            return before;
    }
    return text;
}

std::vector<WorksheetPrinter::PrintedCell>
WorksheetPrinter::pageCells(const WorksheetPrintLayout& layout, int page) const
{
    const WorksheetPrintLayout::Page part = layout.page(page);
    const std::vector<int> cols = layout.columnsOf(page);
    const std::vector<int> rows = layout.rowsOf(page);
    // The worksheet's drawing handler turns counts into prices and full values into names;
    // it expects the cells from the top left corner on, as a paint of the grid sends them.
    const auto& draw = m_grid.OnDecisionDrawCell;
    std::vector<PrintedCell> cells;
    cells.reserve(cols.size() * rows.size());
    for (int row : rows) {
        for (int col : cols) {
            const host::TNewDecisionGrid::PivotStates kind = m_grid.CellKind(col, row);
            if (!kind)
                continue;
            host::TNewDecisionGrid::GridStates state;
            if (col < 0 || row < 0)
                state |= GridState::Fixed;
            PrintedCell cell{col, row, QString(), defaultBackground(kind), kind};
            cell.text = kind & (PivotState::RowLabel | PivotState::ColLabel)
                            ? labelText(col, row, col == part.firstCol, row == part.firstRow)
                            : m_grid.Cells(col, row);
            if (draw)
                draw(col, row, cell.text, cell.background, state, kind);
            cell.bold = kind.testFlag(PivotState::Data) && m_sheet.IsMarkedItem &&
                        m_sheet.IsMarkedItem(m_sheet.CalcIndex(col, row));
            cells.push_back(std::move(cell));
        }
    }
    return cells;
}

void WorksheetPrinter::paintPage(QPainter& painter, const Metrics& metrics,
                                 const WorksheetPrintLayout& layout, int page) const
{
    const QPalette palette = m_grid.palette();
    const QStringList header = headerLines();
    painter.setPen(palette.color(QPalette::WindowText));

    // The header: the title, the quotation left and its validity right, the buyer below.
    QRectF line = metrics.header;
    painter.setFont(metrics.titleFont);
    line.setHeight(QFontMetricsF(metrics.titleFont, painter.device()).height());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, header.value(0));
    painter.setFont(metrics.headerFont);
    const qreal headerLine = QFontMetricsF(metrics.headerFont, painter.device()).height();
    line = QRectF(line.left(), line.bottom(), line.width(), headerLine);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, header.value(1));
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, header.value(3));
    line.translate(0, headerLine);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, header.value(2));

    // The grid.
    const WorksheetPrintLayout::Page part = layout.page(page);
    const QPointF origin = metrics.grid.topLeft();
    const qreal lineWidth = std::max<qreal>(1.0, painter.device()->logicalDpiX() / 200.0);
    const QPen gridPen(palette.color(QPalette::Mid), lineWidth);
    const qreal padLeft = 2 * metrics.scale, padRight = 3 * metrics.scale;
    for (const PrintedCell& cell : pageCells(layout, page)) {
        const QRectF rect = layout.cellRect(part, cell.col, cell.row).translated(origin);
        painter.fillRect(rect, cell.background);
        const bool caption = bool(cell.kind & (PivotState::RowCaption | PivotState::ColCaption));
        const bool label = bool(cell.kind & (PivotState::RowLabel | PivotState::ColLabel));
        painter.setPen(palette.color(caption ? QPalette::HighlightedText : QPalette::Text));
        QFont font = caption ? metrics.captionFont : label ? metrics.labelFont : metrics.dataFont;
        font.setBold(font.bold() || cell.bold);
        painter.setFont(font);
        const Qt::Alignment align =
            (cell.col >= 0 && cell.row >= 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        painter.drawText(rect.adjusted(padLeft, 0, -padRight, 0), int(align) | Qt::TextSingleLine,
                         cell.text);
        painter.setPen(gridPen);
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    }
    painter.setPen(gridPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(origin, layout.usedSize(part)));

    // The footer: when it was printed, and the page number.
    painter.setFont(metrics.footerFont);
    painter.setPen(palette.color(QPalette::WindowText));
    const QString printed =
        host::operatorLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    painter.drawText(metrics.footer, Qt::AlignLeft | Qt::AlignVCenter,
                     m_texts.Msg(QStringLiteral("Impresso")).arg(printed));
    painter.drawText(metrics.footer, Qt::AlignRight | Qt::AlignVCenter,
                     m_texts.Msg(QStringLiteral("Pagina")).arg(page + 1).arg(layout.pageCount()));
}

WorksheetPrintLayout WorksheetPrinter::print(QPagedPaintDevice& device) const
{
    const host::WaitCursor busy;
    const Metrics metrics = metricsFor(device);
    const WorksheetPrintLayout layout =
        WorksheetPrintLayout::ofGrid(m_grid, metrics.grid.size(), metrics.cells);
    QPainter painter;
    if (!painter.begin(&device))
        host::MensErro(m_texts.Msg(QStringLiteral("Err_Impressora")));
    for (int page = 0; page < layout.pageCount(); ++page) {
        if (page > 0 && !device.newPage())
            host::MensErro(m_texts.Msg(QStringLiteral("Err_Impressora")));
        paintPage(painter, metrics, layout, page);
    }
    painter.end();
    return layout;
}

} // namespace module

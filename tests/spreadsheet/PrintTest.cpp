// The worksheet printed: Ana's demo worksheet written as PDF on A4 both ways and on a smaller
// page, each file holding the pages its layout counts, every page repeating the labels and
// naming its region, the cells reading as the screen shows them; and the menu command
// showing the preview of the same pages.

#include "worksheet/WorksheetTestSupport.h"

#include "spreadsheet/SpreadsheetMenu.h"
#include "spreadsheet/print/PrintLayout.h"
#include "spreadsheet/print/WorksheetPrint.h"
#include "spreadsheet/print/WorksheetPrinter.h"

#include <QAction>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <memory>

using namespace listtest;
using namespace worksheettest;
using module::WorksheetPrinter;
using module::WorksheetPrintLayout;
using PivotState = host::TNewDecisionGrid::PivotState;

namespace {

class PrintFixture : public WorksheetFixture
{
protected:
    void SetUp() override
    {
        WorksheetFixture::SetUp();
        ASSERT_TRUE(m_files.isValid());
        openWorksheet(kAna, kAnaQuotation);
    }

    // Prints the worksheet into a PDF file of one page size; answers the layout printed.
    WorksheetPrintLayout printPdf(const QString& name, QPageSize::PageSizeId size,
                                  QPageLayout::Orientation orientation)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_files.filePath(name));
        printer.setPageLayout(QPageLayout(QPageSize(size), orientation, QMarginsF(10, 10, 10, 10),
                                          QPageLayout::Millimeter));
        return WorksheetPrinter(form()).print(printer);
    }

    // Page objects of a PDF file ("/Type /Page", the page tree "/Pages" left out).
    int pagesIn(const QString& name)
    {
        QFile file(m_files.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString pdf = QString::fromLatin1(file.readAll());
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
        return int(pdf.count(page));
    }

    // Every page starts with the label columns and the header rows, and the pages together
    // print each data cell exactly once.
    void expectLabelsOnEveryPageAndEachCellOnce(const WorksheetPrintLayout& layout)
    {
        const int fixedCols = grid().FixedCols(), fixedRows = grid().FixedRows();
        QSet<QPoint> printed;
        for (int page = 0; page < layout.pageCount(); ++page) {
            const std::vector<int> cols = layout.columnsOf(page);
            const std::vector<int> rows = layout.rowsOf(page);
            ASSERT_GT(int(cols.size()), fixedCols);
            ASSERT_GT(int(rows.size()), fixedRows);
            for (int i = 0; i < fixedCols; ++i)
                EXPECT_EQ(cols[size_t(i)], i - fixedCols) << "page " << page;
            for (int i = 0; i < fixedRows; ++i)
                EXPECT_EQ(rows[size_t(i)], i - fixedRows) << "page " << page;
            for (size_t c = size_t(fixedCols); c < cols.size(); ++c)
                for (size_t r = size_t(fixedRows); r < rows.size(); ++r)
                    EXPECT_FALSE(printed.contains(QPoint(cols[c], rows[r])))
                        << "page " << page << " prints a cell again";
            for (size_t c = size_t(fixedCols); c < cols.size(); ++c)
                for (size_t r = size_t(fixedRows); r < rows.size(); ++r)
                    printed.insert(QPoint(cols[c], rows[r]));
        }
        EXPECT_EQ(printed.size(), grid().DataColCount() * grid().DataRowCount());
    }

    // The cells of every page: each page names its regions, suppliers and first product, and
    // the data cells read as on the screen.
    void expectTextsOfTheScreen(const WorksheetPrintLayout& layout)
    {
        const QHash<QPoint, PaintedCell> screen = paint();
        WorksheetPrinter printer(form());
        static const QRegularExpression price(QStringLiteral("^\\d{1,3}(\\.\\d{3})*,\\d{5}$"));
        int compared = 0, prices = 0, notQuoted = 0;
        for (int page = 0; page < layout.pageCount(); ++page) {
            const WorksheetPrintLayout::Page part = layout.page(page);
            for (const WorksheetPrinter::PrintedCell& cell : printer.pageCells(layout, page)) {
                const bool firstCol = cell.col == part.firstCol,
                           firstRow = cell.row == part.firstRow;
                // The grand total column reads "Total" in the region row only.
                const bool sum = cell.kind.testFlag(PivotState::Sum);
                if (cell.kind.testFlag(PivotState::ColLabel) && (firstCol || cell.row == -1) &&
                    !(sum && cell.row == -1)) {
                    EXPECT_FALSE(cell.text.trimmed().isEmpty())
                        << "page " << page << " header row " << cell.row << " column " << cell.col;
                }
                if (cell.kind.testFlag(PivotState::RowLabel) && firstRow) {
                    EXPECT_FALSE(cell.text.left(30).trimmed().isEmpty()) << "page " << page;
                }
                if (!cell.kind.testFlag(PivotState::Data))
                    continue;
                const QString text = cell.text.trimmed();
                EXPECT_TRUE(text == QLatin1String("-") || price.match(text).hasMatch())
                    << text.toStdString();
                if (text == QLatin1String("-"))
                    ++notQuoted;
                else
                    ++prices;
                const auto shown = screen.constFind(QPoint(cell.col, cell.row));
                if (shown == screen.constEnd())
                    continue;
                EXPECT_EQ(cell.text, shown->text) << cell.col << "," << cell.row;
                EXPECT_EQ(cell.background, shown->background) << cell.col << "," << cell.row;
                ++compared;
            }
        }
        EXPECT_GT(compared, 10);
        EXPECT_GT(prices, 0);
        EXPECT_GT(notQuoted, 0);
    }

    QTemporaryDir m_files;
};

} // namespace

TEST_F(PrintFixture, A4BothWaysHoldsThePagesOfTheLayoutWithTheLabelsOnEach)
{
    ASSERT_GT(grid().DataColCount(), 0);
    ASSERT_GT(grid().DataRowCount(), 0);
    const WorksheetPrintLayout portrait =
        printPdf(QStringLiteral("portrait.pdf"), QPageSize::A4, QPageLayout::Portrait);
    const WorksheetPrintLayout landscape =
        printPdf(QStringLiteral("landscape.pdf"), QPageSize::A4, QPageLayout::Landscape);

    // Ana's suppliers do not fit across a portrait page; a landscape page takes more of them
    // and fewer products.
    EXPECT_GT(portrait.pagesAcross(), 1);
    EXPECT_GT(landscape.colsPerPage(), portrait.colsPerPage());
    EXPECT_LT(landscape.rowsPerPage(), portrait.rowsPerPage());
    EXPECT_EQ(pagesIn(QStringLiteral("portrait.pdf")), portrait.pageCount());
    EXPECT_EQ(pagesIn(QStringLiteral("landscape.pdf")), landscape.pageCount());
    // What the device asks for before printing is what was printed.
    QPrinter again(QPrinter::HighResolution);
    again.setOutputFormat(QPrinter::PdfFormat);
    again.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    EXPECT_EQ(WorksheetPrinter(form()).layoutFor(again).pageCount(), portrait.pageCount());

    expectLabelsOnEveryPageAndEachCellOnce(portrait);
    expectLabelsOnEveryPageAndEachCellOnce(landscape);
    expectTextsOfTheScreen(portrait);

    // The header names the quotation, its buyer and its validity.
    const QStringList header = WorksheetPrinter(form()).headerLines();
    EXPECT_TRUE(header.join(QLatin1Char('\n')).contains(kAnaQuotation));
    EXPECT_TRUE(header.join(QLatin1Char('\n')).contains(kAna));
    EXPECT_TRUE(header.last().contains(QRegularExpression(QStringLiteral("\\d\\d/\\d\\d/\\d{4}"))))
        << header.last().toStdString();
}

TEST_F(PrintFixture, ASmallerPageTakesMorePagesAndTheMenuPreviewsThem)
{
    const WorksheetPrintLayout a4 =
        printPdf(QStringLiteral("a4.pdf"), QPageSize::A4, QPageLayout::Landscape);
    const WorksheetPrintLayout a6 =
        printPdf(QStringLiteral("a6.pdf"), QPageSize::A6, QPageLayout::Landscape);
    EXPECT_GT(a6.pageCount(), a4.pageCount());
    // Ana's products no longer fit down the page: the pages split both ways.
    EXPECT_GT(a6.pagesDown(), 1);
    EXPECT_EQ(pagesIn(QStringLiteral("a6.pdf")), a6.pageCount());
    expectLabelsOnEveryPageAndEachCellOnce(a6);
    expectTextsOfTheScreen(a6);

    // A page too narrow for a single supplier beside the labels still prints one per page.
    const WorksheetPrintLayout narrow(1, 2, 7, 3, QSizeF(100, 50), {90, 40, 10});
    EXPECT_EQ(narrow.colsPerPage(), 1);
    EXPECT_EQ(narrow.rowsPerPage(), 3);
    EXPECT_EQ(narrow.pageCount(), 7);
    // Down first, then across: the second page holds the next products of the same suppliers.
    const WorksheetPrintLayout tall(1, 2, 4, 9, QSizeF(180, 50), {90, 40, 10});
    EXPECT_EQ(tall.page(1).firstCol, 0);
    EXPECT_EQ(tall.page(1).firstRow, 3);
    EXPECT_EQ(tall.page(3).firstCol, 2);

    // The menu command shows the same pages in the host's preview, on A4 landscape.
    module::SpreadsheetMenu& menu = module::spreadsheetMenuOf(form());
    module::installWorksheetPrint(menu);
    ASSERT_TRUE(menu.mnuImprimirPlanilha->isEnabled());
    int previewed = -1, expected = 0;
    ui().onModal(QStringLiteral("VISUALIZAR_IMPRESSAO"), [&](QDialog& dialog) {
        auto& preview = dynamic_cast<QPrintPreviewDialog&>(dialog);
        auto* pages = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(pages, nullptr);
        previewed = pages->pageCount();
        EXPECT_EQ(preview.printer()->pageLayout().orientation(), QPageLayout::Landscape);
        expected = WorksheetPrinter(form()).layoutFor(*preview.printer()).pageCount();
        dialog.reject();
    });
    menu.mnuImprimirPlanilha->trigger();
    EXPECT_EQ(previewed, expected);
    EXPECT_EQ(previewed, a4.pageCount());
    EXPECT_TRUE(ui().messageTexts(host::MessageKind::Error).isEmpty())
        << ui().lastMessage().toStdString();
}

// The worksheet and the quotation list exported from the menu "Planilha" and read back as a
// spreadsheet program reads them: the sheet XML, the shared strings and the styles out of
// the zip. The buyer's save dialog is answered with a path in a temporary folder.

#include "worksheet/WorksheetTestSupport.h"

#include "spreadsheet/SpreadsheetMenu.h"
#include "spreadsheet/export/ListExport.h"
#include "spreadsheet/export/SpreadsheetExport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <map>
#include <zip.h>

using namespace listtest;
using namespace worksheettest;

namespace {

// Spreadsheet column letters of a zero-based column: 0 "A", 26 "AA".
QString letters(int column)
{
    return column < 26 ? QString(QChar(u'A' + column))
                       : letters(column / 26 - 1) + QChar(u'A' + column % 26);
}

QByteArray zipEntry(const QString& path, const char* name)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return {};
    QByteArray data;
    zip_stat_t stat;
    if (zip_stat(archive, name, 0, &stat) == 0) {
        if (zip_file_t* entry = zip_fopen(archive, name, 0)) {
            data.resize(qsizetype(stat.size));
            if (zip_fread(entry, data.data(), stat.size) != zip_int64_t(stat.size))
                data.clear();
            zip_fclose(entry);
        }
    }
    zip_discard(archive);
    return data;
}

struct XlsxCell
{
    QString text; // the shared string, or the number as written
    QString formula;
    bool number = false;
    int style = 0;
};

// One sheet of a workbook read back: its cells by reference ("C4"), merged ranges and the
// first cell below and right of the frozen panes.
struct XlsxSheet
{
    QHash<QString, XlsxCell> cells;
    QStringList merged;
    QString frozenAt;

    XlsxCell at(int row, int column) const // 1-based row, 0-based column
    {
        return cells.value(letters(column) + QString::number(row));
    }
};

class XlsxReader
{
public:
    explicit XlsxReader(const QString& path) : m_path(path)
    {
        QXmlStreamReader strings(zipEntry(path, "xl/sharedStrings.xml"));
        while (!strings.atEnd()) {
            if (strings.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (strings.name() == u"si")
                m_strings.append(QString());
            else if (strings.name() == u"t" && !m_strings.isEmpty())
                m_strings.last() += strings.readElementText();
        }
        QXmlStreamReader book(zipEntry(path, "xl/workbook.xml"));
        while (!book.atEnd())
            if (book.readNext() == QXmlStreamReader::StartElement && book.name() == u"sheet")
                sheetNames.append(book.attributes().value(QLatin1String("name")).toString());
        QXmlStreamReader styles(zipEntry(path, "xl/styles.xml"));
        QHash<int, QString> formats;
        bool cellFormats = false;
        while (!styles.atEnd()) {
            const auto token = styles.readNext();
            if (token == QXmlStreamReader::EndElement && styles.name() == u"cellXfs")
                cellFormats = false;
            if (token != QXmlStreamReader::StartElement)
                continue;
            const int id = styles.attributes().value(QLatin1String("numFmtId")).toInt();
            if (styles.name() == u"numFmt")
                formats.insert(id,
                               styles.attributes().value(QLatin1String("formatCode")).toString());
            else if (styles.name() == u"cellXfs")
                cellFormats = true;
            else if (styles.name() == u"xf" && cellFormats)
                m_styleFormats.append(formats.value(id));
        }
    }

    QStringList sheetNames;

    XlsxSheet sheet(int number) const
    {
        XlsxSheet sheet;
        QXmlStreamReader xml(
            zipEntry(m_path, QStringLiteral("xl/worksheets/sheet%1.xml").arg(number).toLatin1()));
        QString ref;
        QString type;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const auto attributes = xml.attributes();
            if (xml.name() == u"c") {
                ref = attributes.value(QLatin1String("r")).toString();
                type = attributes.value(QLatin1String("t")).toString();
                sheet.cells[ref].style = attributes.value(QLatin1String("s")).toInt();
            } else if (xml.name() == u"v") {
                const QString value = xml.readElementText();
                XlsxCell& cell = sheet.cells[ref];
                cell.number = type.isEmpty() || type == u"n";
                cell.text = type == u"s" ? m_strings.value(value.toInt()) : value;
            } else if (xml.name() == u"f") {
                sheet.cells[ref].formula = xml.readElementText();
            } else if (xml.name() == u"mergeCell") {
                sheet.merged.append(attributes.value(QLatin1String("ref")).toString());
            } else if (xml.name() == u"pane") {
                sheet.frozenAt = attributes.value(QLatin1String("topLeftCell")).toString();
            }
        }
        return sheet;
    }
    // The number format code of a cell's style ("" for the general format).
    QString formatOf(const XlsxCell& cell) const { return m_styleFormats.value(cell.style); }

private:
    QString m_path;
    QStringList m_strings;
    QStringList m_styleFormats;
};

QString label(const QString& code, const QString& name)
{
    return code + QStringLiteral(" - ") + name;
}

class ExportFixture : public WorksheetFixture
{
protected:
    void SetUp() override
    {
        WorksheetFixture::SetUp();
        ASSERT_TRUE(m_files.isValid());
        m_savedDialog = module::exportFileDialog();
    }
    void TearDown() override
    {
        module::exportFileDialog() = m_savedDialog;
        WorksheetFixture::TearDown();
    }

    module::SpreadsheetMenu& menu()
    {
        module::SpreadsheetMenu& menu = module::spreadsheetMenuOf(form());
        module::installSpreadsheetExport(menu);
        return menu;
    }
    QString file(const QString& name) const { return m_files.filePath(name); }
    QString folder() const { return m_files.path(); }
    QStringList filesLeft() const
    {
        return QDir(m_files.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // The buyer answers the next save dialogs with `path` and the type at `filter`; what the
    // dialog was asked is kept.
    void answerDialog(const QString& path, int filter = 0)
    {
        m_requests.clear();
        module::exportFileDialog() = [this, path,
                                      filter](const module::ExportFileRequest& request) {
            m_requests.append(request);
            return module::ExportFileChoice{path, request.filters.value(filter)};
        };
    }
    void expectNoError()
    {
        EXPECT_TRUE(ui().messageTexts(host::MessageKind::Error).isEmpty())
            << ui().lastMessage().toStdString();
    }

    QList<module::ExportFileRequest> m_requests;

private:
    QTemporaryDir m_files;
    module::ExportFileDialog m_savedDialog;
};

} // namespace

TEST_F(ExportFixture, TheWorksheetFileHoldsEveryPriceInItsRegionSupplierAndProductCell)
{
    openWorksheet(kAna, kAnaQuotation);
    ASSERT_GT(items().RecordCount(), 2);
    // A price typed and not saved yet is part of the worksheet shown.
    items().First();
    items().Edit();
    items().FieldByName(QStringLiteral("CONTA")).SetAsFloat(1234.56789);
    items().Post();

    // What the file must show, read from the item table and the pivot.
    using Cell = std::pair<QString, QString>;
    std::map<std::pair<Cell, Cell>, double> prices;
    for (items().First(); !items().Eof(); items().Next()) {
        const QString region = items().FieldByName(QStringLiteral("COCREGIAO")).AsString();
        const QString supplier = items().FieldByName(QStringLiteral("COCFORNECED")).AsString();
        const QString product = items().FieldByName(QStringLiteral("COCPRODUTO")).AsString();
        const Cell column{
            label(module::regionCodeOf(region), module::regionNameOf(region)),
            label(module::supplierCodeOf(supplier), module::supplierNameOf(supplier))};
        const Cell row{label(module::productCodeOf(product), module::productNameOf(product)),
                       label(module::brandCodeOf(product), module::brandNameOf(product))};
        prices[{column, row}] = items().FieldByName(QStringLiteral("CONTA")).AsFloat();
    }
    const host::TDecisionCube& cube = sheet().decCotacao;
    ASSERT_TRUE(cube.Active());
    QList<Cell> columns;
    for (int c = 0; c < cube.Cols().Count(); ++c) {
        const QString region = cube.Values(0).at(cube.Cols().Value(c, 0));
        const QString supplier = cube.Values(1).at(cube.Cols().Value(c, 1));
        columns.append({label(module::regionCodeOf(region), module::regionNameOf(region)),
                        label(module::supplierCodeOf(supplier), module::supplierNameOf(supplier))});
    }
    QList<Cell> rows;
    for (int r = 0; r < cube.Rows().Count(); ++r) {
        const QString product = cube.Values(2).at(cube.Rows().Value(r, 0));
        rows.append({label(module::productCodeOf(product), module::productNameOf(product)),
                     label(module::brandCodeOf(product), module::brandNameOf(product))});
    }

    answerDialog(file(QStringLiteral("ana")));
    menu().mnuExportarPlanilha->trigger();
    expectNoError();
    ASSERT_EQ(m_requests.size(), 1);
    EXPECT_TRUE(m_requests.first().suggestedPath.endsWith(QStringLiteral(".xlsx")));
    // The type's suffix is added; nothing else is left in the folder.
    EXPECT_EQ(filesLeft(), QStringList{QStringLiteral("ana.xlsx")});

    const XlsxReader book(file(QStringLiteral("ana.xlsx")));
    EXPECT_EQ(book.sheetNames, QStringList{QStringLiteral("Planilha")});
    const XlsxSheet xlsx = book.sheet(1);
    EXPECT_EQ(xlsx.at(1, 0).text, QStringLiteral("Região"));
    EXPECT_EQ(xlsx.at(2, 0).text, QStringLiteral("Fornecedor"));
    EXPECT_EQ(xlsx.at(3, 0).text, QStringLiteral("Produto"));
    EXPECT_EQ(xlsx.at(3, 1).text, QStringLiteral("Marca"));
    EXPECT_EQ(xlsx.frozenAt, QStringLiteral("C4"));

    // The header: the pivot's columns in its order, each region named once over its
    // suppliers, merged.
    QString region;
    for (int c = 0; c < columns.size(); ++c) {
        const XlsxCell top = xlsx.at(1, 2 + c);
        if (!top.text.isEmpty()) {
            region = top.text;
            int last = c;
            while (last + 1 < columns.size() && columns[last + 1].first == region)
                ++last;
            if (last > c) {
                EXPECT_TRUE(xlsx.merged.contains(
                    QStringLiteral("%1:%2").arg(letters(2 + c) + u'1', letters(2 + last) + u'1')))
                    << region.toStdString();
            }
        }
        EXPECT_EQ(region, columns[c].first) << c;
        EXPECT_EQ(xlsx.at(2, 2 + c).text, columns[c].second) << c;
    }

    int priced = 0;
    int empty = 0;
    for (int r = 0; r < rows.size(); ++r) {
        const int row = 4 + r;
        ASSERT_EQ(xlsx.at(row, 0).text, rows[r].first) << row;
        ASSERT_EQ(xlsx.at(row, 1).text, rows[r].second) << row;
        for (int c = 0; c < columns.size(); ++c) {
            const XlsxCell cell = xlsx.at(row, 2 + c);
            const auto expected = prices.find({columns[c], rows[r]});
            if (expected == prices.end()) {
                EXPECT_TRUE(cell.text.isEmpty() && cell.formula.isEmpty())
                    << letters(2 + c).toStdString() << row;
                ++empty;
                continue;
            }
            ++priced;
            EXPECT_TRUE(cell.number) << letters(2 + c).toStdString() << row;
            EXPECT_DOUBLE_EQ(cell.text.toDouble(), expected->second)
                << letters(2 + c).toStdString() << row;
            EXPECT_EQ(book.formatOf(cell), QStringLiteral("#,##0.00000"));
        }
    }
    EXPECT_EQ(priced, int(prices.size()));
    EXPECT_GT(empty, 0) << "the demo worksheet has cells without an item";

    // The last row counts each column's prices.
    const int totalRow = 4 + int(rows.size());
    EXPECT_EQ(xlsx.at(totalRow, 0).text, QStringLiteral("Total"));
    for (int c = 0; c < columns.size(); ++c) {
        const QString column = letters(2 + c);
        const XlsxCell total = xlsx.at(totalRow, 2 + c);
        EXPECT_EQ(total.formula,
                  QStringLiteral("COUNT(%1%2:%1%3)").arg(column).arg(4).arg(totalRow - 1));
        int inColumn = 0;
        for (const auto& [cell, price] : prices)
            inColumn += cell.first == columns[c];
        EXPECT_EQ(total.text.toInt(), inColumn) << column.toStdString();
    }
}

TEST_F(ExportFixture, TheListGoesToCsvForPtBrAndToAWorkbookOfTwoSheets)
{
    openAs(kAna);
    goTo(kAnaQuotation);
    const int anaSuppliers = form().cdsFornCotados.RecordCount();
    ASSERT_GT(anaSuppliers, 0);
    const QString day = list()
                            .FieldByName(QStringLiteral("DTCOLEPREC"))
                            .AsDate()
                            .toString(QStringLiteral("dd/MM/yyyy"));

    answerDialog(file(QStringLiteral("lista.csv")), 1); // the name decides over the type
    menu().mnuExportarLista->trigger();
    expectNoError();
    QFile csv(file(QStringLiteral("lista.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.first(), QStringLiteral("Filial;Número;Data;Semana Inicial;Semana Final;"
                                            "Validade Inicial;Validade Final;Comprador;"
                                            "Nome do Comprador;Tipo de Coleta;Lista"));
    const int blank = int(lines.indexOf(QString()));
    ASSERT_EQ(blank, list().RecordCount() + 1);
    EXPECT_EQ(lines.at(blank + 1),
              QStringLiteral("Cotação;Tipo;Inscrição;Razão Social;Nome Fantasia"));
    const QStringList ana =
        lines.filter(QRegularExpression(QStringLiteral("^0001;0000000003;"))).value(0).split(u';');
    ASSERT_EQ(ana.size(), 11);
    EXPECT_EQ(ana.at(2), day);
    EXPECT_EQ(ana.at(7), kAna);
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^0000000003;"))).size(),
              anaSuppliers);
    EXPECT_EQ(lines.last(), QString()); // the last line ends too

    // Numbers with a decimal comma, fields with the separator or quotes quoted.
    module::ExportTable table{QStringLiteral("T"),
                              {QStringLiteral("Preço"), QStringLiteral("Obs")},
                              {{1234.5, QStringLiteral("a;b \"c\"")}, {QVariant(), 0.00001}}};
    module::writeTablesCsv({table}, file(QStringLiteral("numeros.csv")));
    QFile numbers(file(QStringLiteral("numeros.csv")));
    ASSERT_TRUE(numbers.open(QIODevice::ReadOnly));
    EXPECT_EQ(numbers.readAll(), QByteArray("\xEF\xBB\xBF"
                                            "Preço;Obs\r\n"
                                            "1234,5;\"a;b \"\"c\"\"\"\r\n"
                                            ";0,00001\r\n"));

    // Without a suffix the type chosen in the dialog decides.
    answerDialog(file(QStringLiteral("lista")), 1);
    menu().mnuExportarLista->trigger();
    expectNoError();
    ASSERT_EQ(m_requests.size(), 1);
    ASSERT_EQ(m_requests.first().filters.size(), 2);
    const XlsxReader book(file(QStringLiteral("lista.xlsx")));
    EXPECT_EQ(book.sheetNames,
              (QStringList{QStringLiteral("Cotações"), QStringLiteral("Fornecedores Cotados")}));
    const XlsxSheet quotations = book.sheet(1);
    EXPECT_EQ(quotations.at(1, 1).text, QStringLiteral("Número"));
    int anaRow = 0;
    for (int row = 2; row <= list().RecordCount() + 1; ++row)
        if (quotations.at(row, 1).text == kAnaQuotation)
            anaRow = row;
    ASSERT_GT(anaRow, 0) << "the quotation number stays a text with its zeros";
    const XlsxCell date = quotations.at(anaRow, 2);
    EXPECT_TRUE(date.number);
    EXPECT_EQ(book.formatOf(date), QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(QDate(1899, 12, 30).addDays(date.text.toInt()).toString(QStringLiteral("dd/MM/yyyy")),
              day);
    const XlsxSheet suppliers = book.sheet(2);
    int anaSupplierRows = 0;
    for (int row = 2; suppliers.cells.contains(QStringLiteral("A%1").arg(row)); ++row)
        anaSupplierRows += suppliers.at(row, 0).text == kAnaQuotation;
    EXPECT_EQ(anaSupplierRows, anaSuppliers);
}

TEST_F(ExportFixture, TheDialogOpensInTheOperatorsFolderAndAFailedWriteLeavesNothing)
{
    openWorksheet(kAna, kAnaQuotation);
    answerDialog(file(QStringLiteral("primeira.xlsx")));
    menu().mnuExportarPlanilha->trigger();
    expectNoError();

    // The next export starts in that folder, under a name of the quotation.
    QFile::remove(file(QStringLiteral("primeira.xlsx")));
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("pasta.xlsx")));
    answerDialog(file(QStringLiteral("pasta.xlsx"))); // a folder stands where the file goes
    menu().mnuExportarPlanilha->trigger();
    ASSERT_EQ(m_requests.size(), 1);
    EXPECT_EQ(QFileInfo(m_requests.last().suggestedPath).absolutePath(), folder());
    EXPECT_TRUE(QFileInfo(m_requests.last().suggestedPath)
                    .fileName()
                    .startsWith(QStringLiteral("Cotacao_0000000003")));
    const QStringList errors = ui().messageTexts(host::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(QStringLiteral("pasta.xlsx")))
        << errors.first().toStdString();
    EXPECT_TRUE(filesLeft().isEmpty()) << filesLeft().join(u' ').toStdString();
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("pasta.xlsx"))).isDir());

    // Another operator has a folder of his own.
    host::Halvore::instance().setOperator(kCarlos, QStringLiteral("Carlos"),
                                          QStringLiteral("0001"));
    answerDialog(QString());
    menu().mnuExportarPlanilha->trigger();
    ASSERT_EQ(m_requests.size(), 1);
    EXPECT_NE(QFileInfo(m_requests.last().suggestedPath).absolutePath(), folder());
}

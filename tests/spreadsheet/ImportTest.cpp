// A supplier's prices read back into the demo worksheets: a workbook of the worksheet's own
// prices, a text file of two suppliers' columns with a price changed, an unknown product, a
// negative price and a supplier no longer active, a preview cancelled, an import failing
// half-way, and files that are no price worksheet.

#include "worksheet/WorksheetTestSupport.h"

#include "support/Widgets.h"

#include "host/core/Exceptions.h"
#include "spreadsheet/SpreadsheetMenu.h"
#include "spreadsheet/import/PriceImport.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QTableView>
#include <QToolButton>
#include <xlsxwriter.h>

using namespace listtest;
using namespace worksheettest;
using testsupport::click;
using testsupport::findWidget;

namespace {

QString label(const QString& code, const QString& name)
{
    return code + QStringLiteral(" - ") + name;
}

// The worksheet's cells as the export lays them out: one column per region and supplier,
// one row per product and brand, each item's price.
struct Grid
{
    QStringList columns;           // region value + supplier value
    QStringList rows;              // product values
    QHash<QString, double> prices; // by item key

    static QString regionOf(const QString& column) { return column.section(QChar(0x1F), 0, 0); }
    static QString supplierOf(const QString& column) { return column.section(QChar(0x1F), 1, 1); }
};

class ImportFixture : public WorksheetFixture
{
protected:
    void TearDown() override
    {
        module::setPriceFileChooser({});
        WorksheetFixture::TearDown();
    }

    Grid grid()
    {
        Grid g;
        for (items().First(); !items().Eof(); items().Next()) {
            const QString region = items().FieldByName(QStringLiteral("COCREGIAO")).AsString();
            const QString supplier = items().FieldByName(QStringLiteral("COCFORNECED")).AsString();
            const QString product = items().FieldByName(QStringLiteral("COCPRODUTO")).AsString();
            const QString column = region + QChar(0x1F) + supplier;
            if (!g.columns.contains(column))
                g.columns << column;
            if (!g.rows.contains(product))
                g.rows << product;
            g.prices.insert(currentKey(), items().FieldByName(QStringLiteral("CONTA")).AsFloat());
        }
        g.columns.sort();
        g.rows.sort();
        return g;
    }

    // Writes the grid as the exported workbook (the region named over its first supplier
    // only, as merged cells are read, and a row of totals).
    QString writeWorkbook(const Grid& g)
    {
        const QString path = m_files.filePath(QStringLiteral("cotacao.xlsx"));
        lxw_workbook* book = workbook_new(path.toUtf8().constData());
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        auto text = [sheet](int row, int col, const QString& value) {
            worksheet_write_string(sheet, lxw_row_t(row), lxw_col_t(col),
                                   value.toUtf8().constData(), nullptr);
        };
        text(0, 0, QStringLiteral("Região"));
        text(1, 0, QStringLiteral("Fornecedor"));
        text(2, 0, QStringLiteral("Produto"));
        text(2, 1, QStringLiteral("Marca"));
        QString shownRegion;
        for (int c = 0; c < g.columns.size(); ++c) {
            const QString region = Grid::regionOf(g.columns[c]);
            if (region != shownRegion)
                text(0, c + 2, label(module::regionCodeOf(region), module::regionNameOf(region)));
            shownRegion = region;
            const QString supplier = Grid::supplierOf(g.columns[c]);
            text(1, c + 2,
                 label(module::supplierCodeOf(supplier), module::supplierNameOf(supplier)));
        }
        for (int r = 0; r < g.rows.size(); ++r) {
            const QString& product = g.rows[r];
            text(r + 3, 0, label(module::productCodeOf(product), module::productNameOf(product)));
            text(r + 3, 1, label(module::brandCodeOf(product), module::brandNameOf(product)));
            for (int c = 0; c < g.columns.size(); ++c) {
                const QString key = QString(g.columns[c]).remove(QChar(0x1F)) + product;
                if (g.prices.contains(key))
                    worksheet_write_number(sheet, lxw_row_t(r + 3), lxw_col_t(c + 2),
                                           g.prices.value(key), nullptr);
            }
        }
        const int total = int(g.rows.size()) + 3;
        text(total, 0, QStringLiteral("Total"));
        worksheet_write_formula(sheet, lxw_row_t(total), 2,
                                QStringLiteral("=SUM(C4:C%1)").arg(total).toUtf8().constData(),
                                nullptr);
        EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
        return path;
    }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_files.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // Imports the file through the menu "Planilha"; the preview, when shown, runs `preview`.
    void importFile(const QString& path, std::function<void(QDialog&)> preview = {})
    {
        module::SpreadsheetMenu& menu = module::spreadsheetMenuOf(form());
        module::installPriceImport(menu);
        module::setPriceFileChooser([path](QWidget*) { return path; });
        if (preview)
            ui().onModal(QStringLiteral("SUP01722"), std::move(preview));
        ASSERT_TRUE(menu.mnuImportarPrecos->isEnabled());
        menu.mnuImportarPrecos->trigger();
    }

    static QStringList previewLine(QDialog& dialog, int row)
    {
        const QAbstractItemModel* model =
            findWidget<QTableView>(dialog, QStringLiteral("grdPrecos"))->model();
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->index(row, c).data().toString();
        return cells;
    }
    static int previewRows(QDialog& dialog)
    {
        return findWidget<QTableView>(dialog, QStringLiteral("grdPrecos"))->model()->rowCount();
    }
    static QString summary(QDialog& dialog)
    {
        return findWidget<QLabel>(dialog, QStringLiteral("lblResumo"))->text();
    }

    QTemporaryDir m_files;
};

} // namespace

TEST_F(ImportFixture, AWorkbookOfTheWorksheetsOwnPricesChangesNothing)
{
    openWorksheet(kAna, kAnaQuotation);
    const Grid own = grid();
    const QStringList linesBefore = lines();
    bool previewed = false;
    importFile(writeWorkbook(own), [&](QDialog& dialog) {
        previewed = true;
        EXPECT_TRUE(summary(dialog).startsWith(
            QStringLiteral(
                "0 preço(s) a alterar, %1 sem alteração, 0 fora da cotação, 0 inválido(s), "
                "0 recusado(s).")
                .arg(own.prices.size())))
            << summary(dialog).toStdString();
        EXPECT_EQ(previewRows(dialog), 0);
        EXPECT_FALSE(findWidget<QToolButton>(dialog, QStringLiteral("sbtConfirma"))->isEnabled());
        click(dialog, QStringLiteral("sbtCancel"));
    });
    EXPECT_TRUE(previewed);
    EXPECT_TRUE(ui().messageTexts(host::MessageKind::Error).isEmpty())
        << ui().lastMessage().toStdString();
    EXPECT_EQ(items().ChangeCount(), 0);
    EXPECT_EQ(lines(), linesBefore);
    EXPECT_FALSE(sheet().pending());
    ui().expectNoBusyShown();
}

TEST_F(ImportFixture, OnlyTheChangedPriceOfAnActiveSupplierIsTypedAndTheRestIsListed)
{
    openWorksheet(kAna, kAnaQuotation);
    const Grid own = grid();
    // Two suppliers of the first region: the second is no longer active.
    const QString region = Grid::regionOf(own.columns[0]);
    const QString first = own.columns[0], second = own.columns[1];
    ASSERT_EQ(Grid::regionOf(second), region);
    db().exec(QStringLiteral("UPDATE FORNECEDOR SET IDSITUCADA = 'I' WHERE CDFORNECED = '%1'")
                  .arg(module::supplierCodeOf(Grid::supplierOf(second))));
    // Products the first supplier prices above zero there, and one the second prices.
    auto key = [](const QString& column, const QString& product) {
        return QString(column).remove(QChar(0x1F)) + product;
    };
    QStringList priced;
    QString ofSecond;
    for (const QString& product : own.rows) {
        if (own.prices.value(key(first, product)) > 0)
            priced << product;
        if (ofSecond.isEmpty() && own.prices.value(key(second, product)) > 0)
            ofSecond = product;
    }
    ASSERT_GE(priced.size(), 2);
    ASSERT_FALSE(ofSecond.isEmpty());
    const QString changed = key(first, priced[0]);
    const double newPrice = own.prices.value(changed) + 1.25;
    module::DetailLine before;
    ASSERT_GE(module::LocateCotacao(lines(), changed, before), 0);
    const qsizetype lineCount = lines().size();

    // A text file of the two suppliers' columns, its codes written without their leading zeros.
    QMap<QString, QStringList> rows; // product value → its two price cells
    auto put = [&rows](const QString& product, int column, const QString& text) {
        QStringList& cells = rows[product];
        cells.resize(2);
        cells[column] = text;
    };
    const QLocale ptBR(QLocale::Portuguese, QLocale::Brazil);
    put(priced[0], 0, ptBR.toString(newPrice, 'f', 5));
    put(priced[1], 0, QStringLiteral("-3,5"));
    put(ofSecond, 1, ptBR.toString(own.prices.value(key(second, ofSecond)) + 3, 'f', 2));
    auto bare = [](const QString& code) { return QString::number(code.toLongLong()); };
    QString csv =
        QChar(0xFEFF) +
        QStringLiteral("Região;;%1\r\nFornecedor;;%2;%3\r\nProduto;Marca\r\n")
            .arg(
                label(module::regionCodeOf(region), module::regionNameOf(region)),
                label(bare(module::supplierCodeOf(Grid::supplierOf(first))), QStringLiteral("A")),
                label(bare(module::supplierCodeOf(Grid::supplierOf(second))), QStringLiteral("B")));
    for (auto it = rows.cbegin(); it != rows.cend(); ++it)
        csv +=
            QStringLiteral("%1;\"%2\";%3;%4\r\n")
                .arg(label(bare(module::productCodeOf(it.key())), module::productNameOf(it.key())),
                     label(module::brandCodeOf(it.key()), module::brandNameOf(it.key())),
                     it.value()[0], it.value()[1]);
    csv += QStringLiteral("9999999999 - PRODUTO DESCONHECIDO;00001 - MARCA;5,00;\r\nTotal;;;\r\n");

    importFile(writeFile(QStringLiteral("fornecedores.csv"), csv.toUtf8()), [&](QDialog& dialog) {
        EXPECT_TRUE(summary(dialog).startsWith(
            QStringLiteral("1 preço(s) a alterar, 0 sem alteração, 1 fora da cotação, 1 "
                           "inválido(s), 1 recusado(s).")))
            << summary(dialog).toStdString();
        ASSERT_EQ(previewRows(dialog), 4);
        EXPECT_EQ(previewLine(dialog, 0).at(0), QStringLiteral("Recusado"));
        EXPECT_EQ(previewLine(dialog, 0).at(8), QStringLiteral("Fornecedor inativo."));
        EXPECT_EQ(
            previewLine(dialog, 1).at(8),
            QStringLiteral("O produto 9999999999 - PRODUTO DESCONHECIDO não está na cotação."));
        EXPECT_EQ(previewLine(dialog, 2).at(8), QStringLiteral("Preço negativo: -3,5."));
        const QStringList change = previewLine(dialog, 3);
        EXPECT_EQ(change.at(0), QStringLiteral("Alterar"));
        EXPECT_EQ(change.at(7), host::FormatFloat(QStringLiteral("#,##0.00000"), newPrice));
        click(dialog, QStringLiteral("sbtConfirma"));
    });
    EXPECT_TRUE(ui().messageTexts(host::MessageKind::Error).isEmpty())
        << ui().lastMessage().toStdString();
    ui().expectNoBusyShown();

    QStringList busy;
    for (const auto& event : ui().busyEvents())
        if (event.shown)
            busy << event.text;
    EXPECT_TRUE(busy.contains(QStringLiteral("Lendo a planilha de preços...")) &&
                busy.contains(QStringLiteral("Aplicando os preços importados...")))
        << busy.join(QLatin1Char('|')).toStdString();

    // Exactly that price, pending, its line rewritten as a typed price rewrites it; no other
    // file is taken until it is saved.
    EXPECT_EQ(items().ChangeCount(), 1);
    ASSERT_TRUE(sheet().pending());
    EXPECT_FALSE(module::spreadsheetMenuOf(form()).mnuImportarPrecos->isEnabled());
    ASSERT_TRUE(items().Locate(QStringLiteral("COCREGIAO;COCFORNECED;COCPRODUTO"),
                               QVariantList{region, Grid::supplierOf(first), priced[0]}));
    EXPECT_DOUBLE_EQ(items().FieldByName(QStringLiteral("CONTA")).AsFloat(), newPrice);
    module::DetailLine after;
    ASSERT_GE(module::LocateCotacao(lines(), changed, after), 0);
    EXPECT_EQ(after.unitPrice, host::FormatFloat(QStringLiteral("#,##0.00000"), newPrice));
    EXPECT_EQ(after.changed, QStringLiteral("S"));
    EXPECT_EQ(QStringList({after.quantity, after.unit, after.discount, after.treeCode}),
              QStringList({before.quantity, before.unit, before.discount, before.treeCode}));
    EXPECT_EQ(lines().size(), lineCount);
    EXPECT_EQ(paint().value(cellOf(changed)).text,
              host::FormatFloat(QStringLiteral("#,##0.00000"), newPrice));

    // The save sends it like any typed price.
    form().Confirmar->trigger();
    EXPECT_FALSE(sheet().pending());
    EXPECT_DOUBLE_EQ(
        dbValue(QStringLiteral("SELECT VRPRECUNIITM FROM ITEMCOLE WHERE NRCOLEPRECO = ? "
                               "AND CDREGIAO = ? AND CDFORNECED = ? AND CDPRODUTO = ? "
                               "AND CDMARCA = ?"),
                {kAnaQuotation, module::regionCodeOf(region),
                 module::supplierCodeOf(Grid::supplierOf(first)), module::productCodeOf(priced[0]),
                 module::brandCodeOf(priced[0])})
            .toDouble(),
        newPrice);
}

TEST_F(ImportFixture, ACancelledPreviewOrAFailureHalfWayLeaveNothingAndOtherFilesGetAMessage)
{
    openWorksheet(kAna, kAnaQuotation);
    Grid changed = grid();
    for (auto it = changed.prices.begin(); it != changed.prices.end(); ++it)
        *it += 2;
    const QStringList linesBefore = lines();
    importFile(writeWorkbook(changed), [&](QDialog& dialog) {
        EXPECT_EQ(previewRows(dialog), changed.prices.size());
        click(dialog, QStringLiteral("sbtCancel"));
    });
    EXPECT_EQ(items().ChangeCount(), 0);
    EXPECT_EQ(lines(), linesBefore);
    EXPECT_FALSE(sheet().pending());

    // The item table refusing an item half-way: nothing of the file stays.
    int posts = 0;
    const host::DataSet::Event beforePost = items().BeforePost;
    items().BeforePost = [&](host::DataSet& table) {
        if (beforePost)
            beforePost(table);
        if (++posts == 3)
            throw host::EDatabaseError(QStringLiteral("Item recusado."));
    };
    importFile(writeWorkbook(changed),
               [](QDialog& dialog) { click(dialog, QStringLiteral("sbtConfirma")); });
    items().BeforePost = beforePost;
    EXPECT_EQ(posts, 3);
    EXPECT_EQ(ui().lastMessage(), QStringLiteral("Item recusado."));
    EXPECT_EQ(items().ChangeCount(), 0);
    EXPECT_EQ(lines(), linesBefore);
    EXPECT_EQ(form().cdsColetapr.ChangeCount(), 0);
    ui().expectNoBusyShown();

    struct Case
    {
        const char* name;
        QByteArray bytes;
        QString message;
    };
    const Case cases[] = {
        {"compras.txt", "Lista de compras\nArroz; feijão; café\n",
         QStringLiteral(
             "O arquivo compras.txt não é uma planilha de preços da cotação: a coluna A "
             "deve trazer \"Região\", \"Fornecedor\" e \"Produto\" nas linhas 1 a 3, como "
             "na planilha exportada.")},
        {"quebrada.xlsx", QByteArray("PK\x03\x04", 4) + QByteArray(64, 'x'),
         QStringLiteral("O arquivo quebrada.xlsx não é uma planilha: abra uma planilha XLSX ou um "
                        "texto CSV separado por \";\".")},
        {"latin1.csv", "Regi\xE3o;;001 - NORTE\n",
         QStringLiteral(
             "O arquivo latin1.csv não pôde ser lido como CSV: o texto não está em UTF-8.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui().clearRecords();
        importFile(writeFile(QString::fromLatin1(c.name), c.bytes));
        EXPECT_EQ(ui().messageTexts(host::MessageKind::Error), QStringList{c.message});
        EXPECT_TRUE(ui().modals().isEmpty());
        ui().expectNoBusyShown();
    }
    EXPECT_EQ(items().ChangeCount(), 0);
}

// Measures the price worksheet of the main window over quotations of 1 000 to 300 000 items
// (sup-db seed --scale), with the application server in-process over a SQLite database:
// loading (GetStringList to a built pivot and sorted detail lines), painting a full-HD view
// of the grid, finding a cell's detail line, the counters, the distinct values and the
// pivot. Figures are printed only.
//
//   worksheet_bench [benchmark flags]     the timings
//   worksheet_bench --memory ITEMS        resident memory of a loaded worksheet (run alone)

#include "appserver/db/Seed.h"
#include "appserver/http/InProcess.h"
#include "appserver/modules/Modules.h"
#include "appserver/rpc/Service.h"
#include "host/core/Database.h"
#include "host/net/RemoteSession.h"
#include "host/ui/Halvore.h"
#include "module/entry/Cli_Sup01700.h"
#include "module/entry/PlanCotaPrecPages.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "host/core/Exceptions.h"
#include "host/widgets/NumberEdit.h"
#include "worksheet/DetailList.h"
#include "worksheet/Worksheet.h"
#include "maintenance/ItemBatch.h"
#include "spreadsheet/SpreadsheetMenu.h"
#include "spreadsheet/bestprice/BestPriceMark.h"
#include "maintenance/RegionItems.h"
#include "spreadsheet/import/PriceImport.h"

#include <QDialog>
#include <QToolButton>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamWriter>
#include <zip.h>
#include "BenchUi.h"
#include "ItemScan.h"
#include "MemoryProbe.h"
#include "RatioReporter.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QDate kDay(2025, 3, 12);
const QString kBuyer = QStringLiteral("ANA.CARVALHO");

// The demo centre with scale quotations, its server in-process, a logged-in buyer and the
// main window with every quotation of the centre in its list.
class Bench
{
public:
    explicit Bench(const QString& databaseFile) : m_file(databaseFile)
    {
        m_db = std::make_unique<host::Database>(QStringLiteral("sqlite:") + m_file);
    }

    // The number of the quotation of `items` items, seeding it when it is not there yet.
    QString quotationOf(int items)
    {
        auto it = m_numbers.find(items);
        if (it == m_numbers.end())
            it = m_numbers.emplace(items, appserver::db::seedScale(*m_db, items, kDay)).first;
        return it->second;
    }
    void adoptQuotation(int items, const QString& number) { m_numbers.emplace(items, number); }
    const QString& file() const { return m_file; }

    module::TfrmPlanCotaPrec& form()
    {
        if (!m_form)
            open();
        return *m_form;
    }
    module::Worksheet& sheet() { return module::worksheetOf(form()); }

    // Makes the quotation of `items` items the current one and builds its worksheet.
    void show(int items)
    {
        const QString number = quotationOf(items);
        module::TfrmPlanCotaPrec& window = form();
        if (m_shown == number)
            return;
        window.AtualizaCotacao(QString(), QStringLiteral("T"), QStringLiteral("T"),
                               QStringLiteral("T"), QStringLiteral("T"), QDate(), QDate());
        // The centre's purchasing parameters, as the filter's confirmation loads them.
        window.cdsParaSupri.SetData(window.netSuprimentos.AppServer()
                                        .call(QStringLiteral("GetParaSupri"),
                                              {Cli_Sup01700::stCdCentCmp})
                                        .value<host::Packet>());
        window.cdsColetapr.Locate(QStringLiteral("NRCOLEPRECO"), number);
        sheet().MontaDecisionCube();
        m_shown = number;
    }

private:
    void open()
    {
        m_registry = appserver::modules::allMethods();
        appserver::rpc::ServiceConfig config;
        config.connectionString = QStringLiteral("sqlite:") + m_file;
        m_service = std::make_unique<appserver::rpc::Service>(config, m_registry);
        m_session =
            std::make_unique<host::RemoteSession>(appserver::rpc::inProcessEndpoint(*m_service));
        m_session->login(kBuyer, QStringLiteral("demo"), QStringLiteral("0001"));
        host::Halvore& halvore = host::Halvore::instance();
        halvore.setOperator(m_session->operatorCode(), kBuyer, m_session->branch());
        halvore.setDatabase(m_db.get());
        halvore.setRemoteSession(m_session.get());
        halvore.setDBPict(host::Halvore::ProductPicture, QStringLiteral("99.99.999"));

        m_form.reset(module::NovoPlanCotaPrec(*m_session));
        Cli_Sup01700::frmPlanCotaPrec = m_form.get();
        Cli_Sup01700::boStCriado = true;
        m_form->create();
        m_form->activate();
    }

    QString m_file;
    std::unique_ptr<host::Database> m_db;
    std::map<int, QString> m_numbers;
    appserver::rpc::MethodRegistry m_registry;
    std::unique_ptr<appserver::rpc::Service> m_service;
    std::unique_ptr<host::RemoteSession> m_session;
    std::unique_ptr<module::TfrmPlanCotaPrec> m_form;
    QString m_shown;
};

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Created on first use; released before the application goes.
std::unique_ptr<Bench> g_bench;

Bench& bench()
{
    if (!g_bench)
        g_bench = std::make_unique<Bench>(folder().filePath(QStringLiteral("scale.db")));
    return *g_bench;
}

void BM_WorksheetLoad(benchmark::State& state)
{
    bench().show(int(state.range(0)));
    module::Worksheet& sheet = bench().sheet();
    for (auto _ : state) {
        // Read whole each time, as a quotation changed on the server is.
        sheet.discardCopy();
        sheet.PreencheAltCotacao(true);
        benchmark::DoNotOptimize(sheet.degCotacao->DataRowCount());
    }
    state.counters["lines"] = double(Cli_Sup01700::stlCotacao->size());
    state.counters["rows"] = sheet.degCotacao->DataRowCount();
    state.counters["cols"] = sheet.degCotacao->DataColCount();
}

// The worksheet asked for again with nothing changed on the server: the version is asked
// and the copy kept, then the counters are made again.
void BM_WorksheetReopen(benchmark::State& state)
{
    bench().show(int(state.range(0)));
    module::Worksheet& sheet = bench().sheet();
    sheet.PreencheAltCotacao(true);
    const int before = sheet.cdsAltCotacao.RecordCount();
    for (auto _ : state)
        sheet.PreencheAltCotacao(true);
    if (sheet.cdsAltCotacao.RecordCount() != before)
        state.SkipWithError("the items were read again");
}

// The floor under a load: the same items stepped through by a bare statement on the file.
void BM_SqliteItemScan(benchmark::State& state)
{
    const QString number = bench().quotationOf(int(state.range(0)));
    double checksum = 0;
    long rows = 0;
    for (auto _ : state)
        rows = bench::scanQuotationItems(bench().file(), QStringLiteral("0001"), number, checksum);
    benchmark::DoNotOptimize(checksum);
    state.counters["rows"] = double(rows);
}

// The server's part of a load: the call of GetStringList alone (the query, the detail
// lines, the item packet and their way through the wire format, in-process).
void BM_GetStringList(benchmark::State& state)
{
    bench().show(int(state.range(0)));
    module::TfrmPlanCotaPrec& window = bench().form();
    const QVariantList args{window.currentBranch(), window.currentNumber(), QStringLiteral("NULL"),
                            false};
    for (auto _ : state)
        benchmark::DoNotOptimize(
            window.netPlanCotaPrec.AppServer().call(QStringLiteral("GetStringList"), args));
}

void BM_PaintViewport(benchmark::State& state)
{
    bench().show(int(state.range(0)));
    // The second argument draws the best prices marked (their prices taken before timing).
    auto* mark = module::spreadsheetMenuOf(bench().form()).findChild<module::BestPriceMark*>();
    mark->setActive(state.range(1) != 0);
    if (mark->active())
        mark->prices();
    host::TNewDecisionGrid& grid = *bench().sheet().degCotacao;
    // A full-HD view of the grid, scrolled to another place at each paint.
    grid.resize(1920 + 2 * grid.frameWidth(), 1080 + 2 * grid.frameWidth());
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const int rows = std::max(1, grid.DataRowCount() - grid.VisibleRowCount());
    int top = 0;
    for (auto _ : state) {
        top = (top + 37) % rows;
        grid.SetTopRow(top);
        grid.viewport()->render(&image);
    }
    mark->setActive(false);
    state.counters["cells/paint"] =
        double(grid.VisibleRowCount() + 2) * (grid.VisibleColCount() + 1);
}

void BM_LocateCotacao(benchmark::State& state)
{
    bench().show(int(state.range(0)));
    const QStringList& lines = *Cli_Sup01700::stlCotacao;
    std::vector<QString> keys;
    std::mt19937 random(7);
    for (int i = 0; i < 1024; ++i)
        keys.push_back(module::DetailLine::parse(lines.at(int(random() % lines.size()))).key);
    module::DetailLine fields;
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(module::LocateCotacao(lines, keys[next], fields));
        next = (next + 1) % keys.size();
    }
}

void BM_ContaRegs(benchmark::State& state)
{
    bench().show(int(state.range(0)));
    module::Worksheet& sheet = bench().sheet();
    for (auto _ : state)
        sheet.ContaRegs(QStringLiteral("T"));
}

void BM_DegRegistros(benchmark::State& state)
{
    bench().show(int(state.range(0)));
    module::Worksheet& sheet = bench().sheet();
    qsizetype values = 0;
    for (auto _ : state)
        values = sheet.DegRegistros(QStringLiteral("PM"), true).size();
    state.counters["values"] = double(values);
}

void BM_CubeBuild(benchmark::State& state)
{
    bench().show(int(state.range(0)));
    module::Worksheet& sheet = bench().sheet();
    for (auto _ : state) {
        state.PauseTiming();
        sheet.ActiveDecision(false);
        state.ResumeTiming();
        sheet.ActiveDecision(true);
        benchmark::DoNotOptimize(sheet.decCotacao.CellCount());
    }
}

// One price typed on a cell: the checks of who may price it, the price dialog, the item
// posted, its detail line rewritten and the selection moved down.
void BM_PriceEntry(benchmark::State& state)
{
    bench().show(int(state.range(0)));
    module::Worksheet& sheet = bench().sheet();
    host::TNewDecisionGrid& grid = *sheet.degCotacao;
    BenchUi ui;
    host::Ui* previous = host::Ui::install(&ui);
    double price = 1.0;
    ui.onModal = [&price](QDialog& dialog) {
        dialog.findChild<host::TNumberEdit*>(QStringLiteral("nedPrecoUnit"))->SetValue(price);
        dialog.findChild<QToolButton*>(QStringLiteral("sbtConfirma"))->click();
    };
    const int rows = std::max(1, grid.DataRowCount() - 2);
    int row = 0;
    for (auto _ : state) {
        price += 0.125;
        row = (row + 7919) % rows;
        grid.GotoCell(0, row);
        try {
            sheet.degCotacaoDblClick();
        } catch (const host::Exception& e) {
            state.SkipWithError(qPrintable(ui.lastMessage.isEmpty() ? e.message() : ui.lastMessage));
            break;
        }
    }
    host::Ui::install(previous);
    state.counters["changes"] = sheet.cdsAltCotacao.ChangeCount();
    // What was typed is not kept for the next benchmark.
    sheet.cdsAltCotacao.CancelUpdates();
    bench().form().cdsColetapr.CancelUpdates();
    *Cli_Sup01700::stlCotacao = *Cli_Sup01700::stlOldCotacao;
}

// A region added to a loaded worksheet for 30 suppliers and `products` product-and-brand
// values (60 000 items for 2 000), priced from another region: the items posted through the
// item table's events, their detail lines sorted once, the pivot rebuilt and recounted.
void BM_RegionInsert(benchmark::State& state)
{
    const int products = int(state.range(0));
    bench().show(100'000);
    module::Worksheet& sheet = bench().sheet();
    QStringList values = sheet.DegRegistros(QStringLiteral("PM"), true);
    for (int i = int(values.size()); i < products; ++i)
        values << QStringLiteral("PRODUTO %1¤¤%2¥¥00001¤¤MARCA")
                      .arg(i)
                      .arg(9000000000LL + i, 10, 10, QLatin1Char('0'));
    values = values.mid(0, products);
    QStringList suppliers = sheet.DegRegistros(QStringLiteral("F"), true).mid(0, 30);
    for (int i = int(suppliers.size()); i < 30; ++i)
        suppliers << QStringLiteral("%1¤¤FORNECEDOR %2").arg(900000 + i, 21, 10, QLatin1Char('0')).arg(i);
    const QString loadFrom = sheet.DegRegistros(QStringLiteral("R"), true).value(0);
    const QString region = QStringLiteral("999¤¤REGIÃO NOVA");

    const host::DataSet::Snapshot before = sheet.cdsAltCotacao.TakeSnapshot();
    const QStringList linesBefore = *Cli_Sup01700::stlCotacao;
    int added = 0;
    for (auto _ : state) {
        {
            module::ItemBatch batch(sheet, true);
            added = module::addRegionItems(batch, region, suppliers, values, loadFrom);
            batch.commit();
        }
        state.PauseTiming();
        {
            module::ItemBatch undo(sheet);
            undo.items().RestoreSnapshot(before);
            *Cli_Sup01700::stlCotacao = linesBefore;
            undo.commit();
        }
        state.ResumeTiming();
    }
    state.counters["items"] = added;
}

// ---- price import ------------------------------------------------------------------------------

// Writes the loaded worksheet as the exported workbook lays it out (regions and suppliers
// across from column C, products and brands down from row 4, a row of totals), every price
// raised by `raise`: the parts written by Qt's XML writer, the package by libzip.
QString writePriceWorkbook(module::Worksheet& sheet, double raise)
{
    host::DataSet& items = sheet.cdsAltCotacao;
    std::map<QString, int> columns, rows; // region + supplier value, product value
    struct Item
    {
        QString column, row;
        double price;
    };
    std::vector<Item> all;
    for (items.First(); !items.Eof(); items.Next()) {
        const QString column = items.FieldByName(QStringLiteral("COCREGIAO")).AsString() +
                               QChar(0x1F) +
                               items.FieldByName(QStringLiteral("COCFORNECED")).AsString();
        const QString row = items.FieldByName(QStringLiteral("COCPRODUTO")).AsString();
        columns.emplace(column, 0);
        rows.emplace(row, 0);
        all.push_back({column, row, items.FieldByName(QStringLiteral("CONTA")).AsFloat() + raise});
    }
    int n = 0;
    for (auto& [value, index] : columns)
        index = n++;
    n = 0;
    for (auto& [value, index] : rows)
        index = n++;
    std::vector<std::vector<double>> prices(rows.size(),
                                            std::vector<double>(columns.size(), std::nan("")));
    for (const Item& item : all)
        prices[size_t(rows[item.row])][size_t(columns[item.column])] = item.price;

    QStringList strings;
    QHash<QString, int> stringIds;
    auto sharedString = [&](const QString& text) {
        const auto known = stringIds.constFind(text);
        if (known != stringIds.cend())
            return *known;
        strings << text;
        return *stringIds.insert(text, int(strings.size()) - 1);
    };
    auto columnName = [](int column) {
        QString name;
        for (++column; column > 0; column = (column - 1) / 26)
            name.prepend(QChar(u'A' + (column - 1) % 26));
        return name;
    };
    auto label = [](const QString& code, const QString& name) {
        return code + QStringLiteral(" - ") + name;
    };
    const QString main =
        QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");

    QByteArray sheetXml;
    QXmlStreamWriter xml(&sheetXml);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("worksheet"));
    xml.writeDefaultNamespace(main);
    xml.writeStartElement(QStringLiteral("sheetData"));
    auto startRow = [&](int row) {
        xml.writeStartElement(QStringLiteral("row"));
        xml.writeAttribute(QStringLiteral("r"), QString::number(row + 1));
    };
    auto text = [&](int row, int column, const QString& value) {
        xml.writeStartElement(QStringLiteral("c"));
        xml.writeAttribute(QStringLiteral("r"), columnName(column) + QString::number(row + 1));
        xml.writeAttribute(QStringLiteral("t"), QStringLiteral("s"));
        xml.writeTextElement(QStringLiteral("v"), QString::number(sharedString(value)));
        xml.writeEndElement();
    };
    startRow(0);
    text(0, 0, QStringLiteral("Região"));
    QString shownRegion;
    for (const auto& [column, index] : columns) {
        const QString region = column.section(QChar(0x1F), 0, 0);
        if (region != shownRegion)
            text(0, index + 2, label(module::regionCodeOf(region), module::regionNameOf(region)));
        shownRegion = region;
    }
    xml.writeEndElement();
    startRow(1);
    text(1, 0, QStringLiteral("Fornecedor"));
    for (const auto& [column, index] : columns) {
        const QString supplier = column.section(QChar(0x1F), 1, 1);
        text(1, index + 2,
             label(module::supplierCodeOf(supplier), module::supplierNameOf(supplier)));
    }
    xml.writeEndElement();
    startRow(2);
    text(2, 0, QStringLiteral("Produto"));
    text(2, 1, QStringLiteral("Marca"));
    xml.writeEndElement();
    for (const auto& [product, index] : rows) {
        const int row = index + 3;
        startRow(row);
        text(row, 0, label(module::productCodeOf(product), module::productNameOf(product)));
        text(row, 1, label(module::brandCodeOf(product), module::brandNameOf(product)));
        const std::vector<double>& line = prices[size_t(index)];
        for (size_t c = 0; c < line.size(); ++c) {
            if (std::isnan(line[c]))
                continue;
            xml.writeStartElement(QStringLiteral("c"));
            xml.writeAttribute(QStringLiteral("r"),
                               columnName(int(c) + 2) + QString::number(row + 1));
            xml.writeTextElement(QStringLiteral("v"), QString::number(line[c], 'g', 15));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    startRow(int(rows.size()) + 3);
    text(int(rows.size()) + 3, 0, QStringLiteral("Total"));
    xml.writeEndElement();
    xml.writeEndDocument();

    QByteArray stringsXml;
    QXmlStreamWriter sst(&stringsXml);
    sst.writeStartDocument();
    sst.writeStartElement(QStringLiteral("sst"));
    sst.writeDefaultNamespace(main);
    for (const QString& value : strings) {
        sst.writeStartElement(QStringLiteral("si"));
        sst.writeTextElement(QStringLiteral("t"), value);
        sst.writeEndElement();
    }
    sst.writeEndDocument();

    QByteArray workbookXml;
    QXmlStreamWriter book(&workbookXml);
    book.writeStartDocument();
    book.writeStartElement(QStringLiteral("workbook"));
    book.writeDefaultNamespace(main);
    book.writeNamespace(
        QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships"),
        QStringLiteral("r"));
    book.writeStartElement(QStringLiteral("sheets"));
    book.writeStartElement(QStringLiteral("sheet"));
    book.writeAttribute(QStringLiteral("name"), QStringLiteral("Cotacao"));
    book.writeAttribute(QStringLiteral("sheetId"), QStringLiteral("1"));
    book.writeAttribute(
        QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships"),
        QStringLiteral("id"), QStringLiteral("rId1"));
    book.writeEndDocument();

    auto relations = [](const QList<std::pair<QString, QString>>& targets) {
        QByteArray bytes;
        QXmlStreamWriter rels(&bytes);
        rels.writeStartDocument();
        rels.writeStartElement(QStringLiteral("Relationships"));
        rels.writeDefaultNamespace(
            QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships"));
        int id = 0;
        for (const auto& [type, target] : targets) {
            rels.writeStartElement(QStringLiteral("Relationship"));
            rels.writeAttribute(QStringLiteral("Id"), QStringLiteral("rId%1").arg(++id));
            rels.writeAttribute(
                QStringLiteral("Type"),
                QStringLiteral(
                    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/") +
                    type);
            rels.writeAttribute(QStringLiteral("Target"), target);
            rels.writeEndElement();
        }
        rels.writeEndDocument();
        return bytes;
    };
    QByteArray types;
    QXmlStreamWriter typesXml(&types);
    typesXml.writeStartDocument();
    typesXml.writeStartElement(QStringLiteral("Types"));
    typesXml.writeDefaultNamespace(
        QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
    const std::pair<const char*, const char*> overrides[] = {
        {"/xl/workbook.xml",
         "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"},
        {"/xl/worksheets/sheet1.xml",
         "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"},
        {"/xl/sharedStrings.xml",
         "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"}};
    typesXml.writeStartElement(QStringLiteral("Default"));
    typesXml.writeAttribute(QStringLiteral("Extension"), QStringLiteral("rels"));
    typesXml.writeAttribute(
        QStringLiteral("ContentType"),
        QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    typesXml.writeEndElement();
    for (const auto& [part, type] : overrides) {
        typesXml.writeStartElement(QStringLiteral("Override"));
        typesXml.writeAttribute(QStringLiteral("PartName"), QString::fromLatin1(part));
        typesXml.writeAttribute(QStringLiteral("ContentType"), QString::fromLatin1(type));
        typesXml.writeEndElement();
    }
    typesXml.writeEndDocument();

    const QString path =
        folder().filePath(QStringLiteral("precos-%1.xlsx").arg(items.RecordCount()));
    const std::pair<const char*, QByteArray> parts[] = {
        {"[Content_Types].xml", types},
        {"_rels/.rels",
         relations({{QStringLiteral("officeDocument"), QStringLiteral("xl/workbook.xml")}})},
        {"xl/workbook.xml", workbookXml},
        {"xl/_rels/workbook.xml.rels",
         relations({{QStringLiteral("worksheet"), QStringLiteral("worksheets/sheet1.xml")},
                    {QStringLiteral("sharedStrings"), QStringLiteral("sharedStrings.xml")}})},
        {"xl/worksheets/sheet1.xml", sheetXml},
        {"xl/sharedStrings.xml", stringsXml}};
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return {};
    for (const auto& [name, bytes] : parts) {
        zip_source_t* source =
            zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source || zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return {};
        }
    }
    return zip_close(archive) == 0 ? path : QString();
}

// A supplier's answer read back: a workbook with every price of a loaded worksheet changed,
// read (unzipped and parsed), compared with the items and checked as the price entry checks,
// previewed, confirmed and posted to the item table in one batch with each detail line
// rewritten, the pivot rebuilt and recounted.
void BM_ImportPrices(benchmark::State& state)
{
    bench().show(int(state.range(0)));
    module::Worksheet& sheet = bench().sheet();
    module::TfrmPlanCotaPrec& window = bench().form();
    const QString file = writePriceWorkbook(sheet, 0.25);
    if (file.isEmpty()) {
        state.SkipWithError("the workbook could not be written");
        return;
    }
    BenchUi ui;
    host::Ui* previous = host::Ui::install(&ui);
    ui.onModal = [](QDialog& dialog) {
        dialog.findChild<QToolButton*>(QStringLiteral("sbtConfirma"))->click();
    };
    module::setPriceFileChooser([file](QWidget*) { return file; });
    int changes = 0;
    for (auto _ : state) {
        try {
            module::ImportarPrecos(window);
        } catch (const host::Exception& e) {
            state.SkipWithError(
                qPrintable(ui.lastMessage.isEmpty() ? e.message() : ui.lastMessage));
            break;
        }
        state.PauseTiming();
        changes = sheet.cdsAltCotacao.ChangeCount();
        // What was imported is not kept for the next round.
        sheet.cdsAltCotacao.CancelUpdates();
        window.cdsColetapr.CancelUpdates();
        *Cli_Sup01700::stlCotacao = *Cli_Sup01700::stlOldCotacao;
        state.ResumeTiming();
        if (changes == 0) {
            state.SkipWithError(qPrintable(QStringLiteral("nothing imported: ") + ui.lastMessage));
            break;
        }
    }
    module::setPriceFileChooser({});
    host::Ui::install(previous);
    state.counters["changes"] = changes;
    state.counters["file MB"] = double(QFileInfo(file).size()) / (1024.0 * 1024.0);
}

void sizes(benchmark::internal::Benchmark* b)
{
    for (const int items : {1'000, 10'000, 100'000, 300'000})
        b->Arg(items);
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_SqliteItemScan)->Apply(sizes);
BENCHMARK(BM_WorksheetLoad)->Apply(sizes);
BENCHMARK(BM_WorksheetReopen)->Apply(sizes);
BENCHMARK(BM_GetStringList)->Apply(sizes);
BENCHMARK(BM_PaintViewport)
    ->ArgsProduct({{1'000, 10'000, 100'000, 300'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocateCotacao)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ContaRegs)->Apply(sizes);
BENCHMARK(BM_DegRegistros)->Apply(sizes);
BENCHMARK(BM_CubeBuild)->Apply(sizes);
BENCHMARK(BM_PriceEntry)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegionInsert)->Arg(2'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportPrices)->Arg(10'000)->Arg(300'000)->Unit(benchmark::kMillisecond);

// ---- memory ----------------------------------------------------------------------------------

// The database is written by a child process, so that nothing of the seeding stays in
// this process's heap; this process then opens the window and loads the worksheet.
int memoryReport(int argc, char** argv, int items)
{
    const QString file = folder().filePath(QStringLiteral("memory.db"));
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return 2;
    const pid_t child = fork();
    if (child == 0) {
        QCoreApplication seeding(argc, argv);
        host::Database db(QStringLiteral("sqlite:") + file);
        const QByteArray number = appserver::db::seedScale(db, items, kDay).toLatin1();
        const ssize_t written = write(pipeEnds[1], number.constData(), size_t(number.size()));
        _exit(written == number.size() ? 0 : 1);
    }
    close(pipeEnds[1]);
    char number[32] = {};
    const ssize_t read = ::read(pipeEnds[0], number, sizeof number - 1);
    int status = 0;
    waitpid(child, &status, 0);
    if (read <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return 2;

    QApplication app(argc, argv);
    Bench memory(file);
    memory.adoptQuotation(items, QString::fromLatin1(number));
    memory.form();
    if (!bench::resetPeak())
        std::printf("warning: the peak could not be reset\n");
    const long before = bench::residentKb();
    memory.show(items);
    const long after = bench::residentKb();
    const long peak = bench::peakKb();
    const qsizetype lines = Cli_Sup01700::stlCotacao->size();
    std::printf("items %d, detail lines %lld, item records %d\n", items, qlonglong(lines),
                memory.sheet().cdsAltCotacao.RecordCount());
    std::printf("resident after loading the worksheet: %.1f bytes/item\n",
                (after - before) * 1024.0 / items);
    std::printf("peak while loading (client and in-process server): %.1f bytes/item\n",
                (peak - before) * 1024.0 / items);
    return lines == items ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--memory") == 0)
        return memoryReport(argc, argv, std::atoi(argv[2]));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    bench::RatioReporter reporter({{"BM_WorksheetLoad", "BM_SqliteItemScan"},
                                   {"BM_GetStringList", "BM_SqliteItemScan"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    g_bench.reset();
    return 0;
}

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
#include "maintenance/RegionItems.h"

#include <QDialog>
#include <QToolButton>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include "BenchUi.h"
#include "MemoryProbe.h"

#include <benchmark/benchmark.h>
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
        sheet.PreencheAltCotacao(true);
        benchmark::DoNotOptimize(sheet.degCotacao->DataRowCount());
    }
    state.counters["lines"] = double(Cli_Sup01700::stlCotacao->size());
    state.counters["rows"] = sheet.degCotacao->DataRowCount();
    state.counters["cols"] = sheet.degCotacao->DataColCount();
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

void sizes(benchmark::internal::Benchmark* b)
{
    for (const int items : {1'000, 10'000, 100'000, 300'000})
        b->Arg(items);
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_WorksheetLoad)->Apply(sizes);
BENCHMARK(BM_GetStringList)->Apply(sizes);
BENCHMARK(BM_PaintViewport)->Apply(sizes);
BENCHMARK(BM_LocateCotacao)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ContaRegs)->Apply(sizes);
BENCHMARK(BM_DegRegistros)->Apply(sizes);
BENCHMARK(BM_CubeBuild)->Apply(sizes);
BENCHMARK(BM_PriceEntry)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegionInsert)->Arg(2'000)->Unit(benchmark::kMillisecond);

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
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_bench.reset();
    return 0;
}

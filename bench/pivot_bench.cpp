// Measures the worksheet pivot on worksheet-shaped item tables: building the decision
// cube (region and supplier across, product down, counting prices) and painting and
// scrolling the pivot grid over it. Figures are printed only.
//
//   pivot_bench [benchmark flags]

#include "ItemTableGenerator.h"

#include "host/core/DataSet.h"
#include "host/pivot/DecisionCube.h"
#include "host/pivot/NewDecisionGrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// A loaded item table in the worksheet's index order, and its cube.
struct Worksheet
{
    host::DataSet items;
    host::TDecisionCube cube;

    explicit Worksheet(int rows)
    {
        items.SetData(bench::makeItemPacket(rows));
        items.AddIndex(QStringLiteral("IndCube"),
                       QStringLiteral("COCFORNECED;COCREGIAO;COCPRODUTO"), host::IxCaseInsensitive);
        items.SetIndexName(QStringLiteral("IndCube"));
        cube.AddDimension(QStringLiteral("COCREGIAO"), QStringLiteral("Região"));
        cube.AddDimension(QStringLiteral("COCFORNECED"), QStringLiteral("Fornecedor"));
        cube.AddDimension(QStringLiteral("COCPRODUTO"), QStringLiteral("Produto"));
        cube.SetSummaryField(QStringLiteral("VRPRECUNIITM"));
        cube.SetPivot({2}, {0, 1});
        cube.SetDataSet(&items);
    }
};

Worksheet& worksheetFor(int rows)
{
    static std::map<int, std::unique_ptr<Worksheet>> cache;
    auto& w = cache[rows];
    if (!w)
        w = std::make_unique<Worksheet>(rows);
    return *w;
}

void BM_CubeBuild(benchmark::State& state)
{
    Worksheet& w = worksheetFor(int(state.range(0)));
    for (auto _ : state) {
        w.cube.SetActive(true);
        benchmark::DoNotOptimize(w.cube.CellCount());
    }
    state.counters["rows"] = w.cube.Rows().Count();
    state.counters["cols"] = w.cube.Cols().Count();
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_CubeBuild)->Arg(10'000)->Arg(100'000)->Arg(300'000)->Unit(benchmark::kMillisecond);

// One price changed and posted, then the grid reads the cube again: the whole rebuild
// a price entry costs.
void BM_CubeAfterPost(benchmark::State& state)
{
    Worksheet& w = worksheetFor(int(state.range(0)));
    w.cube.SetActive(true);
    auto& price = w.items.FieldByName(QStringLiteral("VRPRECUNIITM"));
    double value = 1.0;
    for (auto _ : state) {
        w.items.Edit();
        price.SetValue(value += 1.0);
        w.items.Post();
        benchmark::DoNotOptimize(w.cube.Total());
    }
}
BENCHMARK(BM_CubeAfterPost)->Arg(300'000)->Unit(benchmark::kMillisecond);

// The grid on a desktop-sized window over 300 000 items (2 000 rows by 150 supplier
// columns, with the region subtotals and the totals): one full paint per iteration,
// scrolled to a different place each time.
void BM_GridScrollAndPaint(benchmark::State& state)
{
    Worksheet& w = worksheetFor(300'000);
    w.cube.SetActive(true);
    host::TNewDecisionGrid grid;
    grid.SetDecisionCube(&w.cube);
    grid.resize(1600, 900);
    grid.OnDecisionDrawCell = [](int, int, QString& text, QColor&,
                                 host::TNewDecisionGrid::GridStates,
                                 host::TNewDecisionGrid::PivotStates) { text += QLatin1Char(' '); };
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const bool horizontal = state.range(0) != 0;
    int step = 0;
    for (auto _ : state) {
        step = (step + 37) % 2000;
        if (horizontal)
            grid.SetLeftCol(step % 150);
        else
            grid.SetTopRow(step);
        grid.viewport()->render(&image);
    }
    state.counters["cells/paint"] =
        double(grid.VisibleRowCount() + 3) * (grid.VisibleColCount() + 2);
}
BENCHMARK(BM_GridScrollAndPaint)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("horizontal")
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

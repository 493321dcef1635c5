// Measures the in-memory table on worksheet-shaped data. Figures are printed only.
//
//   dataset_bench [benchmark flags]     the timings
//   dataset_bench --memory ROWS         resident memory of a loaded table (run alone)

#include "ItemTableGenerator.h"
#include "MemoryProbe.h"

#include "host/core/DataSet.h"
#include "host/core/WireCodec.h"

#include <QJsonDocument>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <unistd.h>

namespace {

const QString kKey = QStringLiteral("COCFORNECED;COCREGIAO;COCPRODUTO");

const QByteArray& jsonFor(int rows)
{
    static std::map<int, QByteArray> cache;
    auto it = cache.find(rows);
    if (it == cache.end())
        it = cache.emplace(rows, bench::makeItemJson(rows)).first;
    return it->second;
}

void load(host::DataSet& ds, const QByteArray& json)
{
    ds.SetData(host::wire::decode(json).value<host::Packet>());
}

void BM_JsonParseOnly(benchmark::State& state)
{
    const QByteArray& json = jsonFor(int(state.range(0)));
    for (auto _ : state) {
        QJsonDocument doc = QJsonDocument::fromJson(json);
        benchmark::DoNotOptimize(doc);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * json.size());
}

void BM_PacketLoad(benchmark::State& state)
{
    const QByteArray& json = jsonFor(int(state.range(0)));
    for (auto _ : state) {
        host::DataSet ds;
        load(ds, json);
        benchmark::DoNotOptimize(ds.RecordCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * json.size());
}

void BM_IndexBuild(benchmark::State& state)
{
    host::DataSet ds;
    load(ds, jsonFor(int(state.range(0))));
    ds.AddIndex(QStringLiteral("IndCube"), kKey, host::IxCaseInsensitive);
    for (auto _ : state) {
        ds.SetIndexName(QStringLiteral("IndCube"));
        state.PauseTiming();
        ds.SetIndexName(QString());
        state.ResumeTiming();
    }
}

void BM_Locate(benchmark::State& state)
{
    host::DataSet ds;
    load(ds, jsonFor(int(state.range(0))));
    ds.AddIndex(QStringLiteral("IndCube"), kKey, host::IxCaseInsensitive);
    ds.SetIndexName(QStringLiteral("IndCube"));
    // Keys of existing rows, looked up in random order.
    std::vector<QVariantList> keys;
    std::mt19937 random(7);
    for (int i = 0; i < 1000; ++i) {
        ds.SetRecNo(int(random() % ds.RecordCount()) + 1);
        keys.push_back({ds.FieldByName(QStringLiteral("COCFORNECED")).AsString(),
                        ds.FieldByName(QStringLiteral("COCREGIAO")).AsString(),
                        ds.FieldByName(QStringLiteral("COCPRODUTO")).AsString()});
    }
    size_t i = 0;
    for (auto _ : state) {
        const bool found = ds.Locate(kKey, keys[i++ % keys.size()], host::LoCaseInsensitive);
        if (!found)
            state.SkipWithError("key not found");
    }
}

void BM_FilterLike(benchmark::State& state)
{
    host::DataSet ds;
    load(ds, jsonFor(int(state.range(0))));
    int round = 0;
    for (auto _ : state) {
        ds.SetFiltered(false);
        ds.SetFilter(QStringLiteral("[COCPRODUTO] LIKE '%%1¥¥%' and [COCPRODUTO] LIKE '%MARCA%'")
                         .arg(++round % 10 + 1, 10, 10, QLatin1Char('0')));
        ds.SetFiltered(true);
        double sum = 0;
        for (ds.First(); !ds.Eof(); ds.Next())
            sum += ds.FieldByName(QStringLiteral("VRPRECUNIITM")).AsFloat();
        benchmark::DoNotOptimize(sum);
    }
}

void BM_Delta(benchmark::State& state)
{
    const QByteArray& json = jsonFor(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        host::DataSet ds;
        load(ds, json);
        state.ResumeTiming();
        host::Field& price = ds.FieldByName(QStringLiteral("VRPRECUNIITM"));
        const int n = ds.RecordCount();
        for (int row = 0; row < n; row += 10) {
            ds.SetRecNo(row + 1);
            ds.Edit();
            price.SetAsFloat(price.AsFloat() + 1);
            ds.Post();
        }
        const host::Delta delta = ds.Delta();
        benchmark::DoNotOptimize(delta.changes.size());
        state.PauseTiming();
        {
            host::DataSet discard;  // destroy the loaded table outside the timing
            (void)discard;
        }
        state.ResumeTiming();
    }
}

#define SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_JsonParseOnly) SIZES;
BENCHMARK(BM_PacketLoad) SIZES;
BENCHMARK(BM_IndexBuild) SIZES;
BENCHMARK(BM_Locate)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FilterLike) SIZES;
BENCHMARK(BM_Delta) SIZES;

int memoryReport(int rows)
{
    const QByteArray json = bench::makeItemJson(rows);
    if (!bench::resetPeak())
        std::printf("warning: the peak could not be reset; it includes building the data\n");
    const long before = bench::residentKb();
    host::DataSet ds;
    load(ds, json);
    ds.AddIndex(QStringLiteral("IndCube"), kKey, host::IxCaseInsensitive);
    ds.SetIndexName(QStringLiteral("IndCube"));
    const long after = bench::residentKb();
    const long peak = bench::peakKb();
    std::printf("rows %d, packet text %lld bytes (%.1f bytes/row)\n", rows, qlonglong(json.size()),
                double(json.size()) / rows);
    std::printf("resident after load and index, beyond the packet text: %.1f bytes/row\n",
                (after - before) * 1024.0 / rows);
    std::printf("peak during load and index, beyond the packet text: %.1f bytes/row\n",
                (peak - before) * 1024.0 / rows);
    return ds.RecordCount() == rows ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--memory") == 0)
        return memoryReport(std::atoi(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

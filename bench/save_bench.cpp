// Measures saving the price worksheet of a 300 000-item quotation (sup-db seed --scale),
// with the application server in-process over a SQLite database, the way the worksheet
// saves: ValidaDados on the whole item table, GravaPlanCota with the change packet of 1 000
// to 100 000 changed prices (and a request id), then GetStringList of all regions after the
// save. The time of each step is printed beside the total. Figures are printed only.

#include "BenchServer.h"

#include "appserver/db/Seed.h"
#include "host/core/Database.h"
#include "host/core/Packet.h"
#include "host/net/CheckResultServ.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QUuid>

#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>

namespace {

const QDate kDay(2025, 3, 12);
constexpr int kItems = 300'000;
const QString kBranch = QStringLiteral("0001");

class SaveBench
{
public:
    SaveBench()
    {
        const QString file = m_dir.filePath(QStringLiteral("save.db"));
        {
            host::Database db(QStringLiteral("sqlite:") + file);
            m_number = appserver::db::seedScale(db, kItems, kDay);
        }
        // The scale quotation belongs to the first buyer.
        m_server = std::make_unique<bench::BenchServer>(file, QStringLiteral("ANA.CARVALHO"), kBranch);
        const QVariant loaded =
            host::CheckResultServ(call(QStringLiteral("GetStringList"),
                                       {kBranch, m_number, QStringLiteral("NULL"), false}),
                                  true);
        m_items = loaded.toList().value(1).value<host::Packet>();
        if (m_items.rowCount() != kItems)
            throw std::runtime_error("the scale quotation was not loaded whole");
    }

    QVariant call(const QString& method, const QVariantList& args, const QString& requestId = {})
    {
        return m_server->net().AppServer().call(method, args, requestId);
    }

    // Gives the first `count` items new prices, as typed on the worksheet: the whole item
    // table (for the validation) and its change packet.
    std::pair<host::Packet, host::Delta> typePrices(int count)
    {
        auto table = std::make_shared<host::Table>(*m_items.table());
        host::Delta delta;
        delta.fields = table->defs();
        const int price = table->fieldCount() - 1;
        ++m_round;
        for (int row = 0; row < count; ++row) {
            const quint32 slot = m_items.slot(row);
            const QVariantList before = m_items.row(row);
            const double typed = 1.0 + double((row * 7 + m_round * 13) % 90000) / 1000.0;
            table->setCell(slot, price, host::Table::encodeFloat(typed));
            QVariantList after = before;
            after[price] = typed;
            delta.changes.push_back({host::Change::Op::Update, before, after});
        }
        return {host::Packet(table), std::move(delta)};
    }
    // What the worksheet holds after a save: its changes merged.
    void saved(const host::Packet& items) { m_items = items; }

    const QString& number() const { return m_number; }

private:
    QTemporaryDir m_dir;
    QString m_number;
    std::unique_ptr<bench::BenchServer> m_server;
    host::Packet m_items;
    int m_round = 0;
};

void BM_SaveWorksheet(benchmark::State& state)
{
    SaveBench& b = bench::benchInstance<SaveBench>();
    const int changed = int(state.range(0));
    double validate = 0, store = 0, reload = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto [items, delta] = b.typePrices(changed);
        const QString requestId = QUuid::createUuid().toString(QUuid::WithoutBraces);
        state.ResumeTiming();

        QElapsedTimer step;
        step.start();
        const QVariant errors =
            b.call(QStringLiteral("ValidaDados"),
                   {QVariant::fromValue(items), kBranch, kBranch, kDay.toString(Qt::ISODate)});
        validate += double(step.restart());
        const QString answer =
            b.call(QStringLiteral("GravaPlanCota"),
                   {QVariant(), QVariant::fromValue(delta), kBranch, b.number(), false, kDay, false,
                    false, false, false, kBranch, QStringLiteral("ANA.CARVALHO")},
                   requestId)
                .toString();
        store += double(step.restart());
        benchmark::DoNotOptimize(b.call(QStringLiteral("GetStringList"),
                                        {kBranch, b.number(), QStringLiteral("NULL"), true}));
        reload += double(step.elapsed());

        if (!answer.isEmpty()) {
            state.SkipWithError(answer.toUtf8().constData());
            break;
        }
        state.PauseTiming();
        b.saved(items);
        benchmark::DoNotOptimize(errors);
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["ValidaDados_ms"] = validate / n;
    state.counters["GravaPlanCota_ms"] = store / n;
    state.counters["GetStringList_ms"] = reload / n;
}

BENCHMARK(BM_SaveWorksheet)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks<SaveBench>(argc, argv);
}

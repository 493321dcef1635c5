// Measures the inclusion of a new quotation (IncluirCotacao) that generates about 10 000
// and 100 000 items, with the application server in-process over a SQLite database grown
// with sup-db's scale seed: its generated products, registered for thirty suppliers in
// three brands each, and a quotation of the same items whose prices "Carregar Último
// Preço" loads. Each inclusion is one call; the quotation it writes is removed between
// iterations (not timed). Figures are printed only.

#include "BenchServer.h"

#include "appserver/db/Seed.h"
#include "host/core/Database.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace {

const QDate kDay(2025, 3, 12);
const QString kBranch = QStringLiteral("0001");
const QString kBuyer = QStringLiteral("ANA.CARVALHO"); // negotiates the scale products
// Enough scale products for the largest inclusion, whose checks leave out a few suppliers.
constexpr int kScaleItems = 120'000;

class InclusionBench
{
public:
    InclusionBench()
    {
        const QString file = m_dir.filePath(QStringLiteral("inclusion.db"));
        m_db = std::make_unique<host::Database>(QStringLiteral("sqlite:") + file);
        appserver::db::seedScale(*m_db, kScaleItems, kDay);
        QSqlQuery trees = m_db->run(QStringLiteral("SELECT CDARVPROD FROM PRODUTO WHERE "
                                                   "CDARVPROD LIKE '99%' AND CDNVPRODUTO = 3 "
                                                   "ORDER BY CDARVPROD"));
        while (trees.next())
            m_products.append(trees.value(0).toString());

        m_server = std::make_unique<bench::BenchServer>(file, kBuyer, kBranch);
    }

    // The last product of a range from the first scale product that makes about `items`
    // items, as GetDetalhes counts the items of one product.
    QString lastProductFor(int items)
    {
        static const QRegularExpression generated(QStringLiteral("Itens gerados: (\\d+)$"));
        const QString details =
            call(QStringLiteral("GetDetalhes"),
                 {kBranch, kBuyer, m_products.first(), m_products.first(), QString(), kDay,
                  kDay.addDays(13), QString(), QStringLiteral("T"), QString(), QStringLiteral("T"),
                  kDay, QString(), false, false, true, kBranch})
                .toString();
        const int perProduct = generated.match(details).captured(1).toInt();
        if (perProduct == 0)
            throw std::runtime_error(details.toStdString());
        const int products = int(std::ceil(double(items) / perProduct));
        if (products > m_products.size())
            throw std::runtime_error("not enough scale products");
        return m_products[products - 1];
    }

    QString include(const QString& lastProduct, bool lastPrices)
    {
        return call(QStringLiteral("IncluirCotacao"),
                    {kBranch, kBranch, kBuyer, kDay, QStringLiteral("11"), QStringLiteral("12"),
                     kDay.addDays(-2), kDay.addDays(11), m_products.first(), lastProduct, QString(),
                     QString(), QString(), QString(), true, lastPrices, true, QStringLiteral("S"),
                     kBuyer})
            .toString();
    }

    qint64 itemsOf(const QString& number)
    {
        QSqlQuery count = m_db->run(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE "
                                                   "CDFILIAL = ? AND NRCOLEPRECO = ?"),
                                    {kBranch, number});
        return count.next() ? count.value(0).toLongLong() : 0;
    }
    void remove(const QString& number)
    {
        m_db->run(QStringLiteral("DELETE FROM COLETAPR WHERE CDFILIAL = ? AND NRCOLEPRECO = ?"),
                  {kBranch, number});
    }

private:
    QVariant call(const QString& method, const QVariantList& args)
    {
        return m_server->net().AppServer().call(method, args);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<host::Database> m_db;
    QStringList m_products;
    std::unique_ptr<bench::BenchServer> m_server;
};

// Arguments: items wanted, "Carregar Último Preço" (0 or 1).
void BM_IncluirCotacao(benchmark::State& state)
{
    InclusionBench& b = bench::benchInstance<InclusionBench>();
    const QString lastProduct = b.lastProductFor(int(state.range(0)));
    const bool lastPrices = state.range(1) != 0;
    qint64 items = 0;
    for (auto _ : state) {
        const QString answer = b.include(lastProduct, lastPrices);
        state.PauseTiming();
        if (!answer.startsWith(QLatin1Char('1'))) {
            state.SkipWithError(answer.toUtf8().constData());
            break;
        }
        items = b.itemsOf(answer.mid(1));
        b.remove(answer.mid(1));
        state.ResumeTiming();
    }
    state.counters["items"] = double(items);
    state.counters["items_per_s"] =
        benchmark::Counter(double(items), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_IncluirCotacao)
    ->ArgNames({"items", "last_price"})
    ->Args({10'000, 0})
    ->Args({10'000, 1})
    ->Args({100'000, 0})
    ->Args({100'000, 1})
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks<InclusionBench>(argc, argv);
}

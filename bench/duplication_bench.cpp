// Measures the duplication of one quotation (DuplicaCotacao, current quotation, prices
// readjusted by 5 %) of about 10 000 and 100 000 items, each with two payment instalments
// and two taxes, with the application server in-process over a SQLite database grown with
// sup-db's scale seed. Each duplication is one call; the copy it writes is removed between
// iterations (not timed). Figures are printed only.

#include "BenchServer.h"

#include "appserver/db/Seed.h"
#include "host/core/Database.h"

#include <QCoreApplication>
#include <QHash>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

const QDate kDay(2025, 3, 12);
const QString kBranch = QStringLiteral("0001");
const QString kBuyer = QStringLiteral("ANA.CARVALHO"); // the scale quotations' buyer

class DuplicationBench
{
public:
    DuplicationBench()
    {
        const QString file = m_dir.filePath(QStringLiteral("duplication.db"));
        m_db = std::make_unique<host::Database>(QStringLiteral("sqlite:") + file);
        for (int items : {10'000, 100'000}) {
            const QString number = appserver::db::seedScale(*m_db, items, kDay);
            addTermsAndTaxes(number);
            m_quotations.insert(items, number);
        }

        m_server = std::make_unique<bench::BenchServer>(file, kBuyer, kBranch);
    }

    QString quotationOf(int items) const { return m_quotations.value(items); }

    // The quotation copied a year on, into a validity where the buyer has nothing yet.
    QString duplicate(const QString& number)
    {
        const QDate from = kDay.addDays(1 - kDay.dayOfWeek() + 52 * 7); // a Monday
        return m_server->net().AppServer()
            .call(QStringLiteral("DuplicaCotacao"),
                  {kBranch, QString::number(from.weekNumber()).rightJustified(2, u'0'),
                   QString::number(from.addDays(13).weekNumber()).rightJustified(2, u'0'), from,
                   from.addDays(13), number, QVariant(), QVariant(), kDay, 5.0, QString(), false,
                   false, kBranch, kBuyer})
            .toString();
    }

    // The copy just written: the highest number of the centre.
    QString lastNumber()
    {
        return scalar(QStringLiteral("SELECT MAX(NRCOLEPRECO) FROM COLETAPR")).toString();
    }
    qint64 itemsOf(const QString& number)
    {
        return scalar(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE NRCOLEPRECO = ?"), number)
            .toLongLong();
    }
    void remove(const QString& number)
    {
        m_db->run(QStringLiteral("DELETE FROM COLETAPR WHERE CDFILIAL = ? AND NRCOLEPRECO = ?"),
                  {kBranch, number});
    }

private:
    // Two instalments (30 and 60 days) and two taxes for every item of the quotation.
    void addTermsAndTaxes(const QString& number)
    {
        const QString pairs = QStringLiteral(
            "FROM ITEMCOLE I, (SELECT 1 AS N UNION ALL SELECT 2) P WHERE I.CDFILIAL = ? AND "
            "I.NRCOLEPRECO = ?");
        m_db->run(QStringLiteral("INSERT INTO PZOPGTITMCOL (CDFILIAL, NRCOLEPRECO, CDREGIAO, "
                                 "CDFORNECED, CDPRODUTO, CDMARCA, NRPARCPGTO, NRDIAPGTO, "
                                 "VRPERCPARC, CDFORMPGTO) SELECT I.CDFILIAL, I.NRCOLEPRECO, "
                                 "I.CDREGIAO, I.CDFORNECED, I.CDPRODUTO, I.CDMARCA, P.N, 30 * "
                                 "P.N, 50, '001' ") +
                      pairs,
                  {kBranch, number});
        m_db->run(QStringLiteral("INSERT INTO IMPCOLET (CDFILIAL, NRCOLEPRECO, CDREGIAO, "
                                 "CDFORNECED, CDPRODUTO, CDMARCA, CDIMPOSTO, VRALIQIMPOS) SELECT "
                                 "I.CDFILIAL, I.NRCOLEPRECO, I.CDREGIAO, I.CDFORNECED, "
                                 "I.CDPRODUTO, I.CDMARCA, CASE P.N WHEN 1 THEN 'ICMS' ELSE 'IPI' "
                                 "END, CASE P.N WHEN 1 THEN 18 ELSE 5 END ") +
                      pairs,
                  {kBranch, number});
    }

    QVariant scalar(const QString& sql, const QVariant& value = {})
    {
        QSqlQuery query = m_db->run(sql, value.isValid() ? QVariantList{value} : QVariantList{});
        return query.next() ? query.value(0) : QVariant();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<host::Database> m_db;
    QHash<int, QString> m_quotations; // by items
    std::unique_ptr<bench::BenchServer> m_server;
};

// Argument: items of the quotation duplicated.
void BM_DuplicaCotacao(benchmark::State& state)
{
    DuplicationBench& b = bench::benchInstance<DuplicationBench>();
    const QString source = b.quotationOf(int(state.range(0)));
    qint64 items = 0;
    for (auto _ : state) {
        const QString answer = b.duplicate(source);
        state.PauseTiming();
        if (answer != QLatin1String("XS")) {
            state.SkipWithError(answer.toUtf8().constData());
            break;
        }
        const QString copy = b.lastNumber();
        items = b.itemsOf(copy);
        b.remove(copy);
        state.ResumeTiming();
    }
    state.counters["items"] = double(items);
    state.counters["items_per_s"] =
        benchmark::Counter(double(items), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_DuplicaCotacao)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks<DuplicationBench>(argc, argv);
}

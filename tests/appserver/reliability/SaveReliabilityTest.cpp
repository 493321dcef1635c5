// Saving against a real sup-appserver over HTTP when things go wrong: many buyers saving the
// same items at once, and the server killed in the middle of a large save and started again.
// Whatever happens, a save is stored whole or not at all, and only once.

#include "AppServerProcess.h"

#include "../DbTestSupport.h"
#include "../ItemTestSupport.h"

#include "appserver/db/Seed.h"
#include "host/core/Exceptions.h"
#include "host/net/CheckResultServ.h"
#include "host/net/NetConnection.h"
#include "module/records/WorksheetValues.h"

#include <QUuid>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <latch>
#include <thread>

namespace reliabilitytest {
namespace {

using itemtest::Item;
using itemtest::ItemTable;

const QString kPlan = QStringLiteral("Sup.rdmPlanCotaPrec");
const QString kBranch = QStringLiteral("0001");
const QString kAna = QStringLiteral("ANA.CARVALHO");

class SaveReliabilityTest : public ::testing::Test
{
protected:
    QString database() const { return QStringLiteral("sqlite:") + m_db.path(); }
    host::Database& db() { return m_db.db(); }
    QString dbPath() const { return m_db.path(); }

    // A logged-in session with the server over HTTP.
    std::unique_ptr<host::RemoteSession> connect(const QString& operatorCode)
    {
        auto session = std::make_unique<host::RemoteSession>();
        session->setWebURL(QStringLiteral("127.0.0.1"));
        session->setWebPort(server.port());
        session->login(operatorCode, QStringLiteral("demo"), kBranch);
        return session;
    }
    static host::Packet loadItems(host::TNetConnection& net, const QString& number)
    {
        return host::CheckResultServ(net.AppServer().call(QStringLiteral("GetStringList"),
                                                          {kBranch, number, QStringLiteral("NULL"),
                                                           false}),
                                     true)
            .toList()
            .value(1)
            .value<host::Packet>();
    }
    static QVariantList saveArgs(const QString& number, const QVariant& items,
                                 const QString& operatorCode)
    {
        return {QVariant(), items, kBranch, number, false, QDate(2025, 3, 5),
                false,      false, false,   false,  kBranch, operatorCode};
    }
    int itemCount(const QString& number)
    {
        return dbtest::scalar(db(), QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE "
                                                   "NRCOLEPRECO = ?"),
                              {number})
            .toInt();
    }

    AppServerProcess server;

private:
    dbtest::TempDatabase m_db;
};

TEST_F(SaveReliabilityTest, OfManyConcurrentSavesOfTheSameItemsExactlyOneIsStored)
{
    appserver::db::seedDemo(db(), dbtest::referenceDay());
    ASSERT_TRUE(server.start(database(), 64)) << server.error().toStdString();
    const QString number = QStringLiteral("0000000003");
    const Item first{QStringLiteral("001"), dbtest::supplier(1), QStringLiteral("0000000003"),
                     QStringLiteral("00002")};
    Item second = first;
    second.region = QStringLiteral("002");
    const int items = itemCount(number);

    // Every client loaded the worksheet before any saved, and typed its own price on both
    // items: the buyer and her manager, each from many windows.
    constexpr int kClients = 50;
    const auto ana = connect(kAna);
    const auto manager = connect(QStringLiteral("FERNANDA.LUZ"));
    std::vector<std::unique_ptr<host::TNetConnection>> connections;
    std::vector<QVariantList> saves;
    for (int c = 0; c < kClients; ++c) {
        host::RemoteSession& session = c % 2 ? *manager : *ana;
        connections.push_back(std::make_unique<host::TNetConnection>(kPlan, session));
        ItemTable table(loadItems(*connections.back(), number));
        table.setPrice(first, 100 + c);
        table.setPrice(second, 100 + c);
        saves.push_back(saveArgs(number, table.changes(), session.operatorCode()));
    }

    std::vector<QString> answers(kClients);
    std::latch ready(kClients);
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c)
        clients.emplace_back([&, c] {
            ready.arrive_and_wait();
            try {
                answers[size_t(c)] =
                    connections[size_t(c)]
                        ->AppServer()
                        .call(QStringLiteral("GravaPlanCota"), saves[size_t(c)],
                              QUuid::createUuid().toString(QUuid::WithoutBraces))
                        .toString();
            } catch (const host::Exception& e) {
                answers[size_t(c)] = QStringLiteral("falha: ") + e.message();
            }
        });
    for (std::thread& client : clients)
        client.join();

    int winner = -1;
    for (int c = 0; c < kClients; ++c) {
        if (answers[size_t(c)].isEmpty()) {
            EXPECT_EQ(winner, -1) << "two saves were stored";
            winner = c;
        } else {
            EXPECT_TRUE(answers[size_t(c)].startsWith(
                QStringLiteral("Item alterado por outro operador: região 00")))
                << answers[size_t(c)].toStdString();
        }
    }
    ASSERT_NE(winner, -1) << "no save was stored";
    // Both items hold the winner's price: never one price of one save and one of another.
    EXPECT_EQ(itemtest::storedPrice(db(), number, first), 100.0 + winner);
    EXPECT_EQ(itemtest::storedPrice(db(), number, second), 100.0 + winner);
    EXPECT_EQ(itemCount(number), items);
}

// Waits until some connection holds the database's write lock (the save's transaction has
// begun); false when none does within the time.
bool waitForWriter(const QString& path, std::chrono::milliseconds patience)
{
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        return false;
    const auto until = std::chrono::steady_clock::now() + patience;
    bool locked = false;
    while (!locked && std::chrono::steady_clock::now() < until) {
        locked = sqlite3_exec(handle, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_BUSY;
        if (!locked) {
            sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    sqlite3_close(handle);
    return locked;
}

TEST_F(SaveReliabilityTest, ASaveCutByAKilledServerIsStoredWholeOnceByItsRetry)
{
    const QString number = appserver::db::seedScale(db(), 12000, dbtest::referenceDay());
    const int items = itemCount(number);
    constexpr int kChanged = 10000;

    // The kill lands at different moments of the save: as it takes the write lock, while it
    // writes, and once it has answered.
    for (const int delay : {0, 20, 50, 1000}) {
        SCOPED_TRACE(delay);
        ASSERT_TRUE(server.start(database())) << server.error().toStdString();
        auto session = connect(kAna);
        host::TNetConnection net(kPlan, *session);
        const host::Packet loaded = loadItems(net, number);
        ASSERT_EQ(loaded.rowCount(), items);

        // New prices for the first items of the worksheet, as their change packet.
        host::Delta delta;
        delta.fields = loaded.fields();
        QHash<QString, double> expected; // item key -> new price
        for (int row = 0; row < kChanged; ++row) {
            const QVariantList before = loaded.row(row);
            QVariantList after = before;
            after[3] = before[3].toDouble() + 1.25;
            delta.changes.push_back({host::Change::Op::Update, before, after});
            const QString product = before[2].toString();
            expected.insert(QStringList{module::regionCodeOf(before[0].toString()),
                                        module::supplierCodeOf(before[1].toString()),
                                        module::productCodeOf(product), module::brandCodeOf(product)}
                                .join(u'|'),
                            after[3].toDouble());
        }
        const QVariantList args = saveArgs(number, QVariant::fromValue(delta), kAna);
        const QString requestId = QUuid::createUuid().toString(QUuid::WithoutBraces);

        QString answer = QStringLiteral("(sem resposta)");
        std::thread saving([&] {
            try {
                answer = net.AppServer().call(QStringLiteral("GravaPlanCota"), args, requestId).toString();
            } catch (const host::EConnectionLost&) {
            }
        });
        ASSERT_TRUE(waitForWriter(dbPath(), std::chrono::seconds(30)));
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        server.kill();
        saving.join();

        const auto changedCount = [&] {
            int changed = 0;
            const QStringList rows = dbtest::rows(
                db(),
                QStringLiteral("SELECT CDREGIAO || '|' || CDFORNECED || '|' || CDPRODUTO || '|' "
                               "|| CDMARCA, VRPRECUNIITM FROM ITEMCOLE WHERE NRCOLEPRECO = ?"),
                {number});
            for (const QString& row : rows) {
                const qsizetype bar = row.lastIndexOf(u'|');
                const auto it = expected.constFind(row.left(bar));
                changed += it != expected.constEnd() && row.mid(bar + 1).toDouble() == *it;
            }
            return changed;
        };
        const int stored = changedCount();
        EXPECT_TRUE(stored == 0 || stored == kChanged) << stored << " of the changes stored";
        std::printf("kill %d ms after the lock: %s\n", delay,
                    stored == 0 ? "nothing stored" : "everything stored");

        // The client reconnects and sends the same save again.
        ASSERT_TRUE(server.start(database())) << server.error().toStdString();
        session = connect(kAna);
        host::TNetConnection again(kPlan, *session);
        EXPECT_EQ(again.AppServer().call(QStringLiteral("GravaPlanCota"), args, requestId).toString(), "");
        EXPECT_EQ(changedCount(), kChanged);
        EXPECT_EQ(again.AppServer().call(QStringLiteral("GravaPlanCota"), args, requestId).toString(), "");
        EXPECT_EQ(changedCount(), kChanged);
        EXPECT_EQ(dbtest::scalar(db(), QStringLiteral("SELECT COUNT(*) FROM REQGRAVACAO WHERE "
                                                      "IDREQUISICAO = ?"),
                                 {requestId})
                      .toInt(),
                  1);
        EXPECT_EQ(itemCount(number), items);
        server.kill();
    }
}

} // namespace
} // namespace reliabilitytest

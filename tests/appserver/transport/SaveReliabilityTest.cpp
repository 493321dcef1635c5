// Saving against a real sup-appserver over HTTP when things go wrong: many operators saving
// the same items at once, and the server killed in the middle of a large save and started
// again. A save is stored whole or not at all, and only once.

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
#include <latch>
#include <thread>

namespace transporttest {
namespace {

using itemtest::Item;
using namespace std::chrono_literals;

const QString kPlan = QStringLiteral("Sup.rdmPlanCotaPrec");
const QString kBranch = QStringLiteral("0001");
const QString kAna = QStringLiteral("ANA.CARVALHO");

class SaveReliabilityTest : public ::testing::Test
{
protected:
    QString database() const { return QStringLiteral("sqlite:") + m_db.path(); }
    host::Database& db() { return m_db.db(); }

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
        const QVariant loaded = net.AppServer().call(
            QStringLiteral("GetStringList"), {kBranch, number, QStringLiteral("NULL"), false});
        return host::CheckResultServ(loaded, true).toList().value(1).value<host::Packet>();
    }
    static QString save(host::TNetConnection& net, const QString& number, const QVariant& items,
                        const QString& requestId)
    {
        return net.AppServer()
            .call(QStringLiteral("GravaPlanCota"),
                  {QVariant(), items, kBranch, number, false, QDate(2025, 3, 5), false, false,
                   false, false, kBranch, net.session().operatorCode()},
                  requestId)
            .toString();
    }
    int itemCount(const QString& number)
    {
        return dbtest::scalar(db(),
                              QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE "
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
    ASSERT_TRUE(server.start(database(), 64)) << server.log().toStdString();
    const QString number = QStringLiteral("0000000003");
    const Item first{QStringLiteral("001"), dbtest::supplier(1), QStringLiteral("0000000003"),
                     QStringLiteral("00002")};
    Item second = first;
    second.region = QStringLiteral("002");
    const int items = itemCount(number);

    // Each window loaded the worksheet before any saved and typed its own price on both
    // items: the buyer's windows and her manager's.
    constexpr int kClients = 50;
    const auto ana = connect(kAna);
    const auto manager = connect(QStringLiteral("FERNANDA.LUZ"));
    std::vector<std::unique_ptr<host::TNetConnection>> windows;
    std::vector<QVariant> changes;
    for (int c = 0; c < kClients; ++c) {
        windows.push_back(std::make_unique<host::TNetConnection>(kPlan, c % 2 ? *manager : *ana));
        itemtest::ItemTable table(loadItems(*windows.back(), number));
        table.setPrice(first, 100 + c);
        table.setPrice(second, 100 + c);
        changes.push_back(table.changes());
    }
    std::vector<QString> answers(kClients);
    std::latch ready(kClients);
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c)
        clients.emplace_back([&, c] {
            ready.arrive_and_wait();
            try {
                answers[size_t(c)] = save(*windows[size_t(c)], number, changes[size_t(c)],
                                          QUuid::createUuid().toString());
            } catch (const host::Exception& e) {
                answers[size_t(c)] = e.message();
            }
        });
    for (std::thread& client : clients)
        client.join();

    const auto stored = std::find(answers.begin(), answers.end(), QString());
    ASSERT_NE(stored, answers.end()) << "no save was stored";
    const int winner = int(stored - answers.begin());
    for (int c = 0; c < kClients; ++c) {
        const QString& answer = answers[size_t(c)];
        EXPECT_TRUE(c == winner || answer.startsWith(QStringLiteral(
                                       "Item alterado por outro operador: região 00")))
            << answer.toStdString();
    }
    // Both items hold the winner's price, never one of one save and one of another.
    EXPECT_EQ(itemtest::storedPrice(db(), number, first), 100.0 + winner);
    EXPECT_EQ(itemtest::storedPrice(db(), number, second), 100.0 + winner);
    EXPECT_EQ(itemCount(number), items);
}

// Waits until some connection holds the database's write lock: the save's transaction has
// begun.
bool waitForWriter(const QString& path)
{
    sqlite3* handle = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE, nullptr);
    bool locked = false;
    for (const auto until = std::chrono::steady_clock::now() + 30s;
         !locked && std::chrono::steady_clock::now() < until;) {
        locked = sqlite3_exec(handle, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_BUSY;
        sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_close(handle);
    return locked;
}

TEST_F(SaveReliabilityTest, ASaveCutByAKilledServerIsStoredWholeOnceByItsRetry)
{
    const QString number = appserver::db::seedScale(db(), 12000, dbtest::referenceDay());
    const int items = itemCount(number);
    constexpr int kChanged = 10000;

    // The kill lands as the save takes the write lock, while it writes (it holds the lock
    // for some 70 ms here), and after it has answered.
    for (const int delay : {0, 20, 50, 1000}) {
        SCOPED_TRACE(delay);
        ASSERT_TRUE(server.start(database())) << server.log().toStdString();
        auto session = connect(kAna);
        host::TNetConnection net(kPlan, *session);
        const host::Packet loaded = loadItems(net, number);

        // New prices for the first items of the worksheet, as its change packet.
        host::Delta delta{loaded.fields(), {}};
        QHash<QString, double> typed; // codes -> price
        for (int row = 0; row < kChanged; ++row) {
            const QVariantList before = loaded.row(row);
            QVariantList after = before;
            after[3] = before[3].toDouble() + 1.25;
            delta.changes.push_back({host::Change::Op::Update, before, after});
            const QString product = before[2].toString();
            typed.insert(module::regionCodeOf(before[0].toString()) +
                             module::supplierCodeOf(before[1].toString()) +
                             module::productCodeOf(product) + module::brandCodeOf(product),
                         after[3].toDouble());
        }
        const auto storedChanges = [&] {
            int stored = 0;
            for (const QString& row : dbtest::rows(
                     db(),
                     QStringLiteral("SELECT CDREGIAO || CDFORNECED || CDPRODUTO || CDMARCA, "
                                    "VRPRECUNIITM FROM ITEMCOLE WHERE NRCOLEPRECO = ?"),
                     {number}))
                stored +=
                    typed.value(row.section(u'|', 0, 0), -1) == row.section(u'|', 1).toDouble();
            return stored;
        };
        const QVariant changes = QVariant::fromValue(delta);
        const QString requestId = QUuid::createUuid().toString();

        std::thread saving([&] {
            try {
                save(net, number, changes, requestId);
            } catch (const host::EConnectionLost&) {
            }
        });
        ASSERT_TRUE(waitForWriter(db().connectionString().mid(7)));
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        server.kill();
        saving.join();
        const int stored = storedChanges();
        EXPECT_TRUE(stored == 0 || stored == kChanged) << stored << " changes stored";
        std::printf("killed %d ms after the lock: %s\n", delay,
                    stored ? "everything stored" : "nothing stored");

        // The client reconnects and sends the same save again, and again.
        ASSERT_TRUE(server.start(database())) << server.log().toStdString();
        session = connect(kAna);
        host::TNetConnection again(kPlan, *session);
        EXPECT_EQ(save(again, number, changes, requestId), "");
        EXPECT_EQ(save(again, number, changes, requestId), "");
        EXPECT_EQ(storedChanges(), kChanged);
        EXPECT_EQ(dbtest::scalar(db(),
                                 QStringLiteral("SELECT COUNT(*) FROM REQGRAVACAO WHERE "
                                                "IDREQUISICAO = ?"),
                                 {requestId})
                      .toInt(),
                  1);
        EXPECT_EQ(itemCount(number), items);
        server.kill();
    }
}

} // namespace
} // namespace transporttest

// Several application servers of one site on one database: a session opened on one is
// good on every other, survives a restart of the server it was opened on, and ends
// everywhere when it is closed or expires.

#include "DbTestSupport.h"

#include "appserver/db/Seed.h"
#include "appserver/modules/Modules.h"
#include "appserver/rpc/Service.h"
#include "host/core/WireCodec.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

using appserver::rpc::RpcRequest;
using appserver::rpc::RpcResponse;
using appserver::rpc::Service;
using appserver::rpc::ServiceConfig;

class SessionSharingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appserver::db::seedDemo(m_db.db(), dbtest::referenceDay());
        a = start();
        b = start();
    }

    std::unique_ptr<Service> start()
    {
        ServiceConfig config;
        config.connectionString = m_db.connectionString();
        config.idleTimeout = std::chrono::minutes(30);
        config.log = [this](const QString& line) { log.append(line); };
        return std::make_unique<Service>(config, appserver::modules::allMethods());
    }

    static RpcResponse post(Service& server, const QString& path, const QVariantMap& body,
                            const QString& token = {})
    {
        RpcRequest request;
        request.path = path;
        request.body = host::wire::encode(body);
        if (!token.isEmpty())
            request.authorization = "Bearer " + token.toLatin1();
        return server.handle(request);
    }

    static QString login(Service& server, const QString& operatorCode = kAna)
    {
        const RpcResponse response = post(server, QStringLiteral("/rpc/login"),
                                          {{QStringLiteral("operator"), operatorCode},
                                           {QStringLiteral("password"), QStringLiteral("demo")},
                                           {QStringLiteral("branch"), QStringLiteral("0001")}});
        EXPECT_EQ(response.status, 200) << response.body.toStdString();
        return host::wire::decode(response.body).toMap().value(QStringLiteral("token")).toString();
    }

    // GetBanco through the server: 200 with the database kind, or the refusal's status.
    static int getBanco(Service& server, const QString& token)
    {
        return post(server, QStringLiteral("/rpc/Sup.rdmPlanCotaPrec/GetBanco"),
                    {{QStringLiteral("args"), QVariantList{}}}, token)
            .status;
    }

    static int logout(Service& server, const QString& token)
    {
        return post(server, QStringLiteral("/rpc/logout"), {}, token).status;
    }

    host::Database& db() { return m_db.db(); }

    static inline const QString kAna = QStringLiteral("ANA.CARVALHO");
    QStringList log;
    dbtest::TempDatabase m_db;
    std::unique_ptr<Service> a;
    std::unique_ptr<Service> b;
};

TEST_F(SessionSharingTest, ALoginOnOneServerIsGoodOnTheOther)
{
    const QString token = login(*a);
    ASSERT_FALSE(token.isEmpty());
    EXPECT_EQ(getBanco(*b, token), 200);
    EXPECT_EQ(getBanco(*a, token), 200);
    EXPECT_EQ(b->sessions().find(token)->operatorCode, kAna);
    EXPECT_EQ(b->sessions().find(token)->centre, QStringLiteral("0001"));
}

TEST_F(SessionSharingTest, ASessionOutlivesARestartOfItsServer)
{
    const QString token = login(*a);
    a.reset();
    a = start();
    EXPECT_EQ(getBanco(*a, token), 200);
    EXPECT_EQ(getBanco(*b, token), 200);
}

TEST_F(SessionSharingTest, OnlyAHashOfTheTokenIsStored)
{
    const QString token = login(*a);
    const QStringList stored = dbtest::rows(
        db(), QStringLiteral("SELECT DSTOKENHASH, CDOPERADOR, CDFILIAL, CDFILCENTCMP FROM SESSAOAPP"));
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0], appserver::rpc::SessionStore::tokenHash(token) +
                             QStringLiteral("|ANA.CARVALHO|0001|0001"));
    EXPECT_FALSE(dbtest::dump(db()).join(u'\n').contains(token));
}

TEST_F(SessionSharingTest, ALogoutOnOneServerEndsTheSessionOnBoth)
{
    const QString token = login(*a);
    const QString carlos = login(*a, QStringLiteral("CARLOS.NUNES"));
    ASSERT_EQ(getBanco(*b, token), 200); // B has it in memory now

    EXPECT_EQ(logout(*a, token), 200);
    EXPECT_EQ(getBanco(*a, token), 401);
    // B trusts what it saw for a moment only; then it asks the database again.
    b->sessions().advanceClock(b->config().sessionRecheck + std::chrono::seconds(1));
    EXPECT_EQ(getBanco(*b, token), 401);
    EXPECT_EQ(logout(*b, token), 401);
    // The other operator's session goes on.
    EXPECT_EQ(getBanco(*b, carlos), 200);
    EXPECT_EQ(a->sessions().count(), 1);
}

TEST_F(SessionSharingTest, AnIdleSessionExpiresOnEveryServer)
{
    const QString token = login(*a);
    ASSERT_EQ(getBanco(*b, token), 200);
    const auto idle = a->config().idleTimeout;

    // Used through B within the idle time, the session stays open for A too.
    a->sessions().advanceClock(idle - std::chrono::minutes(5));
    b->sessions().advanceClock(idle - std::chrono::minutes(5));
    EXPECT_EQ(getBanco(*b, token), 200);
    a->sessions().advanceClock(std::chrono::minutes(10));
    EXPECT_EQ(getBanco(*a, token), 200);

    // Then left alone for longer than the idle time: refused on both.
    a->sessions().advanceClock(idle + std::chrono::seconds(1));
    b->sessions().advanceClock(idle + std::chrono::minutes(11));
    EXPECT_EQ(getBanco(*a, token), 401);
    EXPECT_EQ(getBanco(*b, token), 401);
    EXPECT_EQ(dbtest::scalar(db(), QStringLiteral("SELECT COUNT(*) FROM SESSAOAPP")).toInt(), 0);
}

TEST_F(SessionSharingTest, AForgedOrEmptyTokenIsRefusedByEveryServer)
{
    const QString token = login(*a);
    QString forged = token;
    forged[5] = forged[5] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    for (Service* server : {a.get(), b.get()}) {
        EXPECT_EQ(getBanco(*server, forged), 401);
        EXPECT_EQ(getBanco(*server, QString()), 401);
        EXPECT_EQ(logout(*server, forged), 401);
    }
    EXPECT_EQ(getBanco(*b, token), 200);
}

} // namespace

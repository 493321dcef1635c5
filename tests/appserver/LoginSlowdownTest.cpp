// Failed logins slow down the next attempts of the same operator code, on every server of
// the site, without holding anyone else up; each failure is logged, never its password.

#include "RpcTestSupport.h"

#include "appserver/modules/Modules.h"
#include "host/core/WireCodec.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using appserver::rpc::RpcResponse;

const QString kAna = QStringLiteral("ANA.CARVALHO");
const QString kCarlos = QStringLiteral("CARLOS.NUNES");

class LoginSlowdownTest : public rpctest::RpcFixture
{
protected:
    void SetUp() override
    {
        RpcFixture::SetUp();
        // Waits are whole seconds: a second passing between two steps would shift them.
        service().clock().freeze();
    }

    RpcResponse attempt(const QString& operatorCode, const QString& password,
                        appserver::rpc::Service* server = nullptr)
    {
        QVariantMap body;
        body.insert(QStringLiteral("operator"), operatorCode);
        body.insert(QStringLiteral("password"), password);
        body.insert(QStringLiteral("branch"), QStringLiteral("0001"));
        appserver::rpc::RpcRequest request;
        request.path = QStringLiteral("/rpc/login");
        request.body = host::wire::encode(body);
        return (server ? *server : service()).handle(request);
    }
    static QString errorOf(const RpcResponse& response)
    {
        return host::wire::decode(response.body).toMap().value(QStringLiteral("error")).toString();
    }
    void failTimes(const QString& operatorCode, int times)
    {
        for (int i = 0; i < times; ++i)
            ASSERT_EQ(attempt(operatorCode, QStringLiteral("errada")).status, 401) << i;
    }
    QStringList logLinesWith(const QString& text) const
    {
        return log.filter(text);
    }
};

TEST_F(LoginSlowdownTest, FiveFailuresCostNothing)
{
    failTimes(kAna, 5);
    EXPECT_EQ(attempt(kAna, QStringLiteral("demo")).status, 200);
}

TEST_F(LoginSlowdownTest, TheSixthFailureMakesTheNextAttemptWaitEvenWithTheRightPassword)
{
    failTimes(kAna, 6);
    const RpcResponse refused = attempt(kAna, QStringLiteral("demo"));
    EXPECT_EQ(refused.status, 429);
    EXPECT_EQ(errorOf(refused), QStringLiteral("Muitas tentativas de entrada sem sucesso. Tente "
                                               "novamente em 2 segundos."));
    EXPECT_EQ(service().loginAttempts().waitBefore(kAna), 2);

    service().clock().advance(2s);
    EXPECT_EQ(attempt(kAna, QStringLiteral("demo")).status, 200);
    // A success forgets the failures: the next mistake is free again.
    EXPECT_EQ(attempt(kAna, QStringLiteral("errada")).status, 401);
    EXPECT_EQ(service().loginAttempts().waitBefore(kAna), 0);
}

TEST_F(LoginSlowdownTest, EachFurtherFailureDoublesTheWaitUpToTheLongest)
{
    const auto& policy = service().config().loginPolicy;
    failTimes(kAna, policy.freeFailures);
    qint64 expected = policy.firstWait.count();
    for (int failure = 0; failure < 8; ++failure) {
        ASSERT_EQ(attempt(kAna, QStringLiteral("errada")).status, 401) << failure;
        EXPECT_EQ(service().loginAttempts().waitBefore(kAna), expected) << failure;
        // While it waits, attempts are refused and do not count.
        EXPECT_EQ(attempt(kAna, QStringLiteral("errada")).status, 429) << failure;
        service().clock().advance(std::chrono::seconds(expected));
        expected = std::min<qint64>(expected * 2, policy.longestWait.count());
    }
    EXPECT_EQ(expected, policy.longestWait.count());
}

TEST_F(LoginSlowdownTest, FailuresOlderThanTheWindowAreForgotten)
{
    failTimes(kAna, 4);
    service().clock().advance(service().config().loginPolicy.window + 1s);
    failTimes(kAna, 5);
    // Nine failures, but only five within the window.
    EXPECT_EQ(service().loginAttempts().waitBefore(kAna), 0);
    EXPECT_EQ(attempt(kAna, QStringLiteral("demo")).status, 200);
}

TEST_F(LoginSlowdownTest, OtherOperatorsLogInAsUsualMeanwhile)
{
    failTimes(kAna, 6);
    ASSERT_EQ(attempt(kAna, QStringLiteral("demo")).status, 429);
    EXPECT_EQ(attempt(kCarlos, QStringLiteral("demo")).status, 200);
    EXPECT_EQ(service().loginAttempts().waitBefore(kCarlos), 0);
}

TEST_F(LoginSlowdownTest, UnknownOperatorCodesAreSlowedAlike)
{
    // The answers must not tell which codes exist.
    failTimes(QStringLiteral("NINGUEM"), 6);
    const RpcResponse refused = attempt(QStringLiteral("NINGUEM"), QStringLiteral("x"));
    EXPECT_EQ(refused.status, 429);
}

TEST_F(LoginSlowdownTest, AnotherServerOfTheSiteCountsTheSameFailures)
{
    appserver::rpc::ServiceConfig config;
    config.connectionString = connectionString();
    appserver::rpc::Service other(config, appserver::modules::allMethods());
    other.clock().freeze();

    failTimes(kAna, 3);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(attempt(kAna, QStringLiteral("errada"), &other).status, 401);
    EXPECT_EQ(attempt(kAna, QStringLiteral("demo"), &other).status, 429);
    EXPECT_EQ(attempt(kAna, QStringLiteral("demo")).status, 429);
}

TEST_F(LoginSlowdownTest, EveryFailureIsLoggedWithoutThePassword)
{
    failTimes(kAna, 6);
    attempt(kAna, QStringLiteral("senha-secreta-7"));
    attempt(kCarlos, QStringLiteral("demo"));
    const QStringList failures = logLinesWith(QStringLiteral("(ANA.CARVALHO: "));
    ASSERT_EQ(failures.size(), 7);
    // One line per attempt: the call's own.
    EXPECT_EQ(log.size(), 8);
    EXPECT_TRUE(failures[0].endsWith(QStringLiteral(" ms 401 (ANA.CARVALHO: 1ª falha em 10 min)")))
        << failures[0].toStdString();
    EXPECT_TRUE(failures[5].endsWith(
        QStringLiteral(" ms 401 (ANA.CARVALHO: 6ª falha em 10 min; próxima tentativa em 2 s)")))
        << failures[5].toStdString();
    EXPECT_TRUE(failures[6].endsWith(QStringLiteral(" ms 429 (ANA.CARVALHO: aguardando 2 s após falhas)")))
        << failures[6].toStdString();
    for (const QString& line : log) {
        EXPECT_FALSE(line.contains(QStringLiteral("errada"))) << line.toStdString();
        EXPECT_FALSE(line.contains(QStringLiteral("senha-secreta-7"))) << line.toStdString();
    }
}

} // namespace

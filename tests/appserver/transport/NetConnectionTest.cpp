// The client's connection component against a live server: opening, calls, error answers,
// lost and re-established connections; and the embedded mode answering like HTTP.

#include "TransportFixture.h"

#include "appserver/http/InProcess.h"
#include "appserver/modules/Modules.h"
#include "host/core/Exceptions.h"
#include "host/core/Packet.h"
#include "host/net/CheckResultServ.h"
#include "host/net/NetConnection.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace transporttest {
namespace {

using host::TNetConnection;

// A loopback port with nothing listening on it.
int closedPort()
{
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ::bind(sock, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(sock, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(sock);
    return ntohs(address.sin_port);
}

class NetConnection : public TransportFixture, public ::testing::WithParamInterface<Mode>
{
protected:
    void SetUp() override
    {
        TransportFixture::SetUp();
        m_session = std::make_unique<host::RemoteSession>(session(GetParam()));
    }
    host::RemoteSession& remote() { return *m_session; }
    void loginAna()
    {
        remote().login(QStringLiteral("ANA.CARVALHO"), QStringLiteral("demo"), "0001");
    }

private:
    std::unique_ptr<host::RemoteSession> m_session;
};

TEST_P(NetConnection, OpensAndCallsTheRegisteredMethods)
{
    loginAna();
    EXPECT_FALSE(remote().token().isEmpty());
    EXPECT_FALSE(remote().operatorName().isEmpty());

    TNetConnection net(kTestModule, remote());
    EXPECT_FALSE(net.Connected());
    net.Open();
    ASSERT_TRUE(net.Connected()) << net.LastError().toStdString();
    EXPECT_EQ(net.AppServer().call(QStringLiteral("Eco"), {QStringLiteral("olá")}).toString(),
              QStringLiteral("olá"));
    EXPECT_EQ(net.AppServer().call(QStringLiteral("Espera"), {0}).toString(),
              QStringLiteral("pronto"));
    net.Close();
    EXPECT_FALSE(net.Connected());
}

TEST_P(NetConnection, GetBancoAnswersTheDatabaseKind)
{
    if (!service().registry().find(appserver::modules::kPlanCotaPrec, QStringLiteral("GetBanco")))
        GTEST_SKIP() << "GetBanco is not registered in this build";
    loginAna();
    TNetConnection netPlanCotaPrec(appserver::modules::kPlanCotaPrec, remote());
    netPlanCotaPrec.Open();
    const QVariant result = netPlanCotaPrec.AppServer().call(QStringLiteral("GetBanco"));
    const QString kind = host::CheckResultServ(result, false).toString();
    EXPECT_FALSE(kind.isEmpty());
    EXPECT_NE(kind, QStringLiteral("MSSQL"));
}

TEST_P(NetConnection, ErrorAnswersRaiseERemoteWithTheServersText)
{
    loginAna();
    TNetConnection net(kTestModule, remote());
    net.Open();
    try {
        net.AppServer().call(QStringLiteral("Falha"));
        FAIL() << "no error";
    } catch (const host::ERemote& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Falha proposital do método de teste."));
    }
    try {
        net.AppServer().call(QStringLiteral("Eco"), {1, 2});
        FAIL() << "no error";
    } catch (const host::ERemote& e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
    EXPECT_THROW(net.AppServer().call(QStringLiteral("Inexistente")), host::ERemote);
    // An error answer does not close the connection.
    EXPECT_TRUE(net.Connected());
}

TEST_P(NetConnection, ACallWithoutLoginIsRefusedByTheServer)
{
    TNetConnection net(kTestModule, remote());
    try {
        net.AppServer().call(QStringLiteral("Eco"), {1});
        FAIL() << "no error";
    } catch (const host::ERemote& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Sessão"))) << e.message().toStdString();
    }
    // The call opened the connection first.
    EXPECT_TRUE(net.Connected());
}

TEST_P(NetConnection, AWrongLoginRaisesERemoteAndKeepsNoToken)
{
    try {
        remote().login(QStringLiteral("ANA.CARVALHO"), QStringLiteral("errada"), "0001");
        FAIL() << "no error";
    } catch (const host::ERemote& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Operador ou senha inválidos."));
    }
    EXPECT_FALSE(remote().isLoggedIn());
}

TEST_P(NetConnection, ARepeatedRequestIdGetsTheFirstAnswerWithoutRunningAgain)
{
    loginAna();
    TNetConnection net(kTestModule, remote());
    const auto rename = [](TNetConnection& connection, const char* name, const QString& id) {
        return connection.AppServer()
            .call(QStringLiteral("RenomeiaRegiao"),
                  {QStringLiteral("001"), QString::fromUtf8(name)}, id)
            .toLongLong();
    };
    const auto regionName = [this] {
        return dbtest::scalar(db(), QStringLiteral("SELECT NMREGIAO FROM REGIAO WHERE "
                                                   "CDREGIAO = '001'"))
            .toString();
    };
    const QString id = QStringLiteral("0f5e8c1a-7d3b-4e2a-9c6f-2b1d4e5f6a7b");
    EXPECT_EQ(rename(net, "Primeira", id), 1);
    // Someone else renames the region; the retries of the first call must not undo that.
    db().exec(QStringLiteral("UPDATE REGIAO SET NMREGIAO = 'Outro' WHERE CDREGIAO = '001'"));
    EXPECT_EQ(rename(net, "Primeira", id), 1);
    EXPECT_EQ(rename(net, "Segunda", id), 1);
    EXPECT_EQ(regionName(), QStringLiteral("Outro"));
    EXPECT_TRUE(log.all().last().endsWith(QStringLiteral("(repetida)")));

    // Another id, no id, or the same id of another operator runs the call.
    EXPECT_EQ(rename(net, "Terceira", QStringLiteral("outro-id")), 1);
    EXPECT_EQ(regionName(), QStringLiteral("Terceira"));
    EXPECT_EQ(rename(net, "Quarta", QString()), 1);
    EXPECT_EQ(regionName(), QStringLiteral("Quarta"));
    host::RemoteSession carlos = session(GetParam());
    carlos.login(QStringLiteral("CARLOS.NUNES"), QStringLiteral("demo"), "0001");
    TNetConnection carlosNet(kTestModule, carlos);
    EXPECT_EQ(rename(carlosNet, "Quinta", id), 1);
    EXPECT_EQ(regionName(), QStringLiteral("Quinta"));

    EXPECT_THROW(rename(net, "Sexta", QStringLiteral("id com espaço")), host::ERemote);
    EXPECT_EQ(regionName(), QStringLiteral("Quinta"));
}

INSTANTIATE_TEST_SUITE_P(BothPaths, NetConnection, ::testing::Values(Mode::Http, Mode::InProcess),
                         modeName);

class NetConnectionOverHttp : public TransportFixture
{
protected:
    void SetUp() override
    {
        TransportFixture::SetUp();
        remote = session(Mode::Http);
        remote.login(QStringLiteral("ANA.CARVALHO"), QStringLiteral("demo"), "0001");
    }
    host::RemoteSession remote;
};

TEST_F(NetConnectionOverHttp, AnUnreachableServerLeavesItClosedWithoutRaising)
{
    remote.setWebPort(closedPort());
    TNetConnection net(kTestModule, remote);
    net.Open();
    EXPECT_FALSE(net.Connected());
    EXPECT_TRUE(net.LastError().contains(QStringLiteral("Não foi possível conectar")))
        << net.LastError().toStdString();
    EXPECT_THROW(net.AppServer().call(QStringLiteral("Eco"), {1}), host::EConnectionLost);

    remote.setWebURL(QStringLiteral("http://127.0.0.1/algum/caminho"));
    net.Open();
    EXPECT_FALSE(net.Connected());
    EXPECT_TRUE(net.LastError().contains(QStringLiteral("inválido")))
        << net.LastError().toStdString();
    remote.setWebURL(QString());
    net.Open();
    EXPECT_FALSE(net.Connected());
    EXPECT_FALSE(net.LastError().isEmpty());
}

TEST_F(NetConnectionOverHttp, TheAddressIsReadWhenConnecting)
{
    TNetConnection net(kTestModule, remote);
    const int live = port();
    remote.setWebPort(closedPort());
    net.Open();
    EXPECT_FALSE(net.Connected());
    remote.setWebURL(QStringLiteral("http://127.0.0.1/"));
    remote.setWebPort(live);
    net.Open();
    EXPECT_TRUE(net.Connected()) << net.LastError().toStdString();
    EXPECT_EQ(net.AppServer().call(QStringLiteral("Eco"), {3}).toLongLong(), 3);
}

TEST_F(NetConnectionOverHttp, LostAndReestablishedConnection)
{
    TNetConnection net(kTestModule, remote);
    net.Open();
    ASSERT_EQ(net.AppServer().call(QStringLiteral("Eco"), {1}).toLongLong(), 1);

    stopServer();
    try {
        net.AppServer().call(QStringLiteral("Eco"), {2});
        FAIL() << "the call reached a stopped server";
    } catch (const host::EConnectionLost& e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
    EXPECT_FALSE(net.Connected());
    net.Close();
    net.Open();
    EXPECT_FALSE(net.Connected());

    restartServer();
    net.Close();
    net.Open();
    ASSERT_TRUE(net.Connected()) << net.LastError().toStdString();
    // The session survived: it lives in the server's service, not in the listener.
    EXPECT_EQ(net.AppServer().call(QStringLiteral("Eco"), {3}).toLongLong(), 3);
}

TEST_F(NetConnectionOverHttp, ACallAfterTheServerCameBackReconnectsByItself)
{
    TNetConnection net(kTestModule, remote);
    net.Open();
    stopServer();
    EXPECT_THROW(net.AppServer().call(QStringLiteral("Eco"), {1}), host::EConnectionLost);
    restartServer();
    EXPECT_EQ(net.AppServer().call(QStringLiteral("Eco"), {4}).toLongLong(), 4);
    EXPECT_TRUE(net.Connected());
}

TEST_F(NetConnectionOverHttp, AKeptConnectionClosedByTheServerIsReopened)
{
    TNetConnection net(kTestModule, remote);
    net.Open();
    EXPECT_EQ(net.AppServer().call(QStringLiteral("Eco"), {1}).toLongLong(), 1);
    // Longer than the server keeps an idle connection.
    std::this_thread::sleep_for(std::chrono::milliseconds(2300));
    EXPECT_EQ(net.AppServer().call(QStringLiteral("Eco"), {2}).toLongLong(), 2);
}

TEST_F(NetConnectionOverHttp, AServerNotAnsweringInTimeIsALostConnection)
{
    host::HttpOptions options;
    options.readTimeout = std::chrono::milliseconds(200);
    remote.setHttpOptions(options);
    TNetConnection net(kTestModule, remote);
    net.Open();
    EXPECT_THROW(net.AppServer().call(QStringLiteral("Espera"), {1500}), host::EConnectionLost);
    EXPECT_FALSE(net.Connected());
}

TEST_F(NetConnectionOverHttp, AnAddressSourceIsAskedAtEachConnect)
{
    int asked = 0;
    int current = closedPort();
    remote.setAddressSource([&] {
        ++asked;
        return host::ServerAddress{QStringLiteral("127.0.0.1"), current};
    });
    TNetConnection net(kTestModule, remote);
    net.Open();
    EXPECT_FALSE(net.Connected());
    current = port();
    net.Open();
    ASSERT_TRUE(net.Connected()) << net.LastError().toStdString();
    EXPECT_EQ(net.AppServer().call(QStringLiteral("Eco"), {6}).toLongLong(), 6);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(remote.WebPort(), port());
}

// The embedded mode answers byte for byte what HTTP answers, for the same service.
TEST_F(TransportFixture, InProcessAnswersLikeHttp)
{
    const QString token = login(Mode::Http);
    const QByteArray authorization = "Bearer " + token.toLatin1();
    const host::RpcEndpoint http = endpoint(Mode::Http);
    const host::RpcEndpoint inProcess = endpoint(Mode::InProcess);
    const QList<std::pair<QString, QByteArray>> requests = {
        {QStringLiteral("/health"), {}},
        {QStringLiteral("/rpc/login"), loginBody(QStringLiteral("ANA.CARVALHO"), "errada")},
        {QStringLiteral("/rpc/login"), "{"},
        {callPath(QStringLiteral("Eco")), callBody({QStringLiteral("ação"), QDate(2025, 1, 2)})},
        {callPath(QStringLiteral("Eco")), callBody({})},
        {callPath(QStringLiteral("Inexistente")), callBody({})},
        {callPath(QStringLiteral("Falha")), callBody({})},
        {callPath(QStringLiteral("Eco")), QByteArray(kMaxBody + 1, ' ')},
    };
    for (const auto& [path, body] : requests) {
        const host::RpcReply a = http(path, body, authorization, {});
        const host::RpcReply b = inProcess(path, body, authorization, {});
        EXPECT_EQ(a.status, b.status) << path.toStdString() << " " << body.left(40).toStdString();
        EXPECT_EQ(a.body, b.body) << path.toStdString() << " " << body.left(40).toStdString();
    }
}

} // namespace
} // namespace transporttest

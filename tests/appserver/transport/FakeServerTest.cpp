// The client's reading of answers no real server should give, through a stand-in endpoint.

#include "host/core/Exceptions.h"
#include "host/net/NetConnection.h"

#include <gtest/gtest.h>

namespace {

using host::RpcReply;
using host::TNetConnection;

// A server that answers the health check and then every call with `reply`.
host::RemoteSession fakeServer(RpcReply reply, RpcReply health = {200, "ok"})
{
    return host::RemoteSession(
        [reply, health](const QString& path, const QByteArray&, const QByteArray&, const QString&) {
            return path == QLatin1String("/health") ? health : reply;
        });
}

QString remoteFailure(TNetConnection& net)
{
    try {
        net.AppServer().call(QStringLiteral("GetBanco"));
    } catch (const host::ERemote& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

TEST(NetConnectionAnswers, AServerFailingItsHealthCheckIsNotConnected)
{
    host::RemoteSession session = fakeServer({200, "{\"result\":1}"}, {503, ""});
    TNetConnection net(QStringLiteral("Sup.rdmPlanCotaPrec"), session);
    net.Open();
    EXPECT_FALSE(net.Connected());
    EXPECT_TRUE(net.LastError().contains(QStringLiteral("503"))) << net.LastError().toStdString();
    EXPECT_THROW(net.AppServer().call(QStringLiteral("GetBanco")), host::EConnectionLost);
}

TEST(NetConnectionAnswers, MalformedAnswersRaiseERemote)
{
    for (const RpcReply& reply : {RpcReply{200, "{\"result\":"}, RpcReply{200, "[1]"},
                                  RpcReply{200, "{\"resultado\":1}"}}) {
        host::RemoteSession session = fakeServer(reply);
        TNetConnection net(QStringLiteral("Sup.rdmPlanCotaPrec"), session);
        const QString text = remoteFailure(net);
        EXPECT_TRUE(text.contains(QStringLiteral("servidor de aplicação"))) << text.toStdString();
    }
}

TEST(NetConnectionAnswers, AnErrorStatusWithoutTextNamesTheStatus)
{
    host::RemoteSession session = fakeServer({502, "<html>Bad Gateway</html>"});
    TNetConnection net(QStringLiteral("Sup.rdmPlanCotaPrec"), session);
    EXPECT_TRUE(remoteFailure(net).contains(QStringLiteral("502")));
}

TEST(NetConnectionAnswers, ANullResultIsAValidAnswer)
{
    host::RemoteSession session = fakeServer({200, "{\"result\":null}"});
    TNetConnection net(QStringLiteral("Sup.rdmPlanCotaPrec"), session);
    EXPECT_TRUE(net.AppServer().call(QStringLiteral("GetBanco")).isNull());
}

TEST(NetConnectionAnswers, ATransportFailureClosesTheConnection)
{
    int calls = 0;
    host::RemoteSession session([&calls](const QString& path, const QByteArray&, const QByteArray&,
                                         const QString&) -> RpcReply {
        if (path == QLatin1String("/health"))
            return {200, "ok"};
        ++calls;
        throw host::EConnectionLost(QStringLiteral("conexão interrompida"));
    });
    TNetConnection net(QStringLiteral("Sup.rdmPlanCotaPrec"), session);
    net.Open();
    ASSERT_TRUE(net.Connected());
    EXPECT_THROW(net.AppServer().call(QStringLiteral("GetBanco")), host::EConnectionLost);
    EXPECT_FALSE(net.Connected());
    EXPECT_EQ(net.LastError(), QStringLiteral("conexão interrompida"));
    EXPECT_EQ(calls, 1);
}

} // namespace

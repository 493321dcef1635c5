// Clients that connect and then dawdle: each is cut off by its own timeout (the head of a
// request, its body, an idle kept-alive connection) while the others are served.

#include "RawSocket.h"
#include "TransportFixture.h"

#include <thread>

namespace transporttest {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class SlowClientTest : public TransportFixture
{
protected:
    // A server of its own with short timeouts, on the fixture's service.
    appserver::http::HttpServer& shortTimeouts()
    {
        appserver::http::HttpServerOptions options;
        options.port = 0;
        options.keepAlive = 1s;
        options.headerTimeout = 1s;
        options.ioTimeout = 1s;
        m_short = std::make_unique<appserver::http::HttpServer>(service(), options);
        m_short->start();
        return *m_short;
    }

    bool healthAnswers(int port)
    {
        RawSocket socket(port);
        return socket.send(requestText("GET", "/health")) &&
               socket.readAnswer(5s).value_or(RawSocket::Answer{}).body == "ok";
    }

    // Waits (a bounded time) until the server holds no connection.
    static bool allClosed(const appserver::http::HttpServer& server)
    {
        for (int i = 0; i < 500 && server.openConnections() > 0; ++i)
            std::this_thread::sleep_for(10ms);
        return server.openConnections() == 0;
    }

private:
    std::unique_ptr<appserver::http::HttpServer> m_short;
};

TEST_F(SlowClientTest, AHeadTrickledByteByByteIsCutOffAtTheHeaderTimeout)
{
    appserver::http::HttpServer& server = shortTimeouts();
    RawSocket slow(server.port());
    // Long enough to take 20 s at the pace below.
    const QByteArray head =
        requestText("POST", "/rpc/login",
                    "Content-Type: application/json\r\nX-Padding: " + QByteArray(300, 'a') +
                        "\r\nContent-Length: 2\r\n");
    const auto begin = Clock::now();
    bool cut = false;
    for (qsizetype i = 0; i < head.size() && !cut; ++i)
        cut = !slow.send(head.mid(i, 1)) || slow.closedByPeerWithin(50ms);
    const auto spent = Clock::now() - begin;
    EXPECT_TRUE(cut);
    EXPECT_GE(spent, 900ms);
    EXPECT_LT(spent, 5s);
    EXPECT_TRUE(healthAnswers(server.port()));
    EXPECT_TRUE(allClosed(server));
}

TEST_F(SlowClientTest, ABodyThatStopsComingIsCutOffAtTheIoTimeout)
{
    appserver::http::HttpServer& server = shortTimeouts();
    RawSocket stalled(server.port());
    const qsizetype before = log.size();
    ASSERT_TRUE(stalled.send(requestText("POST", "/rpc/login",
                                         "Content-Type: application/json\r\n"
                                         "Content-Length: 100\r\n") +
                             "{\"operator\":"));
    const auto begin = Clock::now();
    EXPECT_TRUE(stalled.closedByPeerWithin(5s));
    EXPECT_GE(Clock::now() - begin, 900ms);
    // Nothing was answered, so nothing was logged and no call was made.
    EXPECT_EQ(log.size(), before);
    EXPECT_EQ(service().sessions().count(), 0);
    EXPECT_TRUE(allClosed(server));
}

TEST_F(SlowClientTest, AnIdleKeptAliveConnectionIsClosedAfterTheKeepAliveTime)
{
    appserver::http::HttpServer& server = shortTimeouts();
    RawSocket idle(server.port());
    ASSERT_TRUE(idle.send(requestText("GET", "/health")));
    const std::optional<RawSocket::Answer> first = idle.readAnswer(5s);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->body, "ok");
    EXPECT_FALSE(first->headers.contains("connection: close"));
    // Still open for a next request that comes soon...
    ASSERT_TRUE(idle.send(requestText("GET", "/health")));
    ASSERT_TRUE(idle.readAnswer(5s));
    // ...closed when none comes.
    const auto begin = Clock::now();
    EXPECT_TRUE(idle.closedByPeerWithin(5s));
    EXPECT_GE(Clock::now() - begin, 900ms);
    EXPECT_TRUE(allClosed(server));
}

TEST_F(SlowClientTest, RequestsSentTogetherAreAnsweredInTurn)
{
    RawSocket socket(port());
    const QString token = login(Mode::Http);
    const QByteArray call = requestText("POST", callPath(QStringLiteral("Eco")).toUtf8(),
                                        "Content-Type: application/json\r\nAuthorization: Bearer " +
                                            token.toLatin1() + "\r\n",
                                        callBody({1}));
    ASSERT_TRUE(socket.send(requestText("GET", "/health") + call + requestText("GET", "/nada")));
    const std::optional<RawSocket::Answer> health = socket.readAnswer(5s);
    const std::optional<RawSocket::Answer> echo = socket.readAnswer(5s);
    const std::optional<RawSocket::Answer> missing = socket.readAnswer(5s);
    ASSERT_TRUE(health && echo && missing);
    EXPECT_EQ(health->body, "ok");
    EXPECT_EQ(echo->status, 200);
    EXPECT_EQ(resultOf({echo->status, echo->body}).toInt(), 1);
    EXPECT_EQ(missing->status, 404);
}

TEST_F(SlowClientTest, AMalformedHeadIsAnswered400AndClosed)
{
    RawSocket socket(port());
    const qsizetype before = log.size();
    ASSERT_TRUE(socket.send("GARBAGE\r\n\r\n"));
    const std::optional<RawSocket::Answer> answer = socket.readAnswer(5s);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 400);
    EXPECT_FALSE(errorText({400, answer->body}).isEmpty());
    EXPECT_TRUE(socket.closedByPeerWithin(5s));
    EXPECT_EQ(log.since(before), QStringList{QStringLiteral("- - 0 ms 400")});
}

} // namespace
} // namespace transporttest

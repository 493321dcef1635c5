// What only the HTTP listener does: its own refusals as JSON, keeping connections usable,
// binding, and a shutdown that lets running calls answer.

#include "TransportFixture.h"

#include "host/core/Exceptions.h"

#include <httplib.h>

#include <future>
#include <thread>

namespace transporttest {
namespace {

class HttpServerTest : public TransportFixture
{
protected:
    std::unique_ptr<httplib::Client> client()
    {
        auto c = std::make_unique<httplib::Client>("127.0.0.1", port());
        c->set_keep_alive(true);
        return c;
    }
    static QString errorOf(const httplib::Result& r)
    {
        return errorText(host::RpcReply{r->status, QByteArray::fromStdString(r->body)});
    }
};

TEST_F(HttpServerTest, RefusalsOfTheHttpLayerAnswerJson)
{
    auto c = client();
    const httplib::Result unknownPath = c->Get("/nada");
    ASSERT_TRUE(unknownPath);
    EXPECT_EQ(unknownPath->status, 404);
    EXPECT_EQ(unknownPath->get_header_value("Content-Type"), "application/json; charset=utf-8");
    EXPECT_EQ(errorOf(unknownPath), QStringLiteral("Endereço /nada não existe."));

    const httplib::Result getOnCall = c->Get("/rpc/Sup.rdmPlanCotaPrec/GetBanco");
    ASSERT_TRUE(getOnCall);
    EXPECT_EQ(getOnCall->status, 404);
    EXPECT_FALSE(errorOf(getOnCall).isEmpty());

    const httplib::Result deepPath = c->Post("/rpc/a/b/c", "{}", "application/json");
    ASSERT_TRUE(deepPath);
    EXPECT_EQ(deepPath->status, 404);
    EXPECT_FALSE(errorOf(deepPath).isEmpty());
}

TEST_F(HttpServerTest, RefusalsAreLoggedOnOneLineEach)
{
    auto c = client();
    const qsizetype before = log.size();
    ASSERT_TRUE(c->Get("/nada%0Afalso%20registro"));
    const QStringList lines = log.since(before);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0], QStringLiteral("/nada?falso registro - 0 ms 404"));
}

TEST_F(HttpServerTest, AnOversizedBodyIsRefusedAndTheConnectionStaysUsable)
{
    const QString token = login(Mode::Http);
    auto c = client();
    const httplib::Headers headers = {{"Authorization", ("Bearer " + token).toStdString()}};
    const std::string huge(size_t(kMaxBody) * 8, 'x');
    const qsizetype before = log.size();
    const httplib::Result refused =
        c->Post(callPath(QStringLiteral("Eco")).toStdString(), headers, huge, "application/json");
    ASSERT_TRUE(refused) << httplib::to_string(refused.error());
    EXPECT_EQ(refused->status, 413);
    EXPECT_TRUE(errorOf(refused).contains(QString::number(kMaxBody)));
    const QStringList lines = log.since(before);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" 413"))) << lines[0].toStdString();

    const httplib::Result next = c->Post(callPath(QStringLiteral("Eco")).toStdString(), headers,
                                         callBody({1}).toStdString(), "application/json");
    ASSERT_TRUE(next) << httplib::to_string(next.error());
    EXPECT_EQ(next->status, 200);
}

TEST_F(HttpServerTest, ABodyWithoutDeclaredLengthIsRefused)
{
    auto c = client();
    const httplib::Result chunked = c->Post(
        "/rpc/login",
        [](size_t, httplib::DataSink& sink) {
            const std::string body =
                loginBody(QStringLiteral("ANA.CARVALHO"), "demo").toStdString();
            sink.write(body.data(), body.size());
            sink.done();
            return true;
        },
        "application/json");
    ASSERT_TRUE(chunked) << httplib::to_string(chunked.error());
    EXPECT_EQ(chunked->status, 411);
    EXPECT_FALSE(errorOf(chunked).isEmpty());
    EXPECT_EQ(service().sessions().count(), 0);
}

TEST_F(HttpServerTest, StopLetsARunningCallFinishAndAnswer)
{
    const QString token = login(Mode::Http);
    auto running = std::async(std::launch::async, [&] {
        return post(Mode::Http, callPath(QStringLiteral("Espera")), callBody({400}), token);
    });
    while (probe.started == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    stopServer();
    // Stop returned: the call had already ended and its answer had been sent.
    EXPECT_EQ(probe.finished, 1);
    const host::RpcReply reply = running.get();
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(resultOf(reply).toString(), QStringLiteral("pronto"));
    EXPECT_FALSE(server().isRunning());

    EXPECT_THROW(post(Mode::Http, QStringLiteral("/health"), {}), host::EConnectionLost);
}

TEST_F(HttpServerTest, ARestartedServerTakesItsPortBackAndServes)
{
    const int first = port();
    stopServer();
    restartServer();
    EXPECT_EQ(port(), first);
    const QString token = login(Mode::Http);
    const host::RpcReply reply =
        post(Mode::Http, callPath(QStringLiteral("Eco")), callBody({5}), token);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(resultOf(reply).toLongLong(), 5);
}

TEST_F(HttpServerTest, ASecondServerCannotTakeABusyPort)
{
    appserver::http::HttpServerOptions options;
    options.port = port();
    appserver::http::HttpServer second(service(), options);
    try {
        second.start();
        FAIL() << "the second server listens on a busy port";
    } catch (const host::Exception& e) {
        EXPECT_TRUE(e.message().contains(QString::number(port()))) << e.message().toStdString();
    }
    EXPECT_EQ(post(Mode::Http, QStringLiteral("/health"), {}).status, 200);
}

TEST_F(HttpServerTest, AnEphemeralPortIsReportedAndDistinct)
{
    appserver::http::HttpServerOptions options;
    options.port = 0;
    appserver::http::HttpServer second(service(), options);
    second.start();
    EXPECT_GT(second.port(), 0);
    EXPECT_NE(second.port(), port());
    EXPECT_TRUE(second.isRunning());
    const host::RpcReply reply = host::httpEndpoint(QStringLiteral("127.0.0.1"), second.port())(
        QStringLiteral("/health"), {}, {}, {});
    EXPECT_EQ(reply.body, "ok");
    second.stop();
    EXPECT_FALSE(second.isRunning());
}

} // namespace
} // namespace transporttest

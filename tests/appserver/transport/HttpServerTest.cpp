// What only the HTTP listener does: its own refusals as JSON, keeping connections usable,
// binding, and a shutdown that lets running calls answer.

#include "RawSocket.h"
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

TEST_F(HttpServerTest, ABodyThatIsNotJsonIsRefusedWith415)
{
    const QString token = login(Mode::Http);
    auto c = client();
    const httplib::Headers headers = {{"Authorization", ("Bearer " + token).toStdString()}};
    // A form over 8 KiB and under the body limit, as a script posts one by mistake.
    const std::string form = "args=" + std::string(9 * 1024, 'x');
    const qsizetype before = log.size();
    const httplib::Result formPost = c->Post(callPath(QStringLiteral("Eco")).toStdString(), headers,
                                             form, "application/x-www-form-urlencoded");
    ASSERT_TRUE(formPost) << httplib::to_string(formPost.error());
    EXPECT_EQ(formPost->status, 415);
    EXPECT_EQ(formPost->get_header_value("Content-Type"), "application/json; charset=utf-8");
    EXPECT_TRUE(errorOf(formPost).contains(QStringLiteral("JSON"))) << errorOf(formPost).toStdString();
    const QStringList lines = log.since(before);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0], QStringLiteral("/rpc/%1/Eco - 0 ms 415").arg(kTestModule));

    const std::string login = loginBody(QStringLiteral("ANA.CARVALHO"), "demo").toStdString();
    const int sessions = service().sessions().count();
    const httplib::Result textLogin = c->Post("/rpc/login", login, "text/plain");
    ASSERT_TRUE(textLogin);
    EXPECT_EQ(textLogin->status, 415);
    EXPECT_EQ(service().sessions().count(), sessions);

    // The media type is read without regard to case or parameters.
    const httplib::Result json = c->Post(callPath(QStringLiteral("Eco")).toStdString(), headers,
                                         callBody({7}).toStdString(), "Application/JSON; charset=UTF-8");
    ASSERT_TRUE(json);
    EXPECT_EQ(json->status, 200);
    EXPECT_EQ(resultOf({json->status, QByteArray::fromStdString(json->body)}).toInt(), 7);
}

TEST_F(HttpServerTest, ADeclaredLengthOverTheLimitIsRefusedBeforeTheBodyIsSent)
{
    const QString token = login(Mode::Http);
    RawSocket raw(port());
    ASSERT_TRUE(raw.isOpen());
    // The head alone: the refusal cannot wait for a body that never comes.
    ASSERT_TRUE(raw.send(requestText("POST", callPath(QStringLiteral("Eco")).toUtf8(),
                                     "Content-Type: application/json\r\nAuthorization: Bearer " +
                                         token.toLatin1() + "\r\nContent-Length: " +
                                         QByteArray::number(kMaxBody * 1000) + "\r\n")));
    const std::optional<RawSocket::Answer> answer = raw.readAnswer(std::chrono::seconds(10));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 413);
    EXPECT_TRUE(answer->headers.contains("connection: close")) << answer->headers.toStdString();
    EXPECT_TRUE(errorText({413, answer->body}).contains(QString::number(kMaxBody)));
    EXPECT_TRUE(raw.closedByPeerWithin(std::chrono::seconds(10)));
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

TEST_F(HttpServerTest, StopAnswersTheCallsWaitingForAWorkerAndClosesTheIdleConnections)
{
    appserver::http::HttpServerOptions options;
    options.port = 0;
    options.workers = 1;
    options.keepAlive = std::chrono::seconds(60);
    options.headerTimeout = std::chrono::seconds(60);
    appserver::http::HttpServer one(service(), options);
    one.start();
    const QString token = login(Mode::Http);
    const auto call = [&](const QString& method, const QVariantList& args) {
        return std::async(std::launch::async, [&, method, args] {
            return host::httpEndpoint(QStringLiteral("127.0.0.1"), one.port())(
                callPath(method), callBody(args), "Bearer " + token.toLatin1(), {});
        });
    };
    RawSocket idle(one.port());
    ASSERT_TRUE(idle.send(requestText("GET", "/health")));
    ASSERT_TRUE(idle.readAnswer(std::chrono::seconds(10)));
    RawSocket halfSent(one.port());
    ASSERT_TRUE(halfSent.send("POST /rpc/login HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Ty"));

    auto running = call(QStringLiteral("Espera"), {500});
    while (probe.started == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    auto waiting = call(QStringLiteral("Eco"), {42});
    // The second call has reached the one worker's queue once the server holds its connection
    // and it has been read; the log has no line of it yet.
    for (int i = 0; i < 500 && one.openConnections() < 4; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    const auto begin = std::chrono::steady_clock::now();
    one.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
    EXPECT_EQ(probe.finished, 1);
    const host::RpcReply first = running.get();
    EXPECT_EQ(first.status, 200);
    EXPECT_EQ(resultOf(first).toString(), QStringLiteral("pronto"));
    const host::RpcReply second = waiting.get();
    EXPECT_EQ(second.status, 200);
    EXPECT_EQ(resultOf(second).toInt(), 42);
    EXPECT_TRUE(idle.closedByPeerWithin(std::chrono::seconds(1)));
    EXPECT_TRUE(halfSent.closedByPeerWithin(std::chrono::seconds(1)));
    EXPECT_EQ(one.openConnections(), 0u);
}

TEST_F(HttpServerTest, CallsBeyondTheWorkersAndTheirQueueAreRefusedWith503)
{
    appserver::http::HttpServerOptions options;
    options.port = 0;
    options.workers = 1;
    options.queuedCalls = 1;
    appserver::http::HttpServer one(service(), options);
    one.start();
    const QString token = login(Mode::Http);
    const auto call = [&](const QString& method, const QVariantList& args) {
        return host::httpEndpoint(QStringLiteral("127.0.0.1"), one.port())(
            callPath(method), callBody(args), "Bearer " + token.toLatin1(), {});
    };
    auto running = std::async(std::launch::async, [&] { return call(QStringLiteral("Espera"), {800}); });
    while (probe.started == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    auto queued = std::async(std::launch::async, [&] { return call(QStringLiteral("Espera"), {1}); });
    // Time for the second call to reach the queue.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    const qsizetype before = log.size();
    const host::RpcReply refused = call(QStringLiteral("Eco"), {1});
    EXPECT_EQ(refused.status, 503);
    EXPECT_TRUE(errorText(refused).contains(QStringLiteral("ocupado"))) << refused.body.toStdString();
    EXPECT_TRUE(log.since(before).contains(QStringLiteral("/rpc/%1/Eco - 0 ms 503").arg(kTestModule)));
    EXPECT_EQ(running.get().status, 200);
    EXPECT_EQ(queued.get().status, 200);
    // Room again once the calls are done.
    EXPECT_EQ(call(QStringLiteral("Eco"), {2}).status, 200);
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

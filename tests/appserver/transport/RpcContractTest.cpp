// The remote-call contract as a client sees it, over loopback HTTP and in-process alike:
// login, sessions, lookup, argument checks, body limit, error texts, logging, concurrency.

#include "TransportFixture.h"

#include "host/core/Packet.h"
#include "host/core/WireCodec.h"

#include <QRegularExpression>
#include <thread>

namespace transporttest {
namespace {

class RpcContract : public TransportFixture, public ::testing::WithParamInterface<Mode>
{
protected:
    Mode mode() const { return GetParam(); }
    host::RpcReply post(const QString& path, const QByteArray& body, const QString& token = {})
    {
        return TransportFixture::post(mode(), path, body, token);
    }
    QString firstRegion()
    {
        return dbtest::scalar(db(), QStringLiteral("SELECT MIN(CDREGIAO) FROM REGIAO")).toString();
    }
    QByteArray renameBody(const QString& name) { return callBody({firstRegion(), name}); }
};

TEST_P(RpcContract, HealthAnswersOk)
{
    const host::RpcReply reply = post(QStringLiteral("/health"), {});
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "ok");
}

TEST_P(RpcContract, LoginGivesATokenAndTheOperatorsName)
{
    const host::RpcReply reply =
        post(QStringLiteral("/rpc/login"), loginBody(QStringLiteral("ANA.CARVALHO"), "demo"));
    ASSERT_EQ(reply.status, 200) << reply.body.toStdString();
    const QVariantMap answer = host::wire::decode(reply.body).toMap();
    EXPECT_GE(answer.value(QStringLiteral("token")).toString().size(), 20);
    EXPECT_EQ(answer.value(QStringLiteral("name")).toString(),
              dbtest::scalar(db(), QStringLiteral("SELECT NMOPERADOR FROM OPERADOR "
                                                  "WHERE CDOPERADOR = 'ANA.CARVALHO'"))
                  .toString());
}

TEST_P(RpcContract, WrongPasswordAndUnknownOperatorGetTheSame401Text)
{
    const host::RpcReply wrongPassword = post(
        QStringLiteral("/rpc/login"), loginBody(QStringLiteral("ANA.CARVALHO"), "senha-errada"));
    const host::RpcReply unknownOperator =
        post(QStringLiteral("/rpc/login"), loginBody(QStringLiteral("NINGUEM"), "demo"));
    EXPECT_EQ(wrongPassword.status, 401);
    EXPECT_EQ(unknownOperator.status, 401);
    EXPECT_FALSE(errorText(wrongPassword).isEmpty());
    // The same text, so that the answer does not tell which operators exist.
    EXPECT_EQ(errorText(wrongPassword), errorText(unknownOperator));
    EXPECT_EQ(service().sessions().count(), 0);
}

TEST_P(RpcContract, MalformedLoginBodiesAre400WithAText)
{
    for (const QByteArray& body :
         {QByteArray("{\"operator\":"), QByteArray("[1,2]"),
          QByteArray("{\"operator\":\"ANA.CARVALHO\",\"password\":\"demo\"}"),
          QByteArray("{\"operator\":\"ANA.CARVALHO\",\"password\":5,\"branch\":\"0001\"}")}) {
        const host::RpcReply reply = post(QStringLiteral("/rpc/login"), body);
        EXPECT_EQ(reply.status, 400) << body.toStdString();
        EXPECT_FALSE(errorText(reply).isEmpty()) << body.toStdString();
    }
    EXPECT_EQ(service().sessions().count(), 0);
}

TEST_P(RpcContract, AWritingCallChangesTheDatabase)
{
    const QString token = login(mode());
    const host::RpcReply reply = post(callPath(QStringLiteral("RenomeiaRegiao")),
                                      renameBody(QStringLiteral("REGIAO RENOMEADA")), token);
    ASSERT_EQ(reply.status, 200) << reply.body.toStdString();
    EXPECT_EQ(resultOf(reply).toLongLong(), 1);
    EXPECT_EQ(dbtest::scalar(db(), QStringLiteral("SELECT NMREGIAO FROM REGIAO WHERE CDREGIAO = ?"),
                             {firstRegion()})
                  .toString(),
              QStringLiteral("REGIAO RENOMEADA"));
}

TEST_P(RpcContract, CallsWithoutAValidSessionAre401AndChangeNothing)
{
    const QString token = login(mode());
    const QStringList before = dbtest::dump(db());
    const QString path = callPath(QStringLiteral("RenomeiaRegiao"));
    const QByteArray body = renameBody(QStringLiteral("INVASOR"));

    const host::RpcReply noToken = post(path, body);
    QString forged = token;
    forged[0] = forged[0] == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
    const host::RpcReply forgedToken = post(path, body, forged);
    service().sessions().advanceClock(service().config().idleTimeout + std::chrono::seconds(1));
    const host::RpcReply expiredToken = post(path, body, token);

    for (const host::RpcReply* reply : {&noToken, &forgedToken, &expiredToken}) {
        EXPECT_EQ(reply->status, 401) << reply->body.toStdString();
        EXPECT_FALSE(errorText(*reply).isEmpty());
    }
    EXPECT_EQ(dbtest::dump(db()), before);
}

TEST_P(RpcContract, UnknownModuleAndMethodAre404WithTheirNames)
{
    const QString token = login(mode());
    const host::RpcReply module =
        post(callPath(QStringLiteral("Eco"), QStringLiteral("Sup.rdmInexistente")), callBody({1}),
             token);
    const host::RpcReply method =
        post(callPath(QStringLiteral("Inexistente")), callBody({}), token);
    EXPECT_EQ(module.status, 404);
    EXPECT_TRUE(errorText(module).contains(QStringLiteral("Sup.rdmInexistente")))
        << errorText(module).toStdString();
    EXPECT_EQ(method.status, 404);
    EXPECT_TRUE(errorText(method).contains(QStringLiteral("Inexistente")))
        << errorText(method).toStdString();
}

TEST_P(RpcContract, MalformedCallsAre400AndChangeNothing)
{
    const QString token = login(mode());
    const QStringList before = dbtest::dump(db());
    const QString path = callPath(QStringLiteral("RenomeiaRegiao"));
    const QList<QByteArray> bodies = {
        QByteArray("{\"args\":[\"001\",\"X\""),                              // malformed JSON
        QByteArray("[\"001\",\"X\"]"),                                       // not an object
        QByteArray("{\"argumentos\":[\"001\",\"X\"]}"),                      // no argument list
        callBody({firstRegion()}),                                           // too few arguments
        callBody({firstRegion(), QStringLiteral("X"), QStringLiteral("Y")}), // too many
        callBody({firstRegion(), 42}),                                       // a number for a text
        callBody({firstRegion(), true}),                                     // a Boolean for a text
    };
    for (const QByteArray& body : bodies) {
        const host::RpcReply reply = post(path, body, token);
        EXPECT_EQ(reply.status, 400) << body.toStdString();
        EXPECT_FALSE(errorText(reply).isEmpty()) << body.toStdString();
    }
    EXPECT_EQ(dbtest::dump(db()), before);
}

TEST_P(RpcContract, AnOversizedBodyIs413AndChangesNothing)
{
    const QString token = login(mode());
    const QStringList before = dbtest::dump(db());
    const QByteArray body = renameBody(QString(int(kMaxBody), QLatin1Char('N')));
    ASSERT_GT(body.size(), kMaxBody);
    const host::RpcReply reply = post(callPath(QStringLiteral("RenomeiaRegiao")), body, token);
    EXPECT_EQ(reply.status, 413);
    EXPECT_TRUE(errorText(reply).contains(QString::number(kMaxBody)))
        << errorText(reply).toStdString();
    EXPECT_EQ(dbtest::dump(db()), before);

    // A body of exactly the limit is still taken.
    QByteArray atLimit = callBody({QStringLiteral("x")});
    atLimit = callBody({QString(int(kMaxBody - atLimit.size() + 1), QLatin1Char('x'))});
    ASSERT_EQ(atLimit.size(), kMaxBody);
    EXPECT_EQ(post(callPath(QStringLiteral("Eco")), atLimit, token).status, 200);
}

TEST_P(RpcContract, AFailingMethodIs500WithItsText)
{
    const QString token = login(mode());
    const host::RpcReply reply = post(callPath(QStringLiteral("Falha")), callBody({}), token);
    EXPECT_EQ(reply.status, 500);
    EXPECT_EQ(errorText(reply), QStringLiteral("Falha proposital do método de teste."));
}

TEST_P(RpcContract, ValuesComeBackAsSent)
{
    const QString token = login(mode());
    host::FieldDefs fields;
    fields.append(host::FieldDef::text(QStringLiteral("CDREGIAO"), 3));
    fields.append(host::FieldDef::of(QStringLiteral("DTCOLEPREC"), host::FieldType::Date));
    host::Packet packet(fields);
    packet.appendRow({QStringLiteral("001"), QDate(2025, 3, 12)});
    packet.appendRow({QStringLiteral("Ç¤ü"), QVariant()});
    const QVariantList sent = {QStringLiteral("ação"), QDate(2025, 2, 28), 12.5, qlonglong(7),
                               QVariant::fromValue(packet)};

    const host::RpcReply reply =
        post(callPath(QStringLiteral("Eco")), callBody(QVariantList{QVariant(sent)}), token);
    ASSERT_EQ(reply.status, 200) << reply.body.toStdString();
    const QVariantList back = resultOf(reply).toList();
    ASSERT_EQ(back.size(), sent.size());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(back[i], sent[i]) << i;
    const host::Packet got = back[4].value<host::Packet>();
    ASSERT_EQ(got.rowCount(), 2);
    EXPECT_EQ(got.row(0), packet.row(0));
    EXPECT_EQ(got.value(1, 0).toString(), QStringLiteral("Ç¤ü"));
    EXPECT_TRUE(got.value(1, 1).isNull());
}

TEST_P(RpcContract, EveryCallLogsOneLineWithoutPasswordOrArguments)
{
    const QString secret = QStringLiteral("VALOR-SIGILOSO-4711");
    const qsizetype start = log.size();
    post(QStringLiteral("/rpc/login"), loginBody(QStringLiteral("ANA.CARVALHO"), secret));
    const QString token = login(mode());
    post(callPath(QStringLiteral("Eco")), callBody({secret}), token);
    post(callPath(QStringLiteral("Inexistente")), callBody({secret}), token);
    post(callPath(QStringLiteral("Eco")), callBody({secret}), QStringLiteral("forjado"));
    post(callPath(QStringLiteral("RenomeiaRegiao")), callBody({secret}), token);

    const QStringList lines = log.since(start);
    ASSERT_EQ(lines.size(), 6) << lines.join(u'\n').toStdString();
    const QString eco = QRegularExpression::escape(kTestModule + QStringLiteral(".Eco"));
    const QList<QRegularExpression> expected = {
        QRegularExpression(QStringLiteral("^login - \\d+ ms 401 \\(ANA\\.CARVALHO: 1ª falha em 10 min\\)$")),
        QRegularExpression(QStringLiteral("^login - \\d+ ms 200$")),
        QRegularExpression(QStringLiteral("^%1 ANA\\.CARVALHO \\d+ ms 200$").arg(eco)),
        QRegularExpression(QStringLiteral("Inexistente ANA\\.CARVALHO \\d+ ms 404$")),
        QRegularExpression(QStringLiteral("^%1 - \\d+ ms 401$").arg(eco)),
        QRegularExpression(QStringLiteral("RenomeiaRegiao ANA\\.CARVALHO \\d+ ms 400$")),
    };
    for (int i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(expected[i].match(lines[i]).hasMatch()) << lines[i].toStdString();
        EXPECT_FALSE(lines[i].contains(secret)) << lines[i].toStdString();
        EXPECT_FALSE(lines[i].contains(QStringLiteral("demo"))) << lines[i].toStdString();
    }
}

TEST_P(RpcContract, ConcurrentCallsGetTheirOwnAnswers)
{
    const QString token = login(mode());
    constexpr int kThreads = 8;
    constexpr int kCalls = 25;
    std::vector<int> wrong(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const host::RpcEndpoint channel = endpoint(mode());
            const QByteArray authorization = "Bearer " + token.toLatin1();
            for (int i = 0; i < kCalls; ++i) {
                const QString value = QStringLiteral("t%1-c%2").arg(t).arg(i);
                try {
                    const host::RpcReply reply = channel(callPath(QStringLiteral("Eco")),
                                                         callBody({value}), authorization, {});
                    if (reply.status != 200 || resultOf(reply).toString() != value)
                        ++wrong[size_t(t)];
                } catch (const std::exception&) {
                    ++wrong[size_t(t)];
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(wrong[size_t(t)], 0) << "thread " << t;
}

INSTANTIATE_TEST_SUITE_P(BothPaths, RpcContract, ::testing::Values(Mode::Http, Mode::InProcess),
                         modeName);

} // namespace
} // namespace transporttest

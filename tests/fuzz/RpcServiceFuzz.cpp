// One request through the application server's request handling, in-process, on the demo
// purchasing centre: a login with an arbitrary body, or a call with an arbitrary path and
// body under a valid session. Every answer must be a known status with a JSON body that
// says "result" or "error"; a call never fails with an unexplained internal error.
//
// Input: the first byte chooses login (even) or call (odd); for a call, the text up to
// the first line break is the path after "/rpc/" and the rest is the body.

#include "FuzzSupport.h"

#include "appserver/db/Seed.h"
#include "appserver/modules/Modules.h"
#include "appserver/rpc/Service.h"
#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/core/WireCodec.h"

#include <QDate>
#include <QTemporaryDir>
#include <QVariantMap>

#include <memory>

namespace {

// The demo database and the server over it, made once per process: the calls of a run
// add to each other's changes as a day of real use would.
struct Server
{
    QTemporaryDir folder;
    std::unique_ptr<appserver::rpc::Service> service;
    QString lastLog;
    QByteArray token;

    Server()
    {
        if (!folder.isValid())
            fuzz::violated("a temporary folder for the database");
        const QString connection = QStringLiteral("sqlite:") + folder.filePath(QStringLiteral("sup.db"));
        {
            host::Database db(connection);
            appserver::db::seedDemo(db, QDate(2025, 3, 12));
        }
        appserver::rpc::ServiceConfig config;
        config.connectionString = connection;
        config.log = [this](const QString& line) { lastLog = line; };
        service = std::make_unique<appserver::rpc::Service>(config, appserver::modules::allMethods());
        logIn();
    }

    appserver::rpc::RpcResponse post(const QString& path, const QByteArray& body, const QByteArray& authorization = {})
    {
        appserver::rpc::RpcRequest request;
        request.path = path;
        request.body = body;
        request.authorization = authorization;
        return service->handle(request);
    }

    void logIn()
    {
        const auto response = post(QStringLiteral("/rpc/login"),
                                   R"({"operator":"ANA.CARVALHO","password":"demo","branch":"0001"})");
        if (response.status != 200)
            fuzz::violated("the demo buyer logs in", QString::fromUtf8(response.body));
        token = "Bearer " + host::wire::decode(response.body).toMap().value(QStringLiteral("token")).toString().toLatin1();
    }
};

Server& server()
{
    static Server instance;
    return instance;
}

void checkAnswer(const appserver::rpc::RpcResponse& response, const QString& request, const QString& log)
{
    const QString where = request + QStringLiteral("\nanswer ") + QString::number(response.status) +
                          QLatin1Char(' ') + fuzz::shown(QString::fromUtf8(response.body)) +
                          QStringLiteral("\nlog ") + log;
    static const QList<int> known = {200, 400, 401, 404, 413, 415, 429, 500};
    fuzz::check(known.contains(response.status), "the answer has a known status", where);
    QVariantMap answer;
    try {
        answer = host::wire::decode(response.body).toMap();
    } catch (const host::ECodecError&) {
        fuzz::violated("the answer is JSON the client reads", where);
    }
    const bool isLogin = request.startsWith(QLatin1String("login"));
    if (isLogin && response.status == 200) {
        fuzz::check(!answer.value(QStringLiteral("token")).toString().isEmpty(),
                    "a login that succeeds gives a token", where);
        return;
    }
    const QString key = response.status == 200 ? QStringLiteral("result") : QStringLiteral("error");
    fuzz::check(answer.size() == 1 && answer.contains(key), "the answer holds its result or its error", where);
    if (response.status != 200)
        fuzz::check(answer.value(key).metaType().id() == QMetaType::QString &&
                        !answer.value(key).toString().isEmpty(),
                    "an error says what went wrong", where);
    fuzz::check(answer.value(key).toString() != QLatin1String("Erro interno do servidor."),
                "a call fails with its own text, never an unexplained internal error", where);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    Server& s = server();
    const QByteArrayView rest = fuzz::bytes(data + 1, size - 1);
    if (data[0] % 2 == 0) {
        const auto response = s.post(QStringLiteral("/rpc/login"), rest.toByteArray());
        checkAnswer(response, QStringLiteral("login ") + fuzz::shown(fuzz::text(rest)), s.lastLog);
        return 0;
    }
    const qsizetype lineEnd = rest.indexOf('\n');
    const QString path = QStringLiteral("/rpc/") + fuzz::text(lineEnd < 0 ? rest : rest.first(lineEnd));
    const QByteArray body = lineEnd < 0 ? QByteArray() : rest.sliced(lineEnd + 1).toByteArray();
    const auto response = s.post(path, body, s.token);
    checkAnswer(response, QStringLiteral("call ") + fuzz::shown(path) + QLatin1Char(' ') +
                              fuzz::shown(QString::fromUtf8(body)), s.lastLog);
    return 0;
}

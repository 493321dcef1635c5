#include "RpcTestSupport.h"

#include "appserver/db/Seed.h"
#include "appserver/modules/Modules.h"
#include "host/core/WireCodec.h"

namespace rpctest {

void RpcFixture::SetUp()
{
    appserver::db::seedDemo(m_db.db(), dbtest::referenceDay());
    appserver::rpc::ServiceConfig config;
    config.connectionString = connectionString();
    config.log = [this](const QString& line) { log.append(line); };
    m_service = std::make_unique<appserver::rpc::Service>(config, appserver::modules::allMethods());
}

void RpcFixture::TearDown()
{
    m_service.reset();
}

QString RpcFixture::connectionString() const
{
    return m_db.connectionString();
}

QString RpcFixture::login(const QString& operatorCode)
{
    QVariantMap body;
    body.insert(QStringLiteral("operator"), operatorCode);
    body.insert(QStringLiteral("password"), QStringLiteral("demo"));
    body.insert(QStringLiteral("branch"), QStringLiteral("0001"));
    const auto response = post(QStringLiteral("/rpc/login"), host::wire::encode(body), QString());
    EXPECT_EQ(response.status, 200) << response.body.toStdString();
    return host::wire::decode(response.body).toMap().value(QStringLiteral("token")).toString();
}

appserver::rpc::RpcResponse RpcFixture::post(const QString& path, const QByteArray& body,
                                             const QString& token, const QString& requestId)
{
    appserver::rpc::RpcRequest request;
    request.path = path;
    request.body = body;
    request.requestId = requestId;
    if (!token.isEmpty())
        request.authorization = "Bearer " + token.toLatin1();
    return m_service->handle(request);
}

namespace {
QByteArray callBody(const QVariantList& args)
{
    QVariantMap body;
    body.insert(QStringLiteral("args"), args);
    return host::wire::encode(body);
}
} // namespace

QVariant RpcFixture::call(const QString& module, const QString& method, const QVariantList& args,
                          const QString& token, const QString& requestId)
{
    const auto response =
        post(QStringLiteral("/rpc/%1/%2").arg(module, method), callBody(args), token, requestId);
    EXPECT_EQ(response.status, 200) << method.toStdString() << ": " << response.body.toStdString();
    if (response.status != 200)
        return {};
    return host::wire::decode(response.body).toMap().value(QStringLiteral("result"));
}

int RpcFixture::callError(const QString& module, const QString& method, const QVariantList& args,
                          const QString& token, QString* text)
{
    const auto response =
        post(QStringLiteral("/rpc/%1/%2").arg(module, method), callBody(args), token);
    if (text)
        *text = host::wire::decode(response.body).toMap().value(QStringLiteral("error")).toString();
    return response.status;
}

} // namespace rpctest

#include "TransportFixture.h"

#include "appserver/db/Seed.h"
#include "appserver/http/InProcess.h"
#include "appserver/modules/Modules.h"
#include "host/core/WireCodec.h"

namespace transporttest {

std::string modeName(const ::testing::TestParamInfo<Mode>& info)
{
    return info.param == Mode::Http ? "Http" : "InProcess";
}

void LogLines::add(const QString& line)
{
    QMutexLocker lock(&m_mutex);
    m_lines.append(line);
}

QStringList LogLines::all() const
{
    QMutexLocker lock(&m_mutex);
    return m_lines;
}

qsizetype LogLines::size() const
{
    QMutexLocker lock(&m_mutex);
    return m_lines.size();
}

QStringList LogLines::since(qsizetype count) const
{
    QMutexLocker lock(&m_mutex);
    return m_lines.mid(count);
}

void TransportFixture::SetUp()
{
    appserver::db::seedDemo(m_db.db(), dbtest::referenceDay());
    appserver::rpc::ServiceConfig config;
    config.connectionString = QStringLiteral("sqlite:") + m_db.path();
    config.maxBody = kMaxBody;
    config.log = [this](const QString& line) { log.add(line); };
    appserver::rpc::MethodRegistry registry = appserver::modules::allMethods();
    addTestMethods(registry, probe);
    m_service = std::make_unique<appserver::rpc::Service>(config, std::move(registry));
    startServer(0);
}

void TransportFixture::TearDown()
{
    m_server.reset();
    m_service.reset();
}

void TransportFixture::startServer(int port)
{
    appserver::http::HttpServerOptions options;
    options.port = port;
    options.workers = 12;
    // Idle connections of finished tests must not hold the shutdown for long.
    options.keepAlive = std::chrono::seconds(1);
    m_server = std::make_unique<appserver::http::HttpServer>(*m_service, options);
    m_server->start();
    m_port = m_server->port();
}

void TransportFixture::stopServer()
{
    m_server->stop();
}

void TransportFixture::restartServer()
{
    m_server.reset();
    startServer(m_port);
}

host::RpcEndpoint TransportFixture::endpoint(Mode mode)
{
    if (mode == Mode::InProcess)
        return appserver::rpc::inProcessEndpoint(*m_service);
    return host::httpEndpoint(QStringLiteral("127.0.0.1"), m_port);
}

host::RemoteSession TransportFixture::session(Mode mode)
{
    if (mode == Mode::InProcess)
        return host::RemoteSession(appserver::rpc::inProcessEndpoint(*m_service));
    host::RemoteSession session;
    session.setWebURL(QStringLiteral("127.0.0.1"));
    session.setWebPort(m_port);
    return session;
}

host::RpcReply TransportFixture::post(Mode mode, const QString& path, const QByteArray& body,
                                      const QString& token)
{
    const QByteArray authorization = token.isEmpty() ? QByteArray() : "Bearer " + token.toLatin1();
    return endpoint(mode)(path, body, authorization, {});
}

QString TransportFixture::login(Mode mode, const QString& operatorCode)
{
    const host::RpcReply reply =
        post(mode, QStringLiteral("/rpc/login"), loginBody(operatorCode, QStringLiteral("demo")));
    EXPECT_EQ(reply.status, 200) << reply.body.toStdString();
    return host::wire::decode(reply.body).toMap().value(QStringLiteral("token")).toString();
}

QByteArray loginBody(const QString& operatorCode, const QString& password, const QString& branch)
{
    QVariantMap body;
    body.insert(QStringLiteral("operator"), operatorCode);
    body.insert(QStringLiteral("password"), password);
    body.insert(QStringLiteral("branch"), branch);
    return host::wire::encode(body);
}

QByteArray callBody(const QVariantList& args)
{
    QVariantMap body;
    body.insert(QStringLiteral("args"), args);
    return host::wire::encode(body);
}

QString callPath(const QString& method, const QString& module)
{
    return QStringLiteral("/rpc/%1/%2").arg(module, method);
}

QString errorText(const host::RpcReply& reply)
{
    return host::wire::decode(reply.body).toMap().value(QStringLiteral("error")).toString();
}

QVariant resultOf(const host::RpcReply& reply)
{
    return host::wire::decode(reply.body).toMap().value(QStringLiteral("result"));
}

} // namespace transporttest

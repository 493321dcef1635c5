#include "NetConnection.h"

#include "NetTexts.h"

#include "host/core/Exceptions.h"
#include "host/core/WireCodec.h"

namespace host {

namespace {

using net::netText;

QByteArray callBody(const QVariantList& args)
{
    JsonWriter out;
    out.beginObject();
    out.key(QLatin1StringView("args"));
    wire::writeValue(out, args);
    out.endObject();
    return out.take();
}

} // namespace

QVariant RemoteModule::call(const QString& method, const QVariantList& args,
                            const QString& requestId) const
{
    return m_connection->call(method, args, requestId);
}

TNetConnection::TNetConnection(const QString& serverName, RemoteSession& session)
    : m_serverName(serverName), m_session(session)
{
}

void TNetConnection::Open()
{
    if (m_connected)
        return;
    try {
        RpcEndpoint endpoint = m_session.connect();
        const RpcReply reply = endpoint(QStringLiteral("/health"), {}, {}, {});
        if (reply.status != 200) {
            const ServerAddress where = m_session.address();
            m_lastError = netText(QStringLiteral("Srv_NaoResp"))
                              .arg(m_session.isInProcess()
                                       ? m_serverName
                                       : QStringLiteral("%1:%2").arg(where.url).arg(where.port))
                              .arg(reply.status);
            return;
        }
        m_endpoint = std::move(endpoint);
        m_connected = true;
        m_lastError.clear();
    } catch (const Exception& e) {
        m_lastError = e.message();
    } catch (const std::exception& e) {
        m_lastError = QString::fromLocal8Bit(e.what());
    }
}

void TNetConnection::Close()
{
    // Dropping the endpoint closes its socket; the server ends the session's connection.
    m_endpoint = nullptr;
    m_connected = false;
}

void TNetConnection::SetConnected(bool connected)
{
    if (connected)
        Open();
    else
        Close();
}

QVariant TNetConnection::call(const QString& method, const QVariantList& args,
                              const QString& requestId)
{
    if (!m_connected) {
        Open();
        if (!m_connected)
            throw EConnectionLost(m_lastError);
    }
    RpcReply reply;
    try {
        reply = m_endpoint(QStringLiteral("/rpc/%1/%2").arg(m_serverName, method), callBody(args),
                           m_session.authorization(), requestId);
    } catch (const EConnectionLost& e) {
        m_lastError = e.message();
        Close();
        throw;
    }
    return resultOf(reply);
}

QVariant TNetConnection::resultOf(const RpcReply& reply) const
{
    if (reply.status != 200)
        throw ERemote(remoteErrorText(reply));
    QVariant answer;
    try {
        answer = wire::decode(reply.body);
    } catch (const ECodecError& e) {
        throw ERemote(netText(QStringLiteral("Srv_RespInv")).arg(e.message()));
    }
    const QVariantMap map = answer.toMap();
    const auto result = map.constFind(QStringLiteral("result"));
    if (answer.metaType().id() != QMetaType::QVariantMap || result == map.constEnd())
        throw ERemote(netText(QStringLiteral("Srv_SemResult")));
    return *result;
}

} // namespace host

#include "RemoteSession.h"

#include "NetTexts.h"

#include "host/core/Exceptions.h"
#include "host/core/WireCodec.h"

#include <QUrl>

namespace host {

namespace {

using net::netText;

struct Where
{
    QString host;
    bool tls = false;
};

// The host part of WebURL: a bare host name or address, or an http or https URL without
// a path; "https://" asks for a secure connection.
Where whereOf(const QString& webUrl)
{
    QString text = webUrl.trimmed();
    if (text.isEmpty())
        throw EConnectionLost(netText(QStringLiteral("Srv_SemEnder")));
    if (!text.contains(QLatin1String("://")))
        text.prepend(QLatin1String("http://"));
    const QUrl url(text, QUrl::StrictMode);
    const QString path = url.path();
    const bool tls = url.scheme() == QLatin1String("https");
    if (!url.isValid() || !(tls || url.scheme() == QLatin1String("http")) ||
        url.host().isEmpty() || url.port() != -1 || !(path.isEmpty() || path == QLatin1String("/")) ||
        url.hasQuery() || !url.userInfo().isEmpty())
        throw EConnectionLost(netText(QStringLiteral("Srv_EnderInv")).arg(webUrl));
    return Where{url.host(), tls};
}

} // namespace

RemoteSession::RemoteSession(RpcEndpoint inProcess) : m_inProcess(std::move(inProcess)) {}

ServerAddress RemoteSession::address() const
{
    return m_addressSource ? m_addressSource() : m_address;
}

RpcEndpoint RemoteSession::connect() const
{
    if (m_inProcess)
        return m_inProcess;
    const ServerAddress address = this->address();
    const Where where = whereOf(address.url);
    if (address.port <= 0 || address.port > 65535)
        throw EConnectionLost(netText(QStringLiteral("Srv_PortaInv")).arg(address.port));
    HttpOptions options = m_options;
    options.tls = where.tls;
    return httpEndpoint(where.host, address.port, options);
}

LoginAnswer RemoteSession::login(const QString& operatorCode, const QString& password,
                                 const QString& branch)
{
    QVariantMap request;
    request.insert(QStringLiteral("operator"), operatorCode);
    request.insert(QStringLiteral("password"), password);
    request.insert(QStringLiteral("branch"), branch);
    const RpcReply reply = connect()(QStringLiteral("/rpc/login"), wire::encode(request), {}, {});
    if (reply.status != 200)
        throw ERemote(remoteErrorText(reply));

    QVariantMap answer;
    try {
        answer = wire::decode(reply.body).toMap();
    } catch (const ECodecError& e) {
        throw ERemote(netText(QStringLiteral("Srv_RespInv")).arg(e.message()));
    }
    LoginAnswer result{answer.value(QStringLiteral("token")).toString(),
                       answer.value(QStringLiteral("name")).toString()};
    if (result.token.isEmpty())
        throw ERemote(netText(QStringLiteral("Srv_SemToken")));
    m_token = result.token;
    m_operatorName = result.name;
    m_operatorCode = operatorCode;
    m_branch = answer.value(QStringLiteral("branch"), branch).toString();
    return result;
}

void RemoteSession::logout()
{
    m_token.clear();
    m_operatorCode.clear();
    m_operatorName.clear();
    m_branch.clear();
}

QByteArray RemoteSession::authorization() const
{
    return m_token.isEmpty() ? QByteArray() : "Bearer " + m_token.toLatin1();
}

QString remoteErrorText(const RpcReply& reply)
{
    try {
        const QVariant decoded = wire::decode(reply.body);
        const QString text = decoded.toMap().value(QStringLiteral("error")).toString();
        if (!text.isEmpty())
            return text;
    } catch (const ECodecError&) {
    }
    return netText(QStringLiteral("Srv_ErroCod")).arg(reply.status);
}

} // namespace host

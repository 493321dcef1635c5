#include "RpcTransport.h"

#include "NetTexts.h"

#include "host/core/Exceptions.h"

#include <httplib.h>

#include <csignal>
#include <memory>
#include <mutex>

namespace host {

namespace {

const std::string kJson = "application/json; charset=utf-8";

QString describe(httplib::Error error)
{
    using net::netText;
    switch (error) {
    case httplib::Error::Connection:
        return netText(QStringLiteral("Err_Recusada"));
    case httplib::Error::ConnectionTimeout:
        return netText(QStringLiteral("Err_TempoCon"));
    case httplib::Error::Read:
        return netText(QStringLiteral("Err_Leitura"));
    case httplib::Error::Write:
        return netText(QStringLiteral("Err_Escrita"));
    case httplib::Error::Canceled:
        return netText(QStringLiteral("Err_Cancelada"));
    case httplib::Error::SSLConnection:
        return netText(QStringLiteral("Err_Tls"));
    case httplib::Error::SSLLoadingCerts:
        return netText(QStringLiteral("Err_TlsCA"));
    case httplib::Error::SSLServerVerification:
        return netText(QStringLiteral("Err_TlsCertif"));
    default:
        return netText(QStringLiteral("Err_Outro"))
            .arg(QString::fromStdString(httplib::to_string(error)));
    }
}

// Failing to connect and losing an open connection read differently to the operator.
bool failedToConnect(httplib::Error error)
{
    return error == httplib::Error::Connection || error == httplib::Error::ConnectionTimeout ||
           error == httplib::Error::SSLConnection || error == httplib::Error::SSLLoadingCerts ||
           error == httplib::Error::SSLServerVerification;
}

// The library speaks HTTPS when the client is made from an "https://" address.
std::unique_ptr<httplib::Client> makeClient(const QString& host, int port, const HttpOptions& options)
{
    if (!options.tls)
        return std::make_unique<httplib::Client>(host.toStdString(), port);
    const QString bracketed = host.contains(QLatin1Char(':')) ? u'[' + host + u']' : host;
    auto client = std::make_unique<httplib::Client>(
        QStringLiteral("https://%1:%2").arg(bracketed).arg(port).toStdString());
    client->enable_server_certificate_verification(true);
    if (!options.caFile.isEmpty())
        client->set_ca_cert_path(options.caFile.toStdString());
    return client;
}

template <class Duration> void split(Duration d, time_t& sec, time_t& usec)
{
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(d).count();
    sec = time_t(us / 1000000);
    usec = time_t(us % 1000000);
}

class HttpChannel
{
public:
    HttpChannel(const QString& host, int port, const HttpOptions& options)
        : m_client(makeClient(host, port, options)),
          m_where(QStringLiteral("%1%2:%3")
                      .arg(options.tls ? QStringLiteral("https://") : QString(), host)
                      .arg(port))
    {
        time_t sec = 0;
        time_t usec = 0;
        split(options.connectTimeout, sec, usec);
        m_client->set_connection_timeout(sec, usec);
        split(options.readTimeout, sec, usec);
        m_client->set_read_timeout(sec, usec);
        split(options.writeTimeout, sec, usec);
        m_client->set_write_timeout(sec, usec);
        m_client->set_keep_alive(true);
        m_client->set_tcp_nodelay(true);
    }

    RpcReply send(const QString& path, const QByteArray& body, const QByteArray& authorization,
                  const QString& requestId)
    {
        httplib::Headers headers;
        if (!authorization.isEmpty())
            headers.emplace("Authorization", authorization.toStdString());
        if (!requestId.isEmpty())
            headers.emplace("X-Request-Id", requestId.toStdString());
        const std::string target = path.toStdString();
        httplib::Result result =
            path == QLatin1String("/health")
                ? m_client->Get(target, headers)
                : m_client->Post(target, headers, body.constData(), size_t(body.size()), kJson);
        if (!result) {
            const httplib::Error error = result.error();
            const QString key = failedToConnect(error) ? QStringLiteral("Srv_Inacess")
                                                       : QStringLiteral("Srv_ConexPerd");
            throw EConnectionLost(net::netText(key).arg(m_where, describe(error)));
        }
        return RpcReply{result->status, QByteArray::fromStdString(result->body)};
    }

private:
    std::unique_ptr<httplib::Client> m_client;
    QString m_where;
};

} // namespace

RpcEndpoint httpEndpoint(const QString& host, int port, const HttpOptions& options)
{
    // A server that closes the connection while a call is being sent must surface as a
    // lost connection, not end the program with SIGPIPE.
    static std::once_flag ignoreBrokenPipe;
    std::call_once(ignoreBrokenPipe, [] { std::signal(SIGPIPE, SIG_IGN); });
    auto channel = std::make_shared<HttpChannel>(host, port, options);
    return [channel](const QString& path, const QByteArray& body, const QByteArray& authorization,
                     const QString& requestId) {
        return channel->send(path, body, authorization, requestId);
    };
}

} // namespace host

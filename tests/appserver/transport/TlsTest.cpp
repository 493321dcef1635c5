// HTTPS: the server with a certificate and its key, a client that checks the certificate
// against a CA it is given (or the system's), and the refusals when either side is wrong.

#include "TestCertificate.h"
#include "TransportFixture.h"

#include "host/core/Exceptions.h"

namespace transporttest {
namespace {

class TlsTest : public TransportFixture
{
protected:
    void SetUp() override
    {
        TransportFixture::SetUp();
        ASSERT_TRUE(m_certificate.make()) << m_certificate.error().toStdString();
        appserver::http::HttpServerOptions options;
        options.port = 0;
        options.tlsCertificate = m_certificate.certificate();
        options.tlsKey = m_certificate.key();
        m_https = std::make_unique<appserver::http::HttpServer>(service(), options);
        m_https->start();
    }

    int httpsPort() const { return m_https->port(); }
    const TestCertificate& certificate() const { return m_certificate; }

    // A session with the HTTPS server, trusting the CA file when one is given.
    host::RemoteSession httpsSession(const QString& caFile,
                                     const QString& host = QStringLiteral("127.0.0.1"))
    {
        host::RemoteSession session;
        session.setWebURL(QStringLiteral("https://") + host);
        session.setWebPort(httpsPort());
        host::HttpOptions options;
        options.caFile = caFile;
        session.setHttpOptions(options);
        return session;
    }

    static QString lostConnectionText(const std::function<void()>& attempt)
    {
        try {
            attempt();
        } catch (const host::EConnectionLost& e) {
            return e.message();
        }
        return {};
    }

    std::unique_ptr<appserver::http::HttpServer> m_https;

private:
    TestCertificate m_certificate;
};

TEST_F(TlsTest, AClientThatTrustsTheCertificateCallsOverHttps)
{
    EXPECT_TRUE(m_https->usesTls());
    for (const QString host : {QStringLiteral("127.0.0.1"), QStringLiteral("localhost")}) {
        host::RemoteSession session = httpsSession(certificate().certificate(), host);
        EXPECT_EQ(session.connect()(QStringLiteral("/health"), {}, {}, {}).body, "ok");
        session.login(QStringLiteral("ANA.CARVALHO"), QStringLiteral("demo"),
                      QStringLiteral("0001"));
        ASSERT_TRUE(session.isLoggedIn()) << host.toStdString();
        const host::RpcReply reply =
            session.connect()(callPath(QStringLiteral("Eco")), callBody({QStringLiteral("seguro")}),
                              session.authorization(), {});
        EXPECT_EQ(reply.status, 200);
        EXPECT_EQ(resultOf(reply).toString(), QStringLiteral("seguro"));
    }
}

TEST_F(TlsTest, AClientWithoutTheAuthorityRefusesTheServerBeforeSendingThePassword)
{
    const int sessions = service().sessions().count();
    const qsizetype lines = log.size();
    host::RemoteSession session = httpsSession({}); // the system's authorities only
    const QString text = lostConnectionText([&] {
        session.login(QStringLiteral("ANA.CARVALHO"), QStringLiteral("demo"),
                      QStringLiteral("0001"));
    });
    EXPECT_TRUE(text.contains(QStringLiteral("certificado do servidor não é confiável")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("--ca"))) << text.toStdString();
    EXPECT_FALSE(session.isLoggedIn());
    EXPECT_EQ(service().sessions().count(), sessions);
    EXPECT_EQ(log.size(), lines);
}

TEST_F(TlsTest, AnAuthorityOfAnotherServerDoesNotVouchForThisOne)
{
    TestCertificate other;
    ASSERT_TRUE(other.make()) << other.error().toStdString();
    host::RemoteSession session = httpsSession(other.certificate());
    const QString text =
        lostConnectionText([&] { session.connect()(QStringLiteral("/health"), {}, {}, {}); });
    EXPECT_TRUE(text.contains(QStringLiteral("certificado"))) << text.toStdString();
}

TEST_F(TlsTest, HttpAndHttpsDoNotMix)
{
    // Plain HTTP to the HTTPS port gets no answer; the server goes on serving HTTPS.
    EXPECT_THROW(host::httpEndpoint(QStringLiteral("127.0.0.1"),
                                    httpsPort())(QStringLiteral("/health"), {}, {}, {}),
                 host::EConnectionLost);
    // HTTPS to a plain HTTP server says that the secure connection failed.
    host::HttpOptions options;
    options.tls = true;
    options.caFile = certificate().certificate();
    const QString text = lostConnectionText([&] {
        host::httpEndpoint(QStringLiteral("127.0.0.1"), port(), options)(QStringLiteral("/health"),
                                                                         {}, {}, {});
    });
    EXPECT_TRUE(text.contains(QStringLiteral("HTTPS"))) << text.toStdString();

    host::RemoteSession session = httpsSession(certificate().certificate());
    EXPECT_EQ(session.connect()(QStringLiteral("/health"), {}, {}, {}).body, "ok");
}

TEST_F(TlsTest, ACertificateOrKeyThatCannotBeUsedStopsTheStart)
{
    TestCertificate other;
    ASSERT_TRUE(other.make()) << other.error().toStdString();
    const QString garbage = other.folder() + QStringLiteral("/lixo.crt");
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("isto não é um certificado\n");
    }
    const struct
    {
        QString certificate;
        QString key;
        QString problem;
    } cases[] = {
        {certificate().certificate(), other.folder() + QStringLiteral("/nada.key"),
         QStringLiteral("não encontrado")},
        {garbage, certificate().key(), QStringLiteral("não pôde ser lido")},
        {certificate().certificate(), other.key(), QStringLiteral("não corresponde")},
    };
    for (const auto& c : cases) {
        appserver::http::HttpServerOptions options;
        options.port = 0;
        options.tlsCertificate = c.certificate;
        options.tlsKey = c.key;
        appserver::http::HttpServer server(service(), options);
        try {
            server.start();
            ADD_FAILURE() << "started with " << c.certificate.toStdString() << " and "
                          << c.key.toStdString();
        } catch (const host::Exception& e) {
            EXPECT_TRUE(e.message().contains(c.problem)) << e.message().toStdString();
        }
        EXPECT_FALSE(server.isRunning());
    }
}

} // namespace
} // namespace transporttest

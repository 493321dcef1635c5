// The programs over HTTPS as a user runs them: sup-appserver with --tls-cert and --tls-key,
// the warning when it listens beyond the loopback without them, and the sup01700 client
// reaching it with --server https://... and --ca.

#include "AppServerProcess.h"
#include "TestCertificate.h"
#include "TransportFixture.h"

#include "appserver/db/Seed.h"
#include "host/core/Exceptions.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>

namespace transporttest {
namespace {

class TlsProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appserver::db::seedDemo(m_db.db(), dbtest::referenceDay());
        ASSERT_TRUE(certificate.make()) << certificate.error().toStdString();
    }
    QString database() const { return QStringLiteral("sqlite:") + m_db.path(); }
    QStringList tlsOptions() const
    {
        return {"--tls-cert", certificate.certificate(), "--tls-key", certificate.key()};
    }

    TestCertificate certificate;

private:
    dbtest::TempDatabase m_db;
};

struct ClientRun
{
    int exitCode = -1;
    QString err;
};

// The desktop client, offscreen, with a home of its own.
ClientRun runClient(const QStringList& args)
{
    QTemporaryDir home;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SUP01700_PROGRAM), args);
    process.waitForFinished(120000);
    ClientRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST_F(TlsProgramTest, TheServerServesHttpsWithItsCertificateAndStopsCleanly)
{
    AppServerProcess server;
    ASSERT_TRUE(server.start(database(), 4, tlsOptions())) << server.log().toStdString();
    host::RemoteSession session;
    session.setWebURL(QStringLiteral("https://127.0.0.1"));
    session.setWebPort(server.port());
    host::HttpOptions options;
    options.caFile = certificate.certificate();
    session.setHttpOptions(options);
    EXPECT_EQ(session.connect()(QStringLiteral("/health"), {}, {}, {}).body, "ok");
    session.login(QStringLiteral("CARLOS.NUNES"), QStringLiteral("demo"), QStringLiteral("0001"));
    EXPECT_TRUE(session.isLoggedIn());
    // Loopback with or without TLS: nothing to warn about.
    EXPECT_FALSE(server.log().contains(QStringLiteral("Aviso"))) << server.log().toStdString();

    ::kill(pid_t(server.process().processId()), SIGTERM);
    ASSERT_TRUE(server.process().waitForFinished(15000));
    EXPECT_EQ(server.process().exitCode(), 0);
    EXPECT_TRUE(server.log().contains(QStringLiteral("login - "))) << server.log().toStdString();
}

TEST_F(TlsProgramTest, ACertificateWithoutItsKeyIsAUsageError)
{
    QProcess process;
    process.start(QStringLiteral(SUP_APPSERVER_PROGRAM),
                  {"--db", database(), "--port", "0", "--tls-cert", certificate.certificate()});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("--tls-cert e --tls-key"))) << err.toStdString();
}

TEST_F(TlsProgramTest, ListeningBeyondTheLoopbackWithoutTlsIsWarnedOf)
{
    AppServerProcess server;
    ASSERT_TRUE(server.start(database(), 2, {"--listen", "0.0.0.0"})) << server.log().toStdString();
    const QString log = server.log();
    EXPECT_TRUE(log.contains(QStringLiteral("Aviso: escutando em 0.0.0.0 sem HTTPS")))
        << log.toStdString();
    server.kill();

    AppServerProcess secured;
    ASSERT_TRUE(secured.start(database(), 2, QStringList{"--listen", "0.0.0.0"} + tlsOptions()))
        << secured.log().toStdString();
    EXPECT_FALSE(secured.log().contains(QStringLiteral("Aviso"))) << secured.log().toStdString();
}

TEST_F(TlsProgramTest, TheClientReachesAnHttpsServerOnlyWithItsAuthority)
{
    AppServerProcess server;
    ASSERT_TRUE(server.start(database(), 4, tlsOptions())) << server.log().toStdString();
    const QString address = QStringLiteral("https://127.0.0.1:%1").arg(server.port());
    const QStringList login = {"--db",       database(),     "--server",   address,
                               "--operator", "ANA.CARVALHO", "--password", "demo"};

    const ClientRun untrusted = runClient(login);
    EXPECT_NE(untrusted.exitCode, 0);
    EXPECT_TRUE(untrusted.err.contains(QStringLiteral("certificado do servidor não é confiável")))
        << untrusted.err.toStdString();

    const ClientRun missingCa =
        runClient(login + QStringList{"--ca", certificate.folder() + "/nada.pem"});
    EXPECT_NE(missingCa.exitCode, 0);
    EXPECT_TRUE(missingCa.err.contains(QStringLiteral("não encontrado")))
        << missingCa.err.toStdString();

    const QString picture = certificate.folder() + QStringLiteral("/janela.png");
    const ClientRun trusted =
        runClient(login + QStringList{"--ca", certificate.certificate(), "--screenshot", picture});
    ASSERT_EQ(trusted.exitCode, 0) << trusted.err.toStdString();
    QFile saved(picture);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.read(8).startsWith("\x89PNG"));
    EXPECT_TRUE(server.log().contains(QStringLiteral("login ANA.CARVALHO")) ||
                server.log().contains(QStringLiteral("login - ")))
        << server.log().toStdString();
}

} // namespace
} // namespace transporttest

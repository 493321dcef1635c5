// The sup-appserver program, run as a child process: usage, start-up checks, serving and
// a clean stop on SIGTERM and SIGINT.

#include "AppServerProcess.h"
#include "TransportFixture.h"

#include "appserver/db/Seed.h"
#include "host/core/Exceptions.h"
#include "host/net/RemoteSession.h"

#include <QProcess>
#include <QRegularExpression>
#include <csignal>

namespace transporttest {
namespace {

struct ProgramRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

ProgramRun runToEnd(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(SUP_APPSERVER_PROGRAM), args);
    process.waitForFinished(30000);
    ProgramRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(AppServerProgram, BadUsageExplainsInPortugueseAndExitsWithTwo)
{
    const QList<std::pair<QStringList, QString>> cases = {
        {{}, QStringLiteral("Informe o banco de dados")},
        {{"--db"}, QStringLiteral("Falta o valor de --db")},
        {{"--db", "/tmp/x.db"}, QStringLiteral("Banco de dados inválido")},
        {{"--db", "sqlite:x.db", "--port", "70000"}, QStringLiteral("Porta inválida")},
        {{"--db", "sqlite:x.db", "--port", "oito"}, QStringLiteral("Porta inválida")},
        {{"--db", "sqlite:x.db", "--workers", "0"},
         QStringLiteral("Número de atendentes inválido")},
        {{"--db", "sqlite:x.db", "--max-body", "-5"}, QStringLiteral("Tamanho máximo inválido")},
        {{"--db", "sqlite:x.db", "--idle-minutes", "x"},
         QStringLiteral("Tempo de sessão inválido")},
        {{"--db", "sqlite:x.db", "--verbose", "1"}, QStringLiteral("Opção desconhecida")},
    };
    for (const auto& [args, problem] : cases) {
        const ProgramRun run = runToEnd(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(problem)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Uso:"))) << run.err.toStdString();
    }
}

TEST(AppServerProgram, RefusesADatabaseItCannotServe)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("nada.db"));
    const ProgramRun noFile = runToEnd({"--db", "sqlite:" + missing, "--port", "0"});
    EXPECT_EQ(noFile.exitCode, 1);
    EXPECT_TRUE(noFile.err.contains(QStringLiteral("não encontrado"))) << noFile.err.toStdString();
    EXPECT_FALSE(QFile::exists(missing));

    const QString empty = dir.filePath(QStringLiteral("vazio.db"));
    {
        host::Database create(QStringLiteral("sqlite:") + empty);
    }
    const ProgramRun noSchema = runToEnd({"--db", "sqlite:" + empty, "--port", "0"});
    EXPECT_EQ(noSchema.exitCode, 1);
    EXPECT_TRUE(noSchema.err.contains(QStringLiteral("sup-db init"))) << noSchema.err.toStdString();
}

// A server started on a seeded demo database, on a port of its choosing.
class RunningAppServer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appserver::db::seedDemo(m_db.db(), dbtest::referenceDay());
        ASSERT_TRUE(server.start(database())) << server.log().toStdString();
        port = server.port();
    }
    QString database() const { return QStringLiteral("sqlite:") + m_db.path(); }

    AppServerProcess server;
    int port = 0;

private:
    dbtest::TempDatabase m_db;
};

TEST_F(RunningAppServer, ASecondServerOnTheSamePortFailsToStart)
{
    const ProgramRun second = runToEnd({"--db", database(), "--port", QString::number(port)});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.err.contains(QStringLiteral("Não foi possível escutar")))
        << second.err.toStdString();
    EXPECT_EQ(server.process().state(), QProcess::Running);
}

class AppServerStop : public RunningAppServer, public ::testing::WithParamInterface<int>
{
};

TEST_P(AppServerStop, ServesAndStopsCleanlyOnASignal)
{
    host::RemoteSession session;
    session.setWebURL(QStringLiteral("127.0.0.1"));
    session.setWebPort(port);
    EXPECT_EQ(session.connect()(QStringLiteral("/health"), {}, {}, {}).body, "ok");
    session.login(QStringLiteral("CARLOS.NUNES"), QStringLiteral("demo"), "0001");
    EXPECT_TRUE(session.isLoggedIn());

    QProcess& process = server.process();
    ::kill(pid_t(process.processId()), GetParam());
    ASSERT_TRUE(process.waitForFinished(15000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    const QString err = server.log();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("login - \\d+ ms 200")).match(err).hasMatch())
        << err.toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral("demo")));
    EXPECT_TRUE(err.contains(QStringLiteral("encerrado"))) << err.toStdString();
    EXPECT_THROW(session.connect()(QStringLiteral("/health"), {}, {}, {}), host::EConnectionLost);
}

INSTANTIATE_TEST_SUITE_P(Signals, AppServerStop, ::testing::Values(SIGTERM, SIGINT),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == SIGTERM ? std::string("Sigterm")
                                                          : std::string("Sigint");
                         });

} // namespace
} // namespace transporttest

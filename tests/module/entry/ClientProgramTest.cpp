// The sup01700 program as a new user starts it: embedded demo, login from options.

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ClientRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the program offscreen, or with no window system at all when `headless`.
ClientRun runClient(const QTemporaryDir& home, const QStringList& args, bool headless = false)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (headless) {
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
    } else {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SUP01700_PROGRAM), args);
    process.waitForFinished(120000);
    ClientRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

TEST(ClientProgram, UsageAndVersionPrintWithoutAWindowSystem)
{
    QTemporaryDir home;
    const ClientRun help = runClient(home, {QStringLiteral("--help")}, true);
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("Planilha de Cotação de Preços"))) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("--operator")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("--version")));

    const ClientRun version = runClient(home, {QStringLiteral("--version")}, true);
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("sup01700 "))) << version.out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("data/sup01700/demo.db"))));
}

TEST(ClientProgram, FirstStartCreatesTheDemoLogsInAndSavesAPicture)
{
    QTemporaryDir home;
    const QString picture = home.filePath(QStringLiteral("janela.png"));
    const ClientRun run = runClient(home, {QStringLiteral("--operator"), QStringLiteral("ANA.CARVALHO"),
                                     QStringLiteral("--password"), QStringLiteral("demo"),
                                     QStringLiteral("--screenshot"), picture});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(home.filePath(QStringLiteral("data/sup01700/demo.db"))));
    const QImage image(picture);
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 600);
    EXPECT_GE(image.height(), 400);
}

TEST(ClientProgram, AWrongPasswordEndsWithTheRefusal)
{
    QTemporaryDir home;
    const ClientRun run = runClient(home, {QStringLiteral("--operator"), QStringLiteral("ANA.CARVALHO"),
                                     QStringLiteral("--password"), QStringLiteral("errada"),
                                     QStringLiteral("--screenshot"), home.filePath(QStringLiteral("x.png"))});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Operador ou senha inválidos."))) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("x.png"))));
}

TEST(ClientProgram, AnUnreachableServerEndsWithAClearMessage)
{
    QTemporaryDir home;
    const ClientRun run = runClient(home, {QStringLiteral("--server"), QStringLiteral("127.0.0.1:9"),
                                     QStringLiteral("--operator"), QStringLiteral("ANA.CARVALHO"),
                                     QStringLiteral("--password"), QStringLiteral("demo")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Servidor de aplicação não encontrado"))) << run.err.toStdString();
}

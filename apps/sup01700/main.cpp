// sup01700: the price quotation worksheet of the purchasing system.
//
//   sup01700                          embedded: demo database, server in this process
//   sup01700 --db URL                 another shared database ("sqlite:PATH")
//   sup01700 --server HOST:PORT       a running sup-appserver
//   sup01700 --server https://HOST:PORT [--ca FILE]   over HTTPS, the server's certificate
//                                     checked against the system's authorities or FILE
//   sup01700 --operator CODE --password TEXT [--branch CODE]   log in without asking
//   sup01700 --screenshot FILE        save a picture of the window once shown, then exit
//   sup01700 --help | --version       print the usage or the version (no display needed)

#include "ClientEnvironment.h"
#include "LoginDialog.h"
#include "WindowCapture.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/core/Messages.h"
#include "host/forms/TfrmRotiGeral.h"
#include "host/net/RemoteSession.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/ui/QtUi.h"
#include "module/entry/Sup01700Entry.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kFailed = 1;

struct Options
{
    QString database;
    QString server;
    QString caFile;
    QString operatorCode;
    QString password;
    QString branch;
    QString screenshot;
};

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("sup01700"));
    QCoreApplication::setOrganizationName(QStringLiteral("sup01700"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SUP01700_VERSION));
}

// True when the command line only asks for the usage or the version: they are printed
// without a window system.
bool asksUsageOnly(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--")
            break;
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" ||
            arg == "-v" || arg == "--version")
            return true;
    }
    return false;
}

Options parseOptions(QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Planilha de Cotação de Preços (SUP01700)"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("Banco de dados compartilhado (sqlite:ARQUIVO)."), QStringLiteral("URL"));
    const QCommandLineOption server(QStringLiteral("server"), QStringLiteral("Servidor de aplicação em execução (https://MAQUINA:PORTA para HTTPS)."), QStringLiteral("MAQUINA:PORTA"));
    const QCommandLineOption ca(QStringLiteral("ca"), QStringLiteral("Autoridades certificadoras (PEM) que garantem o certificado do servidor HTTPS; sem ela, as do sistema."), QStringLiteral("ARQUIVO"));
    const QCommandLineOption op(QStringLiteral("operator"), QStringLiteral("Código do operador."), QStringLiteral("CODIGO"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("Senha do operador (para scripts)."), QStringLiteral("SENHA"));
    const QCommandLineOption branch(QStringLiteral("branch"), QStringLiteral("Filial do operador."), QStringLiteral("CODIGO"));
    const QCommandLineOption shot(QStringLiteral("screenshot"), QStringLiteral("Grava a janela ativa em PNG e termina."), QStringLiteral("ARQUIVO"));
    parser.addOptions({db, server, ca, op, password, branch, shot});
    parser.process(app);
    return Options{parser.value(db),       parser.value(server), parser.value(ca),
                   parser.value(op),       parser.value(password), parser.value(branch),
                   parser.value(shot)};
}

// Logs in with the options, or asks in the login dialog until the server accepts or the
// operator gives up. Returns false when nobody logged in.
bool login(ClientEnvironment& env, const Options& options, const host::Messages& texts)
{
    QSettings settings;
    const QString lastOperator = settings.value(QStringLiteral("login/operator")).toString();
    const QString lastBranch = settings.value(QStringLiteral("login/branch"), QStringLiteral("0001")).toString();
    const bool scripted = !options.operatorCode.isEmpty() && !options.password.isEmpty();
    for (;;) {
        QString code = options.operatorCode, password = options.password;
        QString branch = options.branch.isEmpty() ? lastBranch : options.branch;
        if (!scripted) {
            LoginDialog dialog;
            dialog.edtOperador->setText(code.isEmpty() ? lastOperator : code);
            dialog.edtFilial->setText(branch);
            (dialog.edtOperador->text().isEmpty() ? dialog.edtOperador : dialog.edtSenha)->setFocus();
            if (host::Ui::current().execModal(dialog, QStringLiteral("SUPLOGIN")) != QDialog::Accepted)
                return false;
            code = dialog.edtOperador->text().trimmed();
            password = dialog.edtSenha->text();
            branch = dialog.edtFilial->text().trimmed();
        }
        try {
            const host::LoginAnswer answer = env.session().login(code, password, branch);
            host::Halvore& halvore = host::Halvore::instance();
            halvore.setOperator(env.session().operatorCode(), answer.name, env.session().branch());
            halvore.setServer(env.session().WebURL(), env.session().WebPort());
            halvore.setDatabase(&env.database());
            halvore.setRemoteSession(&env.session());
            settings.setValue(QStringLiteral("login/operator"), code);
            settings.setValue(QStringLiteral("login/branch"), branch);
            return true;
        } catch (const host::EConnectionLost& e) {
            const QString text = texts.Msg(QStringLiteral("Servidor_Fora")).arg(e.message());
            if (scripted) {
                std::fprintf(stderr, "%s\n", qPrintable(text));
                return false;
            }
            host::Ui::current().message(host::MessageKind::Error, text);
        } catch (const host::Exception& e) {
            const QString text = texts.Msg(QStringLiteral("Login_Recusado")).arg(e.message());
            if (scripted) {
                std::fprintf(stderr, "%s\n", qPrintable(text));
                return false;
            }
            host::Ui::current().message(host::MessageKind::Error, text);
        }
    }
}

// Saves the picture once the window is shown and the program is idle, then ends the
// program at once (a modal dialog may be open, so the usual way out would run on).
void scheduleScreenshot(const QString& file, const host::Messages& texts)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(300);
    auto* tries = new int(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, file, &texts] {
        const bool shown = QApplication::activeModalWidget() || QApplication::activeWindow();
        if (!shown && ++*tries < 100)
            return;
        timer->stop();
        QApplication::processEvents();
        const bool saved = captureActiveWindow(file);
        if (!saved)
            std::fprintf(stderr, "%s\n", qPrintable(texts.Msg(QStringLiteral("Captura_Erro")).arg(file)));
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(saved ? 0 : kFailed);
    });
    QTimer::singleShot(1200, timer, qOverload<>(&QTimer::start));
}

} // namespace

int main(int argc, char* argv[])
{
    if (asksUsageOnly(argc, argv)) {
        QCoreApplication core(argc, argv);
        nameApplication();
        parseOptions(core); // prints and ends the program
        return 0;
    }
    QApplication app(argc, argv);
    nameApplication();
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    const Options options = parseOptions(app);

    host::QtUi ui;
    host::Ui::install(&ui);
    const host::Messages texts = host::formMessages(QStringLiteral("SUPLOGIN"));

    ClientEnvironment env;
    try {
        const bool embedded = options.database.isEmpty();
        env.openDatabase(embedded ? ClientEnvironment::defaultDatabaseUrl() : options.database,
                         embedded);
    } catch (const host::Exception& e) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(texts.Msg(QStringLiteral("Banco_Erro")).arg(e.message())));
        return kFailed;
    }
    try {
        env.connectServer(options.server, options.caFile);
    } catch (const host::Exception& e) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(texts.Msg(QStringLiteral("Servidor_Fora")).arg(e.message())));
        return kFailed;
    }

    if (!login(env, options, texts))
        return kFailed;
    if (!options.screenshot.isEmpty())
        scheduleScreenshot(options.screenshot, texts);

    host::guarded([] { module::IniProc(); });
    if (QApplication::topLevelWidgets().isEmpty())
        return kFailed;
    return QApplication::exec();
}

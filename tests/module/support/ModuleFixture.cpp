#include "ModuleFixture.h"

#include "appserver/db/Seed.h"
#include "appserver/http/InProcess.h"
#include "appserver/modules/Modules.h"
#include "host/core/Database.h"
#include "host/forms/TfrmPadraoGrid.h"
#include "host/net/RemoteSession.h"
#include "host/ui/Halvore.h"
#include "module/entry/Cli_Sup01700.h"
#include "module/entry/Sup01700Entry.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "support/TestApplication.h"

#include <QApplication>
#include <QDialog>
#include <QToolButton>

namespace moduletest {

void ModuleFixture::SetUp()
{
    testsupport::application();
    ASSERT_TRUE(m_dir.isValid());
    m_db = std::make_unique<host::Database>(QStringLiteral("sqlite:") +
                                            m_dir.filePath(QStringLiteral("demo.db")));
    appserver::db::seedDemo(*m_db, demoDay());
    m_registry = appserver::modules::allMethods();
    host::Halvore::instance().reset();
    host::Halvore::instance().optionStore().setFile(m_dir.filePath(QStringLiteral("opcoes.ini")));
    host::TfrmPadraoGrid::setScreenHeightForTests(768);
    m_ui = std::make_unique<testsupport::ScriptedUi>();
}

void ModuleFixture::TearDown()
{
    if (module::TfrmPlanCotaPrec* form = mainForm())
        form->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_ui.reset();
    host::Halvore::instance().reset();
    host::TfrmPadraoGrid::setScreenHeightForTests(0);
}

void ModuleFixture::overrideMethod(appserver::rpc::Method method)
{
    ASSERT_FALSE(m_service) << "methods are replaced before the server starts";
    m_registry.add(std::move(method));
}

void ModuleFixture::startServer()
{
    appserver::rpc::ServiceConfig config;
    config.connectionString = QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("demo.db"));
    config.log = [this](const QString& line) { m_log.append(line); };
    m_service = std::make_unique<appserver::rpc::Service>(config, m_registry);
    m_session = std::make_unique<host::RemoteSession>(appserver::rpc::inProcessEndpoint(*m_service));
}

void ModuleFixture::loginAs(const QString& operatorCode, const QString& branch)
{
    if (!m_service)
        startServer();
    const host::LoginAnswer answer = m_session->login(operatorCode, QStringLiteral("demo"), branch);
    host::Halvore& halvore = host::Halvore::instance();
    halvore.setOperator(m_session->operatorCode(), answer.name, m_session->branch());
    halvore.setDatabase(m_db.get());
    halvore.setRemoteSession(m_session.get());
}

void ModuleFixture::openMainWindow(const QString& operatorCode, const QString& branch,
                                   bool confirmFilter)
{
    loginAs(operatorCode, branch);
    const QString button = confirmFilter ? QStringLiteral("sbtConfirma") : QStringLiteral("sbtCancel");
    ui().onModal(QStringLiteral("SUP01701"), [button](QDialog& dialog) {
        auto* press = dialog.findChild<QToolButton*>(button);
        ASSERT_NE(press, nullptr);
        press->click();
    });
    module::CriaPlanCotaPrec();
}

int ModuleFixture::callsOf(const QString& method) const
{
    int count = 0;
    for (const QString& line : m_log)
        if (line.contains(QLatin1Char('.') + method + QLatin1Char(' ')))
            ++count;
    return count;
}

module::TfrmPlanCotaPrec* ModuleFixture::mainForm() const
{
    return Cli_Sup01700::frmPlanCotaPrec;
}

} // namespace moduletest

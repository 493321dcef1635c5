#pragma once

#include "support/ScriptedUi.h"

#include "appserver/rpc/Service.h"

#include <QDate>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "host/core/Database.h"
#include "host/net/RemoteSession.h"

namespace module {
class TfrmPlanCotaPrec;
}

namespace moduletest {

// The screens against the demo purchasing centre, as a person at the desktop would use
// them: a demo database seeded for a fixed day, the application server in-process, a
// logged-in operator in the session (Halvore) and a scripted person answering. The
// main window is closed and the session cleared after each test.
class ModuleFixture : public ::testing::Test
{
protected:
    static QDate demoDay() { return QDate(2025, 3, 12); }

    void SetUp() override;
    void TearDown() override;

    // Logs `operatorCode` in (password "demo") at `branch` and fills the session.
    void loginAs(const QString& operatorCode, const QString& branch = QStringLiteral("0001"));
    // Logs in and opens the main window as the host does; the filter dialog that opens
    // with it is confirmed as it stands, or closed with its cancel button.
    void openMainWindow(const QString& operatorCode, const QString& branch = QStringLiteral("0001"),
                        bool confirmFilter = true);
    // Replaces or adds a method of the server before the first call (tests that need
    // another answer, e.g. another database kind).
    void overrideMethod(appserver::rpc::Method method);

    testsupport::ScriptedUi& ui() { return *m_ui; }
    host::Database& db() { return *m_db; }
    appserver::rpc::Service& service() { return *m_service; }
    host::RemoteSession& session() { return *m_session; }
    // Server log lines of the calls of a method so far.
    int callsOf(const QString& method) const;
    // The main window, when it exists.
    module::TfrmPlanCotaPrec* mainForm() const;

private:
    void startServer();

    QTemporaryDir m_dir;
    std::unique_ptr<host::Database> m_db;
    appserver::rpc::MethodRegistry m_registry;
    std::unique_ptr<appserver::rpc::Service> m_service;
    std::unique_ptr<host::RemoteSession> m_session;
    std::unique_ptr<testsupport::ScriptedUi> m_ui;
    QStringList m_log;
};

} // namespace moduletest

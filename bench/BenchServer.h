#pragma once

// The application server in-process over a SQLite file, with one operator logged in and
// the worksheet's remote module at hand: what the server benchmarks call through.

#include "appserver/http/InProcess.h"
#include "appserver/modules/Modules.h"
#include "appserver/rpc/Service.h"
#include "host/net/NetConnection.h"
#include "host/net/RemoteSession.h"

#include <QCoreApplication>
#include <QString>
#include <benchmark/benchmark.h>
#include <memory>

namespace bench {

class BenchServer
{
public:
    // Serves the database file `file` (already seeded) to `operatorCode` (password "demo")
    // at `branch`.
    BenchServer(const QString& file, const QString& operatorCode, const QString& branch)
    {
        appserver::rpc::ServiceConfig config;
        config.connectionString = QStringLiteral("sqlite:") + file;
        m_service =
            std::make_unique<appserver::rpc::Service>(config, appserver::modules::allMethods());
        m_session =
            std::make_unique<host::RemoteSession>(appserver::rpc::inProcessEndpoint(*m_service));
        m_session->login(operatorCode, QStringLiteral("demo"), branch);
        m_net = std::make_unique<host::TNetConnection>(QStringLiteral("Sup.rdmPlanCotaPrec"),
                                                       *m_session);
    }

    host::TNetConnection& net() { return *m_net; }

private:
    std::unique_ptr<appserver::rpc::Service> m_service;
    std::unique_ptr<host::RemoteSession> m_session;
    std::unique_ptr<host::TNetConnection> m_net;
};

// One set-up per benchmark program, made on first use (seeding takes long) and released
// before the application object goes.
template <typename Bench> std::unique_ptr<Bench>& benchSlot()
{
    static std::unique_ptr<Bench> instance;
    return instance;
}
template <typename Bench> Bench& benchInstance()
{
    std::unique_ptr<Bench>& instance = benchSlot<Bench>();
    if (!instance)
        instance = std::make_unique<Bench>();
    return *instance;
}
template <typename Bench> void releaseBench()
{
    benchSlot<Bench>().reset();
}

// The main of a server benchmark: the benchmarks asked for on the command line, then the
// shared set-up released before the application goes.
template <typename Bench> int runBenchmarks(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    releaseBench<Bench>();
    return 0;
}

} // namespace bench

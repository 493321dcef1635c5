// Measures remote calls on a seeded demo database, with the server in this process on an
// ephemeral loopback port: a round trip over HTTP and in-process, a round trip while other
// clients hold idle connections open, a quotation-list load, concurrent clients, and the
// server's own cost per call beside the method's SQL. Figures are printed only.

#include "appserver/db/Seed.h"
#include "appserver/http/HttpServer.h"
#include "appserver/http/InProcess.h"
#include "appserver/modules/Modules.h"
#include "appserver/rpc/Service.h"
#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/core/Packet.h"
#include "host/core/WireCodec.h"
#include "host/net/CheckResultServ.h"
#include "host/net/NetConnection.h"

#include <QSqlQuery>
#include <sys/resource.h>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace {

using appserver::modules::kPlanCotaPrec;

enum class Path
{
    Http,
    InProcess
};

// The demo purchasing centre behind one service, served over HTTP and in-process, with
// ANA.CARVALHO logged in on both sessions.
class BenchServer
{
public:
    static BenchServer& get()
    {
        static BenchServer server;
        return server;
    }

    appserver::rpc::Service& service() { return *m_service; }
    host::RemoteSession& session(Path path) { return path == Path::Http ? m_http : m_inProcess; }
    const QString& centre() const { return m_centre; }
    bool has(const QString& method) const
    {
        return m_service->registry().find(kPlanCotaPrec, method) != nullptr;
    }
    // A read method with real SQL for the concurrency figures: GetPesqForn when registered.
    QString readMethod() const
    {
        return has(QStringLiteral("GetPesqForn")) ? QStringLiteral("GetPesqForn")
                                                  : QStringLiteral("GetBanco");
    }

private:
    BenchServer()
    {
        const QString connection = QStringLiteral("sqlite:") + m_dir.filePath("bench.db");
        {
            host::Database db(connection);
            appserver::db::seedDemo(db, QDate(2025, 3, 12));
            QSqlQuery query(db.sql());
            query.exec(QStringLiteral(
                "SELECT COALESCE(CDFILCENTCMP, CDFILIAL) FROM FILIAL WHERE CDFILIAL = '0001'"));
            m_centre = query.next() ? query.value(0).toString() : QStringLiteral("0001");
        }
        appserver::rpc::ServiceConfig config;
        config.connectionString = connection;
        m_service =
            std::make_unique<appserver::rpc::Service>(config, appserver::modules::allMethods());
        appserver::http::HttpServerOptions options;
        options.port = 0;
        options.workers = 16;
        // The idle connections of the crowded round trip stay open while it runs.
        options.keepAlive = std::chrono::seconds(120);
        m_server = std::make_unique<appserver::http::HttpServer>(*m_service, options);
        m_server->start();

        m_http.setWebURL(QStringLiteral("127.0.0.1"));
        m_http.setWebPort(m_server->port());
        m_inProcess = host::RemoteSession(appserver::rpc::inProcessEndpoint(*m_service));
        for (host::RemoteSession* s : {&m_http, &m_inProcess})
            s->login(QStringLiteral("ANA.CARVALHO"), QStringLiteral("demo"),
                     QStringLiteral("0001"));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<appserver::rpc::Service> m_service;
    std::unique_ptr<appserver::http::HttpServer> m_server;
    host::RemoteSession m_http;
    host::RemoteSession m_inProcess;
    QString m_centre;
};

// Runs `call` for each iteration; a server error ends the benchmark with its text.
void runCalls(benchmark::State& state, const std::function<void()>& call)
{
    for (auto _ : state) {
        try {
            call();
        } catch (const host::Exception& e) {
            state.SkipWithError(e.message().toUtf8().constData());
            break;
        }
    }
}

void BM_RpcRoundTrip_GetBanco(benchmark::State& state, Path path)
{
    host::TNetConnection net(kPlanCotaPrec, BenchServer::get().session(path));
    net.Open();
    runCalls(state, [&] {
        benchmark::DoNotOptimize(
            host::CheckResultServ(net.AppServer().call(QStringLiteral("GetBanco")), false));
    });
}
BENCHMARK_CAPTURE(BM_RpcRoundTrip_GetBanco, http, Path::Http);
BENCHMARK_CAPTURE(BM_RpcRoundTrip_GetBanco, in_process, Path::InProcess);

// A round trip of one client while as many other clients as the argument keep an idle
// connection open, as the open screens of a site do between calls.
void BM_RpcRoundTrip_GetBanco_BesideIdleConnections(benchmark::State& state)
{
    BenchServer& server = BenchServer::get();
    host::RemoteSession& session = server.session(Path::Http);
    std::vector<host::RpcEndpoint> idle;
    for (int i = 0; i < int(state.range(0)); ++i) {
        idle.push_back(session.connect());
        if (idle.back()(QStringLiteral("/health"), {}, {}, {}).status != 200) {
            state.SkipWithError("an idle client could not connect");
            return;
        }
    }
    host::TNetConnection net(kPlanCotaPrec, session);
    net.Open();
    runCalls(state, [&] {
        benchmark::DoNotOptimize(
            host::CheckResultServ(net.AppServer().call(QStringLiteral("GetBanco")), false));
    });
}
BENCHMARK(BM_RpcRoundTrip_GetBanco_BesideIdleConnections)->Arg(0)->Arg(1000);

// The filter's load of every quotation of the centre (all markers "T").
void BM_GetColetaPr_Demo(benchmark::State& state, Path path)
{
    BenchServer& server = BenchServer::get();
    if (!server.has(QStringLiteral("GetColetaPr"))) {
        state.SkipWithError("GetColetaPr is not registered in this build (404)");
        return;
    }
    host::TNetConnection net(kPlanCotaPrec, server.session(path));
    net.Open();
    const QVariantList args = {
        server.centre(),     QString(), QStringLiteral("T"), QVariant(), QVariant(),
        QStringLiteral("T"), QString(), QStringLiteral("T"), QString(),  QStringLiteral("T")};
    qsizetype rows = 0;
    runCalls(state, [&] {
        const QVariantList pair =
            host::CheckResultServ(net.AppServer().call(QStringLiteral("GetColetaPr"), args), true)
                .toList();
        rows = pair.value(0).value<host::Packet>().rowCount();
    });
    state.counters["quotations"] = double(rows);
}
BENCHMARK_CAPTURE(BM_GetColetaPr_Demo, http, Path::Http);
BENCHMARK_CAPTURE(BM_GetColetaPr_Demo, in_process, Path::InProcess);

// Clients on threads of their own, each with its own HTTP connection, making read calls.
void BM_RpcConcurrent(benchmark::State& state)
{
    constexpr int kCallsPerClient = 40;
    BenchServer& server = BenchServer::get();
    const int clients = int(state.range(0));
    const QString method = server.readMethod();
    std::vector<std::unique_ptr<host::TNetConnection>> connections;
    for (int i = 0; i < clients; ++i) {
        connections.push_back(
            std::make_unique<host::TNetConnection>(kPlanCotaPrec, server.session(Path::Http)));
        connections.back()->Open();
    }
    std::atomic<int> failures{0};
    for (auto _ : state) {
        std::vector<std::thread> threads;
        for (int i = 0; i < clients; ++i)
            threads.emplace_back([&, i] {
                for (int c = 0; c < kCallsPerClient; ++c) {
                    try {
                        benchmark::DoNotOptimize(connections[size_t(i)]->AppServer().call(method));
                    } catch (const host::Exception&) {
                        ++failures;
                    }
                }
            });
        for (std::thread& t : threads)
            t.join();
    }
    if (failures > 0)
        state.SkipWithError("some calls failed");
    state.SetLabel(method.toStdString());
    state.counters["calls_per_s"] = benchmark::Counter(
        double(state.iterations()) * clients * kCallsPerClient, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RpcConcurrent)->Arg(1)->Arg(8)->UseRealTime()->Unit(benchmark::kMillisecond);

// Microseconds per call of each layer: the best of several rounds of a fixed number of
// runs, the layers taking turns within a round so that a noisy moment hits them alike.
std::vector<double> microsecondsPerCall(const std::vector<std::function<void()>>& layers)
{
    constexpr int kRounds = 7;
    constexpr int kRuns = 500;
    std::vector<double> best(layers.size(), 1e300);
    for (const auto& call : layers)
        for (int i = 0; i < 100; ++i)
            call();
    for (int round = 0; round < kRounds; ++round)
        for (size_t layer = 0; layer < layers.size(); ++layer) {
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < kRuns; ++i)
                layers[layer]();
            const std::chrono::duration<double, std::micro> spent =
                std::chrono::steady_clock::now() - start;
            best[layer] = std::min(best[layer], spent.count() / kRuns);
        }
    return best;
}

// The four layers of one call of a method without arguments: the method alone in its
// transaction (its SQL), the service's request handling, the client's in-process call,
// and the client's call over loopback HTTP.
void printOverhead(const QString& method)
{
    BenchServer& server = BenchServer::get();
    appserver::rpc::Service& service = server.service();
    const appserver::rpc::Method* target = service.registry().find(kPlanCotaPrec, method);
    if (!target) {
        std::printf("%s is not registered: no overhead figures\n", qPrintable(method));
        return;
    }
    const host::RemoteSession& inProcess = server.session(Path::InProcess);
    const appserver::rpc::Session session = *service.sessions().find(inProcess.token());
    host::Database& db = service.connection();
    const QVariantList noArgs;
    appserver::rpc::RpcRequest request;
    request.path = QStringLiteral("/rpc/%1/%2").arg(kPlanCotaPrec, method);
    request.body = "{\"args\":[]}";
    request.authorization = inProcess.authorization();
    host::TNetConnection local(kPlanCotaPrec, server.session(Path::InProcess));
    host::TNetConnection remote(kPlanCotaPrec, server.session(Path::Http));

    const std::vector<double> us = microsecondsPerCall({
        [&] {
            db.beginRead();
            appserver::rpc::CallContext context(db, session, *target, noArgs);
            benchmark::DoNotOptimize(target->handler(context));
            db.commit();
        },
        [&] { benchmark::DoNotOptimize(service.handle(request)); },
        [&] { benchmark::DoNotOptimize(local.AppServer().call(method)); },
        [&] { benchmark::DoNotOptimize(remote.AppServer().call(method)); },
    });
    std::printf("\n%s, microseconds per call (best of 7 rounds of 500):\n", qPrintable(method));
    std::printf("  method alone in its transaction (SQL)      %8.1f\n", us[0]);
    std::printf("  Service::handle                            %8.1f  (server overhead %+.1f)\n",
                us[1], us[1] - us[0]);
    std::printf("  TNetConnection in-process                  %8.1f  (client codec %+.1f)\n", us[2],
                us[2] - us[1]);
    std::printf("  TNetConnection over loopback HTTP          %8.1f  (HTTP transport %+.1f)\n",
                us[3], us[3] - us[2]);
}

} // namespace

int main(int argc, char** argv)
{
    // Both ends of the idle connections are in this process: more than the usual soft limit
    // of open files.
    rlimit files = {};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printOverhead(QStringLiteral("GetBanco"));
    printOverhead(BenchServer::get().readMethod());
    return 0;
}

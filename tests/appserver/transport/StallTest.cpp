// The server under a crowd that would take every thread of a thread-per-connection server:
// a thousand idle kept-alive connections and two hundred requests sent in part, held open
// together. A fresh client's calls answer as fast as ever, the server's threads stay few,
// and once the crowd leaves every connection is freed and the server still answers.

#include "RawSocket.h"
#include "TransportFixture.h"

#include "appserver/modules/Modules.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <sys/resource.h>
#include <thread>

namespace transporttest {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kIdle = 1000;
constexpr int kHalfSent = 200;
constexpr int kCalls = 200;

int threadsOfThisProcess()
{
    return int(QDir(QStringLiteral("/proc/self/task"))
                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                   .size());
}

int socketsOfThisProcess()
{
    const QDir fds(QStringLiteral("/proc/self/fd"));
    int sockets = 0;
    for (const QString& fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
        if (QFileInfo(fds.filePath(fd)).symLinkTarget().contains(QLatin1String("socket:")))
            ++sockets;
    return sockets;
}

// Both ends of every connection live in this process: twice the crowd's sockets, more than
// the usual soft limit of 1 024 open files. Lifts the soft limit to the hard one.
rlim_t raiseOpenFileLimit()
{
    rlimit limit = {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 0;
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);
    ::getrlimit(RLIMIT_NOFILE, &limit);
    return limit.rlim_cur;
}

template <class Condition> bool within(std::chrono::milliseconds time, Condition condition)
{
    const auto deadline = Clock::now() + time;
    while (!condition() && Clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    return condition();
}

class StallTest : public TransportFixture
{
};

TEST_F(StallTest, IdleAndHalfSentConnectionsDoNotStallTheCallsOfOthers)
{
    const rlim_t needed = 2 * (kIdle + kHalfSent) + 200;
    if (raiseOpenFileLimit() < needed)
        GTEST_SKIP() << "the hard limit of open files is under " << needed;

    appserver::http::HttpServerOptions options;
    options.port = 0;
    // The crowd is held for the whole test: no timeout may end it early.
    options.keepAlive = 120s;
    options.headerTimeout = 120s;
    options.ioTimeout = 120s;
    appserver::http::HttpServer server(service(), options);
    server.start();
    const int socketsBefore = socketsOfThisProcess();

    std::vector<RawSocket> crowd;
    crowd.reserve(kIdle + kHalfSent);
    for (int i = 0; i < kIdle; ++i) {
        RawSocket& idle = crowd.emplace_back(server.port());
        ASSERT_TRUE(idle.send(requestText("GET", "/health"))) << "idle connection " << i;
        const std::optional<RawSocket::Answer> answer = idle.readAnswer(10s);
        ASSERT_TRUE(answer && answer->body == "ok") << "idle connection " << i;
    }
    for (int i = 0; i < kHalfSent; ++i) {
        RawSocket& half = crowd.emplace_back(server.port());
        // Half stop within the head, half within the body.
        const QByteArray head = requestText("POST", "/rpc/login",
                                            "Content-Type: application/json\r\n"
                                            "Content-Length: 100\r\n");
        ASSERT_TRUE(half.send(i % 2 == 0 ? head.left(head.size() / 2) : head + "{\"operator\":"))
            << "half-sent request " << i;
    }
    ASSERT_TRUE(within(20s, [&] { return server.openConnections() == crowd.size(); }))
        << server.openConnections() << " connections open";

    const QByteArray authorization = "Bearer " + login(Mode::Http).toLatin1();
    host::RpcEndpoint fresh = host::httpEndpoint(QStringLiteral("127.0.0.1"), server.port());
    const QString getBanco =
        callPath(QStringLiteral("GetBanco"), appserver::modules::kPlanCotaPrec);
    std::vector<double> milliseconds;
    for (int i = 0; i < kCalls; ++i) {
        const auto begin = Clock::now();
        const host::RpcReply reply = fresh(getBanco, callBody({}), authorization, {});
        milliseconds.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
        ASSERT_EQ(reply.status, 200) << "call " << i << ": " << reply.body.toStdString();
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    const double p99 = milliseconds[size_t(kCalls * 99 / 100 - 1)];
    std::printf(
        "GetBanco under the crowd: median %.2f ms, 99th percentile %.2f ms, worst %.2f ms\n",
        milliseconds[kCalls / 2], p99, milliseconds.back());
    EXPECT_LT(p99, 50.0);
    const int threads = threadsOfThisProcess();
    std::printf("threads of the process: %d\n", threads);
    EXPECT_LT(threads, 64);
    // The crowd was held all along, not shed to make room.
    EXPECT_EQ(server.openConnections(), crowd.size() + 1);

    crowd.clear();
    fresh = nullptr;
    EXPECT_TRUE(within(20s, [&] { return server.openConnections() == 0; }))
        << server.openConnections() << " connections still open";
    EXPECT_TRUE(within(20s, [&] { return socketsOfThisProcess() <= socketsBefore; }))
        << socketsOfThisProcess() << " sockets open, " << socketsBefore << " before";

    host::RpcEndpoint after = host::httpEndpoint(QStringLiteral("127.0.0.1"), server.port());
    EXPECT_EQ(after(QStringLiteral("/health"), {}, {}, {}).body, "ok");
    EXPECT_EQ(after(getBanco, callBody({}), authorization, {}).status, 200);
}

} // namespace
} // namespace transporttest

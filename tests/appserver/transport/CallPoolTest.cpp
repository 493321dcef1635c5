// The bounded pool that runs the calls: how many it takes, and a stop that runs what it took.

#include "appserver/http/CallPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace transporttest {
namespace {

TEST(CallPool, TakesAsManyCallsAsWorkersAndQueueAndRefusesTheNext)
{
    appserver::http::CallPool pool(2, 3);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> ran{0};
    int accepted = 0;
    for (int i = 0; i < 5; ++i)
        accepted += pool.trySubmit([&, released] {
            released.wait();
            ++ran;
        });
    EXPECT_EQ(accepted, 5);
    EXPECT_EQ(pool.pending(), 5);
    EXPECT_FALSE(pool.trySubmit([&] { ++ran; }));

    release.set_value();
    pool.stop();
    EXPECT_EQ(ran, 5);
    EXPECT_EQ(pool.pending(), 0);
    EXPECT_FALSE(pool.trySubmit([&] { ++ran; }));
}

TEST(CallPool, RunsCallsOnAsManyThreadsAsWorkers)
{
    appserver::http::CallPool pool(3, 0);
    std::atomic<int> inside{0};
    std::atomic<int> most{0};
    std::promise<void> go;
    std::shared_future<void> started = go.get_future().share();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(pool.trySubmit([&, started] {
            const int now = ++inside;
            int seen = most;
            while (now > seen && !most.compare_exchange_weak(seen, now)) {
            }
            started.wait();
            --inside;
        }));
    EXPECT_FALSE(pool.trySubmit([] {}));
    while (most < 3)
        std::this_thread::yield();
    go.set_value();
    pool.stop();
    EXPECT_EQ(most, 3);
}

} // namespace
} // namespace transporttest

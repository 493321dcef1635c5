#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace appserver::http {

// The threads that run remote calls. A call may wait on the database for long, so calls
// never run on the threads that serve the connections: those only hand a received request
// to this pool and send the answer it posts back. The pool is bounded twice: at most
// `workers` calls run at once, and at most `queueLimit` more wait for a free worker; a call
// beyond that is refused at once instead of piling up behind a stalled database.
//
// The threads live as long as the pool, so that each keeps its own database connection
// from one call to the next.
class CallPool
{
public:
    CallPool(int workers, int queueLimit);
    ~CallPool();
    CallPool(const CallPool&) = delete;
    CallPool& operator=(const CallPool&) = delete;

    // Queues the call; false (and the call is dropped) when the pool is full or stopping.
    bool trySubmit(std::function<void()> call);
    // Runs the calls already accepted, then ends the threads. Further calls are refused.
    void stop();

    // Calls running or waiting.
    int pending() const;

private:
    void work();

    const int m_queueLimit;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_queue;
    int m_running = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};

} // namespace appserver::http

#include "CallPool.h"

#include <algorithm>

namespace appserver::http {

CallPool::CallPool(int workers, int queueLimit) : m_queueLimit(std::max(queueLimit, 0))
{
    const int count = std::max(workers, 1);
    m_threads.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        m_threads.emplace_back([this] { work(); });
}

CallPool::~CallPool()
{
    stop();
}

bool CallPool::trySubmit(std::function<void()> call)
{
    {
        std::lock_guard lock(m_mutex);
        const int capacity = int(m_threads.size()) + m_queueLimit;
        if (m_stopping || m_running + int(m_queue.size()) >= capacity)
            return false;
        m_queue.push_back(std::move(call));
    }
    m_wake.notify_one();
    return true;
}

void CallPool::stop()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping && m_threads.empty())
            return;
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads)
        if (thread.joinable())
            thread.join();
    std::lock_guard lock(m_mutex);
    m_threads.clear();
}

int CallPool::pending() const
{
    std::lock_guard lock(m_mutex);
    return m_running + int(m_queue.size());
}

void CallPool::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_queue.empty())
            return; // stopping, and nothing accepted is left to run
        std::function<void()> call = std::move(m_queue.front());
        m_queue.pop_front();
        ++m_running;
        lock.unlock();
        call();
        call = nullptr; // what the call holds is released outside the lock
        lock.lock();
        --m_running;
    }
}

} // namespace appserver::http

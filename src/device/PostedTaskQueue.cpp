#include "device/PostedTaskQueue.h"

void PostedTaskQueue::Post(std::function<void()> task)
{
    {
        const std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_posted.notify_all();
}

std::size_t PostedTaskQueue::RunPending()
{
    std::size_t count = 0;
    for (;;) {
        std::function<void()> task;
        {
            const std::lock_guard lock(m_mutex);
            if (m_tasks.empty())
                return count;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
        ++count;
    }
}

bool PostedTaskQueue::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        RunPending();
        if (done())
            return true;
        std::unique_lock lock(m_mutex);
        if (!m_posted.wait_until(lock, deadline, [this] { return !m_tasks.empty(); }))
            return done();
    }
}

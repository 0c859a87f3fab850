#include "device/DeviceIoThread.h"

DeviceIoThread::DeviceIoThread() : m_thread([this](const std::stop_token& stop) { Run(stop); }) {}

DeviceIoThread::~DeviceIoThread()
{
    (void)Drain(kDrainLimit);
    m_thread.request_stop();
    m_changed.notify_all();
}

void DeviceIoThread::Submit(Job job)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_thread.get_stop_token().stop_requested())
            return;  // drained and given up: nothing runs any more
        m_jobs.push_back(std::move(job));
    }
    m_changed.notify_all();
}

bool DeviceIoThread::Drain(std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_mutex);
    if (m_changed.wait_for(lock, limit, [this] { return m_jobs.empty() && !m_busy; }))
        return true;
    m_jobs.clear();
    m_thread.request_stop();
    lock.unlock();
    m_changed.notify_all();
    return false;
}

void DeviceIoThread::WaitIdle()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

void DeviceIoThread::Run(const std::stop_token& stop)
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, stop, [this] { return !m_jobs.empty(); });
            if (stop.stop_requested())
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
            m_busy = true;
        }
        job(stop);
        {
            const std::lock_guard lock(m_mutex);
            m_busy = false;
        }
        m_changed.notify_all();
    }
}

#include "device/DeviceIoThread.h"

DeviceIoThread::DeviceIoThread() : m_thread([this](const std::stop_token& stop) { Run(stop); }) {}

DeviceIoThread::~DeviceIoThread()
{
    m_thread.request_stop();
    m_changed.notify_all();
}

void DeviceIoThread::Submit(Job job)
{
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_changed.notify_all();
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

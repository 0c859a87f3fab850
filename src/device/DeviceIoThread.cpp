#include "device/DeviceIoThread.h"

DeviceIoThread::DeviceIoThread() : m_thread([this] { Run(); }) {}

DeviceIoThread::~DeviceIoThread()
{
    (void)Drain(kDrainLimit);
    Stop();
    m_thread.join();
}

void DeviceIoThread::Submit(Job job)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;  // drained and given up: nothing runs any more
        m_jobs.push_back(std::move(job));
    }
    m_changed.notify_all();
}

bool DeviceIoThread::Drain(std::chrono::milliseconds limit)
{
    {
        std::unique_lock lock(m_mutex);
        if (m_changed.wait_for(lock, limit, [this] { return m_jobs.empty() && !m_busy; }))
            return true;
    }
    Stop();
    return false;
}

void DeviceIoThread::WaitIdle()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

void DeviceIoThread::Stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.clear();
        m_stopping = true;
    }
    (void)m_stop.request_stop();
    m_changed.notify_all();
}

void DeviceIoThread::Run()
{
    const std::stop_token stop = m_stop.get_token();
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            if (m_stopping)
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

#include "device/UnsentRecord.h"

#include <algorithm>
#include <fstream>

bool UnsentRecord::TakeOverFromLastRun()
{
    const std::lock_guard lock(m_mutex);
    std::error_code error;
    if (!std::filesystem::exists(m_markerFile, error))
        return false;
    m_latestUnsent = std::max(m_latestUnsent.value_or(kLastRun), kLastRun);
    return true;
}

void UnsentRecord::Record(JobNumber job)
{
    const std::lock_guard lock(m_mutex);
    m_latestUnsent = m_latestUnsent ? std::max(*m_latestUnsent, job) : job;
    // An empty file: its presence is the whole message. A data folder that cannot be
    // written loses it, as it loses the settings.
    std::ofstream marker(m_markerFile, std::ios::binary | std::ios::trunc);
}

bool UnsentRecord::WroteEverything(JobNumber covered)
{
    const std::lock_guard lock(m_mutex);
    if (!m_latestUnsent || *m_latestUnsent > covered)
        return false;
    m_latestUnsent.reset();
    std::error_code error;
    std::filesystem::remove(m_markerFile, error);
    return true;
}

bool UnsentRecord::Outstanding() const
{
    const std::lock_guard lock(m_mutex);
    return m_latestUnsent.has_value();
}

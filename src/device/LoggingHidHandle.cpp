#include "device/LoggingHidHandle.h"

LoggingHidHandle::LoggingHidHandle(std::unique_ptr<HidHandle> inner, LinkKind link,
                                   std::shared_ptr<HidTrafficLog> log)
    : m_inner(std::move(inner)), m_link(link), m_log(std::move(log))
{
}

bool LoggingHidHandle::SetFeature(std::span<const std::uint8_t> report)
{
    const bool succeeded = m_inner->SetFeature(report);
    m_log->Record(m_link, HidOperation::SetFeature, report, succeeded);
    return succeeded;
}

bool LoggingHidHandle::GetFeature(std::span<std::uint8_t> buffer)
{
    const bool succeeded = m_inner->GetFeature(buffer);
    m_log->Record(m_link, HidOperation::GetFeature, buffer, succeeded);
    return succeeded;
}

bool LoggingHidHandle::ReadInput(std::span<std::uint8_t> buffer)
{
    const bool succeeded = m_inner->ReadInput(buffer);
    m_log->Record(m_link, HidOperation::Input, buffer, succeeded);
    return succeeded;
}

void LoggingHidHandle::Close()
{
    m_inner->Close();
}

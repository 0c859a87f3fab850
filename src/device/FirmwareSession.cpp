#include "device/FirmwareSession.h"

FirmwareSession::FirmwareSession(FirmwareImage appImage, FirmwareImage baseImage, Forward forward)
    : m_appImage(std::move(appImage)), m_baseImage(std::move(baseImage)), m_forward(std::move(forward))
{
}

FirmwareUpdateOutcome FirmwareSession::RunUpdate(Clock& clock, HidHandle* wiredHandle, std::uint16_t wiredVersion,
                                                 std::stop_token stop)
{
    m_procedure.emplace(clock, m_appImage, m_baseImage, *this, std::move(stop));
    return m_procedure->CheckAndUpdate(wiredHandle, wiredVersion, FirmwareUpdateProcedure::Restart::LeftToCaller);
}

FirmwareUpdateOutcome FirmwareSession::RunRestart(HidHandle* wiredHandle)
{
    if (!m_procedure)
        return FirmwareUpdateOutcome::Cancelled;
    return m_procedure->RestartAndCountDown(wiredHandle);
}

FirmwareUpdateOutcome FirmwareSession::RunFinalCheck(HidHandle* wiredHandle)
{
    if (!m_procedure)
        return FirmwareUpdateOutcome::Cancelled;
    return m_procedure->FinalCheck(wiredHandle);
}

void FirmwareSession::ShowText(const FirmwareText& text)
{
    m_forward([text](FirmwareUpdateEvents& events) { events.ShowText(text); });
}

void FirmwareSession::SetProgress(int value, int total)
{
    m_forward([value, total](FirmwareUpdateEvents& events) { events.SetProgress(value, total); });
}

void FirmwareSession::UpdateActive()
{
    m_forward([](FirmwareUpdateEvents& events) { events.UpdateActive(); });
}

void FirmwareSession::Finished(FirmwareUpdateOutcome outcome)
{
    m_forward([outcome](FirmwareUpdateEvents& events) { events.Finished(outcome); });
}

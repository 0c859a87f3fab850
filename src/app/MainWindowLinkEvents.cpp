#include "app/MainWindowLinkEvents.h"

#include "app/CCorvaneDlg.h"
#include "app/MainWindowIds.h"

void MainWindowLinkEvents::StartTimer(unsigned id, std::chrono::milliseconds period)
{
    if (m_window)
        m_window->SetTimer(id, static_cast<int>(period.count()));
}

void MainWindowLinkEvents::ShowAttention(int titleText, int messageText)
{
    if (m_actions.showAttention)
        m_actions.showAttention(titleText, messageText);
}

void MainWindowLinkEvents::ShowProgress(int messageText)
{
    if (m_actions.showProgress)
        m_actions.showProgress(messageText);
}

void MainWindowLinkEvents::StartApplyTimer(std::chrono::milliseconds delay)
{
    StateChanged();
    StartTimer(MainTimer::kApply, delay);
}

void MainWindowLinkEvents::StartSaveTimer(std::chrono::milliseconds delay)
{
    StartTimer(MainTimer::kSave, delay);
}

void MainWindowLinkEvents::RefreshWindow()
{
    StateChanged();
    if (m_window)
        m_window->RefreshUi();
}

void MainWindowLinkEvents::StatusChanged()
{
    if (m_window)
        m_window->ShowStatusDisplay();
}

void MainWindowLinkEvents::LaunchProgram(const std::u16string& url)
{
    if (m_actions.launchProgram)
        m_actions.launchProgram(url);
}

void MainWindowLinkEvents::SensorChanged(std::uint16_t /*model*/, bool to3205Layout, bool from3205Layout)
{
    StateChanged();
    if (m_window)
        m_window->OnSensorChanged(to3205Layout, from3205Layout);
}

void MainWindowLinkEvents::StartConnectionTimer(std::chrono::milliseconds delay)
{
    StartTimer(MainTimer::kConnection, delay);
}

void MainWindowLinkEvents::ShowMainWindow()
{
    if (m_actions.showWindow)
        m_actions.showWindow();
}

void MainWindowLinkEvents::MinimiseMainWindow()
{
    if (m_actions.minimiseWindow)
        m_actions.minimiseWindow();
}

void MainWindowLinkEvents::HideMainWindow()
{
    if (m_actions.hideWindow)
        m_actions.hideWindow();
}

void MainWindowLinkEvents::ShowStatusImage(std::optional<LinkKind> linkInCharge)
{
    StateChanged();
    if (m_window)
        m_window->ShowStatusImage(linkInCharge);
}

void MainWindowLinkEvents::SetHeaderTabEnabled(bool enabled)
{
    StateChanged();
    if (m_window)
        m_window->SetRateHeaderEnabled(enabled);
}

void MainWindowLinkEvents::ShowConnectionNotice(bool shown)
{
    if (m_window)
        m_window->ShowConnectionNotice(shown);
}

void MainWindowLinkEvents::StartBatteryTimer(std::chrono::milliseconds period)
{
    StartTimer(MainTimer::kBattery, period);
}

void MainWindowLinkEvents::StartReenumerateTimer(std::chrono::milliseconds delay)
{
    StartTimer(MainTimer::kReenumerate, delay);
}

void MainWindowLinkEvents::StartWindowCheckTimer(std::chrono::milliseconds period)
{
    StartTimer(MainTimer::kWindowCheck, period);
}

void MainWindowLinkEvents::AccessDenied(const std::string& message)
{
    if (m_actions.accessDenied)
        m_actions.accessDenied(message);
}

void MainWindowLinkEvents::CloseOpenDialogs()
{
    CCorvaneDlg::CloseOpenDialogs();
}

void MainWindowLinkEvents::QuitProgram()
{
    if (m_actions.quit)
        m_actions.quit();
}

void MainWindowLinkEvents::StatusReportTaken()
{
    StateChanged();
}

void MainWindowLinkEvents::StateChanged() const
{
    if (m_actions.stateChanged)
        m_actions.stateChanged();
}

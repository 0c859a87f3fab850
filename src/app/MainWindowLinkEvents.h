#pragma once

#include "device/DeviceLinkEvents.h"

#include <QPointer>

#include <functional>

class CCorvaneDlg;
class LanguageTexts;

// The one place where the device layer meets the windows: each request of the link or of
// discovery becomes a timer of the main window, a window action or a dialog. Requests
// that come before the window exists, or after it is gone, are dropped.
class MainWindowLinkEvents final : public DeviceLinkEvents {
public:
    // What the binder asks of the application rather than of the window.
    struct Actions {
        std::function<void()> showWindow;
        std::function<void()> minimiseWindow;
        std::function<void()> hideWindow;
        std::function<void()> quit;
        // Something the program's bus properties show may have changed.
        std::function<void()> stateChanged;
        std::function<void(const std::u16string& target)> launchProgram;
        std::function<void(const std::string& message)> accessDenied;
        // Shows a modal attention dialog (tests record it instead).
        std::function<void(int titleText, int messageText)> showAttention;
        std::function<void(int messageText)> showProgress;
    };

    explicit MainWindowLinkEvents(Actions actions) : m_actions(std::move(actions)) {}

    void SetWindow(CCorvaneDlg* window) { m_window = window; }
    void SetLaunchProgram(std::function<void(const std::u16string& target)> launch)
    {
        m_actions.launchProgram = std::move(launch);
    }

    void ShowAttention(int titleText, int messageText) override;
    void ShowProgress(int messageText) override;
    void StartApplyTimer(std::chrono::milliseconds delay) override;
    void StartSaveTimer(std::chrono::milliseconds delay) override;
    void RefreshWindow() override;
    void StatusChanged() override;
    void LaunchProgram(const std::u16string& url) override;
    void SensorChanged(std::uint16_t model, bool to3205Layout, bool from3205Layout) override;
    void StartConnectionTimer(std::chrono::milliseconds delay) override;
    void ShowMainWindow() override;
    void MinimiseMainWindow() override;
    void HideMainWindow() override;
    void ShowStatusImage(std::optional<LinkKind> linkInCharge) override;
    void SetHeaderTabEnabled(bool enabled) override;
    void ShowConnectionNotice(bool shown) override;
    void StartBatteryTimer(std::chrono::milliseconds period) override;
    void StartReenumerateTimer(std::chrono::milliseconds delay) override;
    void StartWindowCheckTimer(std::chrono::milliseconds period) override;
    void AccessDenied(const std::string& message) override;
    void CloseOpenDialogs() override;
    void QuitProgram() override;
    void StatusReportTaken() override;

private:
    void StateChanged() const;
    void StartTimer(unsigned id, std::chrono::milliseconds period);

    Actions m_actions;
    QPointer<CCorvaneDlg> m_window;
};

#pragma once

#include "ui/UiMessages.h"

#include <QPointer>

class CMessageWindow;
class COSDDialog;
class DpiStepTable;
struct Profile;

// The main window's side of the on-screen display: at most one display open, a
// countdown, and timer 50 of the owner window. The owner routes its status message and
// its timer 50 here. Each update while the display is open restarts its time, so it goes
// about 1.8 s (five decrements and one final tick of 300 ms) after the last update.
class OnScreenDisplay {
public:
    // Posted by the status listener when the mouse reports another DPI level or rate.
    static constexpr UiMessage kMsgStatusChanged = Msg::kUser + 43;
    static constexpr WParam kShowDisplay = 1;
    static constexpr unsigned kTimerId = 50;
    static constexpr int kTimerPeriodMs = 300;
    static constexpr int kCountdownStart = 5;

    explicit OnScreenDisplay(CMessageWindow& owner);
    ~OnScreenDisplay();
    OnScreenDisplay(const OnScreenDisplay&) = delete;
    OnScreenDisplay& operator=(const OnScreenDisplay&) = delete;

    // The status message: wParam 1 shows the profile's state or refreshes the open
    // display with it; any other wParam does nothing.
    void OnStatusChanged(WParam wParam, const Profile& profile, const DpiStepTable& table);
    // Timer 50: counts down, and closes the display when the count is spent.
    void OnTimer();

    // The open display, null when none.
    [[nodiscard]] COSDDialog* Display() const { return m_display; }
    [[nodiscard]] int Countdown() const { return m_countdown; }

private:
    CMessageWindow& m_owner;
    QPointer<COSDDialog> m_display;
    int m_countdown = 0;
};

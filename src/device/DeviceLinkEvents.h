#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// What the device link asks of the windows around it. The application binds these to
// its timers, dialogs and redraws; tests record them. Every call comes on the UI thread.
class DeviceLinkEvents {
public:
    virtual ~DeviceLinkEvents() = default;

    // The attention window, modeless and top-most, with two language texts.
    virtual void ShowAttention(int /*titleText*/, int /*messageText*/) {}
    // The progress dialog after an apply or a reset wrote to the mouse.
    virtual void ShowProgress(int /*messageText*/) {}
    // (Re)start the apply timer; on expiry the application calls DeviceLink::ApplyToDevice.
    virtual void StartApplyTimer(std::chrono::milliseconds /*delay*/) {}
    // (Re)start the save timer; on expiry the application calls DeviceLink::OnSaveTimer.
    virtual void StartSaveTimer(std::chrono::milliseconds /*delay*/) {}
    // Redraw the main window from the current profile.
    virtual void RefreshWindow() {}
    // The mouse reported a change of profile data: refresh and show the on-screen display.
    virtual void StatusChanged() {}
    // A launch-program button was pressed on the mouse.
    virtual void LaunchProgram(const std::u16string& /*url*/) {}
    // The mouse reported another sensor; the DPI tables, defaults and files are already
    // updated. `to3205Layout` / `from3205Layout` ask for the sensor layout switch.
    virtual void SensorChanged(std::uint16_t /*model*/, bool /*to3205Layout*/, bool /*from3205Layout*/) {}
    // Start the one-shot connection-indicator timer.
    virtual void StartConnectionTimer(std::chrono::milliseconds /*delay*/) {}
    // A presence query came back valid; `mouseOnline` is its online flag.
    virtual void PresenceReplied(bool /*mouseOnline*/) {}
};

#pragma once

#include "device/LinkKind.h"

#include <chrono>
#include <cstdint>
#include <optional>
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
    // A presence query came back valid; `mouseOnline` is its online flag. Discovery has
    // already acted on it.
    virtual void PresenceReplied(bool /*mouseOnline*/) {}

    // The main window: brought to the foreground and shown normally, minimised, hidden.
    virtual void ShowMainWindow() {}
    virtual void MinimiseMainWindow() {}
    virtual void HideMainWindow() {}
    // Shows the status image of the link in charge and hides the other two, and redraws
    // it; no link hides all three.
    virtual void ShowStatusImage(std::optional<LinkKind> /*linkInCharge*/) {}
    // Enables or disables the header tab of the settings that only work over a cable or
    // the receiver. Disabling deselects it first and redoes the page layout if it was
    // selected.
    virtual void SetHeaderTabEnabled(bool /*enabled*/) {}
    // Shows or hides the notice that the receiver's mouse is off line, and redraws it.
    virtual void ShowConnectionNotice(bool /*shown*/) {}
    // (Re)start the battery timer; on expiry the application calls DeviceLink::OnBatteryTimer.
    virtual void StartBatteryTimer(std::chrono::milliseconds /*period*/) {}
    // (Re)start the one-shot re-enumeration timer; on expiry the application kills it and
    // calls DeviceDiscovery::OnReenumerateTimer.
    virtual void StartReenumerateTimer(std::chrono::milliseconds /*delay*/) {}
    // Start the window check timer; on every expiry the application calls
    // DeviceDiscovery::OnWindowCheckTimer.
    virtual void StartWindowCheckTimer(std::chrono::milliseconds /*period*/) {}
    // The mouse's interface is there but this user may not open it.
    virtual void AccessDenied(const std::string& /*message*/) {}
    // The last link to the mouse is gone: close every open dialog, then end the program.
    virtual void CloseOpenDialogs() {}
    virtual void QuitProgram() {}
    // A status report was processed: the battery, the DPI level or the profile may differ.
    virtual void StatusReportTaken() {}
};

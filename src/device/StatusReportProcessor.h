#pragma once

#include "device/BatteryState.h"
#include "device/ConnectionState.h"
#include "device/LinkKind.h"
#include "device/LinkState.h"
#include "device/ListenerMemory.h"
#include "device/StatusReport.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

class LanguageTexts;
struct Profile;

enum class StatusDisposition : std::uint8_t {
    Processed,
    Ignored,              // not a status report (wrong report id): nothing was touched
    SkippedMouseOffline,  // receiver report saying its mouse is off line: only the receiver state moved
};

// How the main window layout follows a sensor change.
enum class SensorLayoutSwitch : std::uint8_t {
    None,
    To3205Layout,    // the new model is 0x3205
    From3205Layout,  // the model was 0x3205 and no longer is
};

// The mouse reports another sensor than the program is set up for.
struct SensorChange {
    std::uint16_t model = 0;
    SensorLayoutSwitch layoutSwitch = SensorLayoutSwitch::None;

    friend bool operator==(const SensorChange&, const SensorChange&) = default;
};

// What the caller does after one report, in the order of the members: start the
// connection timer, launch the program, switch the layout and re-initialise for the new
// sensor, then handle the change (savePending, change notification, refresh, prime the
// last-sent copies). The model itself has already been updated.
struct StatusOutcome {
    StatusDisposition disposition = StatusDisposition::Processed;
    // Start the connection-indicator timer with kConnectionTimerDelay.
    bool startConnectionTimer = false;
    // Open this program path. Never empty.
    std::optional<std::u16string> launchUrl;
    // Switch the layout if asked, then re-initialise for the model: application settings,
    // DPI defaults of all five profiles, files, DPI step table, DPI controls, refresh.
    std::optional<SensorChange> sensorChange;
    // Profile data changed.
    bool changed = false;

    friend bool operator==(const StatusOutcome&, const StatusOutcome&) = default;
};

// Applies status reports to the model, one report as one step on the UI thread. It
// writes the current profile, the battery, the receiver state and its own memory, and
// leaves every side effect to the caller through the returned outcome.
class StatusReportProcessor {
public:
    static constexpr std::chrono::milliseconds kConnectionTimerDelay{100};

    StatusReportProcessor(ConnectionState& connection, BatteryState& battery, ListenerMemory& memory,
                          const LanguageTexts& texts);

    // One report read on `link`; `presence` is the link presence of the last enumeration,
    // `currentSensor` the sensor model the program is set up for (the settings' value).
    [[nodiscard]] StatusOutcome Process(const StatusReport& report, LinkKind link, const LinkPresence& presence,
                                        Profile& profile, std::uint16_t currentSensor);

private:
    // The receiver's on-line byte. Returns false when the rest of the report is skipped.
    bool FollowReceiver(const StatusReport& report, const LinkPresence& presence, StatusOutcome& outcome);

    bool TakeDpiLevel(const StatusReport& report, Profile& profile);
    void TakeBattery(const StatusReport& report);
    static bool TakePollingRate(const StatusReport& report, LinkKind link, Profile& profile);
    bool TakeLightingMode(const StatusReport& report, Profile& profile) const;
    std::optional<std::u16string> TakeLaunchButton(const StatusReport& report, const Profile& profile);
    [[nodiscard]] static std::optional<SensorChange> TakeSensor(const StatusReport& report,
                                                                std::uint16_t currentSensor);
    static bool TakeMoveLighting(const StatusReport& report, Profile& profile);
    static bool TakePowerTimes(const StatusReport& report, Profile& profile);
    static bool TakeColour(const StatusReport& report, Profile& profile);
    static bool TakeLightingSpeed(const StatusReport& report, Profile& profile);

    ConnectionState& m_connection;
    BatteryState& m_battery;
    ListenerMemory& m_memory;
    const LanguageTexts& m_texts;
};

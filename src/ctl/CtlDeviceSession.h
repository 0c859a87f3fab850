#pragma once

#include "ctl/CtlCommands.h"
#include "ctl/CtlDeviceOptions.h"
#include "device/DeviceLinkEvents.h"
#include "device/ExchangeSummary.h"
#include "device/PostedTaskQueue.h"
#include "macros/MacroLibrary.h"
#include "profiles/AppSettings.h"
#include "profiles/DataPaths.h"
#include "profiles/LanguageTexts.h"
#include "profiles/ProfileTable.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class DeviceDiscovery;
class DeviceIoThread;
class DeviceLink;
class HidBackend;
class HidTrafficLog;
class SimulatedMouse;
class SteadyClock;

// What the device link asks of a program without windows: the presence reply is kept,
// the rest has nothing to show.
class CtlLinkEvents final : public DeviceLinkEvents {
public:
    void PresenceReplied(bool mouseOnline) override { presence = mouseOnline; }
    void ShowAttention(int /*title*/, int message) override { attention = message; }

    std::optional<bool> presence;  // the online flag of the last valid presence reply
    std::optional<int> attention;  // the message text of the last attention request
};

// One run of a device command: the data folder's model (read, never written unless the
// command says so), the HID backend or the simulated mouse, the device thread, the link
// and discovery without listeners. The calling thread is the UI thread: posted results
// run while the session waits.
class CtlDeviceSession {
public:
    CtlDeviceSession(const CtlEnvironment& environment, const CtlDeviceOptions& options, std::ostream& err);
    ~CtlDeviceSession();
    CtlDeviceSession(const CtlDeviceSession&) = delete;
    CtlDeviceSession& operator=(const CtlDeviceSession&) = delete;

    // Reads the data folder, opens the backend and the traffic log, finds the mouse and
    // waits for its presence reply. Returns CtlExit::kDone when the mouse answered, with
    // the reason on the error stream otherwise.
    [[nodiscard]] int Connect();

    // Waits for every exchange queued so far; nothing on time-out.
    [[nodiscard]] std::optional<ExchangeSummary> WaitForExchanges(std::chrono::milliseconds timeout);
    // Reads the next status report of a link, within the time-out.
    [[nodiscard]] std::optional<std::vector<std::uint8_t>> ReadStatusReport(LinkKind link);

    [[nodiscard]] DeviceLink& Link() { return *m_link; }
    [[nodiscard]] DeviceDiscovery& Discovery() { return *m_discovery; }
    [[nodiscard]] const CtlLinkEvents& Events() const { return m_events; }
    [[nodiscard]] AppSettings& Settings() { return m_settings; }
    [[nodiscard]] ProfileTable& Profiles() { return *m_profiles; }
    [[nodiscard]] const DataPaths& Paths() const { return m_paths; }
    [[nodiscard]] bool SettingsRead() const { return m_settingsRead; }
    // The first failing line of each profile file, 0 when it was read.
    [[nodiscard]] std::size_t ProfileFailingLine(int index) const
    {
        return m_profileFailingLine[static_cast<std::size_t>(index)];
    }

private:
    void LoadModel();
    [[nodiscard]] bool OpenBackend();

    const CtlEnvironment& m_environment;
    CtlDeviceOptions m_options;
    std::ostream& m_err;

    std::unique_ptr<SteadyClock> m_ownClock;
    Clock* m_clock = nullptr;
    std::unique_ptr<SimulatedMouse> m_ownMouse;
    SimulatedMouse* m_mouse = nullptr;

    DataPaths m_paths;
    LanguageTexts m_texts;
    AppSettings m_settings;
    std::unique_ptr<ProfileTable> m_profiles;
    MacroLibrary m_macros;
    bool m_settingsRead = false;
    std::array<std::size_t, ProfileTable::kProfileCount> m_profileFailingLine{};

    PostedTaskQueue m_ui;
    CtlLinkEvents m_events;
    std::shared_ptr<HidTrafficLog> m_log;
    std::unique_ptr<HidBackend> m_backend;
    std::unique_ptr<DeviceIoThread> m_deviceThread;
    std::unique_ptr<DeviceLink> m_link;
    std::unique_ptr<DeviceDiscovery> m_discovery;
};

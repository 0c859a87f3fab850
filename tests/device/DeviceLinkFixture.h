#pragma once

#include "device/DeviceJobRunner.h"
#include "device/DeviceLink.h"
#include "device/DeviceLinkEvents.h"
#include "device/PostedTaskQueue.h"
#include "device/SettingsPayloads.h"
#include "device/VirtualClock.h"
#include "macros/MacroLibrary.h"
#include "profiles/AppSettings.h"
#include "profiles/LanguageTexts.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileTable.h"
#include "profiles/TextNumbers.h"
#include "sim/SimulatedMouse.h"

#include "support/TempFolder.h"
#include "support/TestTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

// Records what the device link asks of the windows, one short line per request.
class RecordingLinkEvents final : public DeviceLinkEvents {
public:
    std::vector<std::string> log;

    void ShowAttention(int title, int message) override
    {
        log.push_back("attention " + std::to_string(title) + " " + std::to_string(message));
    }
    void ShowProgress(int message) override { log.push_back("progress " + std::to_string(message)); }
    void StartApplyTimer(std::chrono::milliseconds delay) override
    {
        log.push_back("apply-timer " + std::to_string(delay.count()));
    }
    void StartSaveTimer(std::chrono::milliseconds delay) override
    {
        log.push_back("save-timer " + std::to_string(delay.count()));
    }
    void RefreshWindow() override { log.push_back("refresh"); }
    void StatusChanged() override { log.push_back("status-changed"); }
    void LaunchProgram(const std::u16string& url) override
    {
        log.push_back("launch " + TextNumbers::ToUtf8(url));
    }
    void SensorChanged(std::uint16_t model, bool to3205, bool from3205) override
    {
        log.push_back("sensor " + std::to_string(model) + (to3205 ? " to-3205" : "") +
                      (from3205 ? " from-3205" : ""));
    }
    void StartConnectionTimer(std::chrono::milliseconds delay) override
    {
        log.push_back("connection-timer " + std::to_string(delay.count()));
    }
    void PresenceReplied(bool online) override { log.push_back(online ? "presence online" : "presence offline"); }
    void ShowMainWindow() override { log.push_back("show-window"); }
    void MinimiseMainWindow() override { log.push_back("minimise-window"); }
    void HideMainWindow() override { log.push_back("hide-window"); }
    void ShowStatusImage(std::optional<LinkKind> link) override
    {
        log.push_back("status-image " + std::string(link ? LinkName(*link) : "none"));
    }
    void SetHeaderTabEnabled(bool enabled) override { log.push_back(enabled ? "tab enabled" : "tab disabled"); }
    void ShowConnectionNotice(bool shown) override { log.push_back(shown ? "notice shown" : "notice hidden"); }
    void StartBatteryTimer(std::chrono::milliseconds period) override
    {
        log.push_back("battery-timer " + std::to_string(period.count()));
    }
    void StartReenumerateTimer(std::chrono::milliseconds delay) override
    {
        log.push_back("reenumerate-timer " + std::to_string(delay.count()));
    }
    void StartWindowCheckTimer(std::chrono::milliseconds period) override
    {
        log.push_back("window-check-timer " + std::to_string(period.count()));
    }
    void StopWindowCheckTimer() override { log.push_back("stop-window-check-timer"); }
    void BatteryChanged(const BatteryState& battery, bool reported) override
    {
        log.push_back("battery " + std::to_string(battery.batteryLevel) + " " +
                      std::to_string(static_cast<int>(battery.chargeState)) + (reported ? "" : " cleared"));
    }
    void AccessDenied(const std::string& message) override { log.push_back("access-denied " + message); }
    void CloseOpenDialogs() override { log.push_back("close-dialogs"); }
    void QuitProgram() override { log.push_back("quit"); }

    [[nodiscard]] bool Saw(const std::string& entry) const
    {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }
};

// A device link on a fresh data folder with five default profiles, talking to the
// simulated mouse over its wired link, with the copies primed: the state right after
// start-up. Exchanges run at once on the test's thread against the virtual clock.
class DeviceLinkFixture : public testing::Test {
protected:
    DeviceLinkFixture() : DeviceLinkFixture(StartConnected::Yes) {}

    enum class StartConnected : std::uint8_t { No, Yes };
    // Without a connection: a fresh data folder and a link that has found nothing yet.
    explicit DeviceLinkFixture(StartConnected connected)
    {
        std::filesystem::create_directories(paths.ConfigFolder());
        settings.WriteSettingDefaults(paths);
        settings.SetSensorId(settings.ParseSensorText());
        for (int index = 0; index < ProfileTable::kProfileCount; ++index)
            ResetProfile(profiles.At(index), static_cast<unsigned>(index), texts, settings.SensorId());
        link.BuildDpiTable();
        if (connected == StartConnected::No)
            return;
        link.Connection().deviceConfirmed = true;
        link.Connection().receiverMouseOnline = true;
        Connect(LinkKind::Wired);
        link.PrimeLastSent();
        mouse.ClearReceived();
        events.log.clear();
    }

    void Connect(LinkKind kind)
    {
        mouse.Plug(kind);
        link.SetCommandInterface(kind, mouse.OpenCommandInterface(kind));
        link.Link(kind).present = true;
    }

    [[nodiscard]] Profile& Current() { return profiles.Current(settings); }

    // A thread that makes the mouse send `count` status reports: DPI button presses and
    // battery changes.
    [[nodiscard]] std::thread PressOnTheMouse(int count)
    {
        return std::thread([this, count] {
            for (int i = 0; i < count; ++i) {
                if (i % 3 == 0)
                    mouse.PressDpiButton();
                else
                    mouse.SetBattery(static_cast<std::uint8_t>(i % 101), static_cast<std::uint8_t>(i % 3));
            }
        });
    }

    // Applies `rounds` changes of the first DPI colour and the polling rate through
    // `target`, running the posted tasks after each; returns the last colour applied.
    std::uint32_t ApplyRounds(DeviceLink& target, int rounds, std::uint32_t colourStep)
    {
        Profile& profile = Current();
        std::uint32_t colour = 0;
        for (int round = 0; round < rounds; ++round) {
            colour = colourStep * static_cast<std::uint32_t>(round + 1) & 0x00FFFFFFu;
            profile.DPILevelIndication[0] = colour;
            profile.PollingRateValue[0] = static_cast<std::uint8_t>(round % 4);
            target.Flags().settingsChanged = true;
            (void)target.ApplyToDevice();
            ui.RunPending();
        }
        return colour;
    }

    // Every apply landed: nothing was dropped, and the mouse holds the last colour and
    // the profile's polling rate.
    void ExpectMouseHoldsTheLastApply(const DeviceLink& target, std::uint32_t colour)
    {
        EXPECT_EQ(target.Totals().dropped, 0);
        const SimMouseState state = mouse.State();
        EXPECT_EQ(state.settings.dpiColours[0],
                  (SimRgb{static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
                          static_cast<std::uint8_t>(colour >> 16)}));
        EXPECT_EQ(state.settings.pollingCode, SettingsPayloads::PollingCode(Current().PollingRateValue[0]));
    }

    // The reports written to the mouse since the last ClearReceived, in order.
    [[nodiscard]] std::vector<std::vector<std::uint8_t>> Writes() const
    {
        std::vector<std::vector<std::uint8_t>> writes;
        for (const SimReceivedReport& report : mouse.Received())
            if (report.operation == SimReportOperation::SetFeature)
                writes.push_back(report.bytes);
        return writes;
    }
    // The command codes (byte 1) of the report-9 writes.
    [[nodiscard]] std::vector<int> WrittenCommands() const
    {
        std::vector<int> codes;
        for (const auto& bytes : Writes())
            if (bytes.size() >= 2 && bytes[0] == ReportId::kCommand)
                codes.push_back(bytes[1]);
        return codes;
    }

    TempFolder folder;
    DataPaths paths{folder.Path(), {}};
    VirtualClock clock;
    SimulatedMouse mouse{clock};
    PostedTaskQueue ui;
    InlineJobRunner runner;
    ProfileTable profiles;
    AppSettings settings;
    MacroLibrary macros;
    LanguageTexts texts = NumberedTexts();
    RecordingLinkEvents events;
    DeviceLink link{DeviceModel{profiles, settings, macros, texts, paths}, runner, ui, clock, events};
};

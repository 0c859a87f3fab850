#pragma once

#include "device/BatteryDisplay.h"
#include "device/BatteryState.h"
#include "device/ChangeFlags.h"
#include "device/CommandRequest.h"
#include "device/ConnectionState.h"
#include "device/DeviceModel.h"
#include "device/DpiStepTable.h"
#include "device/ExchangeSummary.h"
#include "device/FirmwareImage.h"
#include "device/LastSentCopies.h"
#include "device/LinkKind.h"
#include "device/LinkState.h"
#include "device/ListenerMemory.h"
#include "device/MacroResolution.h"

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class Clock;
class CommandExchanger;
class DeviceJobRunner;
class DeviceLinkEvents;
class FirmwareSession;
class FirmwareUpdateEvents;
class HidHandle;
class UiPoster;
struct Profile;

enum class ApplyResult : std::uint8_t {
    NotConfirmed,  // the mouse has not been confirmed: nothing happens
    Unreachable,   // no link reaches the mouse: the attention window is asked for
    Applied,       // the commands that differed are on their way (possibly none)
};

struct ApplyOutcome {
    ApplyResult result = ApplyResult::NotConfirmed;
    bool reportSent = false;       // at least one command report was handed to the mouse
    std::size_t commandCount = 0;  // report-9 commands queued by this apply
};

// The program's side of the mouse: the command-interface slots, the connection state,
// the last-sent copies and the DPI step table. It lives on the UI thread, builds and
// compares every payload there, and hands ready commands to the device thread in order,
// so the UI never blocks in a settle pause and the bytes on the wire keep their order.
// Results come back as posted tasks.
class DeviceLink {
public:
    static constexpr std::chrono::milliseconds kApplyDelay{20};
    static constexpr std::chrono::milliseconds kSaveDelay{10000};
    static constexpr std::chrono::milliseconds kReceiverIndicatorDelay{100};

    DeviceLink(DeviceModel model, DeviceJobRunner& runner, UiPoster& poster, Clock& clock,
               DeviceLinkEvents& events);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Command-interface slots, one per link; discovery fills them.
    void SetCommandInterface(LinkKind link, std::shared_ptr<HidHandle> handle);
    void CloseCommandInterface(LinkKind link);
    void CloseAll();
    [[nodiscard]] bool HasCommandInterface(LinkKind link) const;
    // The first open slot in the order wired, BLE, receiver.
    [[nodiscard]] std::optional<LinkKind> SelectCommandInterface() const;

    [[nodiscard]] ConnectionState& Connection() { return m_connection; }
    [[nodiscard]] const ConnectionState& Connection() const { return m_connection; }
    [[nodiscard]] LinkState& Link(LinkKind link) { return m_links[LinkIndex(link)]; }
    [[nodiscard]] LinkPresence Presence() const;
    [[nodiscard]] ChangeFlags& Flags() { return m_flags; }
    [[nodiscard]] const LastSentCopies& Copies() const { return m_copies; }
    [[nodiscard]] const DpiStepTable& DpiTable() const { return m_dpiTable; }
    [[nodiscard]] const BatteryState& Battery() const { return m_battery; }
    [[nodiscard]] ListenerMemory& Listener() { return m_listener; }
    [[nodiscard]] MacroResolution& Macros() { return m_macroResolution; }
    [[nodiscard]] bool ReportSent() const { return m_reportSent; }
    [[nodiscard]] bool SavePending() const { return m_savePending; }

    // Builds the DPI step table for the sensor of the settings (start-up).
    void BuildDpiTable();

    // Asks for an apply in 20 ms (the apply timer); a burst of changes becomes one apply.
    void ScheduleApply();
    // Writes what changed in the current profile, as the change flags ask.
    ApplyOutcome ApplyToDevice();
    // Fills every last-sent copy from the current profile without sending anything.
    void PrimeLastSent();
    // Empties every copy, so the next apply writes every command whose flag is set: for
    // writing a whole profile to a mouse whose state is unknown.
    void ForgetLastSent() { m_copies = LastSentCopies{}; }
    // Timer 70 expired, or the window closes with a save pending: write the settings
    // and the five profile files.
    void OnSaveTimer();
    void SaveIfPending();

    // One status report from a link's listener, processed as one step.
    void OnStatusReport(LinkKind link, std::span<const std::uint8_t> report);
    // The one-second battery tick: what the battery gauge and its text show, nothing
    // until the mouse is confirmed.
    [[nodiscard]] std::optional<BatteryView> OnBatteryTimer();

    // The factory reset after the user confirmed it. False (and the attention window)
    // when no link reaches the mouse; check CanReachMouse before asking the user.
    [[nodiscard]] bool CanReachMouse() const;
    enum class ResetScope : std::uint8_t {
        MouseAndCurrentProfile,  // as the program does: the current profile follows the mouse
        MouseOnly,               // for tools without a data folder to keep in step
    };
    bool FactoryReset(ResetScope scope = ResetScope::MouseAndCurrentProfile);
    // The receiver's pairing request; written only when the receiver's slot is open.
    void RequestPairing();
    // Reads the presence report on the preferred interface; a valid reply goes to the
    // presence listener (discovery), then to DeviceLinkEvents::PresenceReplied.
    void QueryPresence();
    void SetPresenceListener(std::function<void(bool mouseOnline)> listener)
    {
        m_presenceListener = std::move(listener);
    }

    // The firmware update over the wired interface, on the device thread. Without a wired
    // interface the attention window is asked for instead (false). Events reach
    // `dialog` on the UI thread; it must outlive the update or the link. After the mouse
    // restarts, the final check runs on whatever wired interface is open by then.
    bool StartFirmwareUpdate(FirmwareImage appImage, FirmwareImage baseImage, FirmwareUpdateEvents& dialog);

    // Runs `done` on the UI thread once every exchange queued so far has finished, with
    // the totals of all exchanges so far.
    void AfterPendingExchanges(std::function<void(const ExchangeSummary&)> done);
    [[nodiscard]] const ExchangeSummary& Totals() const { return m_totals; }

private:
    [[nodiscard]] Profile& CurrentProfile();
    [[nodiscard]] std::shared_ptr<HidHandle> PreferredSlot() const;
    void SubmitCommands(std::vector<CommandRequest> commands);
    void SubmitFirmwareFinalCheck(std::shared_ptr<FirmwareSession> session);
    void ReinitialiseForSensor(std::uint16_t model, bool to3205Layout, bool from3205Layout);

    DeviceModel m_model;
    DeviceJobRunner& m_runner;
    UiPoster& m_poster;
    DeviceLinkEvents& m_events;
    Clock& m_clock;
    std::shared_ptr<CommandExchanger> m_exchanger;  // used only inside device-thread jobs
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);

    std::array<std::shared_ptr<HidHandle>, kLinkKindCount> m_commandSlots;
    std::array<LinkState, kLinkKindCount> m_links;
    ConnectionState m_connection;
    ChangeFlags m_flags;
    LastSentCopies m_copies;
    DpiStepTable m_dpiTable;
    BatteryState m_battery;
    ListenerMemory m_listener;
    MacroResolution m_macroResolution;
    BatteryDisplay m_batteryDisplay;
    bool m_reportSent = false;
    bool m_savePending = false;
    ExchangeSummary m_totals;
    std::function<void(bool)> m_presenceListener;
};

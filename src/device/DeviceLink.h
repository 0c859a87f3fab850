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
#include "device/FirmwareUpdateEvents.h"
#include "device/CommandCode.h"
#include "device/LastSentCopies.h"
#include "device/LinkKind.h"
#include "device/LinkState.h"
#include "device/ListenerMemory.h"
#include "device/MacroResolution.h"
#include "device/UnsentRecord.h"

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stop_token>
#include <utility>
#include <vector>

class Clock;
class CommandExchanger;
class CommandSlots;
class DeviceJobRunner;
class DeviceLinkEvents;
class FirmwareSession;
class HidHandle;
class UiPoster;
struct Profile;

enum class ApplyResult : std::uint8_t {
    NotConfirmed,  // the mouse has not been confirmed: nothing happens
    Deferred,      // a firmware update runs: the changes stay flagged and apply after it
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
    // How long the program's end waits for queued writes to reach the mouse.
    static constexpr std::chrono::milliseconds kShutdownDrainLimit{3000};

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
    // The DPI level shown as current: one value that the main window (which loads it
    // from the profile and moves it when the user picks a level) and the status reports
    // share. A reported level is taken only when it differs from this one.
    [[nodiscard]] std::uint8_t LastDpiLevel() const { return m_listener.lastDpiLevel; }
    void SetLastDpiLevel(std::uint8_t level) { m_listener.lastDpiLevel = level; }
    [[nodiscard]] MacroResolution& Macros() { return m_macroResolution; }
    [[nodiscard]] bool ReportSent() const { return m_reportSent; }
    [[nodiscard]] bool SavePending() const { return m_savePending; }

    // Builds the DPI step table for the sensor of the settings (start-up).
    void BuildDpiTable();

    // Asks for an apply in 20 ms (the apply timer); a burst of changes becomes one apply.
    void ScheduleApply();
    [[nodiscard]] bool ApplyScheduled() const { return m_applyScheduled; }
    // Writes what changed in the current profile, as the change flags ask. Whatever the
    // mouse's state, the edit is saved with the next save timer; what could not be
    // handed to the mouse keeps its change flags.
    ApplyOutcome ApplyToDevice();
    // Fills every last-sent copy from the current profile without sending anything.
    void PrimeLastSent();
    // Forgets every copy, so the next apply writes every command whose flag is set: for
    // writing a whole profile to a mouse whose state is unknown.
    void ForgetLastSent() { m_copies.ForgetAll(); }
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
    // interface the attention window is asked for instead. Events reach `dialog` on the
    // UI thread while it exists; the link holds it weakly. Each step takes the wired
    // interface open when it runs, so after the restart the final check uses the one
    // reopened by then. One update at a time; applies wait until it has ended.
    enum class FirmwareStart : std::uint8_t { Started, NoWiredInterface, AlreadyRunning };
    FirmwareStart StartFirmwareUpdate(FirmwareImage appImage, FirmwareImage baseImage,
                                      std::weak_ptr<FirmwareUpdateEvents> dialog);
    // The dialog closes: the update stops before its next frame or wait, and no further
    // event reaches the dialog. A new update can start once the device thread let go.
    void StopFirmwareUpdate();
    [[nodiscard]] bool FirmwareUpdateRunning() const { return m_firmware.has_value(); }

    // The session is saved (the desktop's session manager asks before it may end the
    // run): an apply still waiting for its timer is made now, without any window, and a
    // pending save is written.
    void WritePendingWork();
    // The program ends: WritePendingWork, then the queued writes get at most `limit` to
    // reach the mouse. Writes given up, and changes that could not be handed to the mouse
    // at all, are recorded in the data folder, and the next start sends the whole current
    // profile again (ResendPending). False when something was left unwritten.
    bool FinishPendingWork(std::chrono::milliseconds limit = kShutdownDrainLimit);
    // Start-up, before the first apply: whether the last run ended with writes that never
    // reached the mouse. Then every copy is forgotten and every change flag set, so the
    // first apply after the mouse is confirmed writes the whole current profile.
    bool TakeUnsentFromLastRun();
    [[nodiscard]] bool ResendPending() const { return m_resendPending; }

    // Runs `done` on the UI thread once every exchange queued so far has finished, with
    // the totals of all exchanges so far.
    void AfterPendingExchanges(std::function<void(const ExchangeSummary&)> done);
    [[nodiscard]] const ExchangeSummary& Totals() const { return m_totals; }

private:
    [[nodiscard]] Profile& CurrentProfile();
    // Whether an apply tells the user what happened (attention and progress windows, the
    // save timer, a refresh) or runs unseen, as the program's end does.
    enum class Feedback : std::uint8_t { Shown, Unseen };
    ApplyOutcome Apply(Feedback feedback);
    // The edit is kept: saved by the save timer, or at the end of the run.
    void KeepEdit(Feedback feedback);
    // Whether the commands of a job carry again everything the UI thread has heard was
    // left unwritten (an apply: those commands' flags are set and their copies forgotten).
    enum class Resend : std::uint8_t { CarriesUnsent, Alone };
    void SubmitCommands(std::vector<CommandRequest> commands, Resend resend);
    // The commands of a job that never reached the mouse: their copies are forgotten and
    // their change flags set, so the next apply writes them again.
    void ForgetUnsent(const std::vector<CommandCode>& codes);
    // Forgets every copy and sets every change flag that leads to commands: the next
    // apply writes the whole current profile.
    void ForgetEverySent();
    void ShowProgressWhenWritten();
    // The firmware update's steps after the first: the restart once the update is marked
    // active, then the final check; the end of any step ends the update.
    void OnFirmwareStep(FirmwareUpdateOutcome outcome);
    void EndFirmwareUpdate();
    void ReinitialiseForSensor(std::uint16_t model, bool to3205Layout, bool from3205Layout);

    DeviceModel m_model;
    DeviceJobRunner& m_runner;
    UiPoster& m_poster;
    DeviceLinkEvents& m_events;
    Clock& m_clock;
    std::shared_ptr<CommandExchanger> m_exchanger;  // used only inside device-thread jobs
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);

    std::shared_ptr<CommandSlots> m_slots;  // shared with the device thread's jobs
    std::array<LinkState, kLinkKindCount> m_links;
    ConnectionState m_connection;
    ChangeFlags m_flags;
    LastSentCopies m_copies;
    DpiStepTable m_dpiTable;
    BatteryState m_battery;
    ListenerMemory m_listener;
    MacroResolution m_macroResolution;
    BatteryDisplay m_batteryDisplay;
    bool m_batteryReported = false;  // a status report has given the battery state
    bool m_reportSent = false;
    bool m_savePending = false;
    ExchangeSummary m_totals;
    std::function<void(bool)> m_presenceListener;
    bool m_applyDeferred = false;
    bool m_applyScheduled = false;
    bool m_resendPending = false;
    std::shared_ptr<UnsentRecord> m_unsent;  // shared with the device thread's jobs
    UnsentRecord::JobNumber m_nextJob = 1;
    // The latest job whose unwritten commands the UI thread has taken back into the flags.
    UnsentRecord::JobNumber m_unsentHeard = UnsentRecord::kLastRun;

    struct FirmwareRun {
        std::shared_ptr<FirmwareSession> session;
        std::stop_source stop;
        std::shared_ptr<std::weak_ptr<FirmwareUpdateEvents>> dialog;  // emptied on stop
    };
    std::optional<FirmwareRun> m_firmware;
};

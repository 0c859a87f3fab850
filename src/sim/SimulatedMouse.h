#pragma once

#include "device/Clock.h"
#include "device/HidHandle.h"
#include "device/LinkKind.h"
#include "sim/SimFlashMemory.h"
#include "sim/SimInputQueue.h"
#include "sim/SimLiveState.h"
#include "sim/SimMouseAnchor.h"
#include "sim/SimMouseState.h"
#include "sim/SimReceivedReport.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

// The mouse's side of the protocol: one mouse reachable over three links, each with a
// status collection (input report 7) and a command collection (feature reports 9, 8,
// 0xBC, 0xBF). It checks and applies commands, answers presence and flash reads, sends
// status reports, records every report it receives, and injects faults on request.
// Feature reports must have their exact length (a command may carry one extra zero
// byte); another length fails like a HID call of the wrong size.
//
// Thread-safe: one lock guards everything; handles may be used from any thread. The plug
// listener is called without the lock held. Handles may outlive the mouse; their calls
// then fail.
class SimulatedMouse {
public:
    using PlugListener = std::function<void(LinkKind link, bool plugged)>;

    // Every link starts unplugged. The clock stamps the received reports and must
    // outlive the mouse.
    explicit SimulatedMouse(Clock& clock);
    ~SimulatedMouse();
    SimulatedMouse(const SimulatedMouse&) = delete;
    SimulatedMouse& operator=(const SimulatedMouse&) = delete;

    // Links. A handle belongs to the plug period it was opened in: once its link is
    // unplugged (or restarts) every call fails, even after the link is plugged again.
    // Null when the link is unplugged. A status interface starts with one report of the
    // mouse's state, as the mouse answers a listener that starts reading.
    [[nodiscard]] std::unique_ptr<HidHandle> OpenCommandInterface(LinkKind link);
    [[nodiscard]] std::unique_ptr<HidHandle> OpenStatusInterface(LinkKind link);
    void Plug(LinkKind link);
    void Unplug(LinkKind link);
    [[nodiscard]] bool IsPlugged(LinkKind link) const;
    // Called on every change of a link, from the thread that caused it.
    void SetPlugListener(PlugListener listener);

    // What the mouse holds and what it was sent. The record keeps only the last reports
    // (kDefaultReceivedLimit unless a test sets another limit, at least 1), so a mouse
    // that runs for hours does not grow without end.
    static constexpr std::size_t kDefaultReceivedLimit = 4096;
    [[nodiscard]] SimMouseState State() const;
    [[nodiscard]] std::vector<SimReceivedReport> Received() const;
    void ClearReceived();
    void SetReceivedLimit(std::size_t limit);
    // Reports dropped from the front of the record since the last ClearReceived.
    [[nodiscard]] std::size_t ReceivedDropped() const;
    [[nodiscard]] unsigned AcceptedCount() const;
    [[nodiscard]] unsigned RejectedCount() const;
    // Not locked: use it only while no handle talks to the mouse.
    [[nodiscard]] SimFlashMemory& Flash() { return m_flash; }

    // Events on the mouse. Each one changes the live state and sends a status report on
    // every plugged link (SetReceiverMouseOnline only on the receiver link).
    void SetReceiverMouseOnline(bool online);
    // Moves to the next level enabled in the DPI on/off flags (levels 0..5, wrapping).
    void PressDpiButton();
    void PressLaunchButton(std::uint8_t button1Based);
    void ReleaseLaunchButton();
    void SetBattery(std::uint8_t percent, std::uint8_t chargeState);
    void SetPollingCode(std::uint8_t code);
    void SetSensorCode(std::uint8_t code);
    void SetLightingMode(std::uint8_t mode);
    void SetLiveState(const SimLiveState& live);
    void EmitStatus();
    // Sends exactly these bytes, on every plugged link or on one.
    void EmitStatusReport(const SimStatusReport& report);
    void EmitStatusReport(LinkKind link, const SimStatusReport& report);

    // On battery the mouse also reports its state on its own: on every plugged link
    // (the receiver's only while its mouse is on line) that has sent no status report for
    // kBatteryReportPeriod of the mouse's clock. Charging or full, it reports changes only.
    static constexpr std::chrono::seconds kBatteryReportPeriod{10};
    // Sends the reports that are due now. The mouse has no time of its own: tests call it
    // after moving their clock, a running program through StartReportTimer.
    void SendDueStatusReports();
    // How long until the next report falls due by the mouse's clock; nothing while none
    // will (no link plugged, or the battery charging or full).
    [[nodiscard]] std::optional<std::chrono::microseconds> NextStatusReportDue() const;
    // Calls SendDueStatusReports on a thread of the mouse's own, until the mouse is
    // destroyed, reading the mouse's clock as real time: it sleeps until the next report
    // is due, and at most `interval` (a state that changes while it sleeps is seen then).
    // A second call changes nothing.
    void StartReportTimer(std::chrono::milliseconds interval = kBatteryReportPeriod);

    // Called after every change of what the mouse shows of itself (links plugged, the
    // receiver's mouse, the live state), from the thread that caused it and with the
    // mouse's lock held: it must not call the mouse, only note or post the change.
    void SetStateListener(std::function<void()> listener);

    // Faults, each for the next `count` matching calls on any link; a new call replaces
    // the remaining count, 0 cancels.
    // Valid commands are answered as not accepted and not applied.
    void RejectNextCommands(unsigned count);
    // SetFeature returns false and the report is not applied.
    void FailNextWrites(unsigned count);
    // GetFeature returns false; a pending acceptance is lost with it.
    void DropNextReplies(unsigned count);
    // After `count` more received reports (writes and reads) every link is unplugged.
    void DisconnectAfterReports(unsigned count);

    // Blocks until at least `count` readers wait in ReadInput, so a test can act on a
    // reader that is known to be blocked.
    void WaitForBlockedReaders(std::size_t count);
    // Blocks until every status report sent so far has been read and the reader of each
    // open status handle waits for the next one: whatever a reader does with a report
    // (a listener posting it) is done by then. A handle nobody reads keeps it waiting;
    // false when the time-out passes first.
    [[nodiscard]] bool WaitUntilStatusReportsRead(std::chrono::milliseconds timeout);

private:
    friend class SimCommandHandle;

    struct PlugEvent {
        LinkKind link;
        bool plugged;
    };
    using PlugEvents = std::vector<PlugEvent>;
    using CommandReply = std::array<std::uint8_t, ReportLength::kCommand>;

    struct LinkSlot {
        bool plugged = false;
        std::uint64_t period = 0;  // changes on every plug and unplug
        std::vector<std::weak_ptr<SimInputQueue>> statusQueues;
        std::optional<CommandReply> pendingReply;  // the acceptance the next read returns
        std::chrono::microseconds lastStatusReport{0};  // by the mouse's clock
    };

    // Called by command handles with the lock held in `lock`; may release it to call the
    // plug listener, after which the mouse is not touched again.
    [[nodiscard]] bool IsCurrent(LinkKind link, std::uint64_t period) const;
    [[nodiscard]] bool ReceiveSetFeature(std::unique_lock<std::mutex>& lock, LinkKind link,
                                         std::span<const std::uint8_t> report);
    [[nodiscard]] bool ReceiveGetFeature(std::unique_lock<std::mutex>& lock, LinkKind link,
                                         std::span<std::uint8_t> buffer);

    // Everything below runs with the lock held.
    [[nodiscard]] LinkSlot& Slot(LinkKind link) { return m_links[LinkIndex(link)]; }
    [[nodiscard]] const LinkSlot& Slot(LinkKind link) const { return m_links[LinkIndex(link)]; }
    // The new entry stays valid until the next Record.
    SimReceivedReport& Record(LinkKind link, SimReportOperation operation, std::span<const std::uint8_t> bytes);
    [[nodiscard]] bool ApplyWrite(LinkKind link, std::span<const std::uint8_t> report, PlugEvents& events);
    [[nodiscard]] bool ReceiveCommand(LinkKind link, std::span<const std::uint8_t> report);
    [[nodiscard]] bool ReceivePairing(LinkKind link, std::span<const std::uint8_t> report);
    [[nodiscard]] bool ReceiveFlashFrame(LinkKind link, std::span<const std::uint8_t> frame, PlugEvents& events);
    [[nodiscard]] bool AnswerRead(LinkKind link, std::span<std::uint8_t> buffer);
    void CountTowardsDisconnect(PlugEvents& events);
    void PlugLocked(LinkKind link, PlugEvents& events);
    void UnplugLocked(LinkKind link, PlugEvents& events);
    void EndStatusQueues(LinkSlot& slot);
    [[nodiscard]] bool StatusReportsRead() const;
    void Emit(LinkKind link, const SimStatusReport& report);
    void EmitLiveState();
    [[nodiscard]] std::uint8_t OnlineByte(LinkKind link) const;
    [[nodiscard]] std::optional<std::chrono::microseconds> NextStatusReportDueLocked() const;
    void StateChanged() const;

    // Releases the lock and reports the plug changes to the listener.
    void Notify(std::unique_lock<std::mutex>& lock, const PlugEvents& events);

    Clock& m_clock;
    std::shared_ptr<SimMouseAnchor> m_anchor;  // its mutex is the mouse's lock
    std::array<LinkSlot, kLinkKindCount> m_links{};
    SimMouseState m_state;
    SimFlashMemory m_flash;
    std::deque<SimReceivedReport> m_received;
    std::size_t m_receivedLimit = kDefaultReceivedLimit;
    std::size_t m_receivedDropped = 0;
    PlugListener m_plugListener;
    std::function<void()> m_stateListener;

    unsigned m_rejectCommands = 0;
    unsigned m_failWrites = 0;
    unsigned m_dropReplies = 0;
    unsigned m_disconnectAfter = 0;  // 0: off

    std::condition_variable m_reportTimerWake;  // with the anchor's mutex
    bool m_reportTimerStop = false;
    std::thread m_reportTimer;  // last: joined before anything it reads goes
};

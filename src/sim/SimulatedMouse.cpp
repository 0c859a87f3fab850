#include "sim/SimulatedMouse.h"

#include "device/HidReports.h"
#include "sim/SimCommandDecoder.h"
#include "sim/SimCommandHandle.h"
#include "sim/SimStatusHandle.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kOnline = 1;
constexpr std::uint8_t kOffline = 0;
constexpr std::size_t kPairingCode = 1;  // byte 1 of the pairing report

}  // namespace

SimulatedMouse::SimulatedMouse(Clock& clock) : m_clock(clock), m_anchor(std::make_shared<SimMouseAnchor>())
{
    m_anchor->mouse = this;
}

SimulatedMouse::~SimulatedMouse()
{
    {
        const std::lock_guard lock(m_anchor->mutex);
        m_reportTimerStop = true;
        m_reportTimerWake.notify_all();
    }
    if (m_reportTimer.joinable())
        m_reportTimer.join();
    const std::lock_guard lock(m_anchor->mutex);
    m_anchor->mouse = nullptr;
    for (LinkSlot& slot : m_links)
        EndStatusQueues(slot);
}

// ---- Links -------------------------------------------------------------------------

std::unique_ptr<HidHandle> SimulatedMouse::OpenCommandInterface(LinkKind link)
{
    const std::lock_guard lock(m_anchor->mutex);
    const LinkSlot& slot = Slot(link);
    if (!slot.plugged)
        return nullptr;
    return std::make_unique<SimCommandHandle>(m_anchor, link, slot.period);
}

std::unique_ptr<HidHandle> SimulatedMouse::OpenStatusInterface(LinkKind link)
{
    const std::lock_guard lock(m_anchor->mutex);
    LinkSlot& slot = Slot(link);
    if (!slot.plugged)
        return nullptr;
    auto queue = std::make_shared<SimInputQueue>();
    queue->reports.push_back(m_state.live.BuildReport(OnlineByte(link)));
    slot.lastStatusReport = m_clock.Now();
    std::erase_if(slot.statusQueues, [](const std::weak_ptr<SimInputQueue>& q) { return q.expired(); });
    slot.statusQueues.push_back(queue);
    return std::make_unique<SimStatusHandle>(m_anchor, std::move(queue));
}

void SimulatedMouse::Plug(LinkKind link)
{
    std::unique_lock lock(m_anchor->mutex);
    PlugEvents events;
    PlugLocked(link, events);
    Notify(lock, events);
}

void SimulatedMouse::Unplug(LinkKind link)
{
    std::unique_lock lock(m_anchor->mutex);
    PlugEvents events;
    UnplugLocked(link, events);
    Notify(lock, events);
}

bool SimulatedMouse::IsPlugged(LinkKind link) const
{
    const std::lock_guard lock(m_anchor->mutex);
    return Slot(link).plugged;
}

void SimulatedMouse::SetPlugListener(PlugListener listener)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_plugListener = std::move(listener);
}

// ---- State and records -------------------------------------------------------------

SimMouseState SimulatedMouse::State() const
{
    const std::lock_guard lock(m_anchor->mutex);
    return m_state;
}

std::vector<SimReceivedReport> SimulatedMouse::Received() const
{
    const std::lock_guard lock(m_anchor->mutex);
    return {m_received.begin(), m_received.end()};
}

void SimulatedMouse::ClearReceived()
{
    const std::lock_guard lock(m_anchor->mutex);
    m_received.clear();
    m_receivedDropped = 0;
}

void SimulatedMouse::SetReceivedLimit(std::size_t limit)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_receivedLimit = std::max<std::size_t>(limit, 1);
    while (m_received.size() > m_receivedLimit) {
        m_received.pop_front();
        ++m_receivedDropped;
    }
}

std::size_t SimulatedMouse::ReceivedDropped() const
{
    const std::lock_guard lock(m_anchor->mutex);
    return m_receivedDropped;
}

unsigned SimulatedMouse::AcceptedCount() const
{
    const std::lock_guard lock(m_anchor->mutex);
    return m_state.acceptedCommands;
}

unsigned SimulatedMouse::RejectedCount() const
{
    const std::lock_guard lock(m_anchor->mutex);
    return m_state.rejectedCommands;
}

// ---- Events on the mouse -----------------------------------------------------------

void SimulatedMouse::SetReceiverMouseOnline(bool online)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_state.receiverMouseOnline = online;
    Emit(LinkKind::Wireless, m_state.live.BuildReport(OnlineByte(LinkKind::Wireless)));
    StateChanged();
}

void SimulatedMouse::PressDpiButton()
{
    const std::lock_guard lock(m_anchor->mutex);
    const auto levels = static_cast<unsigned>(SimMouseSettings::kDpiLevelCount);
    const unsigned flags = m_state.settings.dpiOnOffFlags;
    const unsigned current = m_state.live.dpiLevel;
    for (unsigned step = 1; step <= levels; ++step) {
        const unsigned candidate = (current + step) % levels;
        if ((flags & (1u << candidate)) != 0) {
            m_state.live.dpiLevel = static_cast<std::uint8_t>(candidate);
            break;
        }
    }
    EmitLiveState();
}

void SimulatedMouse::PressLaunchButton(std::uint8_t button1Based)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_state.live.launchButton = button1Based;
    EmitLiveState();
}

void SimulatedMouse::ReleaseLaunchButton()
{
    const std::lock_guard lock(m_anchor->mutex);
    m_state.live.launchButton = 0;
    EmitLiveState();
}

void SimulatedMouse::SetBattery(std::uint8_t percent, std::uint8_t chargeState)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_state.live.battery = percent;
    m_state.live.chargeState = chargeState;
    EmitLiveState();
}

void SimulatedMouse::SetPollingCode(std::uint8_t code)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_state.live.pollingCode = code;
    EmitLiveState();
}

void SimulatedMouse::SetSensorCode(std::uint8_t code)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_state.live.sensorCode = code;
    EmitLiveState();
}

void SimulatedMouse::SetLightingMode(std::uint8_t mode)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_state.live.lightingMode = mode;
    EmitLiveState();
}

void SimulatedMouse::SetLiveState(const SimLiveState& live)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_state.live = live;
    EmitLiveState();
}

void SimulatedMouse::EmitStatus()
{
    const std::lock_guard lock(m_anchor->mutex);
    EmitLiveState();
}

void SimulatedMouse::EmitStatusReport(const SimStatusReport& report)
{
    const std::lock_guard lock(m_anchor->mutex);
    for (LinkKind link : kCommandPreference)
        Emit(link, report);
}

void SimulatedMouse::EmitStatusReport(LinkKind link, const SimStatusReport& report)
{
    const std::lock_guard lock(m_anchor->mutex);
    Emit(link, report);
}

void SimulatedMouse::SendDueStatusReports()
{
    const std::lock_guard lock(m_anchor->mutex);
    const std::uint8_t charge = m_state.live.chargeState;
    if (charge == SimChargeState::kCharging || charge == SimChargeState::kFull)
        return;
    const std::chrono::microseconds now = m_clock.Now();
    for (LinkKind link : kCommandPreference) {
        const LinkSlot& slot = Slot(link);
        // A receiver whose mouse is out of reach has no battery state to pass on.
        if (!slot.plugged || (link == LinkKind::Wireless && !m_state.receiverMouseOnline))
            continue;
        if (now - slot.lastStatusReport >= kBatteryReportPeriod)
            Emit(link, m_state.live.BuildReport(OnlineByte(link)));
    }
}

std::optional<std::chrono::microseconds> SimulatedMouse::NextStatusReportDue() const
{
    const std::lock_guard lock(m_anchor->mutex);
    return NextStatusReportDueLocked();
}

std::optional<std::chrono::microseconds> SimulatedMouse::NextStatusReportDueLocked() const
{
    const std::uint8_t charge = m_state.live.chargeState;
    if (charge == SimChargeState::kCharging || charge == SimChargeState::kFull)
        return std::nullopt;
    const std::chrono::microseconds now = m_clock.Now();
    std::optional<std::chrono::microseconds> next;
    for (LinkKind link : kCommandPreference) {
        const LinkSlot& slot = Slot(link);
        if (!slot.plugged || (link == LinkKind::Wireless && !m_state.receiverMouseOnline))
            continue;
        const std::chrono::microseconds due =
            std::max(slot.lastStatusReport + kBatteryReportPeriod - now, std::chrono::microseconds{0});
        next = next ? std::min(*next, due) : due;
    }
    return next;
}

void SimulatedMouse::StartReportTimer(std::chrono::milliseconds interval)
{
    const std::lock_guard lock(m_anchor->mutex);
    if (m_reportTimer.joinable())
        return;
    // Sleeping until the next report is due instead of looking every so often keeps a
    // program that rests from waking for nothing.
    m_reportTimer = std::thread([this, interval] {
        std::unique_lock wait(m_anchor->mutex);
        while (true) {
            const auto due = NextStatusReportDueLocked();
            const auto sleep = due ? std::min<std::chrono::microseconds>(*due, interval) : interval;
            if (m_reportTimerWake.wait_for(wait, sleep, [this] { return m_reportTimerStop; }))
                return;
            wait.unlock();
            SendDueStatusReports();
            wait.lock();
        }
    });
}

void SimulatedMouse::SetStateListener(std::function<void()> listener)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_stateListener = std::move(listener);
}

void SimulatedMouse::StateChanged() const
{
    if (m_stateListener)
        m_stateListener();
}

// ---- Faults ------------------------------------------------------------------------

void SimulatedMouse::RejectNextCommands(unsigned count)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_rejectCommands = count;
}

void SimulatedMouse::FailNextWrites(unsigned count)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_failWrites = count;
}

void SimulatedMouse::DropNextReplies(unsigned count)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_dropReplies = count;
}

void SimulatedMouse::DisconnectAfterReports(unsigned count)
{
    const std::lock_guard lock(m_anchor->mutex);
    m_disconnectAfter = count;
}

void SimulatedMouse::WaitForBlockedReaders(std::size_t count)
{
    std::unique_lock lock(m_anchor->mutex);
    m_anchor->readersChanged.wait(lock, [this, count] { return m_anchor->blockedReaders >= count; });
}

bool SimulatedMouse::WaitUntilStatusReportsRead(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_anchor->mutex);
    return m_anchor->readersChanged.wait_for(lock, timeout, [this] { return StatusReportsRead(); });
}

// ---- Reports from the command handles ----------------------------------------------

bool SimulatedMouse::IsCurrent(LinkKind link, std::uint64_t period) const
{
    const LinkSlot& slot = Slot(link);
    return slot.plugged && slot.period == period;
}

bool SimulatedMouse::ReceiveSetFeature(std::unique_lock<std::mutex>& lock, LinkKind link,
                                       std::span<const std::uint8_t> report)
{
    SimReceivedReport& record = Record(link, SimReportOperation::SetFeature, report);
    PlugEvents events;
    bool succeeded = false;
    if (m_failWrites > 0)
        --m_failWrites;
    else
        succeeded = ApplyWrite(link, report, events);
    record.succeeded = succeeded;
    CountTowardsDisconnect(events);
    Notify(lock, events);
    return succeeded;
}

bool SimulatedMouse::ReceiveGetFeature(std::unique_lock<std::mutex>& lock, LinkKind link,
                                       std::span<std::uint8_t> buffer)
{
    SimReceivedReport& record = Record(link, SimReportOperation::GetFeature, buffer);
    bool succeeded = false;
    if (m_dropReplies > 0) {
        --m_dropReplies;
        // The reply was sent and lost on the way: a pending acceptance is gone too.
        if (!buffer.empty() && buffer[0] == ReportId::kCommand)
            Slot(link).pendingReply.reset();
    } else {
        succeeded = AnswerRead(link, buffer);
    }
    record.succeeded = succeeded;
    if (succeeded)
        record.reply.assign(buffer.begin(), buffer.end());
    PlugEvents events;
    CountTowardsDisconnect(events);
    Notify(lock, events);
    return succeeded;
}

SimReceivedReport& SimulatedMouse::Record(LinkKind link, SimReportOperation operation,
                                          std::span<const std::uint8_t> bytes)
{
    if (m_received.size() >= m_receivedLimit) {
        m_received.pop_front();
        ++m_receivedDropped;
    }
    SimReceivedReport& report = m_received.emplace_back();
    report.time = m_clock.Now();
    report.link = link;
    report.operation = operation;
    report.bytes.assign(bytes.begin(), bytes.end());
    return report;
}

bool SimulatedMouse::ApplyWrite(LinkKind link, std::span<const std::uint8_t> report, PlugEvents& events)
{
    if (report.empty())
        return false;
    switch (report[0]) {
    case ReportId::kCommand:
        return ReceiveCommand(link, report);
    case ReportId::kPairing:
        return ReceivePairing(link, report);
    case ReportId::kFlash:
        return ReceiveFlashFrame(link, report, events);
    default:
        return false;  // no such feature report on the command collection
    }
}

bool SimulatedMouse::ReceiveCommand(LinkKind link, std::span<const std::uint8_t> report)
{
    LinkSlot& slot = Slot(link);
    slot.pendingReply.reset();
    const SimCommandDecoder::Verdict verdict = SimCommandDecoder::Check(report);
    if (verdict != SimCommandDecoder::Verdict::Valid) {
        ++m_state.rejectedCommands;
        // A report of the wrong length fails like any HID write of the wrong size; the
        // other faults reach the mouse and are only not accepted.
        return verdict != SimCommandDecoder::Verdict::WrongLength;
    }
    // The receiver has nothing to pass a command to while its mouse is off line.
    const bool unreachable = link == LinkKind::Wireless && !m_state.receiverMouseOnline;
    if (unreachable || m_rejectCommands > 0) {
        if (!unreachable)
            --m_rejectCommands;
        ++m_state.rejectedCommands;
        return true;
    }
    const SimCommandDecoder::Report command = report.first<ReportLength::kCommand>();
    SimCommandDecoder::Apply(m_state, command);
    ++m_state.acceptedCommands;
    CommandReply& reply = slot.pendingReply.emplace();
    std::copy(command.begin(), command.end(), reply.begin());
    return true;
}

bool SimulatedMouse::ReceivePairing(LinkKind link, std::span<const std::uint8_t> report)
{
    if (link != LinkKind::Wireless || report.size() != ReportLength::kPairing)
        return false;
    if (report[kPairingCode] == PairingLayout::kStartPairing)
        ++m_state.pairingRequests;
    return true;
}

bool SimulatedMouse::ReceiveFlashFrame(LinkKind link, std::span<const std::uint8_t> frame, PlugEvents& events)
{
    if (link != LinkKind::Wired || frame.size() != ReportLength::kFlash)
        return false;
    const bool handled = m_flash.HandleFrame(frame);
    if (m_flash.TakeRestartRequest()) {
        // The mouse leaves the bus and comes back: every handle of the wired link dies.
        UnplugLocked(LinkKind::Wired, events);
        PlugLocked(LinkKind::Wired, events);
    }
    return handled;
}

bool SimulatedMouse::AnswerRead(LinkKind link, std::span<std::uint8_t> buffer)
{
    if (buffer.empty())
        return false;
    switch (buffer[0]) {
    case ReportId::kCommand: {
        if (buffer.size() != ReportLength::kCommand)
            return false;
        LinkSlot& slot = Slot(link);
        std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
        buffer[CommandLayout::kReportId] = ReportId::kCommand;
        if (slot.pendingReply) {
            std::copy(slot.pendingReply->begin(), slot.pendingReply->end(), buffer.begin());
            slot.pendingReply.reset();
        }
        return true;
    }
    case ReportId::kPresence:
        if (buffer.size() != ReportLength::kPresence)
            return false;
        std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
        buffer[0] = ReportId::kPresence;
        std::copy(PresenceLayout::kDeviceSignature.begin(), PresenceLayout::kDeviceSignature.end(),
                  buffer.begin() + PresenceLayout::kSignature);
        buffer[PresenceLayout::kOnline] =
            link == LinkKind::Wireless ? (m_state.receiverMouseOnline ? kOnline : kOffline) : kOnline;
        return true;
    case ReportId::kFlash:
        if (link != LinkKind::Wired || buffer.size() != ReportLength::kFlash)
            return false;
        return m_flash.FillReply(buffer);
    default:
        return false;
    }
}

void SimulatedMouse::CountTowardsDisconnect(PlugEvents& events)
{
    if (m_disconnectAfter == 0 || --m_disconnectAfter > 0)
        return;
    for (LinkKind link : kCommandPreference)
        UnplugLocked(link, events);
}

// ---- Plug periods and status queues ------------------------------------------------

void SimulatedMouse::PlugLocked(LinkKind link, PlugEvents& events)
{
    LinkSlot& slot = Slot(link);
    if (slot.plugged)
        return;
    slot.plugged = true;
    ++slot.period;
    slot.lastStatusReport = m_clock.Now();
    events.push_back({link, true});
    StateChanged();
}

void SimulatedMouse::UnplugLocked(LinkKind link, PlugEvents& events)
{
    LinkSlot& slot = Slot(link);
    if (!slot.plugged)
        return;
    slot.plugged = false;
    ++slot.period;
    slot.pendingReply.reset();
    EndStatusQueues(slot);
    events.push_back({link, false});
    StateChanged();
}

void SimulatedMouse::EndStatusQueues(LinkSlot& slot)
{
    for (const std::weak_ptr<SimInputQueue>& weak : slot.statusQueues) {
        if (const std::shared_ptr<SimInputQueue> queue = weak.lock()) {
            queue->ended = true;
            queue->reports.clear();
            queue->arrived.notify_all();
        }
    }
    slot.statusQueues.clear();
    m_anchor->readersChanged.notify_all();
}

bool SimulatedMouse::StatusReportsRead() const
{
    for (const LinkSlot& slot : m_links) {
        for (const std::weak_ptr<SimInputQueue>& weak : slot.statusQueues) {
            const std::shared_ptr<SimInputQueue> queue = weak.lock();
            if (queue && !queue->ended && (!queue->reports.empty() || !queue->readerWaiting))
                return false;
        }
    }
    return true;
}

void SimulatedMouse::Emit(LinkKind link, const SimStatusReport& report)
{
    LinkSlot& slot = Slot(link);
    if (!slot.plugged)
        return;
    slot.lastStatusReport = m_clock.Now();
    for (const std::weak_ptr<SimInputQueue>& weak : slot.statusQueues) {
        const std::shared_ptr<SimInputQueue> queue = weak.lock();
        if (queue && !queue->ended) {
            queue->reports.push_back(report);
            queue->arrived.notify_all();
        }
    }
}

void SimulatedMouse::EmitLiveState()
{
    for (LinkKind link : kCommandPreference)
        Emit(link, m_state.live.BuildReport(OnlineByte(link)));
    StateChanged();
}

std::uint8_t SimulatedMouse::OnlineByte(LinkKind link) const
{
    if (link != LinkKind::Wireless)
        return 0;
    return m_state.receiverMouseOnline ? kOnline : kOffline;
}

void SimulatedMouse::Notify(std::unique_lock<std::mutex>& lock, const PlugEvents& events)
{
    if (events.empty() || !m_plugListener) {
        lock.unlock();
        return;
    }
    const PlugListener listener = m_plugListener;
    lock.unlock();
    for (const PlugEvent& event : events)
        listener(event.link, event.plugged);
}

#include "device/DeviceDiscovery.h"

#include "device/ConnectionState.h"
#include "device/DeviceLink.h"
#include "device/DeviceLinkEvents.h"
#include "device/DeviceTexts.h"
#include "device/HidReports.h"
#include "device/HidTrafficLog.h"
#include "device/LoggingHidHandle.h"
#include "device/StatusListener.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

// The order in which links get their listeners and command interfaces.
constexpr std::array<LinkKind, kLinkKindCount> kStartOrder = {LinkKind::Wired, LinkKind::Wireless, LinkKind::Ble};

// The system's paths carry the vendor id; only the four lower-case hex digits count, so
// an interface whose path spells it in capitals is not the mouse.
[[nodiscard]] bool PathNamesVendor(const std::string& path)
{
    static const std::string vendor = [] {
        char text[8];
        std::snprintf(text, sizeof text, "%.4x", static_cast<unsigned>(DeviceIds::kVendor));
        return std::string(text);
    }();
    return path.find(vendor) != std::string::npos;
}

// The part of the machine's list discovery looks at: the first 150 interfaces, and of
// those only the ones whose path can name the mouse are worth opening.
HidListLimits ProbeLimits()
{
    return HidListLimits{static_cast<std::size_t>(DeviceDiscovery::kProbeCount), PathNamesVendor};
}

}  // namespace

DeviceDiscovery::DeviceDiscovery(HidBackend& backend, DeviceLink& link, UiPoster& poster, DeviceLinkEvents& events,
                                 std::shared_ptr<HidTrafficLog> log, Listeners listeners)
    : m_backend(backend),
      m_link(link),
      m_poster(poster),
      m_events(events),
      m_log(std::move(log)),
      m_listenerMode(listeners)
{
    m_link.SetPresenceListener([this](bool mouseOnline) { OnPresenceReply(mouseOnline); });
}

DeviceDiscovery::~DeviceDiscovery()
{
    m_backend.SetChangeListener(nullptr);
    m_link.SetPresenceListener(nullptr);
    StopListeners();
}

void DeviceDiscovery::Startup(int needPassword)
{
    ConnectionState& connection = m_link.Connection();
    if (needPassword == 1)
        m_events.MinimiseMainWindow();
    connection.deviceConfirmed = needPassword == 0;
    connection.receiverMouseOnline = connection.deviceConfirmed;
    m_events.RefreshWindow();
    RegisterForDeviceChanges();
    m_link.PrimeLastSent();
    // Writes the last run could not finish go out with the first apply.
    if (m_link.TakeUnsentFromLastRun() && connection.deviceConfirmed)
        m_link.ScheduleApply();
    Enumerate();
    if (AnyPresent() && connection.noDeviceShown) {
        connection.noDeviceShown = false;
        m_events.RefreshWindow();
    }
    // The window check has work only while the mouse is unconfirmed.
    if (!connection.deviceConfirmed)
        m_events.StartWindowCheckTimer(kWindowCheckPeriod);
    m_events.StartConnectionTimer(kIndicatorAtStartup);
}

void DeviceDiscovery::RegisterForDeviceChanges()
{
    // A listener still running would keep its flag; ending them first keeps the rule of
    // one listener per link when the flags are cleared.
    StopListeners();
    for (auto& active : m_listenerActive)
        active.store(false);
    m_link.CloseAll();
    m_link.Connection().noDeviceShown = true;
    // Whatever the buttons' private macro copies were refreshed from, the mouse that
    // comes now is to be treated as new.
    m_link.Macros().macroRefreshed.fill(false);
    m_backend.SetChangeListener([this](HidDeviceChange change) { OnDeviceChange(change); });
}

void DeviceDiscovery::Enumerate()
{
    const std::vector<HidInterfaceInfo> interfaces = m_backend.ListCandidates(ProbeLimits());
    ConnectionState& connection = m_link.Connection();
    m_found.clear();
    m_accessProblems.clear();
    connection.anyPresent = false;
    for (const LinkKind kind : kStartOrder)
        m_link.Link(kind).present = false;

    const int probes = std::min(kProbeCount, static_cast<int>(interfaces.size()));
    for (int index = 0; index < probes; ++index)
        Probe(index, interfaces[static_cast<std::size_t>(index)]);
    connection.anyPresent = AnyPresent();

    for (const LinkKind kind : kStartOrder) {
        if (m_link.Link(kind).present) {
            StartListener(kind, interfaces);
            if (!m_link.HasCommandInterface(kind))
                OpenCommandInterface(kind, interfaces);
        } else {
            m_link.CloseCommandInterface(kind);
        }
    }

    if (connection.anyPresent)
        ShowLinkInCharge();
    else
        m_events.ShowStatusImage(std::nullopt);

    const LinkState& ble = m_link.Link(LinkKind::Ble);
    if (ble.wasPresent && !ble.present)
        m_events.StartReenumerateTimer(kReenumerateDelay);
    for (const LinkKind kind : kStartOrder)
        m_link.Link(kind).wasPresent = m_link.Link(kind).present;

    if (!m_accessProblems.empty()) {
        std::string message;
        for (const std::string& problem : m_accessProblems)
            message += (message.empty() ? "" : "\n") + problem;
        m_events.AccessDenied(message);
    }
}

void DeviceDiscovery::Probe(int index, const HidInterfaceInfo& info)
{
    if (!PathNamesVendor(info.path) || info.vendorId != DeviceIds::kVendor)
        return;
    const auto kind = LinkKindOfProduct(info.productId);
    if (!kind)
        return;
    DiscoveredInterface found{index, *kind, DiscoveredInterface::Role::Other, info};
    if (info.inputReportLength == ReportLength::kStatus)
        found.role = DiscoveredInterface::Role::Status;
    else if (info.featureReportLength == ReportLength::kCommand)
        found.role = DiscoveredInterface::Role::Command;
    if (found.role == DiscoveredInterface::Role::Other) {
        // The mouse's pointer and keyboard collections; some systems keep them to
        // themselves, so they are not opened.
        m_found.push_back(std::move(found));
        return;
    }
    // The interface must open, as the command slot and the listener will open it later.
    // One this user may not open is remembered, so it is not taken for a missing mouse.
    HidOpenResult opened = m_backend.Open(info.path);
    if (!opened.handle) {
        if (opened.error == HidOpenError::AccessDenied)
            m_accessProblems.push_back(opened.message);
        return;
    }
    opened.handle->Close();

    LinkState& link = m_link.Link(*kind);
    if (found.role == DiscoveredInterface::Role::Status) {
        link.statusIndex = index;
    } else {
        link.commandIndex = index;
        link.present = true;
        if (*kind == LinkKind::Wired)
            m_link.Connection().wiredVersion = info.versionNumber;
    }
    m_found.push_back(std::move(found));
}

std::optional<LinkKind> DeviceDiscovery::LinkInCharge() const
{
    for (const LinkKind kind : kCommandPreference)
        if (m_link.Link(kind).present)
            return kind;
    return std::nullopt;
}

void DeviceDiscovery::ShowLinkInCharge()
{
    const LinkKind inCharge = LinkInCharge().value_or(LinkKind::Wireless);
    m_events.StartBatteryTimer(kBatteryPeriod);
    m_events.ShowStatusImage(inCharge);
    if (!m_link.Link(inCharge).wasPresent) {
        m_link.QueryPresence();
        if (inCharge == LinkKind::Ble)
            m_events.SetHeaderTabEnabled(false);
    }
    if (inCharge != LinkKind::Ble)
        m_events.SetHeaderTabEnabled(true);
    m_events.StartConnectionTimer(kIndicatorAfterEnumeration);
}

std::unique_ptr<HidHandle> DeviceDiscovery::OpenOfLink(LinkKind link, int index,
                                                        const std::vector<HidInterfaceInfo>& interfaces)
{
    if (index < 0 || static_cast<std::size_t>(index) >= interfaces.size())
        return nullptr;
    const HidInterfaceInfo& info = interfaces[static_cast<std::size_t>(index)];
    // The index may name another device by now if the system's list changed since the
    // enumeration; the ids tell.
    if (info.vendorId != DeviceIds::kVendor || info.productId != ProductIdOf(link))
        return nullptr;
    HidOpenResult opened = m_backend.Open(info.path);
    if (!opened.handle)
        return nullptr;
    if (!m_log)
        return std::move(opened.handle);
    return std::make_unique<LoggingHidHandle>(std::move(opened.handle), link, m_log);
}

std::unique_ptr<HidHandle> DeviceDiscovery::OpenStatusInterface(LinkKind link)
{
    return OpenOfLink(link, m_link.Link(link).statusIndex, m_backend.ListCandidates(ProbeLimits()));
}

void DeviceDiscovery::OpenCommandInterface(LinkKind link)
{
    OpenCommandInterface(link, m_backend.ListCandidates(ProbeLimits()));
}

void DeviceDiscovery::OpenCommandInterface(LinkKind link, const std::vector<HidInterfaceInfo>& interfaces)
{
    m_link.CloseCommandInterface(link);
    if (auto handle = OpenOfLink(link, m_link.Link(link).commandIndex, interfaces))
        m_link.SetCommandInterface(link, std::move(handle));
}

void DeviceDiscovery::StartListener(LinkKind link, const std::vector<HidInterfaceInfo>& interfaces)
{
    std::atomic<bool>& active = m_listenerActive[LinkIndex(link)];
    if (m_listenerMode == Listeners::None || active.load())
        return;
    const int index = m_link.Link(link).statusIndex;
    auto handle = OpenOfLink(link, index, interfaces);
    if (!handle)
        return;
    const std::size_t inputLength = interfaces[static_cast<std::size_t>(index)].inputReportLength;
    const std::weak_ptr<int> alive = m_alive;
    auto reports = [this, alive](LinkKind from, const std::vector<std::uint8_t>& report) {
        if (alive.lock())
            m_link.OnStatusReport(from, report);
    };
    // An ended listener is joined at once, unless a newer one has taken its place.
    const std::size_t slot = LinkIndex(link);
    const std::uint64_t generation = m_listenerGeneration[slot] + 1;
    auto ended = [this, alive, slot, generation] {
        if (alive.lock() && m_listenerGeneration[slot] == generation)
            m_listeners[slot].reset();
    };
    auto listener = StatusListener::Start(link, std::move(handle), inputLength, active, m_poster, std::move(reports),
                                          std::move(ended));
    // The listener this replaces has ended (its flag was free); destroying it joins it.
    if (listener) {
        m_listenerGeneration[slot] = generation;
        m_listeners[slot] = std::move(listener);
    }
}

void DeviceDiscovery::OnDeviceChange(HidDeviceChange change)
{
    ConnectionState& connection = m_link.Connection();
    if (change == HidDeviceChange::Arrival) {
        const bool someLinkMissing = std::any_of(kStartOrder.begin(), kStartOrder.end(),
                                                 [this](LinkKind kind) { return !m_link.Link(kind).present; });
        if (someLinkMissing)
            Enumerate();
        if (AnyPresent() && connection.noDeviceShown)
            connection.noDeviceShown = false;
        m_events.RefreshWindow();
        return;
    }
    // A removal while no link was present is some other device; it changes nothing.
    if (!AnyPresent())
        return;
    Enumerate();
    if (AnyPresent())
        return;
    if (connection.firmwareUpdateActive) {
        // The mouse restarts during a firmware update; only the next removal counts.
        connection.firmwareUpdateActive = false;
        return;
    }
    connection.noDeviceShown = true;
    connection.deviceConfirmed = false;
    m_events.HideMainWindow();
    m_events.CloseOpenDialogs();
    m_events.QuitProgram();
}

void DeviceDiscovery::OnPresenceReply(bool mouseOnline)
{
    ConnectionState& connection = m_link.Connection();
    connection.receiverMouseOnline = mouseOnline;
    // Only a restore request shows the window: the replies to the queries of an
    // enumeration (the start-up's among them) confirm the mouse and leave the window
    // where it is, so a start in the tray stays there until the user asks for it.
    const bool showRequested = std::exchange(m_showRequested, false);
    if (!connection.deviceConfirmed) {
        connection.deviceConfirmed = true;
        m_events.StopWindowCheckTimer();
        if (showRequested) {
            connection.shownByPresence = true;
            m_events.ShowMainWindow();
        }
        if (m_link.ResendPending())
            m_link.ScheduleApply();
    } else if (showRequested && mouseOnline) {
        // The mouse answered the request it was asked for.
        connection.shownByPresence = true;
        m_events.ShowMainWindow();
    } else if (!mouseOnline && connection.shownByPresence) {
        connection.shownByPresence = false;
        m_events.MinimiseMainWindow();
    }
}

void DeviceDiscovery::RequestShowWindow()
{
    const ConnectionState& connection = m_link.Connection();
    if (connection.deviceConfirmed && connection.receiverMouseOnline) {
        m_events.ShowMainWindow();
        return;
    }
    m_showRequested = true;
    m_link.QueryPresence();
}

void DeviceDiscovery::OnConnectionTimer()
{
    ConnectionState& connection = m_link.Connection();
    const bool receiverOpen = m_link.HasCommandInterface(LinkKind::Wireless);
    if (m_link.HasCommandInterface(LinkKind::Wired) || m_link.HasCommandInterface(LinkKind::Ble) ||
        (receiverOpen && connection.receiverMouseOnline)) {
        if (connection.connectionIndicator != ConnectionIndicator::Connected) {
            connection.connectionIndicator = ConnectionIndicator::Connected;
            m_events.ShowConnectionNotice(false);
        }
    } else if (receiverOpen) {
        if (connection.connectionIndicator != ConnectionIndicator::ReceiverMouseOffline) {
            connection.connectionIndicator = ConnectionIndicator::ReceiverMouseOffline;
            m_events.ShowConnectionNotice(true);
        }
    } else {
        m_events.ShowAttention(DeviceTexts::kNotice, DeviceTexts::kNoMouseFound);
    }
}

void DeviceDiscovery::OnReenumerateTimer()
{
    // Clearing the receiver's history makes the enumeration query it again.
    m_link.Link(LinkKind::Wireless).wasPresent = false;
    Enumerate();
}

void DeviceDiscovery::OnWindowCheckTimer()
{
    if (m_link.Connection().deviceConfirmed)
        m_events.StopWindowCheckTimer();
    else
        m_events.HideMainWindow();
}

void DeviceDiscovery::Shutdown()
{
    m_link.CloseAll();
    StopListeners();
}

bool DeviceDiscovery::AnyPresent() const
{
    return std::any_of(kStartOrder.begin(), kStartOrder.end(),
                       [this](LinkKind kind) { return m_link.Link(kind).present; });
}

void DeviceDiscovery::StopListeners()
{
    for (auto& listener : m_listeners)
        listener.reset();
}

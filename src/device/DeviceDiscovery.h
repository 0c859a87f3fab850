#pragma once

#include "device/HidBackend.h"
#include "device/LinkKind.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class DeviceLink;
class DeviceLinkEvents;
class HidTrafficLog;
class StatusListener;
class UiPoster;

// What an enumeration found of the mouse: one entry per interface that passed the vendor
// and product checks.
struct DiscoveredInterface {
    enum class Role : std::uint8_t { Status, Command, Other };

    int index = 0;  // position in the machine's interface list
    LinkKind link = LinkKind::Wired;
    Role role = Role::Other;
    HidInterfaceInfo info;
};

// Finds the mouse among the machine's HID interfaces and follows it: which links are
// present, one command interface per link in DeviceLink's slots, one status listener per
// link, the presence and confirmation state and the connection indicator. Window actions
// go out as DeviceLinkEvents. Everything runs on the UI thread except the listeners,
// whose reports come back as posted tasks.
class DeviceDiscovery {
public:
    // Only the first interfaces of the machine's list are examined.
    static constexpr int kProbeCount = 150;
    static constexpr std::chrono::milliseconds kBatteryPeriod{1000};
    static constexpr std::chrono::milliseconds kIndicatorAfterEnumeration{1000};
    static constexpr std::chrono::milliseconds kIndicatorAtStartup{2000};
    static constexpr std::chrono::milliseconds kReenumerateDelay{300};
    static constexpr std::chrono::milliseconds kWindowCheckPeriod{100};

    enum class Listeners : std::uint8_t {
        PerLink,  // one status listener per present link, as the program runs
        None,     // for tools that only send commands and read what they need themselves
    };

    // `log`, when given, records every transfer on the interfaces discovery opens.
    DeviceDiscovery(HidBackend& backend, DeviceLink& link, UiPoster& poster, DeviceLinkEvents& events,
                    std::shared_ptr<HidTrafficLog> log = nullptr, Listeners listeners = Listeners::PerLink);
    ~DeviceDiscovery();
    DeviceDiscovery(const DeviceDiscovery&) = delete;
    DeviceDiscovery& operator=(const DeviceDiscovery&) = delete;

    // The start-up order: confirmation from NeedPassword (0: confirmed; 1 also minimises
    // the window), registration, primed copies, the first enumeration, then the window
    // check (only while unconfirmed) and connection timers.
    void Startup(int needPassword);

    // Empties the slots, clears the listener flags of ended listeners, shows the
    // no-device state and asks the backend for arrival and removal.
    void RegisterForDeviceChanges();
    // Probes the first 150 interfaces and brings the links, slots, listeners and window
    // in line with what it found.
    void Enumerate();
    // Reopens one link's command interface by the index the last enumeration found.
    void OpenCommandInterface(LinkKind link);
    void OnDeviceChange(HidDeviceChange change);
    // A valid presence reply (DeviceLink passes them here).
    void OnPresenceReply(bool mouseOnline);
    // The tray or a second instance asks for the window: shown at once when the mouse is
    // confirmed and on line, else the mouse is asked and its reply shows the window.
    void RequestShowWindow();
    // Timer handlers: connection indicator (one-shot), re-enumeration (one-shot), window
    // check (periodic while the mouse is unconfirmed; it stops itself once it is).
    void OnConnectionTimer();
    void OnReenumerateTimer();
    void OnWindowCheckTimer();
    // The main window goes: closes the command interfaces and ends the listeners.
    void Shutdown();

    [[nodiscard]] const std::vector<DiscoveredInterface>& Found() const { return m_found; }
    // The link whose status image shows: wired before BLE before the receiver; nothing
    // when no link is present.
    [[nodiscard]] std::optional<LinkKind> LinkInCharge() const;
    // Opens a link's status interface as the last enumeration found it; null when there
    // is none or it cannot be opened.
    [[nodiscard]] std::unique_ptr<HidHandle> OpenStatusInterface(LinkKind link);
    // Why interfaces of the mouse could not be opened at the last enumeration.
    [[nodiscard]] const std::vector<std::string>& AccessProblems() const { return m_accessProblems; }
    [[nodiscard]] bool ListenerActive(LinkKind link) const { return m_listenerActive[LinkIndex(link)].load(); }

private:
    // Opens the interface at `index` of `interfaces` when it is still this link's, with
    // the traffic log around it when there is one.
    [[nodiscard]] std::unique_ptr<HidHandle> OpenOfLink(LinkKind link, int index,
                                                        const std::vector<HidInterfaceInfo>& interfaces);
    void Probe(int index, const HidInterfaceInfo& info);
    void OpenCommandInterface(LinkKind link, const std::vector<HidInterfaceInfo>& interfaces);
    void StartListener(LinkKind link, const std::vector<HidInterfaceInfo>& interfaces);
    void ShowLinkInCharge();
    [[nodiscard]] bool AnyPresent() const;
    void StopListeners();

    HidBackend& m_backend;
    DeviceLink& m_link;
    UiPoster& m_poster;
    DeviceLinkEvents& m_events;
    std::shared_ptr<HidTrafficLog> m_log;
    Listeners m_listenerMode;
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);

    std::array<std::atomic<bool>, kLinkKindCount> m_listenerActive{};
    std::array<std::unique_ptr<StatusListener>, kLinkKindCount> m_listeners;
    // Counts the listeners started per link, so that the end notice of an old listener
    // cannot be taken for one of its successor's.
    std::array<std::uint64_t, kLinkKindCount> m_listenerGeneration{};
    std::vector<DiscoveredInterface> m_found;
    std::vector<std::string> m_accessProblems;
    // A restore request asked the mouse; its reply shows the window.
    bool m_showRequested = false;
};

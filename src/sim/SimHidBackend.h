#pragma once

#include "device/HidBackend.h"
#include "device/LinkKind.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class SimulatedMouse;
class UiPoster;

// The mouse's collections on one link, as a system lists them.
enum class SimCollection : std::uint8_t {
    Pointer,  // the mouse as a pointing device; the system keeps it to itself
    Status,   // input report 7
    Command,  // feature reports 9, 8, 0xBC, 0xBF
};

// The simulated mouse's links as the machine's HID interfaces: first the interfaces of
// other devices, then for every plugged link, in the order wired, BLE, receiver, its
// pointer, status and command collections. Plugging and unplugging a link arrives as a
// device change on the UI thread, through the poster.
class SimHidBackend final : public HidBackend {
public:
    using InterfaceAdjuster = std::function<void(LinkKind, SimCollection, HidInterfaceInfo&)>;

    SimHidBackend(SimulatedMouse& mouse, UiPoster& poster);
    ~SimHidBackend() override;
    SimHidBackend(const SimHidBackend&) = delete;
    SimHidBackend& operator=(const SimHidBackend&) = delete;

    [[nodiscard]] std::vector<HidInterfaceInfo> ListInterfaces() override;
    [[nodiscard]] HidOpenResult Open(const std::string& path) override;
    void SetChangeListener(ChangeListener listener) override;

    // Interfaces of other devices, listed before the mouse's; they cannot be opened.
    void SetOtherInterfaces(std::vector<HidInterfaceInfo> interfaces);
    // Changes how the mouse's interfaces are listed (paths, ids, lengths), to show what
    // the checks of discovery make of them.
    void SetInterfaceAdjuster(InterfaceAdjuster adjuster);
    // The mouse's interfaces on this link are there, but opening them is not allowed.
    void DenyAccess(LinkKind link);

    // The default path of a collection: it names vendor and product in lower-case hex.
    [[nodiscard]] static std::string PathOf(LinkKind link, SimCollection collection);

private:
    struct Target {
        LinkKind link;
        SimCollection collection;
    };

    SimulatedMouse& m_mouse;
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    ChangeListener m_changeListener;  // UI thread only

    mutable std::mutex m_mutex;  // Open may come from any thread
    std::vector<HidInterfaceInfo> m_otherInterfaces;
    InterfaceAdjuster m_adjuster;
    std::vector<LinkKind> m_deniedLinks;
    std::map<std::string, Target> m_targets;  // the mouse's paths as last listed
};

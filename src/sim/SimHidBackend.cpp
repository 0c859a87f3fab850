#include "sim/SimHidBackend.h"

#include "device/HidHandle.h"
#include "device/HidReports.h"
#include "device/UiPoster.h"
#include "sim/SimulatedMouse.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr std::array<LinkKind, kLinkKindCount> kListOrder = {LinkKind::Wired, LinkKind::Ble, LinkKind::Wireless};
constexpr std::array<SimCollection, 3> kCollections = {SimCollection::Pointer, SimCollection::Status,
                                                       SimCollection::Command};
// The firmware version the mouse reports in its attributes.
constexpr std::uint16_t kVersionNumber = 0x0102;
// Buttons, X, Y and wheel, with the report-id byte.
constexpr std::uint16_t kPointerInputLength = 8;

[[nodiscard]] HidInterfaceInfo InfoOf(LinkKind link, SimCollection collection)
{
    HidInterfaceInfo info;
    info.path = SimHidBackend::PathOf(link, collection);
    info.vendorId = DeviceIds::kVendor;
    info.productId = ProductIdOf(link);
    info.versionNumber = kVersionNumber;
    switch (collection) {
    case SimCollection::Pointer:
        info.inputReportLength = kPointerInputLength;
        break;
    case SimCollection::Status:
        info.inputReportLength = static_cast<std::uint16_t>(ReportLength::kStatus);
        break;
    case SimCollection::Command:
        info.featureReportLength = static_cast<std::uint16_t>(ReportLength::kCommand);
        break;
    }
    return info;
}

[[nodiscard]] HidOpenResult OpenFailure(HidOpenError error, const std::string& path, const char* reason)
{
    return HidOpenResult{nullptr, error, "cannot open " + path + ": " + reason};
}

}  // namespace

SimHidBackend::SimHidBackend(SimulatedMouse& mouse, UiPoster& poster) : m_mouse(mouse)
{
    m_mouse.SetPlugListener([this, &poster, alive = std::weak_ptr<int>(m_alive)](LinkKind, bool plugged) {
        const HidDeviceChange change = plugged ? HidDeviceChange::Arrival : HidDeviceChange::Removal;
        poster.Post([this, alive, change] {
            if (alive.lock() && m_changeListener)
                m_changeListener(change);
        });
    });
}

SimHidBackend::~SimHidBackend()
{
    m_mouse.SetPlugListener(nullptr);
}

std::string SimHidBackend::PathOf(LinkKind link, SimCollection collection)
{
    char path[64];
    std::snprintf(path, sizeof path, "sim:hid#vid_%.4x&pid_%.4x&col%.2d", static_cast<unsigned>(DeviceIds::kVendor),
                  static_cast<unsigned>(ProductIdOf(link)), static_cast<int>(collection) + 1);
    return path;
}

std::vector<HidInterfaceInfo> SimHidBackend::ListInterfaces()
{
    const std::lock_guard lock(m_mutex);
    std::vector<HidInterfaceInfo> interfaces = m_otherInterfaces;
    m_targets.clear();
    for (const LinkKind link : kListOrder) {
        if (!m_mouse.IsPlugged(link))
            continue;
        for (const SimCollection collection : kCollections) {
            HidInterfaceInfo info = InfoOf(link, collection);
            if (m_adjuster)
                m_adjuster(link, collection, info);
            m_targets[info.path] = Target{link, collection};
            interfaces.push_back(std::move(info));
        }
    }
    return interfaces;
}

HidOpenResult SimHidBackend::Open(const std::string& path)
{
    Target target{};
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_targets.find(path);
        if (found == m_targets.end())
            return OpenFailure(HidOpenError::AccessDenied, path, "another device's interface (simulated)");
        target = found->second;
        if (std::find(m_deniedLinks.begin(), m_deniedLinks.end(), target.link) != m_deniedLinks.end())
            return OpenFailure(HidOpenError::AccessDenied, path, "Permission denied (simulated)");
    }
    std::unique_ptr<HidHandle> handle;
    switch (target.collection) {
    case SimCollection::Pointer:
        return OpenFailure(HidOpenError::AccessDenied, path, "the system holds the pointer (simulated)");
    case SimCollection::Status:
        handle = m_mouse.OpenStatusInterface(target.link);
        break;
    case SimCollection::Command:
        handle = m_mouse.OpenCommandInterface(target.link);
        break;
    }
    if (!handle)
        return OpenFailure(HidOpenError::NotFound, path, "the link is unplugged (simulated)");
    return HidOpenResult{std::move(handle), HidOpenError::None, {}};
}

void SimHidBackend::SetChangeListener(ChangeListener listener)
{
    m_changeListener = std::move(listener);
}

void SimHidBackend::SetOtherInterfaces(std::vector<HidInterfaceInfo> interfaces)
{
    const std::lock_guard lock(m_mutex);
    m_otherInterfaces = std::move(interfaces);
}

void SimHidBackend::SetInterfaceAdjuster(InterfaceAdjuster adjuster)
{
    const std::lock_guard lock(m_mutex);
    m_adjuster = std::move(adjuster);
}

void SimHidBackend::DenyAccess(LinkKind link)
{
    const std::lock_guard lock(m_mutex);
    m_deniedLinks.push_back(link);
}

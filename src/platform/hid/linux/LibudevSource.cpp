#include "platform/hid/linux/LibudevSource.h"

#include "platform/hid/linux/HidIdProperty.h"

#include <libudev.h>

#include <charconv>
#include <fstream>
#include <iterator>

namespace {

constexpr const char* kSubsystem = "hidraw";

std::string TextOrEmpty(const char* text)
{
    return text != nullptr ? std::string(text) : std::string();
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// bcdDevice, four hex digits; 0 when missing or not a number.
std::uint16_t ParseVersion(const char* text)
{
    const std::string value = TextOrEmpty(text);
    std::uint16_t version = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), version, 16);
    return error == std::errc() && end == value.data() + value.size() ? version : 0;
}

}  // namespace

LibudevSource::LibudevSource() : m_udev(udev_new())
{
    if (m_udev == nullptr)
        return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (m_monitor == nullptr)
        return;
    if (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, kSubsystem, nullptr) < 0
        || udev_monitor_enable_receiving(m_monitor) < 0) {
        udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
    }
}

LibudevSource::~LibudevSource()
{
    if (m_monitor != nullptr)
        udev_monitor_unref(m_monitor);
    if (m_udev != nullptr)
        udev_unref(m_udev);
}

std::vector<HidrawNode> LibudevSource::EnumerateHidrawNodes()
{
    std::vector<HidrawNode> nodes;
    if (m_udev == nullptr)
        return nodes;
    udev_enumerate* enumerate = udev_enumerate_new(m_udev);
    if (enumerate == nullptr)
        return nodes;
    if (udev_enumerate_add_match_subsystem(enumerate, kSubsystem) >= 0 && udev_enumerate_scan_devices(enumerate) >= 0) {
        for (udev_list_entry* entry = udev_enumerate_get_list_entry(enumerate); entry != nullptr;
             entry = udev_list_entry_get_next(entry)) {
            udev_device* hidraw = udev_device_new_from_syspath(m_udev, udev_list_entry_get_name(entry));
            if (hidraw == nullptr)
                continue;  // gone between the scan and now
            nodes.push_back(Describe(hidraw));
            udev_device_unref(hidraw);
        }
    }
    udev_enumerate_unref(enumerate);
    return nodes;
}

std::optional<HidrawNode> LibudevSource::FindHidrawNode(const std::string& devnode)
{
    if (m_udev == nullptr)
        return std::nullopt;
    const std::size_t slash = devnode.rfind('/');
    const std::string sysname = slash == std::string::npos ? devnode : devnode.substr(slash + 1);
    udev_device* hidraw = udev_device_new_from_subsystem_sysname(m_udev, kSubsystem, sysname.c_str());
    if (hidraw == nullptr)
        return std::nullopt;
    HidrawNode node = Describe(hidraw);
    udev_device_unref(hidraw);
    return node;
}

int LibudevSource::MonitorDescriptor() const
{
    return m_monitor != nullptr ? udev_monitor_get_fd(m_monitor) : -1;
}

std::vector<UdevChange> LibudevSource::ReceiveChanges()
{
    std::vector<UdevChange> changes;
    if (m_monitor == nullptr)
        return changes;
    // The monitor's socket does not block: receiving stops once the queue is empty.
    while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
        changes.push_back({TextOrEmpty(udev_device_get_action(device)), TextOrEmpty(udev_device_get_devnode(device))});
        udev_device_unref(device);
    }
    return changes;
}

HidrawNode LibudevSource::Describe(udev_device* hidraw)
{
    HidrawNode node;
    node.devnode = TextOrEmpty(udev_device_get_devnode(hidraw));
    if (node.devnode.empty())
        node.devnode = "/dev/" + TextOrEmpty(udev_device_get_sysname(hidraw));

    // Parents belong to the child; they are not released here.
    if (udev_device* hid = udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr)) {
        if (const auto id = HidIdProperty::Parse(TextOrEmpty(udev_device_get_property_value(hid, "HID_ID")))) {
            node.vendorId = id->vendorId;
            node.productId = id->productId;
        }
        node.reportDescriptor = ReadFileBytes(TextOrEmpty(udev_device_get_syspath(hid)) + "/report_descriptor");
    }
    // Only USB says the device's release number; over Bluetooth it stays 0.
    if (udev_device* usb = udev_device_get_parent_with_subsystem_devtype(hidraw, "usb", "usb_device"))
        node.versionNumber = ParseVersion(udev_device_get_sysattr_value(usb, "bcdDevice"));
    return node;
}

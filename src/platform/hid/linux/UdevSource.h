#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One hidraw node as udev describes it.
struct HidrawNode {
    std::string devnode;  // e.g. /dev/hidraw3
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;             // 0 when the bus does not say
    std::vector<std::uint8_t> reportDescriptor;  // empty when it cannot be read
};

// One event of the hidraw subsystem.
struct UdevChange {
    std::string action;  // as udev names it: "add", "remove", "change", "bind", ...
    std::string devnode;
};

// What the hidraw backend asks of udev, so that it can be tested without devices.
// The backend serialises every call.
class UdevSource {
public:
    virtual ~UdevSource() = default;

    // Every hidraw node of the machine, in no particular order.
    [[nodiscard]] virtual std::vector<HidrawNode> EnumerateHidrawNodes() = 0;
    // The node that `devnode` names now; nothing when there is none.
    [[nodiscard]] virtual std::optional<HidrawNode> FindHidrawNode(const std::string& devnode) = 0;
    // Readable when events wait; -1 when the source cannot watch for them.
    [[nodiscard]] virtual int MonitorDescriptor() const = 0;
    // The events waiting now, oldest first; does not block.
    [[nodiscard]] virtual std::vector<UdevChange> ReceiveChanges() = 0;
};

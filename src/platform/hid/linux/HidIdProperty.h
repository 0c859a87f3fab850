#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The HID_ID property of a kernel HID device, "BUS:VENDOR:PRODUCT" in hex with 4, 8 and
// 8 digits, e.g. "0003:0000248A:00006674" for a USB device, "0005:..." for Bluetooth.
struct HidIdProperty {
    std::uint16_t bus = 0;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;

    // Nothing when `text` is not of that form or an id does not fit 16 bits.
    [[nodiscard]] static std::optional<HidIdProperty> Parse(std::string_view text);
};

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The three ways the mouse can be reached. Every link has its own product id under the
// one vendor id.
enum class LinkKind : std::uint8_t {
    Wired,
    Ble,
    Wireless,  // the wireless USB receiver
};

inline constexpr std::size_t kLinkKindCount = 3;

namespace DeviceIds {
inline constexpr std::uint16_t kVendor = 0x248A;
inline constexpr std::uint16_t kWiredProduct = 0x6674;
inline constexpr std::uint16_t kBleProduct = 0x6673;
inline constexpr std::uint16_t kWirelessProduct = 0x6675;
}  // namespace DeviceIds

// Commands go to the first open command interface in this order.
inline constexpr std::array<LinkKind, kLinkKindCount> kCommandPreference = {
    LinkKind::Wired, LinkKind::Ble, LinkKind::Wireless};

[[nodiscard]] constexpr std::size_t LinkIndex(LinkKind link)
{
    return static_cast<std::size_t>(link);
}

[[nodiscard]] constexpr std::uint16_t ProductIdOf(LinkKind link)
{
    switch (link) {
    case LinkKind::Wired:
        return DeviceIds::kWiredProduct;
    case LinkKind::Ble:
        return DeviceIds::kBleProduct;
    case LinkKind::Wireless:
        return DeviceIds::kWirelessProduct;
    }
    return 0;
}

[[nodiscard]] constexpr std::optional<LinkKind> LinkKindOfProduct(std::uint16_t productId)
{
    switch (productId) {
    case DeviceIds::kWiredProduct:
        return LinkKind::Wired;
    case DeviceIds::kBleProduct:
        return LinkKind::Ble;
    case DeviceIds::kWirelessProduct:
        return LinkKind::Wireless;
    default:
        return std::nullopt;
    }
}

// The link's name in logs and command-line output: "wired", "ble", "wireless".
[[nodiscard]] constexpr std::string_view LinkName(LinkKind link)
{
    switch (link) {
    case LinkKind::Wired:
        return "wired";
    case LinkKind::Ble:
        return "ble";
    case LinkKind::Wireless:
        return "wireless";
    }
    return "";
}

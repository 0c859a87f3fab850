#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The path of one top-level collection of a hidraw node, as ListInterfaces hands it out
// and Open takes it back: "/dev/hidraw3#vid_248a&pid_6674&col02", collections counted
// from 1. The ids let Open tell when the node number now belongs to another device, and
// let callers that look for a vendor's id in the path find it.
struct HidrawInterfacePath {
    std::string devnode;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    unsigned collection = 1;

    [[nodiscard]] std::string Format() const;
    // Nothing when `path` is not of that form.
    [[nodiscard]] static std::optional<HidrawInterfacePath> Parse(std::string_view path);
};

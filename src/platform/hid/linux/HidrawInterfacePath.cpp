#include "platform/hid/linux/HidrawInterfacePath.h"

#include <charconv>
#include <cstdio>

namespace {

constexpr std::string_view kVendorTag = "#vid_";
constexpr std::string_view kProductTag = "&pid_";
constexpr std::string_view kCollectionTag = "&col";
constexpr std::size_t kIdDigits = 4;

// Takes `tag` and then a number of `digits` digits (all the decimal digits there when
// kAnyDigits) from the front of `text`; false when either is missing.
constexpr std::size_t kAnyDigits = 0;

template <typename Number>
bool TakeField(std::string_view& text, std::string_view tag, int base, std::size_t digits, Number& value)
{
    if (!text.starts_with(tag))
        return false;
    text.remove_prefix(tag.size());
    if (digits == kAnyDigits) {
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
            ++digits;
    }
    if (digits == 0 || text.size() < digits)
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + digits, value, base);
    if (error != std::errc() || end != text.data() + digits)
        return false;
    text.remove_prefix(digits);
    return true;
}

}  // namespace

std::string HidrawInterfacePath::Format() const
{
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, "#vid_%04x&pid_%04x&col%02u", vendorId, productId, collection);
    return devnode + suffix;
}

std::optional<HidrawInterfacePath> HidrawInterfacePath::Parse(std::string_view path)
{
    const std::size_t hash = path.rfind('#');
    if (hash == std::string_view::npos || hash == 0)
        return std::nullopt;
    HidrawInterfacePath parsed;
    parsed.devnode = std::string(path.substr(0, hash));
    std::string_view rest = path.substr(hash);
    if (!TakeField(rest, kVendorTag, 16, kIdDigits, parsed.vendorId)
        || !TakeField(rest, kProductTag, 16, kIdDigits, parsed.productId)
        || !TakeField(rest, kCollectionTag, 10, kAnyDigits, parsed.collection) || !rest.empty()
        || parsed.collection == 0)
        return std::nullopt;
    return parsed;
}

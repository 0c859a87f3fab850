#include "platform/hid/linux/HidIdProperty.h"

#include <algorithm>
#include <charconv>

namespace {

// One hex field up to the next ':' (or the end); false unless it is all hex and fits 16 bits.
bool TakeHexField(std::string_view& text, std::uint16_t& value)
{
    const std::size_t colon = text.find(':');
    const std::string_view field = text.substr(0, colon);
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number, 16);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() || number > 0xFFFF)
        return false;
    value = static_cast<std::uint16_t>(number);
    text.remove_prefix(colon == std::string_view::npos ? text.size() : colon + 1);
    return true;
}

}  // namespace

std::optional<HidIdProperty> HidIdProperty::Parse(std::string_view text)
{
    if (std::count(text.begin(), text.end(), ':') != 2)
        return std::nullopt;
    HidIdProperty id;
    if (!TakeHexField(text, id.bus) || !TakeHexField(text, id.vendorId) || !TakeHexField(text, id.productId))
        return std::nullopt;
    return id;
}

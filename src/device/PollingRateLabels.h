#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

// The polling rate names stored in the profile and shown by the on-screen display, by
// PollingRateValue index.
inline constexpr std::array<std::u16string_view, 7> kPollingRateLabels = {
    u"125Hz", u"250Hz", u"500Hz", u"1000Hz", u"2000Hz", u"4000Hz", u"8000Hz"};

// The label of an index; 6 and every larger index are 8000 Hz.
[[nodiscard]] constexpr std::u16string_view PollingRateLabel(std::uint8_t index)
{
    return kPollingRateLabels[std::min<std::size_t>(index, kPollingRateLabels.size() - 1)];
}

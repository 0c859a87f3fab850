#include "keyfunc/popups/CMultimediaPopup.h"

#include <array>

namespace {

constexpr auto kConsumer = static_cast<std::uint8_t>(FunctionType::ConsumerControl);

// Consumer-page usages: 0x0183 media player, 0x00B6 previous, 0x00B5 next, 0x00B7 stop,
// 0x00CD play/pause, 0x00E2 mute, 0x00E9 volume up, 0x00EA volume down, 0x018A e-mail,
// 0x0192 calculator.
constexpr std::array<FunctionEntry, 10> kEntries{{
    {1, 45, {kConsumer, 0x83, 0x01}},
    {2, 46, {kConsumer, 0xB6, 0x00}},
    {3, 47, {kConsumer, 0xB5, 0x00}},
    {4, 48, {kConsumer, 0xB7, 0x00}},
    {5, 49, {kConsumer, 0xCD, 0x00}},
    {6, 50, {kConsumer, 0xE2, 0x00}},
    {7, 51, {kConsumer, 0xE9, 0x00}},
    {8, 52, {kConsumer, 0xEA, 0x00}},
    {9, 53, {kConsumer, 0x8A, 0x01}},
    {10, 54, {kConsumer, 0x92, 0x01}},
}};

}  // namespace

CMultimediaPopup::CMultimediaPopup(const LanguageTexts& texts, const MenuImages& images)
    : CTablePopup(texts, kEntries, kKind, images)
{
}

#include "keyfunc/popups/CWindowsManagePopup.h"

#include <array>

namespace {

constexpr auto kConsumer = static_cast<std::uint8_t>(FunctionType::ConsumerControl);
constexpr auto kCombination = static_cast<std::uint8_t>(FunctionType::KeyCombination);

// Entry 1 is the consumer usage 0x0194 (the local-machine browser); the others are
// Alt+F4, Win+D, Win+R, Win+Down Arrow and Win+Up Arrow.
constexpr std::array<FunctionEntry, 6> kEntries{{
    {1, 75, {kConsumer, 0x94, 0x01}},
    {2, 76, {kCombination, ModifierBits::kAlt, 0x3D}},
    {3, 77, {kCombination, ModifierBits::kWin, 0x07}},
    {4, 78, {kCombination, ModifierBits::kWin, 0x15}},
    {5, 79, {kCombination, ModifierBits::kWin, 0x51}},
    {6, 80, {kCombination, ModifierBits::kWin, 0x52}},
}};

}  // namespace

CWindowsManagePopup::CWindowsManagePopup(const LanguageTexts& texts, const MenuImages& images)
    : CTablePopup(texts, kEntries, kKind, images)
{
}

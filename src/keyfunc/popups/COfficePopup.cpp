#include "keyfunc/popups/COfficePopup.h"

#include <array>

namespace {

constexpr auto kCombination = static_cast<std::uint8_t>(FunctionType::KeyCombination);
constexpr std::uint8_t kCtrl = ModifierBits::kCtrl;
constexpr std::uint8_t kWin = ModifierBits::kWin;

// Keyboard usages: C 0x06, V 0x19, X 0x1B, A 0x04, N 0x11, S 0x16, P 0x13, E 0x08, Z 0x1D.
constexpr std::array<FunctionEntry, 9> kEntries{{
    {1, 60, {kCombination, kCtrl, 0x06}},
    {2, 61, {kCombination, kCtrl, 0x19}},
    {3, 62, {kCombination, kCtrl, 0x1B}},
    {4, 63, {kCombination, kCtrl, 0x04}},
    {5, 64, {kCombination, kCtrl, 0x11}},
    {6, 65, {kCombination, kCtrl, 0x16}},
    {7, 66, {kCombination, kCtrl, 0x13}},
    {8, 67, {kCombination, kWin, 0x08}},
    {9, 68, {kCombination, kCtrl, 0x1D}},
}};

}  // namespace

COfficePopup::COfficePopup(const LanguageTexts& texts, const MenuImages& images)
    : CTablePopup(texts, kEntries, kKind, images)
{
}

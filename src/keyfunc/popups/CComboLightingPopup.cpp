#include "keyfunc/popups/CComboLightingPopup.h"

#include <array>

namespace {

constexpr int kDesignWidth = 189;

// Byte 0 = the lighting mode: entries 1..7 are modes 1..7, entry 10 is mode 0 (off).
// Modes 8 and 9 are not offered.
constexpr std::array<FunctionEntry, 8> kEntries{{
    {1, 100, {1, 0, 0}},
    {2, 101, {2, 0, 0}},
    {3, 102, {3, 0, 0}},
    {4, 103, {4, 0, 0}},
    {5, 104, {5, 0, 0}},
    {6, 105, {6, 0, 0}},
    {7, 106, {7, 0, 0}},
    {10, 109, {0, 0, 0}},
}};

}  // namespace

CComboLightingPopup::CComboLightingPopup(const LanguageTexts& texts, const MenuImages& images)
    : CTablePopup(texts, kEntries, kKind, images, kDesignWidth, EntryLook::Image, {1, 0, 0})
{
}

#include "keyfunc/popups/CDPIPopup.h"

#include <array>

namespace {

constexpr auto kDpiFunction = static_cast<std::uint8_t>(FunctionType::DpiFunction);

// Entry 3 is the function button 5 carries by default.
constexpr std::array<FunctionEntry, 3> kEntries{{
    {1, 40, {kDpiFunction, 0x02, 0x00}},
    {2, 41, {kDpiFunction, 0x03, 0x00}},
    {3, 42, {kDpiFunction, 0x01, 0x00}},
}};

}  // namespace

CDPIPopup::CDPIPopup(const LanguageTexts& texts, const MenuImages& images)
    : CTablePopup(texts, kEntries, kKind, images)
{
}

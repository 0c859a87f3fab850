#include "keyfunc/popups/CProfileRKeyPopup.h"

#include <array>

namespace {

// Byte 0: 0 import, 1 export, 2 edit, 3 delete.
constexpr std::array<FunctionEntry, 4> kEntries{{
    {1, 90, {0, 0, 0}},
    {2, 91, {1, 0, 0}},
    {3, 92, {2, 0, 0}},
    {4, 93, {3, 0, 0}},
}};

}  // namespace

CProfileRKeyPopup::CProfileRKeyPopup(const LanguageTexts& texts, const MenuImages& images)
    : CTablePopup(texts, kEntries, kKind, images)
{
}

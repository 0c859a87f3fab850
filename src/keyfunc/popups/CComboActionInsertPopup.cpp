#include "keyfunc/popups/CComboActionInsertPopup.h"

#include <array>

namespace {

constexpr int kDesignWidth = 118;

// Byte 0: left, right and middle click, delay, key, move left, right, up, down.
constexpr std::array<FunctionEntry, 9> kEntries{{
    {1, 20, {0, 0, 0}},
    {2, 21, {1, 0, 0}},
    {3, 22, {2, 0, 0}},
    {4, 205, {3, 0, 0}},
    {5, 206, {4, 0, 0}},
    {6, 207, {5, 0, 0}},
    {7, 208, {6, 0, 0}},
    {8, 209, {7, 0, 0}},
    {9, 210, {8, 0, 0}},
}};

}  // namespace

CComboActionInsertPopup::CComboActionInsertPopup(const LanguageTexts& texts, const MenuImages& images)
    : CTablePopup(texts, kEntries, kKind, images, kDesignWidth)
{
}

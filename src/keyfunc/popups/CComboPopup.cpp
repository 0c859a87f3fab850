#include "keyfunc/popups/CComboPopup.h"

#include "keyfunc/popups/CTablePopup.h"
#include "profiles/LanguageTexts.h"

#include <algorithm>
#include <array>

namespace {

enum class Action {
    Function,  // sends the value bytes
    SubList,   // hovering opens a sub-list; a click does nothing
    Dialog,    // a click asks the owner to run a dialog
};

struct ComboEntry {
    int id;
    int text;
    Action action;
    FunctionValue value;    // Function
    UiMessage message = 0;  // SubList: open request; Dialog: dialog request
};

constexpr auto kButton = static_cast<std::uint8_t>(FunctionType::MouseButton);
constexpr auto kFire = static_cast<std::uint8_t>(FunctionType::FireKey);
constexpr auto kDisabled = static_cast<std::uint8_t>(FunctionType::Disabled);

// Mouse-button bits: 0x01 left, 0x02 right, 0x04 middle, 0x08 button 4, 0x10 button 5.
// The fire-key preset is 0x32, 0x03.
constexpr std::array<ComboEntry, 16> kEntries{{
    {1, 20, Action::Function, {kButton, 0x01, 0x00}},
    {2, 21, Action::Function, {kButton, 0x02, 0x00}},
    {3, 22, Action::Function, {kButton, 0x04, 0x00}},
    {4, 23, Action::Function, {kButton, 0x10, 0x00}},
    {5, 24, Action::Function, {kButton, 0x08, 0x00}},
    {6, 25, Action::SubList, {}, CComboPopup::kOpenDpiFunctions},
    {7, 26, Action::Dialog, {}, CComboPopup::kAskFireKey},
    {8, 27, Action::Function, {kFire, 0x32, 0x03}},
    {9, 28, Action::Dialog, {}, CComboPopup::kAskMacroSelection},
    {10, 29, Action::Dialog, {}, CComboPopup::kAskShortcut},
    {11, 30, Action::SubList, {}, CComboPopup::kOpenMultimedia},
    {12, 31, Action::SubList, {}, CComboPopup::kOpenOfficeFunctions},
    {13, 32, Action::SubList, {}, CComboPopup::kOpenWindowsFunctions},
    {14, 36, Action::SubList, {}, CComboPopup::kOpenDpiLock},
    {15, 39, Action::Dialog, {}, CComboPopup::kAskLaunchProgram},
    {16, 34, Action::Function, {kDisabled, 0x00, 0x00}},
}};

const ComboEntry* Find(int id)
{
    const auto* found = std::ranges::find(kEntries, id, &ComboEntry::id);
    return found != kEntries.end() ? found : nullptr;
}

}  // namespace

CComboPopup::CComboPopup(const LanguageTexts& texts, const MenuImages& images)
    : CMenuPopup(images, CTablePopup::kWidth, CTablePopup::kEntryHeight, EntryLook::Image, {}, kKind),
      m_texts(texts)
{
}

void CComboPopup::FillEntries()
{
    for (const ComboEntry& entry : kEntries)
        AddEntry(entry.id, m_texts.Text(static_cast<std::size_t>(entry.text)), entry.action == Action::SubList);
}

void CComboPopup::OnEntryClicked(const MenuEntry& entry)
{
    const ComboEntry* row = Find(entry.id);
    if (row == nullptr)
        return;
    switch (row->action) {
    case Action::Function:
        SendResult(entry.caption, row->value);
        break;
    case Action::Dialog:
        SendToParent(row->message, static_cast<WParam>(OwnerValue()), 0);
        break;
    case Action::SubList:
        break;
    }
}

void CComboPopup::OnEntryEntered(const MenuEntry& entry)
{
    const ComboEntry* row = Find(entry.id);
    if (row != nullptr && row->action == Action::SubList) {
        const auto index = static_cast<int>(row - kEntries.data());
        SendToParent(row->message, static_cast<WParam>(OwnerValue()), EntryScreenTop(index));
    } else {
        SendToParent(kCloseSubList, static_cast<WParam>(OwnerValue()), 0);
    }
}

#pragma once

#include "keyfunc/popups/CMenuPopup.h"

class LanguageTexts;

// The button-function list. Direct entries send a function record; entries with the
// sub-list arrow ask the owner, when the pointer comes onto them, to open their sub-list
// beside the entry; four entries ask the owner to run a dialog.
//
// Requests go to the owner as (message, opener id, lParam): a sub-list request carries
// the screen y of the hovered entry's top, so the sub-list opens beside it; the close
// request and the dialog requests carry 0.
class CComboPopup : public CMenuPopup {
public:
    static constexpr int kKind = 0;
    static constexpr UiMessage kResultMessage = Msg::kUser + 3;

    // The pointer came onto an entry without a sub-list: close an open sub-list.
    static constexpr UiMessage kCloseSubList = Msg::kUser + 9;
    static constexpr UiMessage kOpenDpiFunctions = Msg::kUser + 16;
    static constexpr UiMessage kOpenMultimedia = Msg::kUser + 19;
    static constexpr UiMessage kOpenDpiLock = Msg::kUser + 130;
    static constexpr UiMessage kOpenWindowsFunctions = Msg::kUser + 133;
    static constexpr UiMessage kOpenOfficeFunctions = Msg::kUser + 136;

    static constexpr UiMessage kAskShortcut = Msg::kUser + 11;
    static constexpr UiMessage kAskLaunchProgram = Msg::kUser + 13;
    static constexpr UiMessage kAskFireKey = Msg::kUser + 38;
    static constexpr UiMessage kAskMacroSelection = Msg::kUser + 41;

    explicit CComboPopup(const LanguageTexts& texts, const MenuImages& images = MenuImages::Standard());

protected:
    void FillEntries() override;
    void OnEntryClicked(const MenuEntry& entry) override;
    void OnEntryEntered(const MenuEntry& entry) override;

private:
    const LanguageTexts& m_texts;
};

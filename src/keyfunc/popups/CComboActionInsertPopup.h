#pragma once

#include "keyfunc/popups/CTablePopup.h"

// The macro manager's insert-action list; byte 0 = the kind of action.
class CComboActionInsertPopup : public CTablePopup {
public:
    static constexpr int kKind = 14;
    static constexpr UiMessage kResultMessage = Msg::kUser + 143;

    explicit CComboActionInsertPopup(const LanguageTexts& texts, const MenuImages& images = MenuImages::Standard());
};

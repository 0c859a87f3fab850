#pragma once

#include "keyfunc/popups/CTablePopup.h"

// The lighting-mode list; byte 0 = the mode.
class CComboLightingPopup : public CTablePopup {
public:
    static constexpr int kKind = 9;
    static constexpr UiMessage kResultMessage = Msg::kUser + 121;

    explicit CComboLightingPopup(const LanguageTexts& texts, const MenuImages& images = MenuImages::Standard());
};

#pragma once

#include "keyfunc/popups/CTablePopup.h"

// The Windows functions: a consumer usage and key combinations.
class CWindowsManagePopup : public CTablePopup {
public:
    static constexpr int kKind = 11;
    static constexpr UiMessage kResultMessage = Msg::kUser + 134;

    explicit CWindowsManagePopup(const LanguageTexts& texts, const MenuImages& images = MenuImages::Standard());
};

#pragma once

#include "keyfunc/popups/CTablePopup.h"

// The office functions: key combinations.
class COfficePopup : public CTablePopup {
public:
    static constexpr int kKind = 12;
    static constexpr UiMessage kResultMessage = Msg::kUser + 137;

    explicit COfficePopup(const LanguageTexts& texts, const MenuImages& images = MenuImages::Standard());
};

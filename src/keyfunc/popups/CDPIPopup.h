#pragma once

#include "keyfunc/popups/CTablePopup.h"

// The DPI functions, opened beside the button-function list.
class CDPIPopup : public CTablePopup {
public:
    static constexpr int kKind = 2;
    static constexpr UiMessage kResultMessage = Msg::kUser + 17;

    explicit CDPIPopup(const LanguageTexts& texts, const MenuImages& images = MenuImages::Standard());
};

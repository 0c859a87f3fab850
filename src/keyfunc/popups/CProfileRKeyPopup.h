#pragma once

#include "keyfunc/popups/CTablePopup.h"

// The actions on a profile (right-click menu); byte 0 = the action.
class CProfileRKeyPopup : public CTablePopup {
public:
    static constexpr int kKind = 13;
    static constexpr UiMessage kResultMessage = Msg::kUser + 140;

    explicit CProfileRKeyPopup(const LanguageTexts& texts, const MenuImages& images = MenuImages::Standard());
};

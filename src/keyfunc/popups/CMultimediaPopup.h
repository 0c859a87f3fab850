#pragma once

#include "keyfunc/popups/CTablePopup.h"

// The multimedia functions: consumer-page usages, low byte first.
class CMultimediaPopup : public CTablePopup {
public:
    static constexpr int kKind = 3;
    static constexpr UiMessage kResultMessage = Msg::kUser + 20;

    explicit CMultimediaPopup(const LanguageTexts& texts, const MenuImages& images = MenuImages::Standard());
};

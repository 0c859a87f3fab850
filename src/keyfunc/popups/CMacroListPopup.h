#pragma once

#include "keyfunc/popups/CMenuPopup.h"

class LanguageTexts;

// The macro manager's context menu. Which commands it offers depends on the mode the
// manager passes (what is selected); byte 0 = the command 0..7, the name stays empty.
class CMacroListPopup : public CMenuPopup {
public:
    static constexpr int kKind = 15;
    static constexpr UiMessage kResultMessage = Msg::kUser + 145;
    // Modes: nothing selected and a folder selected; any other value offers everything.
    static constexpr int kModeNothingSelected = 0;
    static constexpr int kModeFolder = 2;

    CMacroListPopup(const LanguageTexts& texts, int mode, const MenuImages& images = MenuImages::Standard());

protected:
    void FillEntries() override;
    void OnEntryClicked(const MenuEntry& entry) override;

private:
    const LanguageTexts& m_texts;
    int m_mode;
};

#pragma once

#include "keyfunc/popups/CMenuPopup.h"

#include <cstdint>

class LanguageTexts;

// The DPI-lock list: "200" .. "1200". The code sent for a DPI depends on the mouse's
// sensor; the name is language text 36, a hyphen and the caption.
class CDPILockPopup : public CMenuPopup {
public:
    static constexpr int kKind = 10;
    static constexpr UiMessage kResultMessage = Msg::kUser + 131;
    static constexpr int kEntryCount = 11;

    CDPILockPopup(const LanguageTexts& texts, std::uint16_t sensorId,
                  const MenuImages& images = MenuImages::Standard());

    // The sensor's code for entry 1..kEntryCount; 0 outside that range.
    [[nodiscard]] static std::uint8_t LockCode(std::uint16_t sensorId, int entry);

protected:
    void FillEntries() override;
    void OnEntryClicked(const MenuEntry& entry) override;

private:
    const LanguageTexts& m_texts;
    std::uint16_t m_sensorId;
};

#pragma once

#include "keyfunc/popups/CMenuPopup.h"

// The report-rate list: "125Hz" .. "1000Hz"; byte 0 = the rate's index 0..3.
class CComboPollingRatePopup : public CMenuPopup {
public:
    static constexpr int kKind = 8;
    static constexpr UiMessage kResultMessage = Msg::kUser + 111;

    explicit CComboPollingRatePopup(const MenuImages& images = MenuImages::Standard());

protected:
    void FillEntries() override;
    void OnEntryClicked(const MenuEntry& entry) override;
};

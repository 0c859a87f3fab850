#pragma once

#include "app/dialogs/CDPIValueDlgBase.h"

// Sets one DPI level's value for both axes, with the slider, the arrow keys or by
// typing a number (rounded up to the next step). OK writes the position into the DPI
// bar's value; the close cross changes nothing.
class CDPIValueSettingDlg : public CDPIValueDlgBase {
public:
    static constexpr int kDesignHeight = 140;

    CDPIValueSettingDlg(CDPIValueShowControl& bar, const DpiStepTable& table, const LanguageTexts& texts,
                        QWidget* parent = nullptr);

protected:
    void CreateControls(int left, int top, int right, int bottom) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void OnOkClicked() override;

private:
    LResult OnSlider(WParam wParam, LParam lParam);
};

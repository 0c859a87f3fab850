#pragma once

#include "app/dialogs/CDPIValueDlgBase.h"

class CCheckButton;

// Sets one DPI level's horizontal (X) and vertical (Y) values separately; with "XY Sync"
// checked, a change of either axis carries the other along. OK writes X into the DPI
// bar's value and Y into its second value; the close cross changes nothing.
class CDPIValueSyncSettingDlg : public CDPIValueDlgBase {
public:
    static constexpr int kDesignHeight = 217;
    static constexpr int kIdSync = 2019;

    CDPIValueSyncSettingDlg(CDPIValueShowControl& bar, const DpiStepTable& table,
                            const LanguageTexts& texts, QWidget* parent = nullptr);

    [[nodiscard]] int YPosition() const { return m_y.Position(); }
    [[nodiscard]] DpiAxisControls& YAxis() { return m_y; }
    [[nodiscard]] bool IsSyncChecked() const;

protected:
    void CreateControls(int left, int top, int right, int bottom) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void OnOkClicked() override;

private:
    LResult OnXSlider(WParam wParam, LParam lParam);
    LResult OnYSlider(WParam wParam, LParam lParam);
    LResult OnSync(WParam wParam, LParam lParam);
    // A slider's notification for its axis; pressed is that slider's pressed flag. With
    // "XY Sync" checked the other axis follows every move.
    void OnAxisSlider(DpiAxisControls& axis, DpiAxisControls& other, bool& pressed, WParam wParam, LParam lParam);
    // Enter, Left or Right in one axis' edit box; the other axis follows when synchronised.
    void OnAxisKey(DpiAxisControls& axis, DpiAxisControls& other, int key);
    void ShowBoth();

    DpiAxisControls m_y;
    CCheckButton* m_sync = nullptr;
    bool m_xPressed = false;
    bool m_yPressed = false;
};

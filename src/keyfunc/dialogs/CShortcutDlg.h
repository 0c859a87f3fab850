#pragma once

#include "keyfunc/dialogs/CKeyFunctionDlg.h"
#include "platform/keycapture/CKeyboardHook.h"

#include <cstdint>

class CCheckButton;
class CStaticText;

// Captures a key with optional Ctrl, Shift, Alt and Win for a key-combination function
// (type 0x70). The key comes from the keyboard hook, so it is the physical key as a US
// keyboard names it; the modifiers are the four check buttons. OK sends kResultMessage to
// the owner with the name and bytes, unless nothing at all was chosen.
class CShortcutDlg : public CKeyFunctionDlg {
public:
    static constexpr UiMessage kResultMessage = Msg::kUser + 12;  // 1036
    static constexpr int kIdPrompt = 2013;
    static constexpr int kIdKeyName = 2012;
    static constexpr int kIdCtrl = 2006;
    static constexpr int kIdAlt = 2007;
    static constexpr int kIdShift = 2008;
    static constexpr int kIdWin = 2009;
    static constexpr int kTextPrompt = 180;

    CShortcutDlg(CMessageWindow* owner, const LanguageTexts& texts, ShowNotice showNotice = {});
    ~CShortcutDlg() override;

    [[nodiscard]] QString KeyNameText() const;
    [[nodiscard]] bool IsCapturing() const { return m_hook.IsStarted(); }

protected:
    bool OnInitDialog() override;
    void CreateDialogControls() override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    // Every key belongs to the capture, Enter and Escape too: they neither confirm nor close.
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;

private:
    LResult OnKeyHook(WParam wParam, LParam lParam);
    LResult OnOkButton(WParam wParam, LParam lParam);
    CCheckButton* AddModifier(int id, int left, const QString& label);

    CKeyboardHook m_hook;
    CStaticText* m_keyName = nullptr;
    CCheckButton* m_ctrl = nullptr;
    CCheckButton* m_shift = nullptr;
    CCheckButton* m_alt = nullptr;
    CCheckButton* m_win = nullptr;
    QString m_capturedName;
    std::uint8_t m_capturedUsage = 0;
};

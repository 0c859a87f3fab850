#pragma once

#include "macros/windows/CMacroEditDlg.h"
#include "platform/keycapture/CKeyboardHook.h"

#include <cstdint>

class CStaticText;

// Picks the key of a key action by pressing it: while the dialog is open every key event
// from the key capture, press or release, makes its key the chosen one and shows its name.
// The last key event before OK wins. OK stores the chosen code in `code` (b0 of the
// action); Cancel leaves it. Enter and Escape are keys like any other here.
class CActionKeyModifyDlg : public CMacroEditDlg {
public:
    static constexpr int kIdPrompt = 2013;
    static constexpr int kIdKeyName = 2012;
    static constexpr int kTextPrompt = 221;
    static constexpr int kKeyNameFontUnits = 22;

    CActionKeyModifyDlg(const LanguageTexts& texts, std::uint8_t& code, QWidget* parent);
    ~CActionKeyModifyDlg() override;

    [[nodiscard]] std::uint8_t PendingCode() const { return m_pendingCode; }
    [[nodiscard]] QString KeyNameText() const;
    [[nodiscard]] bool IsCapturing() const { return m_hook.IsStarted(); }

protected:
    bool OnInitDialog() override;
    void CreateValueControls() override;
    void DrawBackground(QPainter& painter, const UiRect& clip) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void OnOkClicked() override;
    void OnCancel() override;

private:
    void ShowKeyName();

    std::uint8_t& m_code;
    std::uint8_t m_pendingCode;
    CKeyboardHook m_hook;
    CStaticText* m_keyName = nullptr;
};

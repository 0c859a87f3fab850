#pragma once

#include "keyfunc/dialogs/CKeyFunctionDlg.h"

class CEditBox;

// Takes the two numbers of a rapid-fire function (type 0x30): the first 5..255, the
// second 0..255. A 100 ms timer puts numbers past the range back to its edge with a
// notice; OK refuses a first number below 5. OK sends kResultMessage to the owner.
class CFireKeyDlg : public CKeyFunctionDlg {
public:
    static constexpr UiMessage kResultMessage = Msg::kUser + 39;  // 1063
    static constexpr int kIdText = 2012;
    static constexpr int kIdNumber = 2017;
    static constexpr unsigned kCheckTimer = 1;
    static constexpr int kCheckIntervalMs = 100;
    static constexpr int kTextPrompt = 170;
    static constexpr int kTextFirstLabel = 171;
    static constexpr int kTextSecondLabel = 172;
    static constexpr int kTextNote = 173;
    static constexpr int kTextFirstOutOfRange = 174;
    static constexpr int kTextDigitsOnly = 175;
    static constexpr int kTextSecondOutOfRange = 176;
    static constexpr int kTextFireKeyName = 26;

    CFireKeyDlg(CMessageWindow* owner, const LanguageTexts& texts, ShowNotice showNotice = {});
    ~CFireKeyDlg() override;

    [[nodiscard]] CEditBox* FirstBox() const { return m_first; }
    [[nodiscard]] CEditBox* SecondBox() const { return m_second; }

    // The integer at the start of a box's text, as the boxes are read: leading digits with
    // an optional sign, anything after them ignored, 0 without digits, clamped to int.
    [[nodiscard]] static int LeadingNumber(const QString& text);

protected:
    bool OnInitDialog() override;
    void CreateDialogControls() override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    // Enter and Escape neither confirm nor close.
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void OnOK() override;
    void OnCancel() override;

private:
    LResult OnTimer(WParam wParam, LParam lParam);
    LResult OnNonDigit(WParam wParam, LParam lParam);
    LResult OnOkButton(WParam wParam, LParam lParam);
    // Puts numbers outside their range back to its edge, with the notice of that box.
    void CorrectRanges();

    CEditBox* m_first = nullptr;
    CEditBox* m_second = nullptr;
};

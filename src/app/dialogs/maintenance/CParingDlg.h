#pragma once

#include "ui/dialogs/CFramedDlg.h"

#include "device/PairingSession.h"

#include <functional>

class CStaticText;

// The pairing dialog: the pair button asks the owner for the receiver's pairing request
// once, then a one-second tick waits up to 25 seconds for the receiver to report its mouse
// on line, showing the progress in the status line. A retry after a failure waits again
// without a new request. Space is the pair button and Enter is swallowed, unless the
// keyboard rests on a button (then both press that one); Escape closes.
class CParingDlg : public CFramedDlg {
public:
    static constexpr int kDesignWidth = 429;
    static constexpr int kDesignHeight = 140;
    static constexpr int kIdInstruction = 3001;
    static constexpr int kIdPair = 2010;
    static constexpr int kIdClose = 2011;
    static constexpr int kIdStatus = 2012;
    // Sent to the owner, which writes the receiver's pairing request.
    static constexpr UiMessage kPairingRequest = 0x496;
    static constexpr unsigned kTickTimer = 1;
    static constexpr int kTextInstruction = 283;
    static constexpr int kTextPair = 277;
    static constexpr int kTextClose = 5;

    // `receiverMouseOnline` reads the link's flag that the receiver's status reports set.
    CParingDlg(CMessageWindow* owner, const LanguageTexts& texts, std::function<bool()> receiverMouseOnline);

    [[nodiscard]] PairState State() const { return m_session.State(); }
    [[nodiscard]] QString StatusText() const;

protected:
    void CreateControls(int left, int top, int right, int bottom) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    // Every way out stops the tick.
    void OnCancel() override;

private:
    LResult OnPair(WParam wParam, LParam lParam);
    LResult OnTimer(WParam wParam, LParam lParam);
    void Press();
    void ShowStatus();

    CMessageWindow* m_owner;
    std::function<bool()> m_receiverMouseOnline;
    PairingSession m_session;
    CStaticText* m_status = nullptr;
};

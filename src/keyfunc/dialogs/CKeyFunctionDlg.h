#pragma once

#include "keyfunc/dialogs/KeyFunctionResult.h"
#include "ui/CDlgBase.h"
#include "ui/SkinImage.h"

#include <QString>

#include <functional>
#include <vector>

class CImageButton;
class CStaticText;
class LanguageTexts;

// The frame the shortcut, fire-key and quick-launch dialogs share: 429 x 140 design units
// over the common frame picture, the exit button (cancel), the OK and cancel text buttons,
// and the language texts. The owner receives the result with SendMessage before the
// dialog closes.
class CKeyFunctionDlg : public CDlgBase {
public:
    static constexpr int kDesignWidth = 429;
    static constexpr int kDesignHeight = 140;
    static constexpr int kIdUnnamed = -1;  // labels nobody addresses
    static constexpr int kIdExit = 2004;
    static constexpr int kIdOk = 2010;
    static constexpr int kIdCancel = 2011;
    static constexpr int kTextOk = 4;
    static constexpr int kTextCancel = 5;
    static constexpr int kTextNoticeTitle = 150;

    // Shows the program's notice (the attention dialog) with a title and a message text
    // number and returns when it is closed.
    using ShowNotice = std::function<void(int titleText, int messageText)>;

    CKeyFunctionDlg(CMessageWindow* owner, const LanguageTexts& texts, ShowNotice showNotice);
    ~CKeyFunctionDlg() override;

protected:
    [[nodiscard]] QString Text(int number) const;
    void Notice(int messageText) const;
    // Sends message to the owner with the record in lParam.
    void SendResult(UiMessage message, WParam wParam, const KeyFunctionResult& result);

    // Controls at design rectangles (scaled here).
    [[nodiscard]] static UiRect Scaled(const UiRect& design);
    CStaticText* AddStatic(int id, const UiRect& design, std::uint32_t colorRef, unsigned format,
                           const QString& text);
    CImageButton* AddTextButton(int id, const UiRect& design, int textNumber);
    // A white field behind a value shown in black, painted by the background.
    void AddWhiteField(const UiRect& design) { m_whiteFields.push_back(design); }

    void DrawBackground(QPainter& painter, const UiRect& clip) override;
    // Creates the exit button, then the dialog's own controls (CreateDialogControls), once.
    void CreateControls(int left, int top, int right, int bottom) final;
    virtual void CreateDialogControls() = 0;
    // The exit and cancel buttons: a click closes the dialog without a result.
    LResult OnCancelButton(WParam wParam, LParam lParam);

private:
    CMessageWindow* m_owner;
    const LanguageTexts& m_texts;
    ShowNotice m_showNotice;
    std::vector<UiRect> m_whiteFields;
    SkinImage m_frame;
};

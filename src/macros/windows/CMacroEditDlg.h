#pragma once

#include "ui/CEditBox.h"
#include "ui/dialogs/CAppDialog.h"

#include <QString>

// The frame the macro manager's five small dialogs share: 319 x 102 design units, a white
// prompt, the close cross and OK / Cancel. The action and name dialogs edit a value in a
// box that opens with the keyboard focus and the caret at the end; Enter acts as OK and
// Escape does nothing. Subclasses read the box in OnOkClicked.
class CMacroEditDlg : public CAppDialog {
public:
    static constexpr int kDesignWidth = 319;
    static constexpr int kDesignHeight = 102;
    static constexpr int kIdPrompt = 2012;
    static constexpr int kIdEdit = 2017;
    static constexpr int kTextNoticeTitle = 150;
    static constexpr int kTextDigitsOnly = 175;
    static constexpr std::uint32_t kWhite = 0xFFFFFF;
    static constexpr UiRect kPromptRect{10, 3, 220, 21};
    static constexpr UiRect kValueRect{11, 40, 306, 62};

    // The value box; null in the key dialog, which has none.
    [[nodiscard]] CEditBox* Edit() const { return m_edit; }

protected:
    // What the box holds and how typing into it is checked.
    struct Value {
        QString initialText;
        EditBoxFilter filter = EditBoxFilter::None;
    };

    // A dialog with a value box.
    CMacroEditDlg(const LanguageTexts& texts, int promptText, Value value, QWidget* parent);
    // A dialog without one (the key dialog): the prompt is placed under promptId and keys
    // are left to the subclass.
    CMacroEditDlg(const LanguageTexts& texts, int promptText, int promptId, QWidget* parent);

    void CreateControls(int left, int top, int right, int bottom) override;
    // The controls a subclass adds in place of the value box.
    virtual void CreateValueControls() {}
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;

    [[nodiscard]] QString EditText() const { return m_edit != nullptr ? m_edit->GetText() : QString(); }

private:
    int m_promptText;
    int m_promptId;
    bool m_hasBox;
    Value m_value;
    CEditBox* m_edit = nullptr;
};

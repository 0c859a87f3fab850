#pragma once

#include "keyfunc/dialogs/CKeyFunctionDlg.h"

#include <functional>

class CStaticText;

// Picks a program for a launch-program function (type 0x60). The browse button runs the
// program picker; OK (or Enter) closes the dialog and then, when a program was chosen,
// sends kResultMessage to the owner with the path string in wParam and the record in
// lParam. Without a choice nothing is sent and the button keeps its function.
class CQuickLaunchDlg : public CKeyFunctionDlg {
public:
    static constexpr UiMessage kResultMessage = Msg::kUser + 15;  // 1039
    static constexpr int kIdPrompt = 2014;
    static constexpr int kIdBrowse = 2012;
    static constexpr int kIdPath = 2013;
    static constexpr int kTextPrompt = 289;
    // Names the picture of the browse button for assistive technology.
    static constexpr int kTextBrowse = 329;
    static constexpr std::uint8_t kLaunchCode = 0x05;

    // Returns the chosen program's full path, or empty when the choice was cancelled.
    using PickProgram = std::function<QString(QWidget* parent)>;

    // Without pickProgram the desktop's file dialog is used (ProgramPicker).
    CQuickLaunchDlg(CMessageWindow* owner, const LanguageTexts& texts, PickProgram pickProgram = {});
    ~CQuickLaunchDlg() override;

    [[nodiscard]] QString PathText() const;

protected:
    void CreateDialogControls() override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;

private:
    LResult OnBrowse(WParam wParam, LParam lParam);
    LResult OnOkButton(WParam wParam, LParam lParam);
    // Closes with OK and sends the chosen program, if any.
    void Confirm();

    PickProgram m_pickProgram;
    CStaticText* m_path = nullptr;
    QString m_chosenName;
    QString m_chosenPath;
};

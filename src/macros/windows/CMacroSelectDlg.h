#pragma once

#include "keyfunc/dialogs/KeyFunctionResult.h"
#include "macros/MacroItemLocation.h"
#include "macros/windows/MacroTreeRows.h"
#include "ui/dialogs/CAppDialog.h"

class CDlgBase;
class CEditShowList;
class CVScrollBar;
class MacroLibrary;

// Picks the macro a button plays: the library tree, every folder closed at the start, and
// OK, which takes only a macro (a folder or nothing selected raises a notice and the
// window stays). Enter and Escape do nothing; the close cross cancels.
class CMacroSelectDlg : public CAppDialog {
public:
    static constexpr int kDesignWidth = 528;
    static constexpr int kDesignHeight = 365;
    static constexpr int kIdTitle = 2025;
    static constexpr int kIdTree = 2015;
    static constexpr int kIdTreeBar = 2021;
    static constexpr int kTextTitle = 191;
    static constexpr int kTextNotAMacro = 234;
    // The button's name: this text followed by the macro's name; a button given no macro
    // is disabled and named by the second.
    static constexpr int kTextMacroNamePrefix = 190;
    static constexpr int kTextDisabled = 34;
    // Sent to the window the selection was made for, lParam = the KeyFunctionResult.
    static constexpr UiMessage kResultMessage = Msg::kUser + 42;

    CMacroSelectDlg(const LanguageTexts& texts, MacroLibrary& library, QWidget* parent);
    ~CMacroSelectDlg() override;

    [[nodiscard]] const MacroItemLocation& Selection() const { return m_selection; }
    [[nodiscard]] CEditShowList* Tree() const { return m_tree; }
    [[nodiscard]] CVScrollBar* TreeBar() const { return m_treeBar; }

    // What a button is given for the item at `location`: the macro with its name and
    // function bytes 0x90 0x00 0x00, or, for anything else, a disabled function.
    [[nodiscard]] static KeyFunctionResult FunctionFor(const LanguageTexts& texts, const MacroLibrary& library,
                                                       const MacroItemLocation& location);
    // Runs the window modally over `window`; on OK, sends `window` kResultMessage with the
    // function of the chosen macro.
    static void Run(CDlgBase& window, const LanguageTexts& texts, MacroLibrary& library);

protected:
    void CreateControls(int left, int top, int right, int bottom) override;
    void DrawBackground(QPainter& painter, const UiRect& clip) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    bool OnMouseWheel(unsigned flags, int delta, QPoint point) override;
    void OnOkClicked() override;

private:
    void OnTreeNotice(LParam code);
    // The highlighted row stays in view and the scroll bar follows the list.
    void KeepHighlightInView();

    MacroLibrary& m_library;
    MacroTreeRows m_rows;
    MacroItemLocation m_selection;
    CEditShowList* m_tree = nullptr;
    CVScrollBar* m_treeBar = nullptr;
};

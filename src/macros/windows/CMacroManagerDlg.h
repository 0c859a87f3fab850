#pragma once

#include "macros/MacroItemLocation.h"
#include "macros/MacroRecorder.h"
#include "macros/windows/MacroActionRows.h"
#include "macros/windows/MacroManagerServices.h"
#include "macros/windows/MacroTreeRows.h"
#include "platform/keycapture/CKeyboardHook.h"
#include "ui/CDlgBase.h"
#include "ui/SkinImage.h"

#include <filesystem>

class CCheckButton;
class CComboButton;
class CEditBox;
class CImageButton;
class CMacroActionList;
class CMacroTreeList;
class CRowList;
class CVScrollBar;
class LanguageTexts;
class MacroLibrary;
struct MacroKey;

// The macro manager: the library's tree on the left, the selected macro's actions beside
// it, the recorder and the play mode on the right. It edits the library in memory and
// writes it to the library file when it closes and when a recording ends.
//
// Commands chosen in its drop-down and context menu run after the popup has closed and
// the window has repainted, never inside the popup's handler or a paint.
//
// The class is split by concern: the frame, messages and keys here, the controls in
// CMacroManagerDlgLayout.cpp, the tree and its commands in CMacroManagerDlgTree.cpp, the
// action list and its editing in CMacroManagerDlgActions.cpp, the recorder in
// CMacroManagerDlgRecorder.cpp.
class CMacroManagerDlg : public CDlgBase {
public:
    static constexpr int kDesignWidth = 528;
    static constexpr int kDesignHeight = 365;
    static constexpr int kMenuRoom = 300;  // design units offered to the context menu
    static constexpr int kInsertPopupSlot = 0;
    static constexpr int kMenuPopupSlot = 1;

    CMacroManagerDlg(const LanguageTexts& texts, MacroLibrary& library, std::filesystem::path libraryFile,
                     MacroManagerServices services, QWidget* parent = nullptr);
    ~CMacroManagerDlg() override;

    // Opens the folders above an item and selects it, as a click on its row would.
    void ShowItem(const MacroItemLocation& location);

    // State for the owner and tests.
    [[nodiscard]] const MacroItemLocation& Selection() const { return m_selection; }
    // The macro the action list shows and every command acts on; it follows the selection
    // when the highlight moves (RefreshSelection), never on its own.
    [[nodiscard]] MacroKey* SelectedMacro() const { return m_selectedMacro; }
    [[nodiscard]] int SelectedAction() const;
    [[nodiscard]] bool IsRecording() const { return m_recorder.IsRecording(); }
    [[nodiscard]] bool IsCapturingKeys() const { return m_hook.IsStarted(); }
    [[nodiscard]] const MacroTreeRows& TreeRows() const { return m_treeRows; }
    [[nodiscard]] CRowList& TreeList() const;
    [[nodiscard]] CRowList& ActionList() const;
    [[nodiscard]] CEditBox& RepeatCountBox() const { return *m_repeatCount; }
    [[nodiscard]] CEditBox& FixedDelayBox() const { return *m_fixedDelay; }
    // Whether the last write of the library file succeeded (true before any write).
    [[nodiscard]] bool LibrarySaved() const { return m_saved; }
    // The popup in a slot, while it is open.
    [[nodiscard]] CWndPopup* OpenPopup(int slot) const { return Popup(slot); }

protected:
    bool OnInitDialog() override;
    void CreateControls(int left, int top, int right, int bottom) override;
    void DrawBackground(QPainter& painter, const UiRect& clip) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    // Enter and Escape neither confirm nor close the window.
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    bool OnMouseWheel(unsigned flags, int delta, QPoint point) override;
    // The window system's close: as the close button, so no edit is lost.
    void OnCancel() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    // --- frame (CMacroManagerDlg.cpp)
    [[nodiscard]] QString Text(int number) const;
    int Notice(int messageText) const;
    void SaveLibrary();
    LResult OnClose(WParam wParam, LParam code);
    LResult OnNonDigitTyped(WParam wParam, LParam lParam);
    [[nodiscard]] static bool IsKeyEvent(const QEvent* event);

    // --- controls (CMacroManagerDlgLayout.cpp)
    [[nodiscard]] static UiRect Scaled(const UiRect& design);
    void AddLabel(int id, const UiRect& design, int text);
    CImageButton* AddTextButton(int id, const UiRect& design, int text);
    // Disables every control but the record button and the insert opener (recording), or
    // enables them all again.
    void LockForRecording(bool locked);

    // --- tree and its commands (CMacroManagerDlgTree.cpp)
    LResult OnTree(WParam wParam, LParam code);
    LResult OnTreeScroll(WParam wParam, LParam code);
    LResult OnNewMacroButton(WParam wParam, LParam code);
    LResult OnDeleteItemButton(WParam wParam, LParam code);
    void OnPlayMode(int id, LParam code);
    LResult OnRepeatCountChanged(WParam wParam, LParam code);
    LResult OnMenuChosen(WParam wParam, LParam lParam);
    LResult OnMenuClosed(WParam wParam, LParam lParam);
    void OpenContextMenu(QPoint clientPoint);
    void RunMenuCommand(int command);
    void NewItem(bool folder);
    void RenameItem();
    void DeleteItem();
    void RunFileCommand(int command);
    // The item or the library changed: the row list follows.
    void TreeChanged();
    // Highlights the selection's row and scrolls it into view.
    void ShowSelectedRow();
    // The selected macro becomes the one at the selection; the action list, the scroll
    // bars and the play mode follow it.
    void RefreshSelection();
    [[nodiscard]] MacroKey* MacroAtSelection() const;
    void ShowPlayMode();
    void UpdateRepeatCount();

    // --- action list and its editing (CMacroManagerDlgActions.cpp)
    LResult OnActionList(WParam wParam, LParam code);
    LResult OnActionScroll(WParam wParam, LParam code);
    LResult OnModifyButton(WParam wParam, LParam code);
    LResult OnDeleteActionButton(WParam wParam, LParam code);
    LResult OnInsertOpener(WParam wParam, LParam code);
    LResult OnInsertChosen(WParam wParam, LParam lParam);
    LResult OnInsertClosed(WParam wParam, LParam lParam);
    void RunInsert(int kind);
    void ModifyAction();
    // Shows the last action when the list holds more than it shows.
    void ScrollActionsToEnd();
    void ActionsChanged();

    // --- recorder (CMacroManagerDlgRecorder.cpp)
    LResult OnRecordButton(WParam wParam, LParam code);
    LResult OnKeyHook(WParam wParam, LParam lParam);
    void OnDelayMode(int id, LParam code);
    LResult OnFixedDelayChanged(WParam wParam, LParam code);
    void StartRecording();
    void StopRecording();
    // The macro is full: the recording ends by itself with its notice.
    void EndFullRecording();

    const LanguageTexts& m_texts;
    MacroLibrary& m_library;
    std::filesystem::path m_libraryFile;
    MacroManagerServices m_services;
    SkinImage m_frame;

    MacroItemLocation m_selection;
    MacroKey* m_selectedMacro = nullptr;
    MacroTreeRows m_treeRows;
    MacroActionRows m_actionRows;
    MacroRecorder m_recorder;
    CKeyboardHook m_hook;
    bool m_closed = false;
    bool m_saved = true;

    CMacroTreeList* m_tree = nullptr;
    CMacroActionList* m_actions = nullptr;
    CVScrollBar* m_treeBar = nullptr;
    CVScrollBar* m_actionBar = nullptr;
    CCheckButton* m_record = nullptr;
    CCheckButton* m_measured = nullptr;
    CCheckButton* m_fixed = nullptr;
    CComboButton* m_insertOpener = nullptr;
    CEditBox* m_fixedDelay = nullptr;
    CEditBox* m_repeatCount = nullptr;
};

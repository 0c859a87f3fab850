#pragma once

#include "SampleRows.h"

#include "ui/CDlgBase.h"

#include <QImage>

class CComboButton;
class CGalleryPopup;
class CRowList;
class CStaticText;
class CVScrollBar;

// A skinned window that shows every control of the toolkit in each of its states, a
// drop-down popup, the lists with a sample macro tree and action list. Built at the
// current UiScale; used by the gallery program, the screenshot test and the repaint
// benchmark.
class CGalleryDlg : public CDlgBase {
public:
    // Design size of the window: the main window's.
    static constexpr int kDesignWidth = 1127;
    static constexpr int kDesignHeight = 740;

    CGalleryDlg();
    ~CGalleryDlg() override;

    // Opens the sample drop-down under its opener.
    void OpenPopup();
    [[nodiscard]] CGalleryPopup* OpenedPopup() const;
    // The window as shown, with an open popup composed over it at its place.
    [[nodiscard]] QImage RenderScreenshot();
    [[nodiscard]] int ControlCount() const;

protected:
    void DrawBackground(QPainter& painter, const UiRect& clip) override;
    void CreateControls(int left, int top, int right, int bottom) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;

private:
    LResult OnClose(WParam wParam, LParam lParam);
    LResult OnOpener(WParam wParam, LParam lParam);
    LResult OnPopupResult(WParam wParam, LParam lParam);
    LResult OnPopupDismissed(WParam wParam, LParam lParam);
    LResult OnPopupClosed(WParam wParam, LParam lParam);
    LResult OnTreeMessage(WParam wParam, LParam lParam);
    LResult OnTreeScroll(WParam wParam, LParam lParam);
    LResult OnActionScroll(WParam wParam, LParam lParam);
    // Moves a list as its scroll bar asks and puts the bar back in step with the list.
    void Scroll(CRowList* list, CVScrollBar* bar, WParam part, LParam code);
    void SyncScrollBar(CRowList* list, CVScrollBar* bar);

    void BuildGalleryBackground();
    void AddSectionTitle(int left, int top, int right, const QString& title);
    void AddLabel(int left, int top, int right, int bottom, const QString& text,
                  unsigned format = 0);
    void CreateButtonSection();
    void CreateSelectionSection();
    void CreateComboAndTabSection();
    void CreateDialAndSliderSection();
    void CreateDisplaySection();
    void CreateListSection();
    void CreateEditSection();
    LResult OnNonDigitTyped(WParam wParam, LParam lParam);

    SampleMacroTree m_macroTree;
    SampleActionList m_actions;
    CComboButton* m_popupOpener = nullptr;
    CStaticText* m_choiceText = nullptr;
    CStaticText* m_editNotice = nullptr;
    CRowList* m_tree = nullptr;
    CVScrollBar* m_treeBar = nullptr;
    CRowList* m_actionList = nullptr;
    CVScrollBar* m_actionBar = nullptr;
    int m_nextLabelId = 9000;
    int m_selectedEntry = 1;
};

#include "macros/windows/CMacroSelectDlg.h"

#include "macros/MacroLibrary.h"
#include "macros/windows/CMacroTreeList.h"
#include "macros/windows/ListScrolling.h"
#include "profiles/LanguageTexts.h"
#include "ui/CEditShowList.h"
#include "ui/CVScrollBar.h"
#include "ui/SkinPainter.h"
#include "ui/dialogs/CAttentionDlg.h"
#include "ui/dialogs/DialogParts.h"

#include <QPainter>

namespace {

constexpr std::uint8_t kMacroFunction = 0x90;
constexpr UiRect kCloseCrossRect{505, 3, 520, 18};
constexpr UiRect kTitleRect{24, 35, 124, 52};
constexpr UiRect kOkRect{232, 333, 297, 356};
constexpr UiRect kTreeRect{25, 54, 488, 323};
constexpr UiRect kTreeBarRect{489, 54, 507, 323};
// The frame drawn around the list, one unit outside it.
constexpr UiRect kTreeFrame{24, 53, 489, 324};
constexpr std::uint32_t kTreeFrameColor = 0x949494;

}  // namespace

CMacroSelectDlg::CMacroSelectDlg(const LanguageTexts& texts, MacroLibrary& library, QWidget* parent)
    : CAppDialog(texts, QStringLiteral("Frame_Macro_Manager.bmp"), kDesignWidth, kDesignHeight, parent),
      m_library(library),
      m_rows(library)
{
}

CMacroSelectDlg::~CMacroSelectDlg() = default;

KeyFunctionResult CMacroSelectDlg::FunctionFor(const LanguageTexts& texts, const MacroLibrary& library,
                                               const MacroItemLocation& location)
{
    KeyFunctionResult result;
    const MacroItem* item = library.Item(location);
    if (item == nullptr || !item->IsUsed() || item->isFolder || item->macro == nullptr) {
        result.name = texts.Text(kTextDisabled);
        return result;
    }
    result.name = texts.Text(kTextMacroNamePrefix) + item->name;
    result.value = {kMacroFunction, 0x00, 0x00};
    result.macro = item->macro.get();
    return result;
}

void CMacroSelectDlg::Run(CDlgBase& window, const LanguageTexts& texts, MacroLibrary& library)
{
    CMacroSelectDlg dialog(texts, library, &window);
    if (dialog.DoModal() != DialogResult::kOk)
        return;
    const KeyFunctionResult result = FunctionFor(texts, library, dialog.Selection());
    window.SendMessage(kResultMessage, 0, reinterpret_cast<LParam>(&result));
}

void CMacroSelectDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    m_library.CollapseAll();
    m_selection = MacroItemLocation::None();
    AddCloseCross(kCloseCrossRect);
    AddLabel(kIdTitle, kTitleRect, Text(kTextTitle), TextFormat::kLeft | TextFormat::kSingleLine |
                                                         TextFormat::kVCenter);
    AddTextButton(kIdOk, kOkRect, kTextOk);
    m_tree = AddControl(0, std::make_unique<CMacroTreeList>(this, DialogParts::Scaled(kTreeRect)));
    m_tree->SetFolderImages(QStringLiteral("foldr_open.png"), QStringLiteral("foldr_close.png"));
    m_tree->SetSource(&m_rows);
    m_treeBar = AddControl(0, std::make_unique<CVScrollBar>(this, kIdTreeBar, DialogParts::Scaled(kTreeBarRect)));
    // The list and its scroll bar are named by the title above them.
    m_tree->SetAccessibleName(Text(kTextTitle));
    m_treeBar->SetAccessibleName(Text(kTextTitle));
    ListScrolling::Sync(*m_tree, *m_treeBar);
}

void CMacroSelectDlg::DrawBackground(QPainter& painter, const UiRect& clip)
{
    DrawFrame(painter);
    painter.setPen(SkinPainter::FromColorRef(kTreeFrameColor));
    painter.setBrush(Qt::NoBrush);
    const UiRect frame = DialogParts::Scaled(kTreeFrame);
    painter.drawRect(frame.left, frame.top, frame.Width() - 1, frame.Height() - 1);
    DrawControls(painter, clip);
}

LResult CMacroSelectDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    if (message == kIdTree) {
        OnTreeNotice(lParam);
        return 0;
    }
    if (message == kIdTreeBar) {
        ListScrolling::OnScrollBar(*m_tree, *m_treeBar, wParam, lParam);
        InvalidateAll();
        return 0;
    }
    return CAppDialog::OnMessage(message, wParam, lParam);
}

void CMacroSelectDlg::OnTreeNotice(LParam code)
{
    // The list has set its highlighted row (and opened or closed a folder) already. A
    // press moves the highlight, whether or not the button is released inside the list,
    // so OK takes the row that is highlighted.
    if (code == NotifyCode::kPress || code == NotifyCode::kClick || code == NotifyCode::kRightClick)
        m_selection = m_rows.LocationOf(m_tree->Selection());
    if (code == NotifyCode::kClick || code == NotifyCode::kRightClick || code == NotifyCode::kDoubleClick)
        KeepHighlightInView();
}

void CMacroSelectDlg::KeepHighlightInView()
{
    m_tree->SetSelection(m_tree->Selection());
    ListScrolling::Sync(*m_tree, *m_treeBar);
    InvalidateAll();
}

bool CMacroSelectDlg::PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (IsEnter(key) || key == Qt::Key_Escape)
        return true;
    return CAppDialog::PreTranslateKeyDown(key, modifiers);
}

bool CMacroSelectDlg::OnMouseWheel(unsigned /*flags*/, int delta, QPoint /*point*/)
{
    ListScrolling::OnWheel(*m_tree, *m_treeBar, delta);
    InvalidateAll();
    return true;
}

void CMacroSelectDlg::OnOkClicked()
{
    const MacroItem* item = m_library.Item(m_selection);
    if (item == nullptr || !item->IsUsed() || item->isFolder) {
        CAttentionDlg::Show(Texts(), kTextNotAMacro, this);
        return;
    }
    CloseWithOk();
}

// The tree list, the play mode of the selected macro, and the commands on the tree:
// new macro or folder, rename, delete, the context menu and its export and import.
#include "macros/windows/CMacroManagerDlg.h"

#include "keyfunc/popups/CMacroListPopup.h"
#include "macros/BoundedEditValue.h"
#include "macros/MacroLibrary.h"
#include "macros/windows/CMacroActionList.h"
#include "macros/windows/CMacroTreeList.h"
#include "macros/windows/ListScrolling.h"
#include "macros/windows/MacroManagerIds.h"
#include "ui/CEditBox.h"
#include "ui/CVScrollBar.h"
#include "ui/UiScale.h"
#include "ui/UiState.h"

namespace {

using namespace MacroManagerId;
namespace Text = MacroManagerText;

constexpr int kNameModeMacro = 0;
constexpr int kNameModeFolder = 1;
constexpr int kMaxRepeatCount = 255;

struct PlayModeRadio {
    int id;
    std::uint8_t mode;
};
constexpr PlayModeRadio kPlayModeRadios[] = {
    {kModeOne, MacroKey::kLoopModeOne},
    {kModeFour, MacroKey::kLoopModeFour},
    {kModeCount, MacroKey::kLoopModeCount},
};

}  // namespace

void CMacroManagerDlg::TreeChanged()
{
    m_tree->SetFirstVisible(m_tree->FirstVisible());  // stays within the rows there are
}

void CMacroManagerDlg::ShowSelectedRow()
{
    m_tree->SetSelection(m_treeRows.RowOf(m_selection));
}

void CMacroManagerDlg::RefreshSelection()
{
    m_selectedMacro = MacroAtSelection();
    if (m_selectedMacro != m_actionRows.Macro()) {
        m_actionRows.SetMacro(m_selectedMacro);
        m_actions->SetRows(&m_actionRows);  // first row 0, no action selected
    }
    ListScrolling::Sync(*m_actions, *m_actionBar);
    ListScrolling::Sync(*m_tree, *m_treeBar);
    ShowPlayMode();
    InvalidateAll();
}

void CMacroManagerDlg::ShowPlayMode()
{
    UiState& state = UiState::Instance();
    if (const auto bit = UiState::RadioBitOf(kModeOne))
        state.RadioSelection &= ~bit->groupMask;
    if (const MacroKey* macro = SelectedMacro()) {
        for (const PlayModeRadio& radio : kPlayModeRadios) {
            if (macro->MacroKeyLoopType == radio.mode)
                state.SelectRadio(radio.id);
        }
    }
    for (const PlayModeRadio& radio : kPlayModeRadios)
        InvalidateRect(GetControl(radio.id)->GetRect());
}

void CMacroManagerDlg::UpdateRepeatCount()
{
    const MacroKey* macro = SelectedMacro();
    if (macro == nullptr || macro->MacroKeyLoopType == MacroKey::kLoopModeOne ||
        macro->MacroKeyLoopType == MacroKey::kLoopModeFour) {
        m_repeatCount->hide();
        return;
    }
    if (macro->MacroKeyLoopType != MacroKey::kLoopModeCount)
        return;
    m_repeatCount->SetText(QString::number(macro->MacroKeyLoopNum));
    m_repeatCount->show();
    m_repeatCount->end(false);
}

void CMacroManagerDlg::ShowItem(const MacroItemLocation& location)
{
    if (location.stage >= 1)
        m_library.MutableItem(MacroItemLocation::Level0(location.stage0Index))->folderIsOpen = 1;
    if (location.stage >= 2)
        m_library.MutableItem(MacroItemLocation::Level1(location.stage0Index, location.stage1Index))->folderIsOpen = 1;
    m_selection = location;
    TreeChanged();
    ShowSelectedRow();
    RefreshSelection();
    UpdateRepeatCount();
}

LResult CMacroManagerDlg::OnTree(WParam wParam, LParam code)
{
    switch (code) {
    case NotifyCode::kPress:
        // The press chose the row (and may have opened or closed its folder): the action
        // list and the commands follow it at once, wherever the button is released.
        m_selection = m_treeRows.LocationOf(m_tree->Selection());
        RefreshSelection();
        UpdateRepeatCount();
        break;
    case NotifyCode::kClick:
        ShowSelectedRow();
        RefreshSelection();
        break;
    case NotifyCode::kDoubleClick:
        m_selection = m_treeRows.LocationOf(m_tree->Selection());
        ShowSelectedRow();
        ListScrolling::Sync(*m_tree, *m_treeBar);
        InvalidateAll();
        break;
    case NotifyCode::kRightClick:
        m_selection = m_treeRows.LocationOf(m_tree->Selection());
        RefreshSelection();
        UpdateRepeatCount();
        OpenContextMenu(*reinterpret_cast<const QPoint*>(wParam));
        break;
    default:
        break;
    }
    return 0;
}

LResult CMacroManagerDlg::OnTreeScroll(WParam wParam, LParam code)
{
    ListScrolling::OnScrollBar(*m_tree, *m_treeBar, wParam, code);
    InvalidateRect(m_tree->GetRect());
    return 0;
}

void CMacroManagerDlg::OnPlayMode(int id, LParam code)
{
    if (code != NotifyCode::kClick)
        return;
    MacroKey* macro = SelectedMacro();
    if (macro != nullptr) {
        for (const PlayModeRadio& radio : kPlayModeRadios) {
            if (radio.id == id)
                macro->MacroKeyLoopType = radio.mode;
        }
    }
    ShowPlayMode();
    if (macro == nullptr)
        return;
    if (id == kModeCount) {
        m_repeatCount->SetText(QString::number(macro->MacroKeyLoopNum));
        m_repeatCount->show();
        m_repeatCount->setEnabled(true);
        m_repeatCount->FocusAtEnd();
    } else {
        m_repeatCount->hide();
    }
}

LResult CMacroManagerDlg::OnRepeatCountChanged(WParam /*wParam*/, LParam code)
{
    MacroKey* macro = SelectedMacro();
    if (code != CEditBox::kChangeCode || macro == nullptr || macro->MacroKeyLoopType != MacroKey::kLoopModeCount)
        return 0;
    const BoundedEditValue count = BoundedEditValue::From(m_repeatCount->GetText().toStdU16String(), kMaxRepeatCount);
    if (count.replacement) {
        m_repeatCount->SetText(QString::fromStdU16String(*count.replacement));
        m_repeatCount->end(false);
    }
    macro->MacroKeyLoopNum = static_cast<std::uint8_t>(count.value);
    return 0;
}

LResult CMacroManagerDlg::OnNewMacroButton(WParam /*wParam*/, LParam code)
{
    if (code == NotifyCode::kClick)
        NewItem(false);
    return 0;
}

LResult CMacroManagerDlg::OnDeleteItemButton(WParam /*wParam*/, LParam code)
{
    if (code == NotifyCode::kClick)
        DeleteItem();
    return 0;
}

void CMacroManagerDlg::NewItem(bool folder)
{
    if (!m_services.askName)
        return;
    const std::optional<std::u16string> name = m_services.askName(folder ? kNameModeFolder : kNameModeMacro);
    if (!name)
        return;
    if (name->empty()) {
        (void)Notice(Text::kNameEmpty);
        return;
    }
    const MacroItemLocation before = m_selection;
    const MacroLibrary::CreateResult result = folder ? m_library.CreateFolderAtSelection(*name, m_selection)
                                                     : m_library.CreateMacroAtSelection(*name, m_selection);
    if (result == MacroLibrary::CreateResult::NameExists) {
        (void)Notice(Text::kNameExists);
        return;
    }
    if (result == MacroLibrary::CreateResult::NoNumberLeft) {
        (void)Notice(Text::kNoNumberLeft);
        return;
    }
    if (result != MacroLibrary::CreateResult::Created)
        return;  // a full block, or a folder that takes no such child: nothing to say
    const MacroItem* previous = m_library.Item(before);
    if (previous != nullptr && previous->IsUsed() && previous->isFolder)
        m_library.MutableItem(before)->folderIsOpen = 1;
    TreeChanged();
    ShowSelectedRow();
    RefreshSelection();
    if (!folder)
        UpdateRepeatCount();
}

void CMacroManagerDlg::RenameItem()
{
    const MacroItem* item = m_library.Item(m_selection);
    if (item == nullptr || !item->IsUsed() || !m_services.askRename)
        return;
    const std::optional<std::u16string> name = m_services.askRename(item->name);
    if (!name)
        return;
    if (name->empty()) {
        (void)Notice(Text::kNameEmpty);
        return;
    }
    if (m_library.NameExistsInLevel(*name, m_selection)) {
        (void)Notice(Text::kNameExists);
        return;
    }
    // The macro keeps the name it was created with; the tree and the file show the item's.
    m_library.MutableItem(m_selection)->name = *name;
    InvalidateAll();
}

void CMacroManagerDlg::DeleteItem()
{
    if (m_selection.IsNone()) {
        (void)Notice(Text::kSelectItemFirst);
        return;
    }
    if (Notice(Text::kConfirmDelete) != DialogResult::kOk)
        return;
    if (m_services.macrosInUse) {
        for (const std::uint32_t number : m_services.macrosInUse()) {
            if (m_library.KeyInSubtree(number, m_selection)) {
                (void)Notice(Text::kInUse);
                return;
            }
        }
    }
    m_library.Delete(m_selection);
    m_selection = MacroItemLocation::None();
    TreeChanged();
    m_tree->SetSelection(-1);
    RefreshSelection();
}

void CMacroManagerDlg::OpenContextMenu(QPoint clientPoint)
{
    int mode = CMacroListPopup::kModeNothingSelected;
    if (const MacroItem* item = m_library.Item(m_selection); item != nullptr && item->IsUsed())
        mode = item->isFolder ? CMacroListPopup::kModeFolder : 1;
    ClosePopup(kMenuPopupSlot);
    auto* menu = new CMacroListPopup(m_texts, mode);
    const QPoint at = mapToGlobal(clientPoint);
    const int room = UiScale::Scale(kMenuRoom);
    if (menu->Create(this, UiRect{at.x(), at.y(), at.x() + room, at.y() + room},
                     static_cast<int>(MacroManagerMsg::kMenuChosen), kTree) != 0) {
        delete menu;
        return;
    }
    SetPopup(kMenuPopupSlot, menu);
}

LResult CMacroManagerDlg::OnMenuChosen(WParam /*wParam*/, LParam lParam)
{
    if (lParam == 0)
        return 0;
    const int command = CMenuPopup::RecordOf(lParam).value[0];
    ClosePopup(kMenuPopupSlot);
    // The command may open a dialog: it runs once the menu is gone and the window has
    // repainted where it was.
    PostAfterNextPaint([this, command] { RunMenuCommand(command); });
    return 0;
}

LResult CMacroManagerDlg::OnMenuClosed(WParam /*wParam*/, LParam /*lParam*/)
{
    ClosePopup(kMenuPopupSlot);
    InvalidateAll();
    return 0;
}

void CMacroManagerDlg::RunMenuCommand(int command)
{
    switch (command) {
    case MacroMenuCommand::kNewMacro:
        NewItem(false);
        break;
    case MacroMenuCommand::kNewFolder:
        NewItem(true);
        break;
    case MacroMenuCommand::kRename:
        RenameItem();
        break;
    case MacroMenuCommand::kDelete:
        DeleteItem();
        break;
    case MacroMenuCommand::kExportMacro:
    case MacroMenuCommand::kImportMacro:
    case MacroMenuCommand::kImportMacros:
    case MacroMenuCommand::kExportMacros:
        RunFileCommand(command);
        break;
    default:
        break;
    }
}

void CMacroManagerDlg::RunFileCommand(int command)
{
    if (!m_services.fileCommand)
        return;
    const std::optional<MacroItemLocation> selection =
        m_services.fileCommand(command, *this, m_library, m_selection);
    if (!selection)
        return;
    m_selection = *selection;
    TreeChanged();
    ShowSelectedRow();
    RefreshSelection();
    UpdateRepeatCount();
}

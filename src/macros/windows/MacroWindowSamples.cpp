#include "macros/windows/MacroWindowSamples.h"

#include "macros/MacroLibrary.h"
#include "macros/windows/CActionKeyModifyDlg.h"
#include "macros/windows/CActionTimeModifyDlg.h"
#include "macros/windows/CActionXYModifyDlg.h"
#include "macros/windows/CMacroKeyOrFolderNameDlg.h"
#include "macros/windows/CMacroKeyRenameDlg.h"
#include "macros/windows/CMacroSelectDlg.h"
#include "ui/CEditShowList.h"

#include <QObject>

namespace {

constexpr std::uint8_t kKeyA = 0x41;
constexpr int kSampleDelay = 100;
constexpr int kMoveLeft = 5;
constexpr std::int8_t kSampleMove = -10;

// What a sample window edits. It becomes a child of the window once the window exists,
// so it lives exactly as long as the window.
struct SampleData : QObject {
    std::uint8_t code = kKeyA;
    MacroAction delay = MacroAction::Delay(kSampleDelay);
    MacroAction move = MacroAction::FromBytes(0xE5, 0, 0, static_cast<std::uint8_t>(kSampleMove));
    MacroLibrary library;
};

template <class Dialog>
std::unique_ptr<QWidget> Initialised(std::unique_ptr<Dialog> dialog, std::unique_ptr<SampleData> data)
{
    if (data)
        data.release()->setParent(dialog.get());
    dialog->InitDialog();
    return dialog;
}

void AddMacro(MacroLibrary& library, const char16_t* name, MacroItemLocation parent)
{
    (void)library.CreateMacroAtSelection(name, parent);
}

MacroItemLocation AddFolder(MacroLibrary& library, const char16_t* name, MacroItemLocation parent)
{
    (void)library.CreateFolderAtSelection(name, parent);
    return parent;
}

}  // namespace

void MacroWindowSamples::FillSampleLibrary(MacroLibrary& library)
{
    const MacroItemLocation shooter = AddFolder(library, u"Shooter", MacroItemLocation::None());
    AddMacro(library, u"Reload and crouch", shooter);
    AddMacro(library, u"Sprint toggle", shooter);
    const MacroItemLocation throwables = AddFolder(library, u"Throwables", shooter);
    AddMacro(library, u"Frag, cook two seconds and throw", throwables);
    AddMacro(library, u"Smoke", throwables);
    const MacroItemLocation strategy = AddFolder(library, u"Strategy", MacroItemLocation::None());
    AddMacro(library, u"Build order 1", strategy);
    AddMacro(library, u"Build order 2", strategy);
    for (const char16_t* name : {u"Copy line", u"Paste twice", u"Select all", u"Screenshot", u"Mute", u"Next track",
                                 u"Previous track", u"Volume up", u"Volume down", u"Lock screen", u"Open mail",
                                 u"Signature", u"Greeting"})
        AddMacro(library, name, MacroItemLocation::None());
}

std::unique_ptr<QWidget> MacroWindowSamples::KeyDialog(CMessageWindow& owner, const LanguageTexts& texts)
{
    auto data = std::make_unique<SampleData>();
    auto dialog = std::make_unique<CActionKeyModifyDlg>(texts, data->code, &owner);
    return Initialised(std::move(dialog), std::move(data));
}

std::unique_ptr<QWidget> MacroWindowSamples::DelayDialog(CMessageWindow& owner, const LanguageTexts& texts)
{
    auto data = std::make_unique<SampleData>();
    auto dialog = std::make_unique<CActionTimeModifyDlg>(texts, data->delay, &owner);
    return Initialised(std::move(dialog), std::move(data));
}

std::unique_ptr<QWidget> MacroWindowSamples::MoveDialog(CMessageWindow& owner, const LanguageTexts& texts)
{
    auto data = std::make_unique<SampleData>();
    auto dialog = std::make_unique<CActionXYModifyDlg>(texts, data->move, kMoveLeft, &owner);
    return Initialised(std::move(dialog), std::move(data));
}

std::unique_ptr<QWidget> MacroWindowSamples::NameDialog(CMessageWindow& owner, const LanguageTexts& texts)
{
    return Initialised(
        std::make_unique<CMacroKeyOrFolderNameDlg>(texts, CMacroKeyOrFolderNameDlg::kModeMacro, &owner), nullptr);
}

std::unique_ptr<QWidget> MacroWindowSamples::RenameDialog(CMessageWindow& owner, const LanguageTexts& texts)
{
    return Initialised(std::make_unique<CMacroKeyRenameDlg>(texts, u"Reload and crouch", &owner), nullptr);
}

std::unique_ptr<QWidget> MacroWindowSamples::SelectionWindow(CMessageWindow& owner, const LanguageTexts& texts)
{
    auto data = std::make_unique<SampleData>();
    FillSampleLibrary(data->library);
    auto dialog = std::make_unique<CMacroSelectDlg>(texts, data->library, &owner);
    std::unique_ptr<QWidget> window = Initialised(std::move(dialog), std::move(data));
    CEditShowList* tree = static_cast<CMacroSelectDlg*>(window.get())->Tree();
    tree->Source()->ToggleFolder(0);
    tree->SetSelection(1);
    return window;
}

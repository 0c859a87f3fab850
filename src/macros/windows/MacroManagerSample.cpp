#include "macros/windows/MacroManagerSample.h"

#include "macros/MacroLibrary.h"
#include "macros/windows/CMacroManagerDlg.h"

#include <QDir>

namespace {

void AddActions(MacroKey& macro, std::initializer_list<MacroAction> actions, std::uint8_t keyActions)
{
    for (const MacroAction action : actions)
        (void)macro.Insert(macro.MacroActionNum, action);
    macro.MacroCommandActionNum = keyActions;
}

MacroAction Key(std::uint8_t code, bool release)
{
    return MacroAction::FromBytes(code, release ? MacroAction::kReleaseFlag : MacroAction::kPressFlag, 0, 0);
}

void FillSample(MacroLibrary& library)
{
    library.Clear();
    MacroItemLocation at;
    (void)library.CreateFolderAtSelection(u"Shooter games", at);
    const MacroItemLocation shooter = at;
    (void)library.CreateMacroAtSelection(u"Reload and crouch", at);
    AddActions(*library.MutableItem(at)->macro,
               {Key(0x52, false), MacroAction::Delay(50), Key(0x52, true), MacroAction::Delay(120), Key(0x43, false),
                MacroAction::Delay(400), Key(0x43, true), MacroAction::Delay(30),
                MacroAction::FromBytes(0xE0, 0, 0, 0), MacroAction::Delay(50), MacroAction::FromBytes(0xE0, 0x80, 0, 0),
                MacroAction::FromBytes(0xE5, 0, 0, 0xF6), MacroAction::FromBytes(0xE6, 0, 0, 4),
                MacroAction::FromBytes(0xE7, 0, 0, 0xFD), MacroAction::Delay(1500), Key(0x20, false),
                MacroAction::Delay(50), Key(0x20, true)},
               9);
    at = shooter;
    (void)library.CreateFolderAtSelection(u"Older profiles with a rather long folder name", at);
    (void)library.CreateMacroAtSelection(u"Burst", at);
    at = MacroItemLocation::None();
    (void)library.CreateFolderAtSelection(u"Office", at);
    (void)library.CreateMacroAtSelection(u"Signature", at);
    for (const char16_t* name : {u"Copy line", u"Paste twice", u"Screenshot"}) {
        at = MacroItemLocation::None();
        (void)library.CreateMacroAtSelection(name, at);
    }
}

}  // namespace

std::unique_ptr<CMacroManagerDlg> OpenMacroManagerSample(const LanguageTexts& texts, QWidget* owner)
{
    static MacroLibrary library;
    FillSample(library);
    const std::filesystem::path file =
        std::filesystem::path(QDir::tempPath().toStdString()) / "corvane-gallery" / "MacroLibraryFile.mlf";
    auto manager = std::make_unique<CMacroManagerDlg>(texts, library, file, MacroManagerServices{}, owner);
    manager->InitDialog();
    manager->ShowItem(MacroItemLocation::Level1(0, 0));
    return manager;
}

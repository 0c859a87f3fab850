#include "app/MacroManagerLauncher.h"

#include "app/CCorvaneDlg.h"
#include "device/DeviceLink.h"
#include "macros/MacroLibrary.h"
#include "macros/windows/CMacroManagerDlg.h"
#include "profiles/Profile.h"
#include "profiles/ProfileTable.h"

#include <vector>

namespace {

// The macro numbers the buttons of the current profile play.
std::vector<std::uint32_t> MacrosInUse(const MainWindowModel& model)
{
    std::vector<std::uint32_t> numbers;
    for (const KeyAssignment& key : model.profiles.Current(model.settings).Keys) {
        if (key.Value[0] == static_cast<std::uint8_t>(FunctionType::Macro))
            numbers.push_back(key.MacroKeyIndex);
    }
    return numbers;
}

}  // namespace

void RunMacroManager(CCorvaneDlg& window)
{
    const MainWindowModel& model = window.Model();
    // The next binding of the macro buttons takes their copies from the library again.
    model.link.Macros().copyMacros = true;
    bool saved = false;
    {
        MacroManagerServices services;
        services.macrosInUse = [&model] { return MacrosInUse(model); };
        CMacroManagerDlg manager(model.texts, model.macros, model.paths.MacroLibraryFile(), std::move(services),
                                 &window);
        manager.InitDialog();
        (void)manager.DoModal();
        saved = manager.LibrarySaved();
    }
    // The library comes back from the file the manager wrote. When that write failed the
    // file is older than the library in memory, which is kept rather than the edits lost.
    if (saved)
        (void)model.macros.Load(model.paths.MacroLibraryFile());
    if (!MacrosInUse(model).empty()) {
        model.link.Flags().keysChanged = true;
        (void)model.link.ApplyToDevice();
    }
    window.RefreshUi();
}

#include "ctl/CtlCommands.h"
#include "platform/DataFolder.h"
#include "platform/ResourceFolder.h"
#if CORVANE_HAVE_SYSTEM_HID
#include "platform/hid/SystemHidBackend.h"
#endif
#if CORVANE_HAVE_BUS
#include "ctl/bus/BusRunningProgram.h"
#endif

#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CtlEnvironment environment;
    environment.defaultDataFolder = UserDataFolder();
    environment.programLanguageFolder = ResourceFolder(ProgramFolder(argc > 0 ? argv[0] : nullptr)) / "lang";
    environment.userLocale = UserLocaleName();
#if CORVANE_HAVE_SYSTEM_HID
    environment.systemBackend = [] { return CreateSystemHidBackend(); };
#endif
    environment.input = &std::cin;
#if CORVANE_HAVE_BUS
    environment.findRunningProgram = [](bool simulate, const std::filesystem::path& dataFolder) {
        return FindRunningProgramOnBus(simulate, dataFolder);
    };
#endif
    return RunCtl(arguments, environment, std::cout, std::cerr);
}

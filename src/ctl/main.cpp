#include "ctl/CtlCommands.h"
#include "platform/DataFolder.h"

#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const CtlEnvironment environment{UserDataFolder(), ProgramFolder(argc > 0 ? argv[0] : nullptr) / "lang",
                                     UserLocaleName()};
    return RunCtl(arguments, environment, std::cout, std::cerr);
}

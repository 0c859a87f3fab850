#pragma once

#include "ctl/CtlCommands.h"

#include <iosfwd>
#include <string>
#include <vector>

// corvanectl's commands on the mouse: devices, status, push and reset.
namespace DeviceCommands {

[[nodiscard]] bool IsDeviceCommand(const std::string& command);
// Runs one; `arguments` starts with the command name. Returns the exit code.
int Run(const std::vector<std::string>& arguments, const CtlEnvironment& environment, std::ostream& out,
        std::ostream& err);

}  // namespace DeviceCommands

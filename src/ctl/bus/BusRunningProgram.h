#pragma once

#include "ctl/RunningProgram.h"

#include <filesystem>
#include <memory>

// The program that owns the name a run with these options would own (the naming rule of
// InstanceName), reached over the session bus; null when none runs or there is no bus.
[[nodiscard]] std::unique_ptr<RunningProgram> FindRunningProgramOnBus(bool simulate,
                                                                     const std::filesystem::path& dataFolder);

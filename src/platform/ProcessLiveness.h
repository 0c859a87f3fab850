#pragma once

#include <cstdint>

// Process ids of this machine, for telling whether a file named after a process may still
// be in use by it.
[[nodiscard]] std::int64_t CurrentProcessId();

// Whether a process with this id runs now (of any user). An id that cannot be a process
// is not running.
[[nodiscard]] bool ProcessIsRunning(std::int64_t processId);

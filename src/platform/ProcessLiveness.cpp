#include "platform/ProcessLiveness.h"

#ifdef _WIN32
#include "platform/WindowsLean.h"
#else
#include <cerrno>
#include <climits>
#include <csignal>
#include <unistd.h>
#endif

std::int64_t CurrentProcessId()
{
#ifdef _WIN32
    return static_cast<std::int64_t>(GetCurrentProcessId());
#else
    return static_cast<std::int64_t>(::getpid());
#endif
}

bool ProcessIsRunning(std::int64_t processId)
{
#ifdef _WIN32
    if (processId <= 0 || processId > 0xFFFFFFFFLL) {
        return false;
    }
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(processId));
    if (process == nullptr) {
        // A process of another user that may not be queried still runs.
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) != 0 && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    // 0 and negative ids name process groups, not processes.
    if (processId <= 0 || processId > INT_MAX) {
        return false;
    }
    // Signal 0 only checks: a process of another user answers "not permitted".
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
#endif
}

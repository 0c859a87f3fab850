#include "platform/FileDurability.h"

#ifdef _WIN32
#include "platform/WindowsLean.h"
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

bool SyncToDisk(const std::filesystem::path& path, std::error_code& error)
{
    error.clear();
#ifdef _WIN32
    std::error_code statusError;
    if (std::filesystem::is_directory(path, statusError)) {
        return true;  // Windows has no flush of a folder; its renames are journalled
    }
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error.assign(static_cast<int>(GetLastError()), std::system_category());
        return false;
    }
    const bool flushed = FlushFileBuffers(file) != 0;
    if (!flushed) {
        error.assign(static_cast<int>(GetLastError()), std::system_category());
    }
    CloseHandle(file);
    return flushed;
#else
    // A flush reaches the file whatever descriptor it goes through, so a read-only one
    // does for a file just written and closed, and is the only kind a folder opens with.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        error.assign(errno, std::generic_category());
        return false;
    }
    bool flushed = ::fsync(descriptor) == 0;
    if (!flushed) {
        const int reason = errno;
        // Folders of some file systems cannot be flushed; their entries are as safe as
        // those file systems make them.
        if (reason == EINVAL || reason == EROFS) {
            flushed = true;
        } else {
            error.assign(reason, std::generic_category());
        }
    }
    ::close(descriptor);
    return flushed;
#endif
}

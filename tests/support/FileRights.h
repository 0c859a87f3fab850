#pragma once

#ifndef _WIN32
#include <unistd.h>
#endif

// Whether this process may write any file whatever its mode: root on POSIX systems.
// Windows keeps everyone, administrators included, from writing a file marked read-only
// (the only mode std::filesystem::permissions sets there).
[[nodiscard]] inline bool WritesAnyFile()
{
#ifdef _WIN32
    return false;
#else
    return ::geteuid() == 0;
#endif
}

// Whether a file's or folder's mode bits keep this process out: a file it may not read, a
// folder it may not write into. Not for root, and not on Windows, where
// std::filesystem::permissions only sets the read-only attribute: a file stays readable and
// a folder's attribute does not stop files being made in it.
[[nodiscard]] inline bool ModeBitsKeepThisProcessOut()
{
#ifdef _WIN32
    return false;
#else
    return ::geteuid() != 0;
#endif
}

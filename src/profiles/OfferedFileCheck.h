#pragma once

#include <cstdint>
#include <filesystem>

// The check made on a file that the user names for reading (an import, a file given to
// corvanectl) before any reader opens it. The readers stream their files, but a file
// without line ends is one long first line, which they would read whole before the
// first check could refuse it; and opening a pipe or a device for reading can wait for
// ever. Both are refused here from the file's metadata alone.
enum class OfferedFileProblem : std::uint8_t {
    None,
    Missing,
    Unreadable,  // its folder cannot be searched, or the system refused to describe it
    Folder,
    NotRegularFile,  // a pipe, a socket or a device
    TooLarge,
};

struct OfferedFile {
    OfferedFileProblem problem = OfferedFileProblem::None;
    std::uintmax_t size = 0;  // in bytes, for a regular file
};

// Size limits far above anything the program writes of each kind, and far below what
// would stall the user interface or fill the memory.
namespace OfferedFileLimit {
// A profile file is about 30 KB (six buttons with 2000 digits of macro actions each,
// two bytes a character) and a settings file a few KB, whatever their values hold.
inline constexpr std::uintmax_t kProfile = std::uintmax_t{1} << 20;
inline constexpr std::uintmax_t kSettings = std::uintmax_t{1} << 20;
// A macro file holds up to a whole macro library, about 4.3 KB per macro: 128 MiB is
// some 30,000 macros, three times a heavy user's library.
inline constexpr std::uintmax_t kMacros = std::uintmax_t{128} << 20;
}  // namespace OfferedFileLimit

// What stands against reading `path` (symbolic links followed); files above `sizeLimit`
// bytes are TooLarge.
[[nodiscard]] OfferedFile CheckOfferedFile(const std::filesystem::path& path, std::uintmax_t sizeLimit);

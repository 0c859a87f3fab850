#pragma once

#include <filesystem>

// The folder that holds the program's skins/ and lang/. The build tree keeps them beside
// the program; an installed program finds them in its prefix's data folder,
// ../share/corvane from bin/. A folder beside the program wins, so a build tree that
// happens to sit inside an installed prefix still runs on its own files. When neither
// exists the answer is the folder beside the program, which is where a developer looks
// when a message names a missing file.
[[nodiscard]] std::filesystem::path ResourceFolder(const std::filesystem::path& programFolder);

// The same choice with the installed folder given relative to the program's folder.
[[nodiscard]] std::filesystem::path ResourceFolder(const std::filesystem::path& programFolder,
                                                   const std::filesystem::path& installedRelative);

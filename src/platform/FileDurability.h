#pragma once

#include <filesystem>
#include <system_error>

// Asks the operating system to put a file's bytes, or a folder's list of names, on the
// disk before returning, so that a power cut after a save finds the saved file rather
// than an empty one under its name. A folder that cannot be flushed (Windows, or a file
// system without the operation) counts as flushed.
[[nodiscard]] bool SyncToDisk(const std::filesystem::path& path, std::error_code& error);

#pragma once

#include "profiles/CStdioFileEx.h"
#include "profiles/FileCheck.h"

#include <filesystem>

class AppSettings;

// config.ini: "[Setting]", then one "key=value" line per pair, by position.

// Reads the pairs it finds into `settings` (key and value, by position). The file is
// valid when it can be read, starts with "[Setting]", every pair line has a non-empty key
// and value, and there are at most 17 pair lines. A file that ends early is valid; the
// pairs it does not reach keep their state. A valid file that cannot be written is still
// valid: it is used as read, and later saves of it fail without a word.
[[nodiscard]] FileCheck ReadSettingsFile(AppSettings& settings, const std::filesystem::path& path);

// Writes the 17 pairs as they are. False when the file cannot be written, and when a
// pair could not be read back (an empty or "="-holding key, an empty value, a line break
// or another control character): the file then keeps its last good state and the
// refusal is reported to SaveFailures.
bool WriteSettingsFile(const AppSettings& settings, const std::filesystem::path& path,
                       CStdioFileEx::OldFile oldFile = CStdioFileEx::OldFile::Replace);

// Stores the main window's current profile into "CurrentProfile", then writes the file.
bool SaveSettings(AppSettings& settings, int currentProfile, const std::filesystem::path& path);

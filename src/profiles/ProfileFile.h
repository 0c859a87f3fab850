#pragma once

#include "profiles/CStdioFileEx.h"
#include "profiles/FileCheck.h"

#include <cstdint>
#include <filesystem>

class AppSettings;
class LanguageTexts;
struct Profile;

// The profile file (.psf): 111 lines in a fixed order, numbers in fixed-width upper-case
// hexadecimal, colours as red, green, blue. The reader checks structure by position only.

// Writes the whole file. False when it cannot be written (nothing is written then), and
// when a text of the profile would break its line (a line break or another control
// character, or a settings key that is empty or holds "="): the file then keeps its last
// good state and the refusal is reported to SaveFailures.
bool WriteProfileFile(const Profile& profile, const std::filesystem::path& path,
                      CStdioFileEx::OldFile oldFile = CStdioFileEx::OldFile::Replace);

// Fills `profile` from the file without any recovery; stops at the first line that is
// missing or fails its check. Values that later index tables are brought within bounds
// (see the source). Used by the program's reader and by read-only viewers.
[[nodiscard]] FileCheck ParseProfileFile(Profile& profile, const std::filesystem::path& path);

// The program's reader: on any failure the profile is reset (with its own index) and
// written to its own slot file, not to the file that was being read; the slot file's old
// bytes are kept as its backup. Without the language texts of the defaults the reset
// profile is not written. Names the file holds empty are filled from the texts
// (FillEmptyDefaultNames).
[[nodiscard]] FileCheck ReadProfileFile(Profile& profile, int index, const std::filesystem::path& path,
                                        const AppSettings& settings, const LanguageTexts& texts);

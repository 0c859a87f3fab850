#pragma once

#include "macros/MacroItemLocation.h"
#include "profiles/CStdioFileEx.h"

#include <cstddef>
#include <filesystem>
#include <string>

class MacroLibrary;

// What a load did. `failingLine` is the 1-based number of the first line that made the
// load fail (for a line that is missing, the number it would have had); it is 0 on
// success and when the file could not be opened (then the library is untouched).
// `marker` is the file's "Select Locaton" line once that line has been read.
struct MacroLibraryLoadResult {
    bool ok = false;
    std::size_t failingLine = 0;
    MacroItemLocation marker;
};

// The macro library text file (also the format of exported macro files). Lines are read
// by position: only the text after the first "=" of each line counts, so key words and
// leading TABs are not checked on input.
//
//   [MacroLibrary]
//   MacroKeyIndex=<next number>
//   Select Locaton:stage=<s>;stage0Index=<i>;stage1Index=<j>;stage2Index=<k>;
//   then one record per used item, by level (top-level table, level-1 blocks, level-2
//   blocks), each line prefixed by one TAB per level:
//   ++++++++MacroItemName=<name>
//   MacroItemLocation:stage=...;stage0Index=...;stage1Index=...;stage2Index=...;
//   MacroItemIsFolder=<0|1>
//   MacroItemFolderIsOpen=<0|1>
//   and for a macro: MacroKeyIndex, MacroKeyLoopType, MacroKeyLoopNum, MacroActionNum,
//   MacroCommandActionNum (decimal) and AllAction= with 250 actions of 8 hex digits.
//   A name is the rest of its line: a CR or LF inside a name is written as a space.
class MacroLibraryFile {
public:
    // Clears the library (after the file has been opened) and fills it from the file.
    // Items placed before a bad record stay.
    [[nodiscard]] static MacroLibraryLoadResult Load(MacroLibrary& library,
                                                     const std::filesystem::path& path);
    // Writes the library atomically; false when the file could not be written.
    [[nodiscard]] static bool Save(const MacroLibrary& library, const std::filesystem::path& path,
                                   const MacroItemLocation& marker,
                                   CStdioFileEx::OldFile oldFile = CStdioFileEx::OldFile::Replace);
    // The text Save writes, without the byte-order mark.
    [[nodiscard]] static std::u16string Format(const MacroLibrary& library,
                                               const MacroItemLocation& marker);
};

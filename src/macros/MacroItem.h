#pragma once

#include "macros/MacroKey.h"

#include <cstdint>
#include <memory>
#include <string>

// One node of the macro tree. An empty name marks a free slot. A macro item owns its
// MacroKey; a folder has none. The flags are kept as bools: files store them as
// integers: any non-zero folder flag makes a folder, while the open flag is kept as the
// number it was (a folder's children show only when it is 1).
struct MacroItem {
    std::u16string name;
    std::unique_ptr<MacroKey> macro;
    bool isFolder = false;
    std::uint32_t folderIsOpen = 0;

    [[nodiscard]] bool IsUsed() const { return !name.empty(); }
    [[nodiscard]] bool IsOpenFolder() const { return isFolder && folderIsOpen == 1; }
};

#pragma once

#include "macros/MacroKey.h"

#include <memory>
#include <string>

// One node of the macro tree. An empty name marks a free slot. A macro item owns its
// MacroKey; a folder has none. The flags are kept as bools: files store them as
// integers, and any non-zero value there means "set".
struct MacroItem {
    std::u16string name;
    std::unique_ptr<MacroKey> macro;
    bool isFolder = false;
    bool folderIsOpen = false;

    [[nodiscard]] bool IsUsed() const { return !name.empty(); }
};

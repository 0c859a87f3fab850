#pragma once

#include "macros/MacroLibrary.h"
#include "profiles/TextNumbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

// One item of a macro tree as the user sees it: its level, name, kind and, for a macro,
// what it plays.
struct ShapeItem {
    int stage = 0;
    std::string name;
    bool folder = false;
    std::uint32_t actionCount = 0;
    std::uint32_t firstAction = 0;
    int loopType = 0;
    int loopNum = 0;

    friend bool operator==(const ShapeItem&, const ShapeItem&) = default;
};

inline void PrintTo(const ShapeItem& item, std::ostream* os)
{
    *os << std::string(static_cast<std::size_t>(item.stage) * 2, ' ') << (item.folder ? "[" : "") << item.name
        << (item.folder ? "]" : "") << " n=" << item.actionCount << " a0=" << std::hex << item.firstAction
        << std::dec << " mode=" << item.loopType << "x" << item.loopNum;
}

// The whole tree depth first, in display order, whatever folders are open.
inline std::vector<ShapeItem> TreeShape(const MacroLibrary& library)
{
    std::vector<ShapeItem> shape;
    const auto add = [&](const MacroItemLocation& at) {
        const MacroItem* item = library.Item(at);
        if (item == nullptr || !item->IsUsed())
            return false;
        ShapeItem entry{at.stage, TextNumbers::ToUtf8(item->name), item->isFolder};
        if (item->macro != nullptr) {
            entry.actionCount = item->macro->MacroActionNum;
            entry.firstAction = item->macro->actions[0].raw;
            entry.loopType = item->macro->MacroKeyLoopType;
            entry.loopNum = item->macro->MacroKeyLoopNum;
        }
        shape.push_back(entry);
        return true;
    };
    for (int i = 0; i < MacroLibrary::kBlockSize; ++i) {
        if (!add(MacroItemLocation::Level0(i)))
            continue;
        for (int j = 0; j < MacroLibrary::kBlockSize; ++j) {
            if (!add(MacroItemLocation::Level1(i, j)))
                continue;
            for (int k = 0; k < MacroLibrary::kBlockSize; ++k)
                add(MacroItemLocation::Level2(i, j, k));
        }
    }
    return shape;
}

// Builds trees for tests: items are created through the library's own operations, so
// they are packed and numbered as a user would have made them.
class TreeBuilder {
public:
    explicit TreeBuilder(MacroLibrary& library) : m_library(library) {}

    // A folder below `parent` (None() for the top level).
    MacroItemLocation Folder(const char* name, MacroItemLocation parent = MacroItemLocation::None())
    {
        EXPECT_EQ(m_library.CreateFolderAtSelection(TextNumbers::FromUtf8(name), parent),
                  MacroLibrary::CreateResult::Created)
            << name;
        return parent;
    }

    // A macro below `parent` whose actions press and release `key` around a delay of
    // `delay` ms; it plays `loops` times.
    MacroItemLocation Macro(const char* name, MacroItemLocation parent, std::uint8_t key, std::uint32_t delay = 50,
                            std::uint8_t loops = 1)
    {
        EXPECT_EQ(m_library.CreateMacroAtSelection(TextNumbers::FromUtf8(name), parent),
                  MacroLibrary::CreateResult::Created)
            << name;
        MacroKey& macro = *m_library.MutableItem(parent)->macro;
        for (const MacroAction action : {MacroAction::FromBytes(key, 0x00, 0, 0), MacroAction::Delay(delay),
                                         MacroAction::FromBytes(key, 0x80, 0, 0)})
            macro.Insert(macro.MacroActionNum, action);
        macro.MacroCommandActionNum = 2;
        macro.MacroKeyLoopNum = loops;
        return parent;
    }

private:
    MacroLibrary& m_library;
};

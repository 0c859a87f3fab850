#pragma once

#include "macros/MacroItem.h"
#include "macros/MacroItemLocation.h"
#include "macros/MacroLibraryFile.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

// The macro tree: 60 top-level items, a block of 60 children for each of them, and a
// block of 60 grandchildren for each child (folders at levels 0 and 1 only). Locations
// are plain indexes into these blocks. The capacity is fixed, but level-1 and level-2
// blocks are allocated on their first write and a read of an unallocated block sees
// free slots, so an empty library is small and cheap to build.
//
// Within a block the used items are packed at the front: creation takes the first free
// slot and deletion closes the gap. Loading places items at their stored indexes, so a
// hand-made file can leave gaps; the flattened view skips them, while the walks that
// stop at the first free slot (collapse, FindByNumber, creation's slot search) do not
// look past one.
//
// The library also hands out macro numbers (MacroKeyIndex), each once: the counter starts
// at 1, survives Clear() and Delete(), and is replaced by the value of a loaded file, which
// the load then takes above every number the loaded macros use. Numbers are 1..2^31-1 (the
// file writes the counter as a signed 32-bit value); once the last has been handed out,
// creating a macro is refused (NoNumberLeft) rather than repeating a number.
class MacroLibrary {
public:
    static constexpr std::int32_t kBlockSize = 60;
    static constexpr std::int32_t kFirstNumber = 1;
    static constexpr std::int64_t kLastNumber = std::numeric_limits<std::int32_t>::max();

    enum class CreateResult {
        Created,         // the selection now names the new item
        NameExists,      // a sibling already has the name; nothing created
        NothingCreated,  // full block, empty name, or the selection takes no such child
        NoNumberLeft,    // every macro number has been handed out; nothing created
    };

    MacroLibrary();
    ~MacroLibrary();
    MacroLibrary(const MacroLibrary&) = delete;
    MacroLibrary& operator=(const MacroLibrary&) = delete;
    MacroLibrary(MacroLibrary&&) noexcept;
    MacroLibrary& operator=(MacroLibrary&&) noexcept;

    // The item at a location; null for a stage other than 0..2 or an index outside
    // 0..59. Slots of unallocated blocks read as free items.
    [[nodiscard]] const MacroItem* Item(const MacroItemLocation& location) const;
    // The same slot for writing (rename, open or close, edit the macro); allocates its
    // block if needed.
    [[nodiscard]] MacroItem* MutableItem(const MacroItemLocation& location);

    // Frees every item and block; keeps the counter.
    void Clear();
    // Frees the item with everything below it and moves the later items of its block,
    // with their child blocks, one slot up.
    void Delete(const MacroItemLocation& location);

    // A selected level-0 or level-1 folder receives the new macro, anything else puts it
    // in the top-level table. On success the selection names the new item.
    [[nodiscard]] CreateResult CreateMacroAtSelection(std::u16string_view name,
                                                      MacroItemLocation& selection);
    // As above, but only a selected level-0 folder receives the new folder, and a
    // selected level-1 or level-2 folder receives nothing (folders are two levels deep).
    [[nodiscard]] CreateResult CreateFolderAtSelection(std::u16string_view name,
                                                       MacroItemLocation& selection);

    // Whether an item of the block holding `location` (the item itself included) has
    // this name; a stage of 0 or less means the top-level table.
    [[nodiscard]] bool NameExistsInLevel(std::u16string_view name,
                                         const MacroItemLocation& location) const;
    // Whether the name exists in the block where CreateMacroAtSelection would put it.
    [[nodiscard]] bool NameExistsForNewItem(std::u16string_view name,
                                            const MacroItemLocation& selection) const;
    // Whether the macro at `location`, or any macro below the folder at `location`,
    // has this number. A folder at level 2 holds nothing.
    [[nodiscard]] bool KeyInSubtree(std::uint32_t number, const MacroItemLocation& location) const;

    // The flattened tree list: every used top-level item, followed by the used children
    // of an open folder, and so on; free slots are skipped.
    [[nodiscard]] std::int32_t VisibleRowCount() const;
    // None() for a row outside the view.
    [[nodiscard]] MacroItemLocation RowToLocation(std::int32_t row) const;
    // -1 when the location is not a visible row.
    [[nodiscard]] std::int32_t LocationToRow(const MacroItemLocation& location) const;
    // Closes every folder of the top-level table and of every level-1 block.
    void CollapseAll();

    // Store an item at an exact location without any check (file loading). A stage
    // other than 0..2 or an index outside 0..59 places nothing and returns false.
    [[nodiscard]] bool PlaceMacro(const MacroItemLocation& location, std::u16string name,
                                  std::unique_ptr<MacroKey> macro);
    [[nodiscard]] bool PlaceFolder(const MacroItemLocation& location, std::u16string name,
                                   std::uint32_t open);

    // The first macro with this number, searching the top-level table, then the level-1
    // blocks, then the level-2 blocks, each block up to its first free slot.
    [[nodiscard]] const MacroKey* FindByNumber(std::uint32_t number) const;

    // The counter as the file writes it.
    [[nodiscard]] std::int32_t NextNumber() const;
    // The counter as a file states it (any value; loading then raises it).
    void SetNextNumber(std::int32_t number) { m_nextNumber = number; }
    // Raises the counter above the highest number of the library's macros (and to at
    // least 1); with a macro numbered 2^31-1 or more no number is left.
    void TakeNextNumberAboveUsed();
    [[nodiscard]] bool NumbersUsedUp() const { return m_nextNumber > kLastNumber; }

    // Every used item in file order: the top-level table, then the level-1 blocks in
    // order, then the level-2 blocks in order, each block slot by slot.
    void ForEachUsedItem(
        const std::function<void(const MacroItemLocation&, const MacroItem&)>& visit) const;

    // The library file (see MacroLibraryFile). A load that fails half-way keeps what it
    // read; the first save to that file afterwards keeps the file's old bytes as
    // "<name>.bak", since it drops the records the load could not read.
    [[nodiscard]] MacroLibraryLoadResult Load(const std::filesystem::path& path);
    [[nodiscard]] bool Save(const std::filesystem::path& path, const MacroItemLocation& marker);

private:
    using Block = std::array<MacroItem, kBlockSize>;
    static constexpr std::int32_t kLevel2BlockCount = kBlockSize * kBlockSize;

    // The block holding `location`'s slot, or null when it is not allocated (or the
    // location is invalid).
    [[nodiscard]] const Block* BlockOf(const MacroItemLocation& location) const;
    [[nodiscard]] Block& WritableBlockOf(const MacroItemLocation& location);
    // The block a new item goes into for this selection, as a location of its slot 0;
    // None() when the selection takes no child.
    [[nodiscard]] MacroItemLocation TargetBlockForMacro(const MacroItemLocation& selection) const;
    [[nodiscard]] MacroItemLocation TargetBlockForFolder(const MacroItemLocation& selection) const;
    [[nodiscard]] CreateResult CreateInBlock(std::u16string_view name,
                                             MacroItemLocation target, bool folder,
                                             MacroItemLocation& selection);
    // Calls visit(location) for every visible row until it returns true.
    template <class Visit>
    void WalkVisibleRows(Visit&& visit) const;

    Block m_level0;
    std::array<std::unique_ptr<Block>, kBlockSize> m_level1;
    std::array<std::unique_ptr<Block>, kLevel2BlockCount> m_level2;
    // One above kLastNumber once the last number has been handed out.
    std::int64_t m_nextNumber = kFirstNumber;
    std::filesystem::path m_partlyLoadedFrom;  // empty unless the last load failed half-way
};

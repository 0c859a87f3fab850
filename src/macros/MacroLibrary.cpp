#include "macros/MacroLibrary.h"

#include "profiles/CStdioFileEx.h"

#include <limits>

#include "macros/MacroLibraryFile.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::int32_t kBlockSize = MacroLibrary::kBlockSize;

// What a slot of an unallocated block reads as.
const MacroItem kFreeItem{};

bool IndexInRange(std::int32_t index)
{
    return index >= 0 && index < kBlockSize;
}

// Whether the location names a slot: a level 0..2 and in-range indexes for the levels
// it uses (the unused indexes are ignored).
bool IsSlot(const MacroItemLocation& location)
{
    switch (location.stage) {
    case 0:
        return IndexInRange(location.stage0Index);
    case 1:
        return IndexInRange(location.stage0Index) && IndexInRange(location.stage1Index);
    case 2:
        return IndexInRange(location.stage0Index) && IndexInRange(location.stage1Index) &&
               IndexInRange(location.stage2Index);
    default:
        return false;
    }
}

// The index of the slot within its block.
std::int32_t SlotIndex(const MacroItemLocation& location)
{
    switch (location.stage) {
    case 0:
        return location.stage0Index;
    case 1:
        return location.stage1Index;
    default:
        return location.stage2Index;
    }
}

MacroItemLocation WithSlot(MacroItemLocation location, std::int32_t slot)
{
    switch (location.stage) {
    case 0:
        location.stage0Index = slot;
        break;
    case 1:
        location.stage1Index = slot;
        break;
    default:
        location.stage2Index = slot;
        break;
    }
    return location;
}

std::size_t Level2BlockIndex(std::int32_t index0, std::int32_t index1)
{
    return static_cast<std::size_t>(index0) * kBlockSize + static_cast<std::size_t>(index1);
}

std::size_t Slot(std::int32_t index)
{
    return static_cast<std::size_t>(index);
}

}  // namespace

MacroLibrary::MacroLibrary() = default;
MacroLibrary::~MacroLibrary() = default;
MacroLibrary::MacroLibrary(MacroLibrary&&) noexcept = default;
MacroLibrary& MacroLibrary::operator=(MacroLibrary&&) noexcept = default;

const MacroLibrary::Block* MacroLibrary::BlockOf(const MacroItemLocation& location) const
{
    if (!IsSlot(location)) {
        return nullptr;
    }
    switch (location.stage) {
    case 0:
        return &m_level0;
    case 1:
        return m_level1[Slot(location.stage0Index)].get();
    default:
        return m_level2[Level2BlockIndex(location.stage0Index, location.stage1Index)].get();
    }
}

MacroLibrary::Block& MacroLibrary::WritableBlockOf(const MacroItemLocation& location)
{
    // Callers have checked IsSlot().
    std::unique_ptr<Block>* block = nullptr;
    switch (location.stage) {
    case 0:
        return m_level0;
    case 1:
        block = &m_level1[Slot(location.stage0Index)];
        break;
    default:
        block = &m_level2[Level2BlockIndex(location.stage0Index, location.stage1Index)];
        break;
    }
    if (!*block) {
        *block = std::make_unique<Block>();
    }
    return **block;
}

const MacroItem* MacroLibrary::Item(const MacroItemLocation& location) const
{
    if (!IsSlot(location)) {
        return nullptr;
    }
    const Block* block = BlockOf(location);
    return block != nullptr ? &(*block)[Slot(SlotIndex(location))] : &kFreeItem;
}

MacroItem* MacroLibrary::MutableItem(const MacroItemLocation& location)
{
    if (!IsSlot(location)) {
        return nullptr;
    }
    return &WritableBlockOf(location)[Slot(SlotIndex(location))];
}

void MacroLibrary::Clear()
{
    // Everything goes, including items that a hand-made file left behind a gap in the
    // top-level table or under a slot that is not a folder.
    for (MacroItem& item : m_level0) {
        item = MacroItem{};
    }
    for (auto& block : m_level1) {
        block.reset();
    }
    for (auto& block : m_level2) {
        block.reset();
    }
}

void MacroLibrary::Delete(const MacroItemLocation& location)
{
    if (!IsSlot(location)) {
        return;
    }
    const std::int32_t index0 = location.stage0Index;
    const std::int32_t index1 = location.stage1Index;
    switch (location.stage) {
    case 0: {
        // The item, its children and grandchildren go; every later item moves up one
        // slot and takes its level-1 block and its group of level-2 blocks along. The
        // emptied slot, block and group end up last.
        m_level0[Slot(index0)] = MacroItem{};
        m_level1[Slot(index0)].reset();
        const auto group = m_level2.begin() + static_cast<std::ptrdiff_t>(Level2BlockIndex(index0, 0));
        std::for_each(group, group + kBlockSize, [](auto& block) { block.reset(); });
        std::rotate(m_level0.begin() + index0, m_level0.begin() + index0 + 1, m_level0.end());
        std::rotate(m_level1.begin() + index0, m_level1.begin() + index0 + 1, m_level1.end());
        std::rotate(group, group + kBlockSize, m_level2.end());
        break;
    }
    case 1: {
        // The children of the item go with it; within the parent's block the later
        // items and their level-2 blocks move up one.
        const auto first = m_level2.begin() + static_cast<std::ptrdiff_t>(Level2BlockIndex(index0, 0));
        const auto own = first + index1;
        own->reset();
        std::rotate(own, own + 1, first + kBlockSize);
        if (Block* block = m_level1[Slot(index0)].get()) {
            (*block)[Slot(index1)] = MacroItem{};
            std::rotate(block->begin() + index1, block->begin() + index1 + 1, block->end());
        }
        break;
    }
    default:
        if (Block* block = m_level2[Level2BlockIndex(index0, index1)].get()) {
            const std::int32_t index2 = location.stage2Index;
            (*block)[Slot(index2)] = MacroItem{};
            std::rotate(block->begin() + index2, block->begin() + index2 + 1, block->end());
        }
        break;
    }
}

MacroItemLocation MacroLibrary::TargetBlockForMacro(const MacroItemLocation& selection) const
{
    const MacroItem* selected = Item(selection);
    if (selected == nullptr || !selected->IsUsed() || !selected->isFolder) {
        return MacroItemLocation::Level0(0);
    }
    switch (selection.stage) {
    case 0:
        return MacroItemLocation::Level1(selection.stage0Index, 0);
    case 1:
        return MacroItemLocation::Level2(selection.stage0Index, selection.stage1Index, 0);
    default:
        // A folder at level 2 only comes from a damaged file; it takes nothing.
        return MacroItemLocation::None();
    }
}

MacroItemLocation MacroLibrary::TargetBlockForFolder(const MacroItemLocation& selection) const
{
    const MacroItem* selected = Item(selection);
    if (selected == nullptr || !selected->IsUsed() || !selected->isFolder) {
        return MacroItemLocation::Level0(0);
    }
    if (selection.stage == 0) {
        return MacroItemLocation::Level1(selection.stage0Index, 0);
    }
    return MacroItemLocation::None();
}

MacroLibrary::CreateResult MacroLibrary::CreateMacroAtSelection(std::u16string_view name,
                                                                MacroItemLocation& selection)
{
    return CreateInBlock(name, TargetBlockForMacro(selection), false, selection);
}

MacroLibrary::CreateResult MacroLibrary::CreateFolderAtSelection(std::u16string_view name,
                                                                 MacroItemLocation& selection)
{
    return CreateInBlock(name, TargetBlockForFolder(selection), true, selection);
}

MacroLibrary::CreateResult MacroLibrary::CreateInBlock(std::u16string_view name,
                                                       MacroItemLocation target, bool folder,
                                                       MacroItemLocation& selection)
{
    // An empty name would make the new item a free slot.
    if (target.IsNone() || name.empty()) {
        return CreateResult::NothingCreated;
    }
    if (NameExistsInLevel(name, target)) {
        return CreateResult::NameExists;
    }
    const Block* block = BlockOf(target);
    std::int32_t freeSlot = 0;
    if (block != nullptr) {
        while (freeSlot < kBlockSize && (*block)[Slot(freeSlot)].IsUsed()) {
            ++freeSlot;
        }
        if (freeSlot == kBlockSize) {
            return CreateResult::NothingCreated;
        }
    }
    if (!folder && NumbersUsedUp()) {
        return CreateResult::NoNumberLeft;
    }
    const MacroItemLocation location = WithSlot(target, freeSlot);
    MacroItem& item = WritableBlockOf(location)[Slot(freeSlot)];
    item.name.assign(name);
    item.isFolder = folder;
    item.folderIsOpen = 0;
    item.macro.reset();
    if (!folder) {
        item.macro = std::make_unique<MacroKey>();
        item.macro->name.assign(name);
        // 0 would play as no macro: a counter set below 1 starts at 1.
        const std::int64_t number = std::max<std::int64_t>(m_nextNumber, kFirstNumber);
        item.macro->MacroKeyIndex = static_cast<std::uint32_t>(number);
        m_nextNumber = number + 1;
    }
    selection = location;
    return CreateResult::Created;
}

bool MacroLibrary::NameExistsInLevel(std::u16string_view name,
                                     const MacroItemLocation& location) const
{
    // Free slots have no name, so an empty name never exists.
    if (name.empty()) {
        return false;
    }
    const Block* block = location.stage <= 0 ? &m_level0 : BlockOf(location);
    if (block == nullptr) {
        return false;
    }
    return std::any_of(block->begin(), block->end(),
                       [name](const MacroItem& item) { return item.name == name; });
}

bool MacroLibrary::NameExistsForNewItem(std::u16string_view name,
                                        const MacroItemLocation& selection) const
{
    const MacroItemLocation target = TargetBlockForMacro(selection);
    return !target.IsNone() && NameExistsInLevel(name, target);
}

bool MacroLibrary::KeyInSubtree(std::uint32_t number, const MacroItemLocation& location) const
{
    const MacroItem* item = Item(location);
    if (item == nullptr || !item->IsUsed()) {
        return false;
    }
    const auto hasNumber = [number](const MacroItem& candidate) {
        return candidate.IsUsed() && !candidate.isFolder && candidate.macro != nullptr &&
               candidate.macro->MacroKeyIndex == number;
    };
    if (!item->isFolder) {
        return hasNumber(*item);
    }
    const auto blockHasNumber = [&hasNumber](const Block* block) {
        return block != nullptr && std::any_of(block->begin(), block->end(), hasNumber);
    };
    switch (location.stage) {
    case 0: {
        const Block* children = m_level1[Slot(location.stage0Index)].get();
        if (children == nullptr) {
            return false;
        }
        for (std::int32_t index1 = 0; index1 < kBlockSize; ++index1) {
            const MacroItem& child = (*children)[Slot(index1)];
            if (hasNumber(child)) {
                return true;
            }
            if (child.IsUsed() && child.isFolder &&
                blockHasNumber(m_level2[Level2BlockIndex(location.stage0Index, index1)].get())) {
                return true;
            }
        }
        return false;
    }
    case 1:
        return blockHasNumber(
            m_level2[Level2BlockIndex(location.stage0Index, location.stage1Index)].get());
    default:
        return false;
    }
}

template <class Visit>
void MacroLibrary::WalkVisibleRows(Visit&& visit) const
{
    for (std::int32_t index0 = 0; index0 < kBlockSize; ++index0) {
        const MacroItem& item = m_level0[Slot(index0)];
        if (!item.IsUsed()) {
            continue;
        }
        if (visit(MacroItemLocation::Level0(index0))) {
            return;
        }
        const Block* children = m_level1[Slot(index0)].get();
        if (!item.IsOpenFolder() || children == nullptr) {
            continue;
        }
        for (std::int32_t index1 = 0; index1 < kBlockSize; ++index1) {
            const MacroItem& child = (*children)[Slot(index1)];
            if (!child.IsUsed()) {
                continue;
            }
            if (visit(MacroItemLocation::Level1(index0, index1))) {
                return;
            }
            const Block* grandchildren = m_level2[Level2BlockIndex(index0, index1)].get();
            if (!child.IsOpenFolder() || grandchildren == nullptr) {
                continue;
            }
            for (std::int32_t index2 = 0; index2 < kBlockSize; ++index2) {
                if ((*grandchildren)[Slot(index2)].IsUsed() &&
                    visit(MacroItemLocation::Level2(index0, index1, index2))) {
                    return;
                }
            }
        }
    }
}

std::int32_t MacroLibrary::VisibleRowCount() const
{
    std::int32_t count = 0;
    WalkVisibleRows([&count](const MacroItemLocation&) {
        ++count;
        return false;
    });
    return count;
}

MacroItemLocation MacroLibrary::RowToLocation(std::int32_t row) const
{
    MacroItemLocation found = MacroItemLocation::None();
    if (row < 0) {
        return found;
    }
    std::int32_t current = 0;
    WalkVisibleRows([&](const MacroItemLocation& location) {
        if (current++ == row) {
            found = location;
            return true;
        }
        return false;
    });
    return found;
}

std::int32_t MacroLibrary::LocationToRow(const MacroItemLocation& location) const
{
    std::int32_t row = -1;
    std::int32_t current = 0;
    WalkVisibleRows([&](const MacroItemLocation& visible) {
        if (visible == location) {
            row = current;
            return true;
        }
        ++current;
        return false;
    });
    return row;
}

void MacroLibrary::CollapseAll()
{
    const auto collapse = [](Block& block) {
        for (MacroItem& item : block) {
            if (!item.IsUsed()) {
                break;
            }
            item.folderIsOpen = 0;
        }
    };
    collapse(m_level0);
    for (auto& block : m_level1) {
        if (block) {
            collapse(*block);
        }
    }
}

bool MacroLibrary::PlaceMacro(const MacroItemLocation& location, std::u16string name,
                              std::unique_ptr<MacroKey> macro)
{
    MacroItem* item = MutableItem(location);
    if (item == nullptr) {
        return false;
    }
    item->name = std::move(name);
    item->macro = std::move(macro);
    item->isFolder = false;
    item->folderIsOpen = 0;
    return true;
}

bool MacroLibrary::PlaceFolder(const MacroItemLocation& location, std::u16string name, std::uint32_t open)
{
    MacroItem* item = MutableItem(location);
    if (item == nullptr) {
        return false;
    }
    item->name = std::move(name);
    item->macro.reset();
    item->isFolder = true;
    item->folderIsOpen = open;
    return true;
}

const MacroKey* MacroLibrary::FindByNumber(std::uint32_t number) const
{
    const auto search = [number](const Block* block) -> const MacroKey* {
        if (block == nullptr) {
            return nullptr;
        }
        for (const MacroItem& item : *block) {
            if (!item.IsUsed()) {
                break;
            }
            if (!item.isFolder && item.macro != nullptr && item.macro->MacroKeyIndex == number) {
                return item.macro.get();
            }
        }
        return nullptr;
    };
    if (const MacroKey* found = search(&m_level0)) {
        return found;
    }
    for (const auto& block : m_level1) {
        if (const MacroKey* found = search(block.get())) {
            return found;
        }
    }
    for (const auto& block : m_level2) {
        if (const MacroKey* found = search(block.get())) {
            return found;
        }
    }
    return nullptr;
}

void MacroLibrary::ForEachUsedItem(
    const std::function<void(const MacroItemLocation&, const MacroItem&)>& visit) const
{
    const auto visitBlock = [&visit](const Block* block, MacroItemLocation first) {
        if (block == nullptr) {
            return;
        }
        for (std::int32_t slot = 0; slot < kBlockSize; ++slot) {
            const MacroItem& item = (*block)[Slot(slot)];
            if (item.IsUsed()) {
                visit(WithSlot(first, slot), item);
            }
        }
    };
    visitBlock(&m_level0, MacroItemLocation::Level0(0));
    for (std::int32_t index0 = 0; index0 < kBlockSize; ++index0) {
        visitBlock(m_level1[Slot(index0)].get(), MacroItemLocation::Level1(index0, 0));
    }
    for (std::size_t block = 0; block < m_level2.size(); ++block) {
        if (m_level2[block]) {
            const auto index0 = static_cast<std::int32_t>(block / kBlockSize);
            const auto index1 = static_cast<std::int32_t>(block % kBlockSize);
            visitBlock(m_level2[block].get(), MacroItemLocation::Level2(index0, index1, 0));
        }
    }
}

std::int32_t MacroLibrary::NextNumber() const
{
    return static_cast<std::int32_t>(std::min(m_nextNumber, kLastNumber));
}

void MacroLibrary::TakeNextNumberAboveUsed()
{
    std::int64_t next = std::max<std::int64_t>(m_nextNumber, kFirstNumber);
    ForEachUsedItem([&next](const MacroItemLocation&, const MacroItem& item) {
        if (!item.isFolder && item.macro != nullptr)
            next = std::max<std::int64_t>(next, std::int64_t{item.macro->MacroKeyIndex} + 1);
    });
    m_nextNumber = std::min(next, kLastNumber + 1);
}

MacroLibraryLoadResult MacroLibrary::Load(const std::filesystem::path& path)
{
    MacroLibraryLoadResult result = MacroLibraryFile::Load(*this, path);
    // A file that could not be opened left the library untouched (failing line 0).
    if (!result.ok && result.failingLine != 0)
        m_partlyLoadedFrom = path;
    else if (result.ok)
        m_partlyLoadedFrom.clear();
    return result;
}

bool MacroLibrary::Save(const std::filesystem::path& path, const MacroItemLocation& marker)
{
    const bool overPartlyLoaded = !m_partlyLoadedFrom.empty() && path == m_partlyLoadedFrom;
    const bool saved = MacroLibraryFile::Save(
        *this, path, marker, overPartlyLoaded ? CStdioFileEx::OldFile::KeepAsBackup : CStdioFileEx::OldFile::Replace);
    if (saved && overPartlyLoaded)
        m_partlyLoadedFrom.clear();
    return saved;
}

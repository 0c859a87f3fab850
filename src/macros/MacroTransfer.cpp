#include "macros/MacroTransfer.h"

#include "macros/MacroLibrary.h"

#include <algorithm>

namespace {

using CreateResult = MacroLibrary::CreateResult;

// The used items of a block from `first` on, up to the block's first free slot.
std::vector<MacroItemLocation> BlockFrom(const MacroLibrary& library, MacroItemLocation first)
{
    std::vector<MacroItemLocation> items;
    for (MacroItemLocation at = first;; ) {
        const MacroItem* item = library.Item(at);
        if (item == nullptr || !item->IsUsed())
            return items;
        items.push_back(at);
        switch (at.stage) {
        case 0:
            ++at.stage0Index;
            break;
        case 1:
            ++at.stage1Index;
            break;
        default:
            ++at.stage2Index;
            break;
        }
    }
}

// The used children of an item of `library`, in order; none for a level-2 item.
std::vector<MacroItemLocation> ChildrenOf(const MacroLibrary& library, const MacroItemLocation& parent)
{
    switch (parent.stage) {
    case 0:
        return BlockFrom(library, MacroItemLocation::Level1(parent.stage0Index, 0));
    case 1:
        return BlockFrom(library, MacroItemLocation::Level2(parent.stage0Index, parent.stage1Index, 0));
    default:
        return {};
    }
}

bool IsFolderAt(const MacroLibrary& library, const MacroItemLocation& location)
{
    const MacroItem* item = library.Item(location);
    return item != nullptr && item->IsUsed() && item->isFolder;
}

// Creates items in the target library and remembers the last one created.
class Creator {
public:
    Creator(MacroLibrary& library, MacroItemLocation selection) : m_library(library), m_last(selection) {}

    // A macro with the source item's name beside or inside `at`, with its content when
    // the source item is a macro. Returns whether it was created.
    bool Macro(const MacroItem& from, MacroItemLocation at)
    {
        const CreateResult created = m_library.CreateMacroAtSelection(from.name, at);
        m_numbersRanOut = m_numbersRanOut || created == CreateResult::NoNumberLeft;
        if (created != CreateResult::Created)
            return false;
        if (!from.isFolder && from.macro != nullptr) {
            if (MacroItem* created = m_library.MutableItem(at); created != nullptr && created->macro != nullptr)
                MacroTransfer::CopyContent(*from.macro, *created->macro);
        }
        Note(at);
        return true;
    }

    // A folder inside or beside `at`; where it cannot be made, `at` itself is where its
    // children go.
    MacroItemLocation Folder(const MacroItem& from, MacroItemLocation at)
    {
        MacroItemLocation folder = at;
        if (m_library.CreateFolderAtSelection(from.name, folder) != CreateResult::Created)
            return at;
        Note(folder);
        return folder;
    }

    [[nodiscard]] const MacroItemLocation& Last() const { return m_last; }
    [[nodiscard]] int Count() const { return m_count; }
    [[nodiscard]] bool NumbersRanOut() const { return m_numbersRanOut; }

private:
    void Note(const MacroItemLocation& location)
    {
        m_last = location;
        ++m_count;
    }

    MacroLibrary& m_library;
    MacroItemLocation m_last;
    int m_count = 0;
    bool m_numbersRanOut = false;
};

// Copies the item at `at` of `source` beside or into `target`: a macro with its content,
// a folder (while folderLevels allows one) with its children inside it.
void CopyItem(Creator& creator, const MacroLibrary& source, const MacroItemLocation& at,
              const MacroItemLocation& target, int folderLevels)
{
    const MacroItem& item = *source.Item(at);
    if (!item.isFolder) {
        creator.Macro(item, target);
        return;
    }
    if (folderLevels == 0)
        return;
    const MacroItemLocation folder = creator.Folder(item, target);
    for (const MacroItemLocation& child : ChildrenOf(source, at))
        CopyItem(creator, source, child, folder, folderLevels - 1);
}

}  // namespace

std::vector<MacroItemLocation> MacroTransfer::Run(const MacroLibrary& source, const MacroItemLocation& marker)
{
    switch (marker.stage) {
    case 0:
        return BlockFrom(source, MacroItemLocation::Level0(marker.stage0Index));
    case 1:
        return BlockFrom(source, MacroItemLocation::Level1(marker.stage0Index, marker.stage1Index));
    case 2:
        return BlockFrom(source,
                         MacroItemLocation::Level2(marker.stage0Index, marker.stage1Index, marker.stage2Index));
    default:
        return marker.stage < 0 ? BlockFrom(source, MacroItemLocation::Level0(0)) : std::vector<MacroItemLocation>{};
    }
}

void MacroTransfer::CopyContent(const MacroKey& from, MacroKey& to)
{
    to.name = from.name;
    to.MacroKeyLoopType = from.MacroKeyLoopType;
    to.MacroKeyLoopNum = from.MacroKeyLoopNum;
    to.MacroCommandActionNum = from.MacroCommandActionNum;
    // A file may claim more actions than a macro has room for.
    to.MacroActionNum = from.UsableActionCount();
    to.actions = from.actions;
}

MacroTransfer::Result MacroTransfer::ImportMacro(MacroLibrary& library, const MacroLibrary& source,
                                                 const MacroItemLocation& marker, const MacroItemLocation& selection)
{
    const MacroItem* marked = source.Item(marker);
    if (marked == nullptr || !marked->IsUsed())
        return {Outcome::NoItem, selection, 0};
    if (library.NameExistsForNewItem(marked->name, selection))
        return {Outcome::NameExists, selection, 0};
    if (IsFolderAt(library, selection))
        library.MutableItem(selection)->folderIsOpen = 1;
    Creator creator(library, selection);
    creator.Macro(*marked, selection);
    return {Outcome::Imported, creator.Last(), creator.Count(), creator.NumbersRanOut()};
}

MacroTransfer::Result MacroTransfer::ImportMacros(MacroLibrary& library, const MacroLibrary& source,
                                                  const MacroItemLocation& marker,
                                                  const MacroItemLocation& selection)
{
    std::vector<MacroItemLocation> run = Run(source, marker);
    if (run.empty())
        return {Outcome::NoItem, selection, 0};
    const bool markedFolder = marker.stage >= 0 && marker.stage <= 2 && IsFolderAt(source, marker);
    const bool intoFolder = IsFolderAt(library, selection);

    const std::vector<MacroItemLocation> checked =
        markedFolder ? std::vector<MacroItemLocation>{marker} : run;
    const bool taken = std::any_of(checked.begin(), checked.end(), [&](const MacroItemLocation& at) {
        return library.NameExistsForNewItem(source.Item(at)->name, selection);
    });
    if (taken)
        return {Outcome::NameExists, selection, 0};

    // How many levels of folders the copy may make, the tree being two folder levels
    // deep: into a top-level folder the run's folders come as its subfolders without
    // their own; into a second-level folder no folder goes. At the top level a folder
    // keeps one level of subfolders; folders of a second-level run hold nothing and are
    // dropped.
    int folderLevels = 0;
    if (intoFolder) {
        library.MutableItem(selection)->folderIsOpen = 1;
        folderLevels = selection.stage == 0 ? 1 : 0;
    } else {
        if (markedFolder && marker.stage <= 1)
            run = {marker};
        folderLevels = marker.stage == 2 ? 0 : 2;
    }
    Creator creator(library, selection);
    for (const MacroItemLocation& at : run)
        CopyItem(creator, source, at, selection, folderLevels);
    return {Outcome::Imported, creator.Last(), creator.Count(), creator.NumbersRanOut()};
}

std::u16string MacroTransfer::Extension(ExchangeKind kind)
{
    return kind == ExchangeKind::OneMacro ? u"mkf" : u"mbf";
}

std::u16string MacroTransfer::DefaultExportName(ExchangeKind kind, const MacroItem* selected)
{
    if (selected == nullptr || !selected->IsUsed())
        return kind == ExchangeKind::OneMacro ? u".mkf" : u"AllMacroKey.mbf";
    return selected->name + u"." + Extension(kind);
}

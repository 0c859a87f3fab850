#include "macros/MacroLibrary.h"
#include "profiles/TextNumbers.h"

#include <gtest/gtest.h>

#include <limits>

#include <string>
#include <vector>

namespace {

using Location = MacroItemLocation;
using Result = MacroLibrary::CreateResult;

enum class Kind { Macro, Folder };

std::unique_ptr<MacroKey> MacroNumbered(std::uint32_t number)
{
    auto macro = std::make_unique<MacroKey>();
    macro->MacroKeyIndex = number;
    return macro;
}

// The names of the visible rows, top to bottom.
std::vector<std::u16string> RowNames(const MacroLibrary& library)
{
    std::vector<std::u16string> names;
    for (std::int32_t row = 0; row < library.VisibleRowCount(); ++row) {
        names.push_back(library.Item(library.RowToLocation(row))->name);
    }
    return names;
}

std::u16string NameAt(const MacroLibrary& library, const Location& location)
{
    const MacroItem* item = library.Item(location);
    return item != nullptr ? item->name : u"<none>";
}

// Creates an item below `parent` (None() for the top level) and returns its location.
Location Create(MacroLibrary& library, std::u16string_view name, Location parent, Kind kind)
{
    const Result result = kind == Kind::Folder ? library.CreateFolderAtSelection(name, parent)
                                               : library.CreateMacroAtSelection(name, parent);
    EXPECT_EQ(result, Result::Created) << TextNumbers::ToUtf8(name);
    return parent;
}

void Open(MacroLibrary& library, const Location& location)
{
    library.MutableItem(location)->folderIsOpen = true;
}

std::uint32_t NumberAt(const MacroLibrary& library, const Location& location)
{
    return library.Item(location)->macro->MacroKeyIndex;
}

TEST(MacroLibrary, NewLibraryIsEmptyReadsFreeSlotsEverywhereAndCountsFromOne)
{
    const MacroLibrary library;
    EXPECT_EQ(library.NextNumber(), 1);
    EXPECT_EQ(library.VisibleRowCount(), 0);
    EXPECT_EQ(library.RowToLocation(0), Location::None());
    for (const Location location : {Location::Level0(0), Location::Level1(59, 59),
                                    Location::Level2(0, 0, 0), Location::Level2(59, 59, 59)}) {
        const MacroItem* item = library.Item(location);
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->IsUsed());
        EXPECT_FALSE(item->isFolder);
        EXPECT_EQ(item->macro, nullptr);
    }
    for (const Location location : {Location::None(), Location{3, 0, 0, 0}, Location::Level0(60),
                                    Location::Level1(-1, 0), Location::Level2(0, 0, 60)}) {
        EXPECT_EQ(library.Item(location), nullptr);
    }
    EXPECT_EQ(library.FindByNumber(0), nullptr);
}

TEST(MacroLibrary, NewMacroTakesTheNextNumberAndTheDefaultsAndBecomesTheSelection)
{
    MacroLibrary library;
    library.SetNextNumber(41);
    Location selection = Location::None();
    ASSERT_EQ(library.CreateMacroAtSelection(u"Reload", selection), Result::Created);
    EXPECT_EQ(selection, Location::Level0(0));
    EXPECT_EQ(library.NextNumber(), 42);

    const MacroItem* item = library.Item(selection);
    EXPECT_EQ(item->name, u"Reload");
    EXPECT_FALSE(item->isFolder);
    EXPECT_FALSE(item->folderIsOpen);
    ASSERT_NE(item->macro, nullptr);
    EXPECT_EQ(item->macro->name, u"Reload");
    EXPECT_EQ(item->macro->MacroKeyIndex, 41u);
    EXPECT_EQ(item->macro->MacroActionNum, 0u);
    EXPECT_EQ(item->macro->MacroCommandActionNum, 0);
    EXPECT_EQ(item->macro->MacroKeyLoopType, 2);
    EXPECT_EQ(item->macro->MacroKeyLoopNum, 1);

    // A selected macro does not take children: the next one goes to the top level.
    ASSERT_EQ(library.CreateMacroAtSelection(u"Jump", selection), Result::Created);
    EXPECT_EQ(selection, Location::Level0(1));
    EXPECT_EQ(NumberAt(library, selection), 42u);

    ASSERT_EQ(library.CreateFolderAtSelection(u"Games", selection), Result::Created);
    EXPECT_EQ(selection, Location::Level0(2));
    EXPECT_TRUE(library.Item(selection)->isFolder);
    EXPECT_EQ(library.Item(selection)->macro, nullptr);
    EXPECT_EQ(library.NextNumber(), 43);
}

// A tree with every kind of selection:
//   0 F0 (folder)            1 M (macro)
//     (0,0) F1 (folder)        (0,0,0) G (macro)   (0,0,1) Bad (folder at level 2)
//     (0,1) C (macro)
class CreationTarget : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(library.PlaceFolder(Location::Level0(0), u"F0", false));
        ASSERT_TRUE(library.PlaceMacro(Location::Level0(1), u"M", MacroNumbered(1)));
        ASSERT_TRUE(library.PlaceFolder(Location::Level1(0, 0), u"F1", false));
        ASSERT_TRUE(library.PlaceMacro(Location::Level1(0, 1), u"C", MacroNumbered(2)));
        ASSERT_TRUE(library.PlaceMacro(Location::Level2(0, 0, 0), u"G", MacroNumbered(3)));
        ASSERT_TRUE(library.PlaceFolder(Location::Level2(0, 0, 1), u"Bad", false));
        library.SetNextNumber(10);
    }

    MacroLibrary library;
};

struct TargetCase {
    const char* what;
    Location selection;
    Location newMacro;   // None(): nothing created
    Location newFolder;  // None(): nothing created
};

TEST_F(CreationTarget, SelectionDecidesWhereANewItemGoes)
{
    const TargetCase cases[] = {
        {"no selection", Location::None(), Location::Level0(2), Location::Level0(2)},
        {"top-level macro", Location::Level0(1), Location::Level0(2), Location::Level0(2)},
        {"free slot", Location::Level0(7), Location::Level0(2), Location::Level0(2)},
        {"invalid location", Location{5, 0, 0, 0}, Location::Level0(2), Location::Level0(2)},
        {"level-1 macro", Location::Level1(0, 1), Location::Level0(2), Location::Level0(2)},
        {"level-2 macro", Location::Level2(0, 0, 0), Location::Level0(2), Location::Level0(2)},
        {"top-level folder", Location::Level0(0), Location::Level1(0, 2), Location::Level1(0, 2)},
        {"level-1 folder", Location::Level1(0, 0), Location::Level2(0, 0, 2), Location::None()},
        {"level-2 folder", Location::Level2(0, 0, 1), Location::None(), Location::None()},
    };
    for (const TargetCase& c : cases) {
        for (const Kind kind : {Kind::Macro, Kind::Folder}) {
            SCOPED_TRACE(std::string(c.what) + (kind == Kind::Folder ? ", folder" : ", macro"));
            library.Clear();
            SetUp();
            const Location expected = kind == Kind::Folder ? c.newFolder : c.newMacro;
            const std::int32_t numberBefore = library.NextNumber();
            Location selection = c.selection;
            const Result result = kind == Kind::Folder
                                      ? library.CreateFolderAtSelection(u"New", selection)
                                      : library.CreateMacroAtSelection(u"New", selection);
            // Import asks the same question before it creates a macro.
            EXPECT_EQ(library.NameExistsForNewItem(u"New", c.selection),
                      !c.newMacro.IsNone() && (kind == Kind::Macro || c.newMacro == c.newFolder));
            if (expected.IsNone()) {
                EXPECT_EQ(result, Result::NothingCreated);
                EXPECT_EQ(selection, c.selection);
                EXPECT_EQ(library.NextNumber(), numberBefore);
                continue;
            }
            EXPECT_EQ(result, Result::Created);
            EXPECT_EQ(selection, expected);
            EXPECT_EQ(NameAt(library, expected), u"New");
            EXPECT_EQ(library.Item(expected)->isFolder, kind == Kind::Folder);
            EXPECT_EQ(library.NextNumber(), numberBefore + (kind == Kind::Macro ? 1 : 0));
        }
    }
}

TEST_F(CreationTarget, ExistingNameInTheTargetBlockCreatesNothing)
{
    struct Case {
        const char* what;
        Location selection;
        std::u16string_view name;
    };
    const Case cases[] = {
        {"top level", Location::None(), u"F0"},
        {"top level from a selected macro", Location::Level1(0, 1), u"M"},
        {"into a top-level folder", Location::Level0(0), u"C"},
        {"into a level-1 folder", Location::Level1(0, 0), u"Bad"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Location selection = c.selection;
        EXPECT_TRUE(library.NameExistsForNewItem(c.name, c.selection));
        EXPECT_EQ(library.CreateMacroAtSelection(c.name, selection), Result::NameExists);
        EXPECT_EQ(selection, c.selection);
        EXPECT_EQ(library.NextNumber(), 10);
    }
    Location selection = Location::None();
    EXPECT_EQ(library.CreateFolderAtSelection(u"M", selection), Result::NameExists);

    // Names are compared exactly, and only within the target block.
    EXPECT_EQ(library.CreateMacroAtSelection(u"m", selection), Result::Created);
    selection = Location::Level0(0);
    EXPECT_EQ(library.CreateMacroAtSelection(u"M", selection), Result::Created);
    EXPECT_EQ(selection, Location::Level1(0, 2));
}

TEST_F(CreationTarget, NameExistsInLevelLooksAtTheWholeBlockOfTheLocation)
{
    EXPECT_TRUE(library.NameExistsInLevel(u"C", Location::Level1(0, 0)));
    EXPECT_TRUE(library.NameExistsInLevel(u"F1", Location::Level1(0, 0)));  // the item itself
    EXPECT_TRUE(library.NameExistsInLevel(u"Bad", Location::Level2(0, 0, 40)));
    EXPECT_FALSE(library.NameExistsInLevel(u"G", Location::Level1(0, 0)));
    EXPECT_FALSE(library.NameExistsInLevel(u"c", Location::Level1(0, 0)));
    EXPECT_FALSE(library.NameExistsInLevel(u"C", Location::Level1(1, 0)));
    // Stage 0 or less means the top-level table.
    EXPECT_TRUE(library.NameExistsInLevel(u"M", Location::None()));
    EXPECT_TRUE(library.NameExistsInLevel(u"F0", Location::Level0(30)));
    // Free slots have no name.
    EXPECT_FALSE(library.NameExistsInLevel(u"", Location::Level0(0)));
}

TEST(MacroLibrary, EmptyNameCreatesNothing)
{
    MacroLibrary library;
    Location selection = Location::None();
    EXPECT_EQ(library.CreateMacroAtSelection(u"", selection), Result::NothingCreated);
    EXPECT_EQ(library.CreateFolderAtSelection(u"", selection), Result::NothingCreated);
    EXPECT_EQ(library.VisibleRowCount(), 0);
    EXPECT_EQ(library.NextNumber(), 1);
}

TEST(MacroLibrary, FullBlockCreatesNothingAndAGapIsFilledFirst)
{
    MacroLibrary library;
    Location folder = Create(library, u"Folder", Location::None(), Kind::Folder);
    for (int i = 0; i < 60; ++i) {
        Create(library, u"m" + TextNumbers::Decimal(i), folder, Kind::Macro);
    }
    Location selection = folder;
    EXPECT_EQ(library.CreateMacroAtSelection(u"one too many", selection), Result::NothingCreated);
    EXPECT_EQ(selection, folder);
    EXPECT_EQ(library.NextNumber(), 61);

    // A gap left by a hand-made file is the first free slot.
    ASSERT_TRUE(library.PlaceMacro(Location::Level0(3), u"after gap", MacroNumbered(99)));
    Create(library, u"a", Location::None(), Kind::Macro);
    selection = Location::None();
    ASSERT_EQ(library.CreateMacroAtSelection(u"b", selection), Result::Created);
    EXPECT_EQ(selection, Location::Level0(2));
    ASSERT_EQ(library.CreateMacroAtSelection(u"c", selection), Result::Created);
    EXPECT_EQ(selection, Location::Level0(4));
}

// Three open top-level folders, each with an open subfolder holding two macros and a
// plain macro after the subfolder; then a top-level macro.
class DeleteTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char16_t* prefix : {u"A", u"B", u"C"}) {
            const std::u16string p(prefix);
            const Location folder = Create(library, p, Location::None(), Kind::Folder);
            Open(library, folder);
            const Location sub = Create(library, p + u"-sub", folder, Kind::Folder);
            Open(library, sub);
            Create(library, p + u"-sub-1", sub, Kind::Macro);
            Create(library, p + u"-sub-2", sub, Kind::Macro);
            Create(library, p + u"-macro", folder, Kind::Macro);
        }
        Create(library, u"Top", Location::None(), Kind::Macro);
    }

    std::vector<std::u16string> WithoutPrefix(const std::vector<std::u16string>& names,
                                              std::u16string_view prefix)
    {
        std::vector<std::u16string> kept;
        for (const std::u16string& name : names) {
            if (name.compare(0, prefix.size(), prefix) != 0) {
                kept.push_back(name);
            }
        }
        return kept;
    }

    MacroLibrary library;
};

TEST_F(DeleteTree, DeletingATopLevelFolderMovesLaterFoldersWithChildrenAndGrandchildren)
{
    const std::vector<std::u16string> before = RowNames(library);
    ASSERT_EQ(before.size(), 16u);
    const std::uint32_t deletedNumber = NumberAt(library, Location::Level2(1, 0, 0));
    const MacroKey* movedMacro = library.Item(Location::Level2(2, 0, 1))->macro.get();

    library.Delete(Location::Level0(1));

    EXPECT_EQ(RowNames(library), WithoutPrefix(before, u"B"));
    EXPECT_EQ(NameAt(library, Location::Level0(1)), u"C");
    EXPECT_EQ(NameAt(library, Location::Level1(1, 0)), u"C-sub");
    EXPECT_EQ(NameAt(library, Location::Level1(1, 1)), u"C-macro");
    EXPECT_EQ(NameAt(library, Location::Level2(1, 0, 1)), u"C-sub-2");
    EXPECT_EQ(library.Item(Location::Level2(1, 0, 1))->macro.get(), movedMacro);
    EXPECT_EQ(NameAt(library, Location::Level0(2)), u"Top");
    // The old places of the moved items are free.
    EXPECT_FALSE(library.Item(Location::Level0(3))->IsUsed());
    EXPECT_FALSE(library.Item(Location::Level1(2, 0))->IsUsed());
    EXPECT_FALSE(library.Item(Location::Level2(2, 0, 0))->IsUsed());
    EXPECT_EQ(library.FindByNumber(deletedNumber), nullptr);
}

TEST_F(DeleteTree, DeletingALevel1FolderMovesLaterSiblingsWithTheirChildBlocks)
{
    // Give A a second subfolder after A-macro, so a folder with children moves.
    Location second = Location::Level0(0);
    ASSERT_EQ(library.CreateFolderAtSelection(u"A-second", second), Result::Created);
    Open(library, second);
    Create(library, u"A-second-1", second, Kind::Macro);
    const std::vector<std::u16string> before = RowNames(library);

    library.Delete(Location::Level1(0, 0));

    EXPECT_EQ(RowNames(library), WithoutPrefix(before, u"A-sub"));
    EXPECT_EQ(NameAt(library, Location::Level1(0, 0)), u"A-macro");
    EXPECT_EQ(NameAt(library, Location::Level1(0, 1)), u"A-second");
    EXPECT_EQ(NameAt(library, Location::Level2(0, 1, 0)), u"A-second-1");
    EXPECT_FALSE(library.Item(Location::Level1(0, 2))->IsUsed());
    EXPECT_FALSE(library.Item(Location::Level2(0, 0, 0))->IsUsed());
    EXPECT_FALSE(library.Item(Location::Level2(0, 2, 0))->IsUsed());
    // Other top-level folders are untouched.
    EXPECT_EQ(NameAt(library, Location::Level2(1, 0, 0)), u"B-sub-1");
}

TEST_F(DeleteTree, DeletingALevel2MacroClosesTheGap)
{
    library.Delete(Location::Level2(2, 0, 0));
    EXPECT_EQ(NameAt(library, Location::Level2(2, 0, 0)), u"C-sub-2");
    EXPECT_FALSE(library.Item(Location::Level2(2, 0, 1))->IsUsed());
    EXPECT_EQ(library.VisibleRowCount(), 15);
}

TEST(MacroLibrary, DeletingInAFullBlockFreesTheLastSlot)
{
    MacroLibrary library;
    for (int i = 0; i < 60; ++i) {
        Create(library, u"m" + TextNumbers::Decimal(i), Location::None(), Kind::Macro);
    }
    library.Delete(Location::Level0(59));
    library.Delete(Location::Level0(0));
    EXPECT_EQ(NameAt(library, Location::Level0(0)), u"m1");
    EXPECT_EQ(NameAt(library, Location::Level0(57)), u"m58");
    EXPECT_FALSE(library.Item(Location::Level0(58))->IsUsed());
    EXPECT_FALSE(library.Item(Location::Level0(59))->IsUsed());
    Location selection = Location::None();
    ASSERT_EQ(library.CreateMacroAtSelection(u"again", selection), Result::Created);
    EXPECT_EQ(selection, Location::Level0(58));
}

TEST(MacroLibrary, NumbersAreNeverReusedAfterDeletingEverythingOrClearing)
{
    MacroLibrary library;
    const Location folder = Create(library, u"F", Location::None(), Kind::Folder);
    Create(library, u"a", folder, Kind::Macro);
    Create(library, u"b", Location::None(), Kind::Macro);
    library.Delete(Location::Level0(1));
    library.Delete(Location::Level0(0));
    EXPECT_EQ(library.VisibleRowCount(), 0);
    EXPECT_EQ(library.NextNumber(), 3);

    const Location again = Create(library, u"a", Location::None(), Kind::Macro);
    EXPECT_EQ(NumberAt(library, again), 3u);
    library.Clear();
    const Location afterClear = Create(library, u"a", Location::None(), Kind::Macro);
    EXPECT_EQ(NumberAt(library, afterClear), 4u);
}

TEST(MacroLibrary, ClearFreesItemsBehindGapsAndUnderNonFolders)
{
    MacroLibrary library;
    ASSERT_TRUE(library.PlaceMacro(Location::Level0(5), u"behind gap", MacroNumbered(1)));
    ASSERT_TRUE(library.PlaceMacro(Location::Level1(7, 0), u"orphan", MacroNumbered(2)));
    ASSERT_TRUE(library.PlaceMacro(Location::Level2(59, 59, 59), u"deep", MacroNumbered(3)));
    library.SetNextNumber(17);
    library.Clear();
    int used = 0;
    library.ForEachUsedItem([&used](const Location&, const MacroItem&) { ++used; });
    EXPECT_EQ(used, 0);
    EXPECT_EQ(library.FindByNumber(3), nullptr);
    EXPECT_EQ(library.NextNumber(), 17);
}

// Placed with gaps:
//   0 Open (folder, open): (0,2) Sub (open): (0,2,5) Deep; (0,4) Leaf
//   3 Macro
//   5 Closed (folder, closed): (5,0) Hidden
TEST(MacroLibrary, FlattenedViewSkipsGapsAndTheChildrenOfClosedFolders)
{
    MacroLibrary library;
    ASSERT_TRUE(library.PlaceFolder(Location::Level0(0), u"Open", true));
    ASSERT_TRUE(library.PlaceFolder(Location::Level1(0, 2), u"Sub", true));
    ASSERT_TRUE(library.PlaceMacro(Location::Level2(0, 2, 5), u"Deep", MacroNumbered(1)));
    ASSERT_TRUE(library.PlaceMacro(Location::Level1(0, 4), u"Leaf", MacroNumbered(2)));
    ASSERT_TRUE(library.PlaceMacro(Location::Level0(3), u"Macro", MacroNumbered(3)));
    ASSERT_TRUE(library.PlaceFolder(Location::Level0(5), u"Closed", false));
    ASSERT_TRUE(library.PlaceMacro(Location::Level1(5, 0), u"Hidden", MacroNumbered(4)));

    const std::vector<Location> rows = {Location::Level0(0), Location::Level1(0, 2),
                                        Location::Level2(0, 2, 5), Location::Level1(0, 4),
                                        Location::Level0(3), Location::Level0(5)};
    ASSERT_EQ(library.VisibleRowCount(), static_cast<std::int32_t>(rows.size()));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        EXPECT_EQ(library.RowToLocation(static_cast<std::int32_t>(row)), rows[row]) << row;
        EXPECT_EQ(library.LocationToRow(rows[row]), static_cast<std::int32_t>(row)) << row;
    }
    EXPECT_EQ(library.RowToLocation(6), Location::None());
    EXPECT_EQ(library.RowToLocation(-1), Location::None());
    EXPECT_EQ(library.LocationToRow(Location::Level1(5, 0)), -1);  // in a closed folder
    EXPECT_EQ(library.LocationToRow(Location::Level0(1)), -1);     // free slot
    EXPECT_EQ(library.LocationToRow(Location::None()), -1);

    // Closing the subfolder hides its child; opening the other folder shows its child.
    library.MutableItem(Location::Level1(0, 2))->folderIsOpen = false;
    Open(library, Location::Level0(5));
    EXPECT_EQ(RowNames(library), (std::vector<std::u16string>{u"Open", u"Sub", u"Leaf", u"Macro",
                                                              u"Closed", u"Hidden"}));
}

TEST(MacroLibrary, CollapseAllClosesFoldersUpToTheFirstFreeSlotOfEachBlock)
{
    MacroLibrary library;
    ASSERT_TRUE(library.PlaceFolder(Location::Level0(0), u"A", true));
    ASSERT_TRUE(library.PlaceFolder(Location::Level1(0, 0), u"A1", true));
    ASSERT_TRUE(library.PlaceFolder(Location::Level1(0, 2), u"A3 behind gap", true));
    ASSERT_TRUE(library.PlaceFolder(Location::Level0(1), u"B", true));
    ASSERT_TRUE(library.PlaceFolder(Location::Level0(3), u"D behind gap", true));

    library.CollapseAll();

    EXPECT_FALSE(library.Item(Location::Level0(0))->folderIsOpen);
    EXPECT_FALSE(library.Item(Location::Level0(1))->folderIsOpen);
    EXPECT_FALSE(library.Item(Location::Level1(0, 0))->folderIsOpen);
    EXPECT_TRUE(library.Item(Location::Level0(3))->folderIsOpen);
    EXPECT_TRUE(library.Item(Location::Level1(0, 2))->folderIsOpen);
    EXPECT_EQ(library.VisibleRowCount(), 3);  // A, B, D
}

TEST(MacroLibrary, FindByNumberSearchesLevelByLevelAndStopsAtTheFirstFreeSlot)
{
    MacroLibrary library;
    ASSERT_TRUE(library.PlaceFolder(Location::Level0(0), u"F", false));
    ASSERT_TRUE(library.PlaceMacro(Location::Level2(0, 0, 0), u"deep", MacroNumbered(7)));
    ASSERT_TRUE(library.PlaceFolder(Location::Level1(0, 0), u"sub", false));
    ASSERT_TRUE(library.PlaceMacro(Location::Level1(0, 1), u"middle", MacroNumbered(7)));
    ASSERT_TRUE(library.PlaceMacro(Location::Level0(1), u"top", MacroNumbered(7)));
    ASSERT_TRUE(library.PlaceMacro(Location::Level0(3), u"behind gap", MacroNumbered(8)));

    ASSERT_NE(library.FindByNumber(7), nullptr);
    EXPECT_EQ(library.FindByNumber(7), library.Item(Location::Level0(1))->macro.get());
    library.Delete(Location::Level0(1));
    EXPECT_EQ(library.FindByNumber(7), library.Item(Location::Level1(0, 1))->macro.get());
    library.Delete(Location::Level1(0, 1));
    EXPECT_EQ(library.FindByNumber(7), library.Item(Location::Level2(0, 0, 0))->macro.get());
    // Level0(3) moved to slot 2 with the delete, slot 1 is free: not searched.
    EXPECT_EQ(NameAt(library, Location::Level0(2)), u"behind gap");
    EXPECT_EQ(library.FindByNumber(8), nullptr);
}

TEST(MacroLibrary, KeyInSubtreeLooksBelowFoldersTwoLevelsDeep)
{
    MacroLibrary library;
    ASSERT_TRUE(library.PlaceFolder(Location::Level0(0), u"F", false));
    ASSERT_TRUE(library.PlaceMacro(Location::Level1(0, 0), u"child", MacroNumbered(1)));
    ASSERT_TRUE(library.PlaceFolder(Location::Level1(0, 5), u"sub", false));
    ASSERT_TRUE(library.PlaceMacro(Location::Level2(0, 5, 9), u"grandchild", MacroNumbered(2)));
    ASSERT_TRUE(library.PlaceFolder(Location::Level2(0, 5, 0), u"bad", false));
    // Children of a macro (a damaged file) are not part of its subtree.
    ASSERT_TRUE(library.PlaceMacro(Location::Level1(1, 0), u"orphan", MacroNumbered(3)));
    ASSERT_TRUE(library.PlaceMacro(Location::Level0(1), u"macro", MacroNumbered(4)));

    struct Case {
        std::uint32_t number;
        Location location;
        bool expected;
    };
    const Case cases[] = {
        {1, Location::Level0(0), true},       {2, Location::Level0(0), true},
        {2, Location::Level1(0, 5), true},    {1, Location::Level1(0, 5), false},
        {1, Location::Level1(0, 0), true},    {2, Location::Level2(0, 5, 9), true},
        {2, Location::Level2(0, 5, 0), false}, {4, Location::Level0(1), true},
        {3, Location::Level0(1), false},      {4, Location::Level0(0), false},
        {0, Location::Level0(7), false},      {1, Location::None(), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(library.KeyInSubtree(c.number, c.location), c.expected)
            << c.number << " at " << c.location.stage << "," << c.location.stage0Index << ","
            << c.location.stage1Index << "," << c.location.stage2Index;
    }
}

TEST(MacroLibrary, PlacingOutsideTheTreeStoresNothing)
{
    MacroLibrary library;
    for (const Location location : {Location{3, 0, 0, 0}, Location::None(), Location::Level0(60),
                                    Location::Level1(0, -1), Location::Level2(60, 0, 0)}) {
        EXPECT_FALSE(library.PlaceMacro(location, u"x", MacroNumbered(1)));
        EXPECT_FALSE(library.PlaceFolder(location, u"x", true));
        library.Delete(location);
    }
    int used = 0;
    library.ForEachUsedItem([&used](const Location&, const MacroItem&) { ++used; });
    EXPECT_EQ(used, 0);
}

}  // namespace

TEST(MacroLibraryCounter, HandsOutItsLastNumberOnceThenRefusesNewMacros)
{
    MacroLibrary library;
    library.SetNextNumber(std::numeric_limits<std::int32_t>::max());
    MacroItemLocation selection;
    ASSERT_EQ(library.CreateMacroAtSelection(u"last", selection), MacroLibrary::CreateResult::Created);
    EXPECT_EQ(library.Item(selection)->macro->MacroKeyIndex, 2147483647u);
    EXPECT_EQ(library.NextNumber(), std::numeric_limits<std::int32_t>::max());

    MacroItemLocation again;
    EXPECT_EQ(library.CreateMacroAtSelection(u"one more", again), MacroLibrary::CreateResult::NoNumberLeft);
    EXPECT_TRUE(again.IsNone());
    // A folder takes no number.
    EXPECT_EQ(library.CreateFolderAtSelection(u"folder", again), MacroLibrary::CreateResult::Created);
}

TEST(MacroLibraryCounter, ACounterBelowOneStartsAtOne)
{
    for (const std::int32_t counter : {0, -7}) {
        MacroLibrary library;
        library.SetNextNumber(counter);
        MacroItemLocation selection;
        ASSERT_EQ(library.CreateMacroAtSelection(u"m", selection), MacroLibrary::CreateResult::Created);
        EXPECT_EQ(library.Item(selection)->macro->MacroKeyIndex, 1u) << counter;
        EXPECT_EQ(library.NextNumber(), 2) << counter;
    }
}

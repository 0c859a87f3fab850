#include "macros/MacroLibraryFile.h"
#include "macros/MacroTransfer.h"
#include "support/TempFolder.h"

#include "MacroTreeShape.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

namespace {

using Location = MacroItemLocation;
using Outcome = MacroTransfer::Outcome;

// The library a user exported from:
//   [F1] m11, [F12] (m121, m122), m13
//   M2 (played 3 times)
//   [F3] m31
//   M4
class MacroTransferTest : public ::testing::Test {
protected:
    MacroTransferTest()
    {
        TreeBuilder tree(exported);
        const Location f1 = tree.Folder("F1");
        tree.Macro("m11", f1, 0x41);
        const Location f12 = tree.Folder("F12", f1);
        tree.Macro("m121", f12, 0x42, 70000);
        tree.Macro("m122", f12, 0x43);
        tree.Macro("m13", f1, 0x44);
        tree.Macro("M2", Location::None(), 0x45, 50, 3);
        const Location f3 = tree.Folder("F3");
        tree.Macro("m31", f3, 0x46);
        tree.Macro("M4", Location::None(), 0x47);
    }

    // Writes the exported library with `marker` and reads it back as an import does;
    // returns the marker read.
    Location ExchangeThroughFile(const Location& marker)
    {
        const auto path = folder / "exchange.mbf";
        EXPECT_TRUE(exported.Save(path, marker));
        const MacroLibraryLoadResult loaded = imported.Load(path);
        EXPECT_TRUE(loaded.ok);
        return loaded.marker;
    }

    // A macro the target library had before the import (made by TreeBuilder).
    static ShapeItem Made(int stage, const char* name, std::uint8_t key)
    {
        return {stage, name, false, 3, key, MacroKey::kLoopModeCount, 1};
    }
    static std::vector<ShapeItem> ShapeOf(std::initializer_list<ShapeItem> items) { return items; }
    ShapeItem Exported(const char* name, int stage) const
    {
        for (ShapeItem item : TreeShape(exported)) {
            if (item.name == name) {
                item.stage = stage;
                return item;
            }
        }
        ADD_FAILURE() << name;
        return {};
    }

    TempFolder folder;
    MacroLibrary exported;
    MacroLibrary imported;
    MacroLibrary library;
};

TEST_F(MacroTransferTest, RunStartsAtTheMarkerAndEndsAtTheBlocksFirstFreeSlot)
{
    struct Case {
        Location marker;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {Location::None(), {"F1", "M2", "F3", "M4"}},
        {{-7, 3, 3, 3}, {"F1", "M2", "F3", "M4"}},
        {Location::Level0(1), {"M2", "F3", "M4"}},
        {Location::Level0(4), {}},
        {Location::Level0(75), {}},
        {Location::Level1(0, 1), {"F12", "m13"}},
        {Location::Level2(0, 1, 0), {"m121", "m122"}},
        {Location::Level2(0, 1, 1), {"m122"}},
        {{3, 0, 0, 0}, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> names;
        for (const Location& at : MacroTransfer::Run(exported, c.marker))
            names.push_back(TextNumbers::ToUtf8(exported.Item(at)->name));
        EXPECT_EQ(names, c.names) << c.marker.stage << " " << c.marker.stage0Index << " " << c.marker.stage1Index;
    }
}

TEST_F(MacroTransferTest, WholeTreeImportedIntoAnEmptyLibraryIsRebuiltWithNewNumbers)
{
    const Location marker = ExchangeThroughFile(Location::None());
    library.SetNextNumber(500);
    const MacroTransfer::Result result = MacroTransfer::ImportMacros(library, imported, marker, Location::None());

    EXPECT_EQ(result.outcome, Outcome::Imported);
    EXPECT_EQ(TreeShape(library), TreeShape(exported));
    EXPECT_EQ(result.created, 10);
    // The last item created: M4, the last top-level item.
    EXPECT_EQ(result.selection, Location::Level0(3));
    std::set<std::uint32_t> numbers;
    library.ForEachUsedItem([&](const Location&, const MacroItem& item) {
        if (item.macro != nullptr)
            numbers.insert(item.macro->MacroKeyIndex);
    });
    EXPECT_EQ(numbers, (std::set<std::uint32_t>{500, 501, 502, 503, 504, 505, 506}));
}

TEST_F(MacroTransferTest, WithOnlyOneNumberLeftTheImportStopsMakingMacrosAndSaysSo)
{
    const Location marker = ExchangeThroughFile(Location::None());
    library.SetNextNumber(std::numeric_limits<std::int32_t>::max());
    const MacroTransfer::Result result = MacroTransfer::ImportMacros(library, imported, marker, Location::None());

    EXPECT_EQ(result.outcome, Outcome::Imported);
    EXPECT_TRUE(result.numbersRanOut);
    std::vector<std::uint32_t> numbers;
    library.ForEachUsedItem([&](const Location&, const MacroItem& item) {
        if (item.macro != nullptr)
            numbers.push_back(item.macro->MacroKeyIndex);
    });
    EXPECT_EQ(numbers, std::vector<std::uint32_t>{2147483647u});

    MacroLibrary roomy;
    EXPECT_FALSE(MacroTransfer::ImportMacros(roomy, imported, marker, Location::None()).numbersRanOut);
}

TEST_F(MacroTransferTest, MarkedTopLevelFolderGoesToTheTopOrIntoTheSelectedFolder)
{
    const Location marker = ExchangeThroughFile(Location::Level0(0));
    {
        SCOPED_TRACE("nothing selected: only the marked folder, with its subfolder");
        MacroLibrary target;
        const auto result = MacroTransfer::ImportMacros(target, imported, marker, Location::None());
        EXPECT_EQ(result.outcome, Outcome::Imported);
        EXPECT_EQ(TreeShape(target), ShapeOf({Exported("F1", 0), Exported("m11", 1), Exported("F12", 1),
                                               Exported("m121", 2), Exported("m122", 2), Exported("m13", 1)}));
    }
    {
        SCOPED_TRACE("a top-level folder selected: the marked folder and every later top-level item go in");
        MacroLibrary target;
        TreeBuilder tree(target);
        tree.Macro("before", Location::None(), 0x30);
        const Location selected = tree.Folder("Target");
        tree.Macro("x", selected, 0x31);
        const auto result = MacroTransfer::ImportMacros(target, imported, marker, Location::Level0(1));
        EXPECT_EQ(result.outcome, Outcome::Imported);
        EXPECT_EQ(TreeShape(target),
                  ShapeOf({Made(0, "before", 0x30), ShapeItem{0, "Target", true}, Made(1, "x", 0x31), Exported("F1", 1),
                           Exported("m11", 2), Exported("m13", 2), Exported("M2", 1), Exported("F3", 1),
                           Exported("m31", 2), Exported("M4", 1)}));
        EXPECT_EQ(target.Item(Location::Level0(1))->folderIsOpen, 1u);
        EXPECT_EQ(result.selection, Location::Level1(1, 4));
    }
}

TEST_F(MacroTransferTest, IntoASecondLevelFolderOnlyMacrosAreTaken)
{
    TreeBuilder tree(library);
    const Location top = tree.Folder("Top");
    const Location sub = tree.Folder("Sub", top);
    const Location marker = ExchangeThroughFile(Location::None());
    const auto result = MacroTransfer::ImportMacros(library, imported, marker, sub);
    EXPECT_EQ(result.outcome, Outcome::Imported);
    EXPECT_EQ(TreeShape(library), ShapeOf({ShapeItem{0, "Top", true}, ShapeItem{1, "Sub", true}, Exported("M2", 2),
                                           Exported("M4", 2)}));
    EXPECT_EQ(result.selection, Location::Level2(0, 0, 1));
}

TEST_F(MacroTransferTest, ANameAlreadyWhereItWouldGoRefusesTheWholeImport)
{
    struct Case {
        const char* name;
        Location marker;
        const char* existing;  // a top-level item of the target
    };
    const Case cases[] = {
        {"whole tree, a later macro taken", Location::None(), "M4"},
        {"whole tree, a folder name taken", Location::None(), "F3"},
        {"marked folder taken", Location::Level0(0), "F1"},
        {"run from a macro", Location::Level0(1), "F3"},
    };
    for (const Case& c : cases) {
        MacroLibrary target;
        TreeBuilder(target).Macro(c.existing, Location::None(), 0x20);
        const Location marker = ExchangeThroughFile(c.marker);
        const std::u16string before = MacroLibraryFile::Format(target, Location::None());
        const auto result = MacroTransfer::ImportMacros(target, imported, marker, Location::Level0(0));
        EXPECT_EQ(result.outcome, Outcome::NameExists) << c.name;
        EXPECT_EQ(result.selection, Location::Level0(0)) << c.name;
        EXPECT_EQ(MacroLibraryFile::Format(target, Location::None()), before) << c.name;
    }
}

TEST_F(MacroTransferTest, OnlyTheMarkedFolderIsCheckedAndALaterFolderThatCannotBeMadeLeavesItsMacrosInPlace)
{
    TreeBuilder tree(library);
    const Location target = tree.Folder("Target");
    tree.Folder("F3", target);
    const Location marker = ExchangeThroughFile(Location::Level0(0));
    const auto result = MacroTransfer::ImportMacros(library, imported, marker, Location::Level0(0));
    EXPECT_EQ(result.outcome, Outcome::Imported);
    EXPECT_EQ(TreeShape(library),
              ShapeOf({ShapeItem{0, "Target", true}, ShapeItem{1, "F3", true}, Exported("F1", 1), Exported("m11", 2),
                       Exported("m13", 2), Exported("M2", 1), Exported("m31", 1), Exported("M4", 1)}));
}

TEST_F(MacroTransferTest, ImportMacroCreatesOneMacroWithTheMarkedContent)
{
    struct Case {
        const char* name;
        Location marker;
        Location selection;
        Outcome outcome;
        std::vector<ShapeItem> shape;  // after the target's "M2" and closed folder "Box"
    };
    const ShapeItem m2{0, "M2", false, 0, 0, 2, 1};
    const ShapeItem box{0, "Box", true};
    const Case cases[] = {
        {"a second-level macro beside a top-level macro", Location::Level2(0, 1, 0), Location::Level0(0),
         Outcome::Imported, {m2, box, Exported("m121", 0)}},
        {"into a selected folder", Location::Level0(3), Location::Level0(1), Outcome::Imported,
         {m2, box, Exported("M4", 1)}},
        {"a marked folder gives an empty macro of its name", Location::Level0(2), Location::None(),
         Outcome::Imported, {m2, box, ShapeItem{0, "F3", false, 0, 0, 2, 1}}},
        {"the name is taken", Location::Level0(1), Location::None(), Outcome::NameExists, {m2, box}},
        {"no item marked", Location::None(), Location::None(), Outcome::NoItem, {m2, box}},
        {"a stage above 2", {3, 0, 0, 0}, Location::None(), Outcome::NoItem, {m2, box}},
        {"an empty slot", Location::Level1(2, 1), Location::None(), Outcome::NoItem, {m2, box}},
    };
    for (const Case& c : cases) {
        MacroLibrary target;
        target.SetNextNumber(900);
        TreeBuilder tree(target);
        Location created = Location::None();
        ASSERT_EQ(target.CreateMacroAtSelection(u"M2", created), MacroLibrary::CreateResult::Created);
        tree.Folder("Box");
        const Location marker = ExchangeThroughFile(c.marker);
        const auto result = MacroTransfer::ImportMacro(target, imported, marker, c.selection);
        EXPECT_EQ(result.outcome, c.outcome) << c.name;
        EXPECT_EQ(TreeShape(target), c.shape) << c.name;
        if (c.outcome == Outcome::Imported) {
            EXPECT_EQ(target.Item(result.selection)->macro->MacroKeyIndex, 901u) << c.name;
            if (c.selection == Location::Level0(1)) {
                EXPECT_EQ(target.Item(c.selection)->folderIsOpen, 1u) << c.name;
            }
        } else {
            EXPECT_EQ(result.selection, c.selection) << c.name;
        }
    }
}

TEST_F(MacroTransferTest, ExportFileNamesFollowTheSelection)
{
    MacroItem macro;
    macro.name = u"Reload";
    EXPECT_EQ(MacroTransfer::DefaultExportName(MacroTransfer::ExchangeKind::OneMacro, &macro), u"Reload.mkf");
    EXPECT_EQ(MacroTransfer::DefaultExportName(MacroTransfer::ExchangeKind::Macros, &macro), u"Reload.mbf");
    EXPECT_EQ(MacroTransfer::DefaultExportName(MacroTransfer::ExchangeKind::Macros, nullptr), u"AllMacroKey.mbf");
}

}  // namespace

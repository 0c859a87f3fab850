#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "profiles/CStdioFileEx.h"
#include "profiles/TextNumbers.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using Location = MacroItemLocation;
namespace fs = std::filesystem;

const std::string kZeroActions(2000, '0');

class MacroLibraryFileTest : public ::testing::Test {
protected:
    [[nodiscard]] fs::path PathOf(const std::string& name) const { return m_folder / name; }

    // Writes ASCII text as a file in the program's format.
    [[nodiscard]] fs::path WriteFile(const std::string& text) const
    {
        const fs::path path = PathOf("library.mlf");
        WriteUtf16File(path, TextNumbers::FromUtf8(text));
        return path;
    }

    static std::string Utf16LeFile(const std::string& text)
    {
        return Utf16Bytes(TextNumbers::FromUtf8(text));
    }

    TempFolder m_folder;
};

// Names of the used items in file order.
std::vector<std::string> Names(const MacroLibrary& library)
{
    std::vector<std::string> names;
    library.ForEachUsedItem([&names](const Location&, const MacroItem& item) {
        names.push_back(TextNumbers::ToUtf8(item.name));
    });
    return names;
}

std::u16string NameOf(const MacroLibrary& library, const Location& location)
{
    return library.Item(location)->name;
}

std::string LocationText(int stage, int index0, int index1, int index2)
{
    return "stage=" + std::to_string(stage) + ";stage0Index=" + std::to_string(index0) +
           ";stage1Index=" + std::to_string(index1) + ";stage2Index=" + std::to_string(index2) +
           ";";
}

const std::string kHeader = "[MacroLibrary]\nMacroKeyIndex=5\nSelect Locaton:" +
                            LocationText(-1, 0, 0, 0) + "\n";

std::string FolderRecord(const std::string& name, const std::string& location, int open)
{
    return "++++++++MacroItemName=" + name + "\nMacroItemLocation:" + location +
           "\nMacroItemIsFolder=1\nMacroItemFolderIsOpen=" + std::to_string(open) + "\n";
}

// The ten lines of a macro record; the counts and numbers are given as text so that a
// test can write any value.
struct MacroRecordText {
    std::string name = "m";
    std::string location = LocationText(0, 0, 0, 0);
    std::string number = "1";
    std::string loopType = "2";
    std::string loopNum = "1";
    std::string actionNum = "0";
    std::string commandActionNum = "0";
    std::string actions = kZeroActions;

    [[nodiscard]] std::string Text() const
    {
        return "++++++++MacroItemName=" + name + "\nMacroItemLocation:" + location +
               "\nMacroItemIsFolder=0\nMacroItemFolderIsOpen=0\nMacroKeyIndex=" + number +
               "\nMacroKeyLoopType=" + loopType + "\nMacroKeyLoopNum=" + loopNum +
               "\nMacroActionNum=" + actionNum + "\nMacroCommandActionNum=" + commandActionNum +
               "\nAllAction=" + actions + "\n";
    }
};

std::string GoodRecord()
{
    return MacroRecordText{.name = "good"}.Text();
}

TEST_F(MacroLibraryFileTest, EmptyLibraryIsThreeLinesAndLoadsBackEmpty)
{
    MacroLibrary library;
    const fs::path path = PathOf("empty.mlf");
    ASSERT_TRUE(library.Save(path, Location::None()));
    EXPECT_EQ(ReadBytes(path), Utf16LeFile("[MacroLibrary]\nMacroKeyIndex=1\nSelect Locaton:"
                                           "stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;\n"));

    MacroLibrary loaded;
    ASSERT_TRUE(loaded.PlaceFolder(Location::Level0(0), u"old", false));
    loaded.SetNextNumber(50);
    const MacroLibraryLoadResult result = loaded.Load(path);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.failingLine, 0u);
    EXPECT_EQ(result.marker, Location::None());
    EXPECT_EQ(loaded.NextNumber(), 1);
    EXPECT_TRUE(Names(loaded).empty());
}

TEST_F(MacroLibraryFileTest, SavedTextIsOrderedByLevelWithTabsAndAll250Actions)
{
    MacroLibrary library;
    Location games = Location::None();
    ASSERT_EQ(library.CreateFolderAtSelection(u"Games", games), MacroLibrary::CreateResult::Created);
    library.MutableItem(games)->folderIsOpen = true;
    Location a = games;
    ASSERT_EQ(library.CreateMacroAtSelection(u"A", a), MacroLibrary::CreateResult::Created);
    MacroKey& macroA = *library.MutableItem(a)->macro;
    ASSERT_TRUE(macroA.Insert(0, MacroAction::FromBytes(0x41, MacroAction::kPressFlag, 0, 0)));
    ASSERT_TRUE(macroA.Insert(1, MacroAction::Delay(50)));
    ASSERT_TRUE(macroA.Insert(2, MacroAction::FromBytes(0x41, MacroAction::kReleaseFlag, 0, 0)));
    macroA.MacroCommandActionNum = 2;
    Location sub = games;
    ASSERT_EQ(library.CreateFolderAtSelection(u"Sub", sub), MacroLibrary::CreateResult::Created);
    Location deep = sub;
    ASSERT_EQ(library.CreateMacroAtSelection(u"Deep", deep), MacroLibrary::CreateResult::Created);
    MacroKey& macroDeep = *library.MutableItem(deep)->macro;
    macroDeep.MacroKeyLoopType = MacroKey::kLoopModeFour;
    macroDeep.MacroKeyLoopNum = 3;
    ASSERT_TRUE(macroDeep.Set(249, MacroAction::FromBytes(0x12, 0x34, 0x56, 0x78)));
    Location top = Location::None();
    ASSERT_EQ(library.CreateMacroAtSelection(u"Top", top), MacroLibrary::CreateResult::Created);

    const fs::path path = PathOf("small.mlf");
    ASSERT_TRUE(library.Save(path, Location::Level2(0, 1, 0)));

    const std::string expected =
        "[MacroLibrary]\n"
        "MacroKeyIndex=4\n"
        "Select Locaton:stage=2;stage0Index=0;stage1Index=1;stage2Index=0;\n"
        "++++++++MacroItemName=Games\n"
        "MacroItemLocation:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;\n"
        "MacroItemIsFolder=1\n"
        "MacroItemFolderIsOpen=1\n"
        "++++++++MacroItemName=Top\n"
        "MacroItemLocation:stage=0;stage0Index=1;stage1Index=0;stage2Index=0;\n"
        "MacroItemIsFolder=0\n"
        "MacroItemFolderIsOpen=0\n"
        "MacroKeyIndex=3\n"
        "MacroKeyLoopType=2\n"
        "MacroKeyLoopNum=1\n"
        "MacroActionNum=0\n"
        "MacroCommandActionNum=0\n"
        "AllAction=" + kZeroActions + "\n"
        "\t++++++++MacroItemName=A\n"
        "\tMacroItemLocation:stage=1;stage0Index=0;stage1Index=0;stage2Index=0;\n"
        "\tMacroItemIsFolder=0\n"
        "\tMacroItemFolderIsOpen=0\n"
        "\tMacroKeyIndex=1\n"
        "\tMacroKeyLoopType=2\n"
        "\tMacroKeyLoopNum=1\n"
        "\tMacroActionNum=3\n"
        "\tMacroCommandActionNum=2\n"
        "\tAllAction=410000000300003241800000" + std::string(1976, '0') + "\n"
        "\t++++++++MacroItemName=Sub\n"
        "\tMacroItemLocation:stage=1;stage0Index=0;stage1Index=1;stage2Index=0;\n"
        "\tMacroItemIsFolder=1\n"
        "\tMacroItemFolderIsOpen=0\n"
        "\t\t++++++++MacroItemName=Deep\n"
        "\t\tMacroItemLocation:stage=2;stage0Index=0;stage1Index=1;stage2Index=0;\n"
        "\t\tMacroItemIsFolder=0\n"
        "\t\tMacroItemFolderIsOpen=0\n"
        "\t\tMacroKeyIndex=2\n"
        "\t\tMacroKeyLoopType=4\n"
        "\t\tMacroKeyLoopNum=3\n"
        "\t\tMacroActionNum=0\n"
        "\t\tMacroCommandActionNum=0\n"
        "\t\tAllAction=" + std::string(1992, '0') + "12345678\n";
    EXPECT_EQ(ReadBytes(path), Utf16LeFile(expected));

    // Loading it back gives the same tree, the marker and the counter.
    MacroLibrary loaded;
    const MacroLibraryLoadResult result = loaded.Load(path);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.marker, Location::Level2(0, 1, 0));
    EXPECT_EQ(loaded.NextNumber(), 4);
    EXPECT_EQ(MacroLibraryFile::Format(loaded, result.marker),
              MacroLibraryFile::Format(library, Location::Level2(0, 1, 0)));
    EXPECT_EQ(loaded.Item(deep)->macro->name, u"Deep");
    EXPECT_EQ(loaded.VisibleRowCount(), 4);  // Games, A, Sub (closed), Top
}

TEST_F(MacroLibraryFileTest, NumbersOfDeletedMacrosAreNotHandedOutAgainAfterReloading)
{
    MacroLibrary library;
    for (const char16_t* name : {u"one", u"two"}) {
        Location selection = Location::None();
        ASSERT_EQ(library.CreateMacroAtSelection(name, selection), MacroLibrary::CreateResult::Created);
    }
    library.Delete(Location::Level0(1));
    library.Delete(Location::Level0(0));
    const fs::path path = PathOf("emptied.mlf");
    ASSERT_TRUE(library.Save(path, Location::None()));

    MacroLibrary loaded;
    ASSERT_TRUE(loaded.Load(path).ok);
    Location selection = Location::None();
    ASSERT_EQ(loaded.CreateMacroAtSelection(u"three", selection), MacroLibrary::CreateResult::Created);
    EXPECT_EQ(loaded.Item(selection)->macro->MacroKeyIndex, 3u);
}

TEST_F(MacroLibraryFileTest, EveryActionSlotAndFieldSurvivesARoundTrip)
{
    MacroLibrary library;
    auto macro = std::make_unique<MacroKey>();
    macro->MacroKeyIndex = 4000000000u;
    macro->MacroActionNum = 3;
    macro->MacroCommandActionNum = 125;
    macro->MacroKeyLoopType = MacroKey::kLoopModeOne;
    macro->MacroKeyLoopNum = 255;
    for (std::uint32_t i = 0; i < MacroKey::kMaxActions; ++i) {
        ASSERT_TRUE(macro->Set(i, MacroAction{0x9E3779B9u * (i + 1)}));
    }
    const MacroKey original = *macro;
    ASSERT_TRUE(library.PlaceMacro(Location::Level2(59, 59, 59), u"Ünïcode ☃ name", std::move(macro)));
    library.SetNextNumber(-7);

    const fs::path path = PathOf("all.mlf");
    ASSERT_TRUE(library.Save(path, Location{1, 2, 3, 4}));
    MacroLibrary loaded;
    const MacroLibraryLoadResult result = loaded.Load(path);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.marker, (Location{1, 2, 3, 4}));
    // The counter is taken above the macro's number, which is beyond the last one.
    EXPECT_EQ(loaded.NextNumber(), std::numeric_limits<std::int32_t>::max());
    EXPECT_TRUE(loaded.NumbersUsedUp());
    const MacroItem* item = loaded.Item(Location::Level2(59, 59, 59));
    ASSERT_NE(item->macro, nullptr);
    EXPECT_EQ(item->name, u"Ünïcode ☃ name");
    EXPECT_EQ(item->macro->MacroKeyIndex, original.MacroKeyIndex);
    EXPECT_EQ(item->macro->MacroActionNum, 3u);
    EXPECT_EQ(item->macro->MacroCommandActionNum, 125);
    EXPECT_EQ(item->macro->MacroKeyLoopType, 1);
    EXPECT_EQ(item->macro->MacroKeyLoopNum, 255);
    EXPECT_EQ(item->macro->actions, original.actions);
}

// Large files are read in pieces: records and very long lines that straddle the pieces
// must come back whole, and line numbers must still count from the start of the file.
TEST_F(MacroLibraryFileTest, LargeLibraryWithVeryLongLinesLoadsBackAsSaved)
{
    MacroLibrary library;
    Location longName = Location::None();
    ASSERT_EQ(library.CreateMacroAtSelection(std::u16string(600000, u'x') + u"end", longName),
              MacroLibrary::CreateResult::Created);
    for (int f = 0; f < 3; ++f) {
        Location folder = Location::None();
        ASSERT_EQ(library.CreateFolderAtSelection(u"F" + TextNumbers::Decimal(f), folder),
                  MacroLibrary::CreateResult::Created);
        for (int m = 0; m < 60; ++m) {
            Location macro = folder;
            ASSERT_EQ(library.CreateMacroAtSelection(u"m" + TextNumbers::Decimal(m), macro),
                      MacroLibrary::CreateResult::Created);
            ASSERT_TRUE(library.MutableItem(macro)->macro->Set(
                static_cast<std::uint32_t>(m), MacroAction::FromBytes(0x41, 0x80, 0, static_cast<std::uint8_t>(f))));
        }
    }
    const fs::path path = PathOf("large.mlf");
    ASSERT_TRUE(library.Save(path, Location::None()));
    const std::u16string text = MacroLibraryFile::Format(library, Location::None());
    ASSERT_GT(text.size(), 1000000u);

    MacroLibrary loaded;
    ASSERT_TRUE(loaded.Load(path).ok);
    EXPECT_EQ(MacroLibraryFile::Format(loaded, Location::None()), text);
    EXPECT_EQ(loaded.Item(longName)->name.size(), 600003u);

    // A bad record at the very end is reported at its own line number.
    WriteUtf16File(PathOf("large-bad.mlf"), text + u"++++++++MacroItemName=\n");
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
    const MacroLibraryLoadResult bad = loaded.Load(PathOf("large-bad.mlf"));
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.failingLine, lines + 1);
    EXPECT_EQ(Names(loaded).size(), 184u);
}

TEST_F(MacroLibraryFileTest, RecordsArePlacedAtTheirOwnLocationsWhateverTheirOrderAndKeys)
{
    // Key words and TABs are not read; a level-2 record may come first.
    const std::string text =
        kHeader + MacroRecordText{.name = "deep", .location = LocationText(2, 4, 5, 6), .number = "9"}.Text() +
        "name=top\nwhere:a=0;b=4;c=0;d=0;\nx=1\ny=1\n" +
        "\t\t\t++++++++MacroItemName=sub\n\tMacroItemLocation:" + LocationText(1, 4, 5, 0) +
        "\nMacroItemIsFolder=1\nMacroItemFolderIsOpen=1\n";
    MacroLibrary library;
    const MacroLibraryLoadResult result = library.Load(WriteFile(text));
    ASSERT_TRUE(result.ok);
    // The file's counter (5) is below the macro numbered 9.
    EXPECT_EQ(library.NextNumber(), 10);
    EXPECT_EQ(NameOf(library, Location::Level0(4)), u"top");
    EXPECT_TRUE(library.Item(Location::Level0(4))->isFolder);
    EXPECT_EQ(NameOf(library, Location::Level1(4, 5)), u"sub");
    EXPECT_EQ(NameOf(library, Location::Level2(4, 5, 6)), u"deep");
    EXPECT_EQ(library.Item(Location::Level2(4, 5, 6))->macro->MacroKeyIndex, 9u);
    EXPECT_EQ(library.FindByNumber(9), nullptr);  // behind gaps: the walk stops first
    EXPECT_EQ(library.VisibleRowCount(), 3);
}

struct BadFileCase {
    const char* what;
    std::string text;
    std::size_t failingLine;
    std::vector<std::string> kept;
};

// Lines 1-3 are the header, the good record takes lines 4-13, the next record starts at 14.
std::vector<BadFileCase> BadFileCases()
{
    const std::string counterLine = "MacroKeyIndex=5\n";
    const std::string markerLine = "Select Locaton:" + LocationText(-1, 0, 0, 0) + "\n";
    const std::string good = kHeader + GoodRecord();
    const std::string bad = "++++++++MacroItemName=bad\nMacroItemLocation:" + LocationText(0, 1, 0, 0) + "\n";
    MacroRecordText badMacro{.name = "bad", .location = LocationText(0, 1, 0, 0)};
    const auto withActions = [&badMacro](std::string actions) {
        MacroRecordText copy = badMacro;
        copy.actions = std::move(actions);
        return copy.Text();
    };
    const std::string badMacroText = badMacro.Text();
    const std::string withoutLastLine = badMacroText.substr(0, badMacroText.rfind("AllAction="));
    MacroRecordText noLoopNum = badMacro;
    noLoopNum.loopNum = "";
    return {
        {"empty file", "", 1, {}},
        {"wrong first line", "[MacroLibrary] \n" + counterLine + markerLine, 1, {}},
        {"CR before the LF", "[MacroLibrary]\r\n" + counterLine + markerLine, 1, {}},
        {"blank line before the counter", "[MacroLibrary]\n\n" + counterLine + markerLine, 2, {}},
        {"file ends after the first line", "[MacroLibrary]\n", 2, {}},
        {"counter line without =", "[MacroLibrary]\nMacroKeyIndex5\n" + markerLine, 2, {}},
        {"counter line ends at =", "[MacroLibrary]\nMacroKeyIndex=\n" + markerLine, 2, {}},
        {"no marker line", "[MacroLibrary]\n" + counterLine, 3, {}},
        {"marker with three values",
         "[MacroLibrary]\n" + counterLine + "Select Locaton:stage=1;stage0Index=0;stage1Index=0;\n", 3, {}},
        {"marker ends at =",
         "[MacroLibrary]\n" + counterLine + "Select Locaton:stage=1;stage0Index=0;stage1Index=0;stage2Index=\n",
         3, {}},
        {"empty name", good + "++++++++MacroItemName=\n" + badMacroText.substr(badMacroText.find('\n') + 1),
         14, {"good"}},
        {"name line without =", good + "++++++++MacroItemName\n", 14, {"good"}},
        {"bad location line", good + "++++++++MacroItemName=bad\nMacroItemLocation:stage=0;stage0Index=1;\n",
         15, {"good"}},
        {"flag line without =", good + bad + "MacroItemIsFolder0\nMacroItemFolderIsOpen=0\n", 16, {"good"}},
        {"blank line inside a record", good + bad + "\nMacroItemIsFolder=1\nMacroItemFolderIsOpen=0\n", 16,
         {"good"}},
        {"folder record ends after its flag", good + bad + "MacroItemIsFolder=1\n", 17, {"good"}},
        {"loop count ends at =", good + noLoopNum.Text(), 20, {"good"}},
        {"macro record ends before AllAction", good + withoutLastLine, 23, {"good"}},
        {"AllAction of 1999 digits", good + withActions(std::string(1999, '0')), 23, {"good"}},
        {"AllAction of 2001 digits", good + withActions(std::string(2001, '0')), 23, {"good"}},
        {"AllAction without =", good + withoutLastLine + "AllAction:" + kZeroActions + "\n", 23, {"good"}},
    };
}

TEST_F(MacroLibraryFileTest, MalformedFilesFailAtTheFirstBadLineAndKeepEarlierRecords)
{
    for (const BadFileCase& c : BadFileCases()) {
        SCOPED_TRACE(c.what);
        MacroLibrary library;
        ASSERT_TRUE(library.PlaceMacro(Location::Level1(3, 3), u"old", std::make_unique<MacroKey>()));
        const MacroLibraryLoadResult result = library.Load(WriteFile(c.text));
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.failingLine, c.failingLine);
        EXPECT_EQ(Names(library), c.kept);
    }
}

TEST_F(MacroLibraryFileTest, FileThatCannotBeOpenedLeavesTheLibraryAsItWas)
{
    MacroLibrary library;
    ASSERT_TRUE(library.PlaceFolder(Location::Level0(0), u"kept", true));
    library.SetNextNumber(12);
    const MacroLibraryLoadResult result = library.Load(PathOf("missing.mlf"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failingLine, 0u);
    EXPECT_EQ(Names(library), std::vector<std::string>{"kept"});
    EXPECT_EQ(library.NextNumber(), 12);
}

TEST_F(MacroLibraryFileTest, RecordsOutsideTheTreeAreSkippedAndLoadingGoesOn)
{
    std::string text = kHeader;
    for (const std::string& location :
         {LocationText(0, 60, 0, 0), LocationText(1, 0, -1, 0), LocationText(2, 0, 0, 60),
          LocationText(2, 60, 0, 0), LocationText(3, 0, 0, 0), LocationText(-1, 0, 0, 0)}) {
        text += MacroRecordText{.name = "stray macro", .location = location}.Text();
        text += FolderRecord("stray folder", location, 1);
    }
    // Indexes a level does not use are not looked at.
    text += FolderRecord("kept", LocationText(0, 1, 99, -5), 0);
    text += MacroRecordText{.name = "kept too", .location = LocationText(2, 59, 59, 59)}.Text();
    MacroLibrary library;
    const MacroLibraryLoadResult result = library.Load(WriteFile(text));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(Names(library), (std::vector<std::string>{"kept", "kept too"}));
    EXPECT_TRUE(library.Item(Location::Level0(1))->isFolder);
}

TEST_F(MacroLibraryFileTest, OversizedCountsAreClampedAndByteFieldsKeepTheirLow8Bits)
{
    struct Case {
        const char* what;
        MacroRecordText record;
        std::uint32_t number;
        std::uint32_t actionNum;
        std::uint8_t commandActionNum;
        std::uint8_t loopType;
        std::uint8_t loopNum;
    };
    const Case cases[] = {
        {"counts at their limits", {.number = "7", .actionNum = "250", .commandActionNum = "125"},
         7, 250, 125, 2, 1},
        {"counts above their limits", {.actionNum = "251", .commandActionNum = "126"}, 1, 250, 125, 2, 1},
        {"counts far above", {.actionNum = "4000000000", .commandActionNum = "255"}, 1, 250, 125, 2, 1},
        // 300 keeps its low 8 bits (44), which is in range.
        {"command count wraps to 8 bits", {.commandActionNum = "300"}, 1, 0, 44, 2, 1},
        {"loop fields wrap to 8 bits", {.loopType = "258", .loopNum = "-1"}, 1, 0, 0, 2, 255},
        {"negative numbers wrap as unsigned", {.number = "-1", .actionNum = "-1"}, 4294967295u, 250, 0, 2, 1},
        {"largest number", {.number = "4294967295"}, 4294967295u, 0, 0, 2, 1},
        {"number with trailing text", {.number = "12abc", .loopType = " 4x"}, 12, 0, 0, 4, 1},
        {"number without digits", {.number = "abc", .loopNum = "+"}, 0, 0, 0, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MacroLibrary library;
        ASSERT_TRUE(library.Load(WriteFile(kHeader + c.record.Text())).ok);
        const MacroKey& macro = *library.Item(Location::Level0(0))->macro;
        EXPECT_EQ(macro.MacroKeyIndex, c.number);
        EXPECT_EQ(macro.MacroActionNum, c.actionNum);
        EXPECT_EQ(macro.MacroCommandActionNum, c.commandActionNum);
        EXPECT_EQ(macro.MacroKeyLoopType, c.loopType);
        EXPECT_EQ(macro.MacroKeyLoopNum, c.loopNum);
    }
}

TEST_F(MacroLibraryFileTest, LocationValuesLieBetweenTheirEqualsSignAndSemicolon)
{
    struct Case {
        std::string line;
        Location expected;
    };
    const Case cases[] = {
        {"Select Locaton:stage=2;stage0Index=3;stage1Index=4;stage2Index=5;", {2, 3, 4, 5}},
        {"x=1;y=2;z=3;w=4", {1, 2, 3, 0}},
        {"a=-1;b=+7;c=12abc;d= 5;", {-1, 7, 12, 5}},
        {"a=;b=x;c=3;d=99999999999;", {0, 0, 3, 2147483647}},
        // Each ";" is searched after the previous one: here every ";" comes before its "=".
        {"a;=1;b=2;c=3;d=4", {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        MacroLibrary library;
        const MacroLibraryLoadResult result =
            library.Load(WriteFile("[MacroLibrary]\nMacroKeyIndex=1\n" + c.line + "\n"));
        EXPECT_TRUE(result.ok);
        EXPECT_EQ(result.marker, c.expected);
    }
}

TEST_F(MacroLibraryFileTest, ActionDigitsThatAreNotHexadecimalGiveTheirValidLeadingPart)
{
    MacroRecordText record;
    record.actions = "4GG4zzab" "0a0B0c0D" + std::string(1984, '0');
    MacroLibrary library;
    ASSERT_TRUE(library.Load(WriteFile(kHeader + record.Text())).ok);
    const MacroKey& macro = *library.Item(Location::Level0(0))->macro;
    EXPECT_EQ(macro.actions[0], MacroAction::FromBytes(0x04, 0x00, 0x00, 0xAB));
    EXPECT_EQ(macro.actions[1], MacroAction::FromBytes(0x0A, 0x0B, 0x0C, 0x0D));
    EXPECT_EQ(macro.actions[2], MacroAction{});
}

TEST_F(MacroLibraryFileTest, FlagsAndDuplicateNamesAreTakenAsWritten)
{
    const std::string text = kHeader +
                             "++++++++MacroItemName=twin\nMacroItemLocation:" + LocationText(0, 0, 0, 0) +
                             "\nMacroItemIsFolder=7\nMacroItemFolderIsOpen=-3\n" +
                             FolderRecord("twin", LocationText(0, 1, 0, 0), 0) +
                             MacroRecordText{.name = "twin", .location = LocationText(0, 2, 0, 0)}.Text();
    MacroLibrary library;
    ASSERT_TRUE(library.Load(WriteFile(text)).ok);
    EXPECT_EQ(Names(library), (std::vector<std::string>{"twin", "twin", "twin"}));
    EXPECT_TRUE(library.Item(Location::Level0(0))->isFolder);
    EXPECT_EQ(library.Item(Location::Level0(0))->folderIsOpen, 0xFFFFFFFDu);
    EXPECT_FALSE(library.Item(Location::Level0(0))->IsOpenFolder()) << "only 1 opens a folder";
    EXPECT_EQ(library.Item(Location::Level0(1))->folderIsOpen, 0u);
    EXPECT_FALSE(library.Item(Location::Level0(2))->isFolder);
    // The folder flag is written back as 1, the open flag as the number it was.
    const std::u16string saved = MacroLibraryFile::Format(library, Location::None());
    EXPECT_NE(saved.find(u"MacroItemIsFolder=1\nMacroItemFolderIsOpen=-3\n"), std::u16string::npos);
}

TEST_F(MacroLibraryFileTest, BlankLineEndsTheFile)
{
    MacroLibrary library;
    const MacroLibraryLoadResult result =
        library.Load(WriteFile(kHeader + GoodRecord() + "\nnot a record\n"));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(Names(library), std::vector<std::string>{"good"});
}

// A macro whose unused slots hold something, as a hand-edited file or one saved by an
// older version can leave them: inserting an action moves every later slot up, and
// removing it again saves the library exactly as it was.
TEST_F(MacroLibraryFileTest, RemovingAnInsertedActionSavesTheLibraryAsItWas)
{
    MacroKey original;
    original.MacroKeyIndex = 1;
    original.MacroActionNum = 3;
    for (std::uint32_t i = 0; i + 1 < MacroKey::kMaxActions; ++i)
        ASSERT_TRUE(original.Set(i, MacroAction{0xA0000000u + i + 1}));
    const MacroAction inserted = MacroAction::FromBytes(0x41, MacroAction::kPressFlag, 0, 0);
    const auto savedBytes = [this](const MacroKey& macro) {
        MacroLibrary library;
        EXPECT_TRUE(library.PlaceMacro(Location::Level0(0), u"m", std::make_unique<MacroKey>(macro)));
        const fs::path path = PathOf("edited.mlf");
        EXPECT_TRUE(library.Save(path, Location::None()));
        return ReadBytes(path);
    };
    const std::string originalBytes = savedBytes(original);

    struct Case {
        std::uint32_t index;  // as passed to Insert
        std::uint32_t at;     // where the action lands: an index past the count appends
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{3, 3}, Case{200, 3}}) {
        MacroKey macro = original;
        ASSERT_TRUE(macro.Insert(c.index, inserted));
        MacroKey expected = original;
        expected.MacroActionNum = 4;
        expected.actions[c.at] = inserted;
        for (std::uint32_t slot = c.at + 1; slot < MacroKey::kMaxActions; ++slot)
            expected.actions[slot] = original.actions[slot - 1];
        EXPECT_EQ(savedBytes(macro), savedBytes(expected)) << "insert at " << c.index;

        ASSERT_TRUE(macro.Remove(c.at));
        EXPECT_EQ(savedBytes(macro), originalBytes) << "insert at " << c.index;
    }
}

TEST_F(MacroLibraryFileTest, SaveIntoAMissingFolderWritesNothing)
{
    MacroLibrary library;
    Location selection = Location::None();
    ASSERT_EQ(library.CreateMacroAtSelection(u"m", selection), MacroLibrary::CreateResult::Created);
    const fs::path path = PathOf("no such folder") / "library.mlf";
    EXPECT_FALSE(library.Save(path, Location::None()));
    EXPECT_FALSE(fs::exists(path));
}

// A counter that would hand out a number already in use (or 0) is taken above the numbers
// of the loaded macros; with none left, a new macro is refused.
TEST_F(MacroLibraryFileTest, LoadedCounterNeverHandsOutANumberInUse)
{
    struct Case {
        const char* name;
        std::string counter;
        std::vector<std::string> numbers;  // of the macros in the file
        std::int32_t next;                 // the counter after loading
        std::uint32_t created;             // the new macro's number; 0 = refused
    };
    const std::string last = "2147483647";
    const Case cases[] = {
        {"ZeroCounterEmptyLibrary", "0", {}, 1, 1},
        {"NegativeCounter", "-5", {"3"}, 4, 4},
        {"CounterBelowANumberInUse", "2", {"2", "7"}, 8, 8},
        {"CounterAboveEveryNumberStays", "20", {"7"}, 20, 20},
        {"NotANumber", "x", {"1"}, 2, 2},
        {"LastNumberStillFree", last, {"5"}, 2147483647, 2147483647u},
        {"LastNumberInUse", last, {last}, 2147483647, 0},
        {"NumberBeyondTheLast", "3", {"4000000000"}, 2147483647, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = "[MacroLibrary]\nMacroKeyIndex=" + c.counter + "\nSelect Locaton:" +
                           LocationText(-1, 0, 0, 0) + "\n";
        for (std::size_t i = 0; i < c.numbers.size(); ++i) {
            const int slot = static_cast<int>(i);
            text += MacroRecordText{.name = "m" + std::to_string(i),
                                    .location = LocationText(0, slot, 0, 0),
                                    .number = c.numbers[i]}
                        .Text();
        }
        MacroLibrary library;
        ASSERT_TRUE(library.Load(WriteFile(text)).ok);
        EXPECT_EQ(library.NextNumber(), c.next);

        Location selection = Location::None();
        const MacroLibrary::CreateResult result = library.CreateMacroAtSelection(u"new", selection);
        if (c.created == 0) {
            EXPECT_EQ(result, MacroLibrary::CreateResult::NoNumberLeft);
            EXPECT_EQ(Names(library).size(), c.numbers.size());
            continue;
        }
        ASSERT_EQ(result, MacroLibrary::CreateResult::Created);
        EXPECT_EQ(library.Item(selection)->macro->MacroKeyIndex, c.created);
    }
}

TEST_F(MacroLibraryFileTest, ALineBreakInANameIsWrittenAsASpaceAndTheLaterItemsStay)
{
    MacroLibrary library;
    Location at = Location::None();
    ASSERT_EQ(library.CreateMacroAtSelection(u"Combo\nB", at), MacroLibrary::CreateResult::Created);
    at = Location::None();
    ASSERT_EQ(library.CreateFolderAtSelection(u"Two\r\nlines", at), MacroLibrary::CreateResult::Created);
    at = Location::None();
    ASSERT_EQ(library.CreateMacroAtSelection(u"after", at), MacroLibrary::CreateResult::Created);

    const std::u16string text = MacroLibraryFile::Format(library, Location::None());
    EXPECT_NE(text.find(u"++++++++MacroItemName=Combo B\nMacroItemLocation:"), std::u16string::npos);
    EXPECT_NE(text.find(u"++++++++MacroItemName=Two  lines\nMacroItemLocation:"), std::u16string::npos);

    const fs::path path = PathOf("names.mlf");
    ASSERT_TRUE(library.Save(path, Location::None()));
    MacroLibrary loaded;
    ASSERT_TRUE(loaded.Load(path).ok);
    EXPECT_EQ(Names(loaded), (std::vector<std::string>{"Combo B", "Two  lines", "after"}));
    EXPECT_EQ(loaded.Item(Location::Level0(2))->macro->MacroKeyIndex, 2u);
}

}  // namespace

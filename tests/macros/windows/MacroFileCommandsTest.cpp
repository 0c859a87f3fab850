#include "MacroWindowTest.h"

#include "MacroTreeShape.h"
#include "support/TempFolder.h"

#include "macros/MacroLibraryFile.h"
#include "macros/windows/MacroFileCommands.h"
#include "profiles/OfferedFileCheck.h"
#include "profiles/PathText.h"

namespace {

using Location = MacroItemLocation;
using Mode = MacroFileRequest::Mode;

// Library: [F1] (m11, [F12] (m121)), M2 (played 3 times), M3.
class MacroFileCommandsTest : public MacroWindowTest {
protected:
    MacroFileCommandsTest()
    {
        TreeBuilder tree(library);
        const Location f1 = tree.Folder("F1");
        tree.Macro("m11", f1, 0x41);
        const Location f12 = tree.Folder("F12", f1);
        tree.Macro("m121", f12, 0x42, 70000);
        tree.Macro("M2", Location::None(), 0x43, 50, 3);
        tree.Macro("M3", Location::None(), 0x44);
        owner.InitDialog();
        ConfirmNotices();
    }

    // Commands whose file dialog answers with `file` (empty: cancelled) and notes what it
    // was asked.
    MacroFileCommands CommandsChoosing(const std::filesystem::path& file)
    {
        return MacroFileCommands([this, file](CDlgBase& dialogOwner, const MacroFileRequest& request) {
            EXPECT_EQ(&dialogOwner, &owner);
            requests.push_back(request);
            return QString::fromStdU16String(TextFromPath(file));
        });
    }

    TempFolder folder;
    MacroLibrary library;
    std::vector<MacroFileRequest> requests;
};

TEST_F(MacroFileCommandsTest, ExportsWriteTheWholeLibraryWithTheSelectionAsMarker)
{
    struct Case {
        const char* name;
        bool oneMacro;
        Location selection;
        int title;
        QString initialName;
        QString extension;
    };
    const Case cases[] = {
        {"macros, nothing selected", false, Location::None(), 255, QStringLiteral("AllMacroKey.mbf"),
         QStringLiteral("mbf")},
        {"macros, a folder", false, Location::Level1(0, 1), 255, QStringLiteral("F12.mbf"), QStringLiteral("mbf")},
        {"one macro", true, Location::Level2(0, 1, 0), 253, QStringLiteral("m121.mkf"), QStringLiteral("mkf")},
    };
    for (const Case& c : cases) {
        requests.clear();
        const auto file = folder / "export.file";
        const MacroFileCommands commands = CommandsChoosing(file);
        if (c.oneMacro)
            commands.ExportMacro(owner, texts, library, c.selection);
        else
            commands.ExportMacros(owner, texts, library, c.selection);

        ASSERT_EQ(requests.size(), 1u) << c.name;
        EXPECT_EQ(requests[0].mode, Mode::Save);
        EXPECT_EQ(requests[0].title, LanguageText(c.title)) << c.name;
        EXPECT_EQ(requests[0].initialName, c.initialName) << c.name;
        EXPECT_EQ(requests[0].extension, c.extension) << c.name;
        EXPECT_EQ(requests[0].filter, QStringLiteral("%1 file(*.%1)").arg(c.extension)) << c.name;
        EXPECT_EQ(ReadBytes(file), Utf16Bytes(MacroLibraryFile::Format(library, c.selection))) << c.name;
        const std::u16string text = ReadUtf16File(file);
        const std::u16string marker = u"Select Locaton:stage=" + TextNumbers::Decimal(c.selection.stage) +
                                      u";stage0Index=" + TextNumbers::Decimal(c.selection.stage0Index) +
                                      u";stage1Index=" + TextNumbers::Decimal(c.selection.stage1Index) +
                                      u";stage2Index=" + TextNumbers::Decimal(c.selection.stage2Index) + u";\n";
        EXPECT_EQ(text.substr(0, 31 + marker.size()), u"[MacroLibrary]\nMacroKeyIndex=5\n" + marker) << c.name;
    }
    EXPECT_TRUE(notices.empty());
}

TEST_F(MacroFileCommandsTest, ExportOfAMacroNeedsAMacroSelectedAndACancelWritesNothing)
{
    const auto file = folder / "x.mkf";
    CommandsChoosing(file).ExportMacro(owner, texts, library, Location::Level0(0));
    CommandsChoosing(file).ExportMacro(owner, texts, library, Location::None());
    EXPECT_TRUE(requests.empty());
    CommandsChoosing({}).ExportMacros(owner, texts, library, Location::None());
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(MacroFileCommandsTest, AFileThatCannotBeWrittenIsSaid)
{
    CommandsChoosing(folder / "no such folder" / "x.mbf").ExportMacros(owner, texts, library, Location::None());
    EXPECT_EQ(notices, Notices({MacroFileCommands::kTextNotWritten}));
}

TEST_F(MacroFileCommandsTest, WholeTreeExportedAndImportedIntoAnEmptyLibrary)
{
    const auto file = folder / "all.mbf";
    CommandsChoosing(file).ExportMacros(owner, texts, library, Location::None());
    MacroLibrary empty;
    empty.SetNextNumber(40);
    const Location selection = CommandsChoosing(file).ImportMacros(owner, texts, empty, Location::None());

    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].mode, Mode::Open);
    EXPECT_EQ(requests[1].title, LanguageText(MacroFileCommands::kTextImportMacrosTitle));
    EXPECT_EQ(requests[1].initialName, QStringLiteral(".mbf"));
    EXPECT_EQ(TreeShape(empty), TreeShape(library));
    EXPECT_EQ(selection, Location::Level0(2));
    EXPECT_EQ(empty.Item(Location::Level2(0, 1, 0))->macro->MacroKeyIndex, 41u);
    EXPECT_TRUE(notices.empty());
}

TEST_F(MacroFileCommandsTest, ImportingOneMacroTwiceMeetsItsOwnName)
{
    const auto file = folder / "m121.mkf";
    CommandsChoosing(file).ExportMacro(owner, texts, library, Location::Level2(0, 1, 0));
    const Location first = CommandsChoosing(file).ImportMacro(owner, texts, library, Location::Level0(1));
    EXPECT_EQ(first, Location::Level0(3));
    const std::u16string afterFirst = MacroLibraryFile::Format(library, Location::None());
    const Location second = CommandsChoosing(file).ImportMacro(owner, texts, library, Location::Level0(1));

    EXPECT_EQ(requests[1].title, LanguageText(MacroFileCommands::kTextImportMacroTitle));
    EXPECT_EQ(requests[1].initialName, QStringLiteral(".mkf"));
    const MacroKey& imported = *library.Item(first)->macro;
    const MacroKey& original = *library.Item(Location::Level2(0, 1, 0))->macro;
    EXPECT_EQ(imported.actions, original.actions);
    EXPECT_EQ(imported.MacroActionNum, original.MacroActionNum);
    EXPECT_NE(imported.MacroKeyIndex, original.MacroKeyIndex);
    EXPECT_EQ(second, Location::Level0(1));
    EXPECT_EQ(MacroLibraryFile::Format(library, Location::None()), afterFirst);
    EXPECT_EQ(notices, Notices({MacroFileCommands::kTextNameExists}));
}

TEST_F(MacroFileCommandsTest, DamagedOrUnmarkedFilesAreSaid)
{
    const std::string zeros(2000, '0');
    const std::string header = "[MacroLibrary]\nMacroKeyIndex=9\nSelect Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;\n";
    const std::string good = "++++++++MacroItemName=Kept\nMacroItemLocation:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;\n"
                             "MacroItemIsFolder=0\nMacroItemFolderIsOpen=0\nMacroKeyIndex=3\nMacroKeyLoopType=2\n"
                             "MacroKeyLoopNum=1\nMacroActionNum=0\nMacroCommandActionNum=0\nAllAction=" + zeros + "\n";
    const std::string damaged = "++++++++MacroItemName=Lost\nMacroItemLocation:stage=0;stage0Index=1;stage1Index=0;stage2Index=0;\n"
                                "MacroItemIsFolder=0\nMacroItemFolderIsOpen=0\nMacroKeyIndex=4\nMacroKeyLoopType=2\n"
                                "MacroKeyLoopNum=1\nMacroActionNum=0\nMacroCommandActionNum=0\nAllAction=0\n";
    struct Case {
        const char* name;
        bool many;
        std::string text;  // the file, after its mark
        std::vector<std::string> created;
        int notice;
    };
    const Case cases[] = {
        {"macros, damaged after the first", true, header + good + damaged, {"Kept"}, MacroFileCommands::kTextFileDamaged},
        {"one macro, nothing marked", false, header + good, {}, MacroFileCommands::kTextNothingMarked},
        {"one macro, marker past the items", false,
         "[MacroLibrary]\nMacroKeyIndex=9\nSelect Locaton:stage=0;stage0Index=5;stage1Index=0;stage2Index=0;\n" + good, {},
         MacroFileCommands::kTextNothingMarked},
        {"one macro, not a library file", false, "hello\n", {}, MacroFileCommands::kTextFileDamaged},
        {"macros, no such file", true, {}, {}, MacroFileCommands::kTextFileDamaged},
        {"macros, an empty library", true, header, {}, MacroFileCommands::kTextNothingMarked},
        {"macros, a stage above 2", true,
         "[MacroLibrary]\nMacroKeyIndex=9\nSelect Locaton:stage=3;stage0Index=0;stage1Index=0;stage2Index=0;\n" + good, {},
         MacroFileCommands::kTextNothingMarked},
    };
    for (const Case& c : cases) {
        notices.clear();
        const auto file = folder / "in.mbf";
        std::filesystem::remove(file);
        if (!c.text.empty())
            WriteUtf16File(file, TextNumbers::FromUtf8(c.text));
        MacroLibrary target;
        const MacroFileCommands commands = CommandsChoosing(file);
        const Location selection = c.many ? commands.ImportMacros(owner, texts, target, Location::None())
                                          : commands.ImportMacro(owner, texts, target, Location::None());
        std::vector<std::string> created;
        for (const ShapeItem& item : TreeShape(target))
            created.push_back(item.name);
        EXPECT_EQ(created, c.created) << c.name;
        EXPECT_EQ(selection, c.created.empty() ? Location::None() : Location::Level0(0)) << c.name;
        EXPECT_EQ(notices, Notices({c.notice})) << c.name;
    }
}

TEST_F(MacroFileCommandsTest, AFileFarLargerThanAMacroLibraryIsRefusedUnread)
{
    const auto file = folder / "in.mbf";
    ASSERT_TRUE(MacroLibraryFile::Save(library, file, Location::None()));
    // The library followed by zeros (sparse: nothing is written), which the reader would
    // take as one endless line after the macros it had read.
    std::filesystem::resize_file(file, OfferedFileLimit::kMacros + 1);
    MacroLibrary target;
    const MacroFileCommands commands = CommandsChoosing(file);
    EXPECT_EQ(commands.ImportMacros(owner, texts, target, Location::None()), Location::None());
    EXPECT_TRUE(TreeShape(target).empty());
    ASSERT_EQ(notices.size(), 1U);
    EXPECT_TRUE(notices.front().contains(QStringLiteral("not a macro file"))) << notices.front().toStdString();
}

TEST_F(MacroFileCommandsTest, ACancelledImportChangesNothing)
{
    const std::u16string before = MacroLibraryFile::Format(library, Location::None());
    const MacroFileCommands commands = CommandsChoosing({});
    EXPECT_EQ(commands.ImportMacros(owner, texts, library, Location::Level0(1)), Location::Level0(1));
    EXPECT_EQ(commands.ImportMacro(owner, texts, library, Location::Level0(1)), Location::Level0(1));
    EXPECT_EQ(MacroLibraryFile::Format(library, Location::None()), before);
    EXPECT_TRUE(notices.empty());
}

}  // namespace

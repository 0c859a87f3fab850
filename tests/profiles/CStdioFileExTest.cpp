#include "profiles/CStdioFileEx.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include "support/FileRights.h"
#include <vector>
#include <algorithm>

namespace {

std::vector<std::u16string> ReadAllLines(const std::filesystem::path& path)
{
    CStdioFileEx file;
    std::vector<std::u16string> lines;
    if (!file.OpenForRead(path)) {
        return lines;
    }
    std::u16string line;
    while (file.ReadLine(line)) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

TEST(CStdioFileEx, WritesByteOrderMarkUtf16LittleEndianAndBareLineFeeds)
{
    TempFolder folder;
    CStdioFileEx file;
    ASSERT_TRUE(file.OpenForWrite(folder / "a.txt"));
    file.WriteLine(u"A=\u4E2D");
    file.WriteString(u"B");
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadBytes(folder / "a.txt"), std::string("\xFF\xFE" "A\0=\0\x2D\x4E\n\0B\0", 12));
}

TEST(CStdioFileEx, ReadingStopsAtEmptyLineAndKeepsCarriageReturn)
{
    TempFolder folder;
    WriteUtf16File(folder / "a.txt", u"one\r\ntwo\n\nthree\n");
    EXPECT_EQ(ReadAllLines(folder / "a.txt"), (std::vector<std::u16string>{u"one\r", u"two"}));
}

TEST(CStdioFileEx, FirstTwoBytesAreSkippedWithoutLookingAtThem)
{
    TempFolder folder;
    WriteBytes(folder / "a.txt", "XY" + Utf16Bytes(u"line\nlast", false) + "\x01");
    EXPECT_EQ(ReadAllLines(folder / "a.txt"), (std::vector<std::u16string>{u"line", u"last"}));
}

TEST(CStdioFileEx, LineNumberNamesTheLineWhereReadingStopped)
{
    TempFolder folder;
    WriteUtf16File(folder / "a.txt", u"1\n2\n\n4\n");
    CStdioFileEx file;
    ASSERT_TRUE(file.OpenForRead(folder / "a.txt"));
    std::u16string line;
    while (file.ReadLine(line)) {
    }
    EXPECT_EQ(file.LineNumber(), 3u);
}

TEST(CStdioFileEx, MissingFileDoesNotOpen)
{
    TempFolder folder;
    CStdioFileEx file;
    EXPECT_FALSE(file.OpenForRead(folder / "none.txt"));
    EXPECT_FALSE(file.OpenForWrite(folder / "no-folder" / "a.txt"));
}

TEST(CStdioFileEx, FailedSaveLeavesThePreviousFileWhole)
{
    TempFolder folder;
    WriteUtf16File(folder / "a.txt", u"old\n");
    {
        CStdioFileEx file;
        ASSERT_TRUE(file.OpenForWrite(folder / "a.txt"));
        file.WriteLine(u"new");
        // Destroyed without Close(): as if the program died mid-save.
    }
    EXPECT_EQ(ReadUtf16File(folder / "a.txt"), u"old\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(CStdioFileEx, ReadOnlyFileIsNotReplaced)
{
    if (WritesAnyFile()) {
        GTEST_SKIP() << "root can write any file";
    }
    TempFolder folder;
    WriteUtf16File(folder / "a.txt", u"old\n");
    std::filesystem::permissions(folder / "a.txt", std::filesystem::perms::owner_read);
    CStdioFileEx file;
    EXPECT_FALSE(file.OpenForWrite(folder / "a.txt"));
    EXPECT_FALSE(CStdioFileEx::IsReadWritable(folder / "a.txt"));
    EXPECT_EQ(ReadUtf16File(folder / "a.txt"), u"old\n");
}

TEST(CStdioFileEx, FolderInPlaceOfAFileDoesNotOpen)
{
    TempFolder folder;
    std::filesystem::create_directories(folder / "config.ini");
    CStdioFileEx file;
    EXPECT_FALSE(file.OpenForRead(folder / "config.ini"));
    EXPECT_FALSE(CStdioFileEx::IsReadWritable(folder / "config.ini"));
}

TEST(CStdioFileEx, OverlappingSavesOfOneFileLeaveOneWholeSave)
{
    TempFolder folder;
    CStdioFileEx first;
    CStdioFileEx second;
    ASSERT_TRUE(first.OpenForWrite(folder / "a.txt"));
    ASSERT_TRUE(second.OpenForWrite(folder / "a.txt"));
    first.WriteLine(u"AAAAAAAAAAAAAAA");
    second.WriteLine(u"BBBB");
    EXPECT_TRUE(first.Close());
    EXPECT_TRUE(second.Close());
    EXPECT_EQ(ReadUtf16File(folder / "a.txt"), u"BBBB\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(CStdioFileEx, SaveKeepsPermissionsAndSymbolicLinks)
{
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need a privilege on Windows, and MinGW's library makes none";
#endif
    TempFolder folder;
    WriteUtf16File(folder / "real.txt", u"old\n");
    std::filesystem::permissions(folder / "real.txt", std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::owner_write);
    std::filesystem::create_symlink(folder / "real.txt", folder / "link.txt");

    CStdioFileEx file;
    ASSERT_TRUE(file.OpenForWrite(folder / "link.txt"));
    file.WriteLine(u"new");
    ASSERT_TRUE(file.Close());

    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.txt"));
    EXPECT_EQ(ReadUtf16File(folder / "real.txt"), u"new\n");
    EXPECT_EQ(std::filesystem::status(folder / "real.txt").permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(CStdioFileEx, KeepAsBackupKeepsTheOldBytesOnlyWhenTheyDiffer)
{
    TempFolder folder;
    const auto target = folder / "a.txt";
    const auto backup = CStdioFileEx::BackupPathFor(target);
    const auto save = [&](std::u16string_view text) {
        CStdioFileEx file;
        ASSERT_TRUE(file.OpenForWrite(target, CStdioFileEx::OldFile::KeepAsBackup));
        file.WriteLine(text);
        ASSERT_TRUE(file.Close());
    };
    save(u"first");  // nothing to keep yet
    EXPECT_FALSE(std::filesystem::exists(backup));
    save(u"second");
    EXPECT_EQ(ReadUtf16File(backup), u"first\n");
    EXPECT_EQ(ReadUtf16File(target), u"second\n");
    save(u"second");  // the same bytes again: the backup is not a copy of them
    EXPECT_EQ(ReadUtf16File(backup), u"first\n");
    std::vector<std::filesystem::path> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        left.push_back(entry.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::filesystem::path>{"a.txt", "a.txt.bak"})) << "no temporary file stays";
}

// The text-file class reads large files (macro libraries of tens of megabytes) in
// pieces; these cases make lines straddle the pieces and outgrow them.
#include "profiles/CStdioFileEx.h"
#include "profiles/TextNumbers.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::u16string> ReadAllLines(const std::filesystem::path& path, std::size_t& stoppedAt)
{
    CStdioFileEx file;
    std::vector<std::u16string> lines;
    EXPECT_TRUE(file.OpenForRead(path));
    std::u16string_view line;
    while (file.ReadLine(line)) {
        lines.emplace_back(line);
    }
    stoppedAt = file.LineNumber();
    return lines;
}

// Compares line by line, naming the first line that differs rather than printing
// megabytes.
void ExpectSameLines(const std::vector<std::u16string>& actual,
                     const std::vector<std::u16string>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i]) {
            ADD_FAILURE() << "line " << i + 1 << " differs: length " << actual[i].size()
                          << ", expected " << expected[i].size() << ", starts with \""
                          << TextNumbers::ToUtf8(actual[i].substr(0, 20)) << "\"";
            return;
        }
    }
}

// Lines of every length from empty-ish to several times a read piece, each starting
// with its own number so that a shifted or repeated character shows.
std::vector<std::u16string> ManyLines()
{
    std::vector<std::u16string> lines;
    for (int i = 0; i < 3000; ++i) {
        std::size_t length = static_cast<std::size_t>(i * 7919) % 2500;
        if (i == 1000) {
            length = 300000;
        } else if (i == 2000) {
            length = 1100000;
        }
        lines.push_back(TextNumbers::Decimal(i) + u":" +
                        std::u16string(length, static_cast<char16_t>(u'a' + i % 26)) + u"|");
    }
    return lines;
}

TEST(CStdioFileExLargeFile, EveryLineOfAMultiMegabyteFileComesBackWhole)
{
    TempFolder folder;
    const std::vector<std::u16string> lines = ManyLines();
    std::u16string text;
    for (const std::u16string& line : lines) {
        text += line;
        text += u'\n';
    }
    WriteUtf16File(folder / "large.txt", text);
    std::size_t stoppedAt = 0;
    ExpectSameLines(ReadAllLines(folder / "large.txt", stoppedAt), lines);
    EXPECT_EQ(stoppedAt, lines.size() + 1);
}

TEST(CStdioFileExLargeFile, LastLineWithoutLineFeedAndOddByteEndsTheFile)
{
    TempFolder folder;
    const std::vector<std::u16string> lines = {std::u16string(700000, u'x'), u"tail"};
    WriteBytes(folder / "odd.txt", Utf16Bytes(lines[0] + u"\n" + lines[1]) + "\x01");
    std::size_t stoppedAt = 0;
    ExpectSameLines(ReadAllLines(folder / "odd.txt", stoppedAt), lines);
    EXPECT_EQ(stoppedAt, 3u);
}

TEST(CStdioFileExLargeFile, EmptyLineFarIntoTheFileEndsReading)
{
    TempFolder folder;
    std::u16string text;
    std::vector<std::u16string> expected;
    for (int i = 0; i < 400; ++i) {
        expected.push_back(TextNumbers::Decimal(i) + std::u16string(2000, u'-'));
        text += expected.back() + u"\n";
    }
    WriteUtf16File(folder / "blank.txt", text + u"\nafter the blank line\n");
    std::size_t stoppedAt = 0;
    ExpectSameLines(ReadAllLines(folder / "blank.txt", stoppedAt), expected);
    EXPECT_EQ(stoppedAt, 401u);
}

}  // namespace

#include "device/FlashFrame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The first 12 bytes of a frame, where every header field lives.
std::vector<std::uint8_t> Head(const FlashFrame& frame)
{
    const std::span<const std::uint8_t> report = frame.Report();
    return {report.begin(), report.begin() + 12};
}

bool AllZeroFrom(const FlashFrame& frame, std::size_t from)
{
    const std::span<const std::uint8_t> report = frame.Report();
    return std::all_of(report.begin() + static_cast<std::ptrdiff_t>(from), report.end(),
                       [](std::uint8_t b) { return b == 0; });
}

}  // namespace

TEST(FlashFrameTest, EachOperationHasItsHeaderBytes)
{
    const std::vector<std::uint8_t> data{0xD0, 0xD1, 0xD2};
    struct Case {
        std::string name;
        FlashFrame frame;
        std::vector<std::uint8_t> head;
        std::size_t zeroFrom;
    };
    const std::vector<Case> cases{
        {"transfer write", FlashFrame::TransferWrite(0x052080, data),
         {0xBF, 3, 0, 0, 0, 0x05, 0x20, 0x80, 0xD0, 0xD1, 0xD2, 0}, 11},
        {"transfer read", FlashFrame::TransferRead(0x02B070, 16),
         {0xBF, 0, 16, 0, 0, 0x02, 0xB0, 0x70, 0, 0, 0, 0}, 8},
        {"clear update area", FlashFrame::ClearUpdateArea(), {0xBF, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}, 4},
        {"restart", FlashFrame::Restart(), {0xBF, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0}, 4},
        {"erase sector", FlashFrame::EraseSector(0x07F000), {0xBF, 0, 0, 3, 0, 0x07, 0xF0, 0x00, 0, 0, 0, 0}, 8},
        {"write bytes", FlashFrame::WriteBytes(0x07E008, data),
         {0xBF, 0, 0, 4, 3, 0x07, 0xE0, 0x08, 0xD0, 0xD1, 0xD2, 0}, 11},
        {"unlock", FlashFrame::Protection(kFlashUnlockCode),
         {0xBF, 0, 0, 5, kFlashUnlockCode[0], kFlashUnlockCode[1], kFlashUnlockCode[2], kFlashUnlockCode[3], 0, 0,
          0, 0},
         8},
        {"lock", FlashFrame::Protection(kFlashLockCode), {0xBF, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0}, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.frame.Report().size(), 136u) << c.name;
        EXPECT_EQ(Head(c.frame), c.head) << c.name;
        EXPECT_TRUE(AllZeroFrom(c.frame, c.zeroFrom)) << c.name;
    }
}

TEST(FlashFrameTest, FullBlockFillsTheWholeDataField)
{
    std::vector<std::uint8_t> block(128);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i + 1);
    const FlashFrame frame = FlashFrame::TransferWrite(0x000080, block);
    EXPECT_EQ(frame.Report()[1], 128);
    EXPECT_EQ(frame.Report()[8], 1);
    EXPECT_EQ(frame.Report()[135], 128);

    std::vector<std::uint8_t> tooLong(200, 0x77);
    EXPECT_EQ(FlashFrame::WriteBytes(0, tooLong).ByteCount(), 128u);
    EXPECT_EQ(FlashFrame::TransferRead(0, 500).ReadCount(), 128u);
}

TEST(FlashFrameTest, ParseReadsBackTheFieldsAndRejectsOtherReports)
{
    const FlashFrame built = FlashFrame::WriteBytes(0x07E000, std::vector<std::uint8_t>{9, 8});
    const std::optional<FlashFrame> parsed = FlashFrame::Parse(built.Report());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, built);
    EXPECT_EQ(parsed->OperationCode(), static_cast<std::uint8_t>(FlashOp::WriteBytes));
    EXPECT_EQ(parsed->Address(), 0x07E000u);
    EXPECT_EQ(parsed->ByteCount(), 2u);
    EXPECT_EQ(parsed->Data()[1], 8);
    EXPECT_EQ(FlashFrame::Parse(FlashFrame::Protection(kFlashUnlockCode).Report())->Code(), kFlashUnlockCode);

    EXPECT_FALSE(FlashFrame::Parse(built.Report().first(135)));
    std::vector<std::uint8_t> otherReport(built.Report().begin(), built.Report().end());
    otherReport[0] = 9;
    EXPECT_FALSE(FlashFrame::Parse(otherReport));
}

#include "device/FirmwareImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(FirmwareImageTest, AppImageLoadsUpToItsLimit)
{
    struct Case {
        std::size_t size;
        bool loads;
    };
    for (const Case& c : {Case{0, false}, Case{1, true}, Case{FirmwareImage::kAppSizeLimit, true},
                          Case{FirmwareImage::kAppSizeLimit + 1, false}}) {
        const std::vector<std::uint8_t> bytes(c.size, 0x11);
        const std::optional<FirmwareImage> image = FirmwareImage::LoadApp(bytes);
        EXPECT_EQ(image.has_value(), c.loads) << c.size;
        if (image) {
            EXPECT_EQ(image->Size(), c.size);
        }
    }
    EXPECT_EQ(std::u16string(kAppFileErrorText), u"App File is Error!");
}

TEST(FirmwareImageTest, OversizedBaseImageIsLeftOutSilently)
{
    const std::vector<std::uint8_t> full(FirmwareImage::kBufferSize, 0x22);
    EXPECT_EQ(FirmwareImage::LoadBase(full).Size(), FirmwareImage::kBufferSize);

    const std::vector<std::uint8_t> tooLarge(FirmwareImage::kBufferSize + 1, 0x22);
    const FirmwareImage base = FirmwareImage::LoadBase(tooLarge);
    EXPECT_TRUE(base.Empty());
    const std::span<const std::uint8_t> start = base.Range(0, 128);
    EXPECT_TRUE(std::all_of(start.begin(), start.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(FirmwareImageTest, ReadsPastTheGivenBytesSeeZerosUpToTheBufferEnd)
{
    const std::vector<std::uint8_t> bytes{0x78, 0x56, 0x34, 0x12, 0xEE};
    const FirmwareImage image = *FirmwareImage::LoadApp(bytes);

    EXPECT_EQ(image.HeaderCheckValue(), 0x12345678u);
    const std::span<const std::uint8_t> range = image.Range(3, 4);
    EXPECT_EQ(std::vector<std::uint8_t>(range.begin(), range.end()), (std::vector<std::uint8_t>{0x12, 0xEE, 0, 0}));
    EXPECT_EQ(image.Range(FirmwareImage::kBufferSize - 2, 128).size(), 2u);
    EXPECT_TRUE(image.Range(FirmwareImage::kBufferSize, 128).empty());
}

TEST(FirmwareImageTest, HeaderOfAnImageShorterThanFourBytesIsZeroFilled)
{
    const std::vector<std::uint8_t> bytes{0xAB, 0xCD};
    EXPECT_EQ(FirmwareImage::LoadApp(bytes)->HeaderCheckValue(), 0xCDABu);
}

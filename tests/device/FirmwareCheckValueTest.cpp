#include "device/FirmwareCheckValue.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

std::vector<std::uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

}  // namespace

TEST(FirmwareCheckValueTest, CoversOnlyTheBodyAfterTheSixteenByteHeader)
{
    std::vector<std::uint8_t> image(16, 0x00);
    image.insert(image.end(), {'a', 'b', 'c'});
    EXPECT_EQ(FirmwareCheckValue(image), 0xCADBBE3Du);

    std::fill_n(image.begin(), 16, 0xA5);
    EXPECT_EQ(FirmwareCheckValue(image), 0xCADBBE3Du);
}

TEST(FirmwareCheckValueTest, RegisterIsTheComplementOfTheStandardCrc)
{
    // The standard CRC-32 check value of "123456789" is 0xCBF43926.
    EXPECT_EQ(FirmwareCrcRegister(Bytes("123456789")), ~0xCBF43926u);
    EXPECT_EQ(FirmwareCrcRegister(Bytes("abc")), ~0x352441C2u);
}

TEST(FirmwareCheckValueTest, ImageWithoutBodyGivesTheStartValue)
{
    for (const std::size_t size : {0u, 1u, 4u, 16u}) {
        const std::vector<std::uint8_t> image(size, 0x42);
        EXPECT_EQ(FirmwareCheckValue(image), 0xFFFFFFFFu) << size;
    }
    const std::vector<std::uint8_t> seventeen(17, 0x42);
    EXPECT_NE(FirmwareCheckValue(seventeen), 0xFFFFFFFFu);
}

#include "sim/SimFlashMemory.h"

#include "device/FirmwareCheckValue.h"
#include "device/FlashMap.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::optional<Bytes> Read(SimFlashMemory& flash, std::uint32_t address, std::size_t count)
{
    if (!flash.HandleFrame(FlashFrame::TransferRead(address, count).Report()))
        return std::nullopt;
    FlashFrame::Bytes reply{};
    if (!flash.FillReply(reply))
        return std::nullopt;
    return Bytes(reply.begin() + 8, reply.begin() + 8 + static_cast<std::ptrdiff_t>(count));
}

bool Write(SimFlashMemory& flash, std::uint32_t address, const Bytes& data)
{
    return flash.HandleFrame(FlashFrame::TransferWrite(address, data).Report());
}

bool Send(SimFlashMemory& flash, const FlashFrame& frame)
{
    return flash.HandleFrame(frame.Report());
}

Bytes Memory(const SimFlashMemory& flash, std::uint32_t address, std::size_t count)
{
    const std::span<const std::uint8_t> contents = flash.Contents().subspan(address, count);
    return {contents.begin(), contents.end()};
}

// A program image of `size` bytes whose header carries the check value of its body.
Bytes MakeImage(std::size_t size)
{
    Bytes image(size);
    for (std::size_t i = 0; i < size; ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const std::uint32_t check = FirmwareCheckValue(image);
    for (std::size_t i = 0; i < 4; ++i)
        image[i] = static_cast<std::uint8_t>(check >> (8 * i));
    return image;
}

}  // namespace

TEST(SimFlashMemoryTest, StartsErasedAndReadsBackWhatATransferWrote)
{
    SimFlashMemory flash;
    EXPECT_EQ(Read(flash, 0x060000, 4), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));

    ASSERT_TRUE(Write(flash, 0x060000, {0x12, 0x34, 0x56}));
    EXPECT_EQ(Read(flash, 0x05FFFF, 5), (Bytes{0xFF, 0x12, 0x34, 0x56, 0xFF}));

    FlashFrame::Bytes reply{};
    ASSERT_TRUE(Send(flash, FlashFrame::TransferRead(0x060000, 2)));
    ASSERT_TRUE(flash.FillReply(reply));
    EXPECT_EQ(reply[0], 0xBF);
    EXPECT_EQ(reply[2], 2);
    EXPECT_EQ(reply[10], 0) << "bytes past the count read stay zero";
}

TEST(SimFlashMemoryTest, WritingOverUnerasedBytesOnlyClearsBitsUntilTheSectorIsErased)
{
    SimFlashMemory flash;
    ASSERT_TRUE(Write(flash, 0x060010, {0xF0}));
    ASSERT_TRUE(Write(flash, 0x060010, {0x3C}));
    EXPECT_EQ(Memory(flash, 0x060010, 1), Bytes{0x30});

    ASSERT_TRUE(Send(flash, FlashFrame::EraseSector(0x060000)));
    ASSERT_TRUE(Write(flash, 0x060010, {0x3C}));
    EXPECT_EQ(Memory(flash, 0x060010, 1), Bytes{0x3C});

    EXPECT_FALSE(Send(flash, FlashFrame::EraseSector(0x060800))) << "not a sector start";
    EXPECT_EQ(Memory(flash, 0x060010, 1), Bytes{0x3C});
}

TEST(SimFlashMemoryTest, WriteBytesOverwritesInPlace)
{
    SimFlashMemory flash;
    flash.Load(FlashMap::kInfoBlock, Bytes{0x01, 0x05, 0x00});
    ASSERT_TRUE(Send(flash, FlashFrame::WriteBytes(FlashMap::kInfoBlock, Bytes{0x80, 0x06, 0xFF})));
    EXPECT_EQ(Memory(flash, FlashMap::kInfoBlock, 4), (Bytes{0x80, 0x06, 0xFF, 0xFF}));
}

TEST(SimFlashMemoryTest, BaseAreaTakesWritesOnlyWhileUnlocked)
{
    SimFlashMemory flash;
    struct Step {
        std::string name;
        std::optional<FlashCode> code;  // a protection frame first, if any
        bool codeAccepted;
        bool writable;
    };
    const std::vector<Step> steps{
        {"locked at start", std::nullopt, true, false},
        {"wrong code", FlashCode{1, 2, 3, 4}, false, false},
        {"unlocked", kFlashUnlockCode, true, true},
        {"locked again", kFlashLockCode, true, false},
    };
    for (const Step& step : steps) {
        if (step.code) {
            EXPECT_EQ(Send(flash, FlashFrame::Protection(*step.code)), step.codeAccepted) << step.name;
        }
        EXPECT_EQ(Write(flash, 0x02AFFF, {0x00}), step.writable) << step.name;
        EXPECT_EQ(Send(flash, FlashFrame::EraseSector(0x02A000)), step.writable) << step.name;
        EXPECT_EQ(Send(flash, FlashFrame::WriteBytes(0x000000, Bytes{0x00})), step.writable) << step.name;
        EXPECT_TRUE(Write(flash, FlashMap::kBaseAreaEnd, {0x00})) << step.name << ": past the base area";
    }
    EXPECT_EQ(Memory(flash, 0x000000, 1), Bytes{0x00}) << "written while unlocked";
    EXPECT_EQ(Memory(flash, 0x02AFFF, 1), Bytes{0xFF}) << "erased while unlocked, refused after";
}

TEST(SimFlashMemoryTest, ClearUpdateAreaErasesExactlyTheUpdateArea)
{
    SimFlashMemory flash;
    const Bytes zeros(4, 0);
    for (std::uint32_t address : {FlashMap::kUpdateAreaStart - 4, FlashMap::kUpdateAreaStart,
                                  FlashMap::kUpdateAreaEnd - 4, FlashMap::kUpdateAreaEnd})
        flash.Load(address, zeros);
    ASSERT_TRUE(Send(flash, FlashFrame::ClearUpdateArea()));
    EXPECT_EQ(Memory(flash, FlashMap::kUpdateAreaStart - 4, 4), zeros);
    EXPECT_EQ(Memory(flash, FlashMap::kUpdateAreaStart, 4), Bytes(4, 0xFF));
    EXPECT_EQ(Memory(flash, FlashMap::kUpdateAreaEnd - 4, 4), Bytes(4, 0xFF));
    EXPECT_EQ(Memory(flash, FlashMap::kUpdateAreaEnd, 4), zeros);
}

TEST(SimFlashMemoryTest, ReplyBelongsToTheLastFrameOnly)
{
    SimFlashMemory flash;
    FlashFrame::Bytes reply{};
    EXPECT_FALSE(flash.FillReply(reply));
    ASSERT_TRUE(Read(flash, 0x060000, 4));
    EXPECT_TRUE(flash.FillReply(reply)) << "the reply can be read again";
    ASSERT_TRUE(Write(flash, 0x060000, {0x00}));
    EXPECT_FALSE(flash.FillReply(reply)) << "a write without read leaves no reply";
    EXPECT_FALSE(flash.HandleFrame(std::vector<std::uint8_t>(136, 0)));
    EXPECT_FALSE(Send(flash, FlashFrame::TransferRead(0x07FFF0, 32))) << "past the end of the flash";
}

// The steps of an installation done by hand; each case leaves one out or spoils it.
TEST(SimFlashMemoryTest, RestartInstallsOnlyACompleteImageAfterEveryInstallationStep)
{
    struct Case {
        std::string name;
        bool installs;
        bool writeAll = true;
        bool spoilBody = false;
        bool bumpCounter = true;
        bool eraseSecond = true;
        bool eraseThird = true;
        bool writeMarker = true;
    };
    const std::vector<Case> cases{
        {.name = "all steps", .installs = true},
        {.name = "image cut short", .installs = false, .writeAll = false},
        {.name = "body differs from header", .installs = false, .spoilBody = true},
        {.name = "counter unchanged", .installs = false, .bumpCounter = false},
        {.name = "0x07C000 not erased", .installs = false, .eraseSecond = false},
        {.name = "0x07D000 not erased", .installs = false, .eraseThird = false},
        {.name = "marker not written", .installs = false, .writeMarker = false},
    };
    const Bytes image = MakeImage(1000);
    for (const Case& c : cases) {
        SimFlashMemory flash;
        flash.Load(FlashMap::kInstalledHeader, Bytes(16, 0x11));
        flash.Load(FlashMap::kInfoBlock, Bytes{0x00, 0x07});
        const std::size_t written = c.writeAll ? image.size() : 512;
        for (std::size_t offset = 0; offset < written; offset += 128) {
            Bytes block(image.begin() + static_cast<std::ptrdiff_t>(offset),
                        image.begin() + static_cast<std::ptrdiff_t>(std::min(offset + 128, image.size())));
            if (c.spoilBody && offset == 256)
                block[5] ^= 0x01;
            ASSERT_TRUE(Write(flash, FlashMap::kUpdateAreaStart + static_cast<std::uint32_t>(offset), block));
        }
        if (c.bumpCounter) {
            ASSERT_TRUE(Send(flash, FlashFrame::WriteBytes(FlashMap::kInfoBlock, Bytes{0x00, 0x08})));
        }
        if (c.eraseSecond) {
            ASSERT_TRUE(Send(flash, FlashFrame::EraseSector(FlashMap::kInstallEraseSecond)));
        }
        if (c.eraseThird) {
            ASSERT_TRUE(Send(flash, FlashFrame::EraseSector(FlashMap::kInstallEraseThird)));
        }
        if (c.writeMarker) {
            ASSERT_TRUE(Send(flash, FlashFrame::WriteBytes(FlashMap::kInfoMarker, Bytes(36, 0xFF))));
        }
        ASSERT_TRUE(Send(flash, FlashFrame::Protection(kFlashUnlockCode)));
        ASSERT_TRUE(Send(flash, FlashFrame::Restart()));

        EXPECT_TRUE(flash.TakeRestartRequest()) << c.name;
        EXPECT_FALSE(flash.TakeRestartRequest()) << c.name;
        EXPECT_FALSE(flash.BaseAreaUnlocked()) << c.name << ": a restart locks";
        EXPECT_EQ(flash.InstallCount(), c.installs ? 1 : 0) << c.name;
        const Bytes installed = Memory(flash, FlashMap::kInstalledHeader, image.size());
        if (c.installs)
            EXPECT_EQ(installed, image) << c.name;
        else
            EXPECT_EQ(Memory(flash, FlashMap::kInstalledHeader, 16), Bytes(16, 0x11)) << c.name;
    }
}

TEST(SimFlashMemoryTest, InstallationStepsDoNotCarryOverARestart)
{
    SimFlashMemory flash;
    const Bytes image = MakeImage(300);
    ASSERT_TRUE(Send(flash, FlashFrame::WriteBytes(FlashMap::kInfoBlock, Bytes{0x00, 0x01})));
    ASSERT_TRUE(Send(flash, FlashFrame::EraseSector(FlashMap::kInstallEraseSecond)));
    ASSERT_TRUE(Send(flash, FlashFrame::EraseSector(FlashMap::kInstallEraseThird)));
    ASSERT_TRUE(Send(flash, FlashFrame::WriteBytes(FlashMap::kInfoMarker, Bytes(36, 0xFF))));
    ASSERT_TRUE(Send(flash, FlashFrame::Restart()));
    for (std::size_t offset = 0; offset < image.size(); offset += 128) {
        const Bytes block(image.begin() + static_cast<std::ptrdiff_t>(offset),
                          image.begin() + static_cast<std::ptrdiff_t>(std::min(offset + 128, image.size())));
        ASSERT_TRUE(Write(flash, FlashMap::kUpdateAreaStart + static_cast<std::uint32_t>(offset), block));
    }
    ASSERT_TRUE(Send(flash, FlashFrame::Restart()));
    EXPECT_EQ(flash.InstallCount(), 0);
}

TEST(SimFlashMemoryTest, FaultHooksRefuseWritesCorruptReadsAndRefuseOperations)
{
    SimFlashMemory flash;
    flash.FailWrites(0x060000, 2);
    EXPECT_TRUE(Write(flash, 0x05FF80, {0x01})) << "below the address";
    EXPECT_FALSE(Write(flash, 0x060000, {0x01}));
    EXPECT_FALSE(Send(flash, FlashFrame::WriteBytes(0x070000, Bytes{0x01})));
    EXPECT_TRUE(Write(flash, 0x060000, {0x01})) << "only the next two";
    EXPECT_EQ(Memory(flash, 0x070000, 1), Bytes{0xFF});

    flash.CorruptReadAt(0x060001);
    EXPECT_EQ(Read(flash, 0x060000, 3), (Bytes{0x01, 0x00, 0xFF}));
    EXPECT_EQ(Memory(flash, 0x060001, 1), Bytes{0xFF}) << "the memory itself is intact";

    flash.RefuseOperation(FlashOp::EraseSector);
    EXPECT_FALSE(Send(flash, FlashFrame::EraseSector(0x060000)));
    EXPECT_TRUE(Send(flash, FlashFrame::ClearUpdateArea()));

    flash.ClearFaults();
    EXPECT_TRUE(Send(flash, FlashFrame::EraseSector(0x060000)));
    EXPECT_EQ(Read(flash, 0x060000, 2), (Bytes{0xFF, 0xFF}));
}

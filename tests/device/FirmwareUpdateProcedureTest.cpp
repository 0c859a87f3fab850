#include "device/FirmwareUpdateProcedure.h"

#include "FlashTestDoubles.h"
#include "device/FirmwareCheckValue.h"
#include "device/FlashMap.h"
#include "device/VirtualClock.h"
#include "profiles/LanguageTexts.h"
#include "sim/SimFlashMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using Outcome = FirmwareUpdateOutcome;
using std::chrono::milliseconds;

constexpr std::uint16_t kSupportedVersion = 0x0201;
constexpr std::size_t kAppSize = 101'568;  // 793 full frames and one of 64 bytes
constexpr std::uint32_t kOldCheckValue = 0x0BADF00D;
constexpr std::uint8_t kInfoCounter = 5;

// Replaces the last four bytes so that the body's check value becomes 0, and puts 0 in
// the header. The register is run backwards from 0: the top byte of each table entry
// identifies its index.
Bytes WithCheckValueZero(Bytes image)
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1u) != 0 ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        table[i] = value;
    }
    std::fill_n(image.begin(), 4, 0);
    const std::size_t patchAt = image.size() - 4;
    const std::uint32_t before =
        FirmwareCrcRegister(std::span<const std::uint8_t>(image).subspan(16, patchAt - 16));
    std::uint32_t state = 0;
    for (int step = 0; step < 4; ++step) {
        const auto index = static_cast<std::uint32_t>(
            std::find_if(table.begin(), table.end(), [&](std::uint32_t v) { return v >> 24 == state >> 24; }) -
            table.begin());
        state = ((state ^ table[index]) << 8) | index;
    }
    const std::uint32_t patch = state ^ before;
    for (std::size_t i = 0; i < 4; ++i)
        image[patchAt + i] = static_cast<std::uint8_t>(patch >> (8 * i));
    return image;
}

Bytes HeaderWith(std::uint32_t checkValue)
{
    Bytes header(16, 0x00);
    for (std::size_t i = 0; i < 4; ++i)
        header[i] = static_cast<std::uint8_t>(checkValue >> (8 * i));
    return header;
}

// A mouse reduced to its flash, with an old program installed and a base area that
// differs from the base image (erased), and what the procedure reports.
struct Rig {
    Rig()
    {
        flash.Load(FlashMap::kInstalledHeader, HeaderWith(kOldCheckValue));
        flash.Load(FlashMap::kInfoBlock, Bytes{0x5A, kInfoCounter, 0x01, 0x02});
    }

    [[nodiscard]] Bytes Memory(std::uint32_t address, std::size_t count) const
    {
        const std::span<const std::uint8_t> contents = flash.Contents().subspan(address, count);
        return {contents.begin(), contents.end()};
    }
    [[nodiscard]] std::size_t CountFrames(const std::function<bool(const SentFrame&)>& predicate) const
    {
        return static_cast<std::size_t>(std::count_if(handle.frames.begin(), handle.frames.end(), predicate));
    }
    [[nodiscard]] std::size_t CountOp(FlashOp op) const
    {
        return CountFrames([op](const SentFrame& sent) { return sent.Is(op); });
    }
    [[nodiscard]] std::size_t FramesTouchingBaseArea() const
    {
        return CountFrames([](const SentFrame& sent) {
            return sent.Is(FlashOp::Protection) ||
                   (!sent.Is(FlashOp::ClearUpdateArea) && !sent.Is(FlashOp::Restart) &&
                    sent.frame.Address() < FlashMap::kBaseAreaEnd);
        });
    }

    VirtualClock clock;
    SimFlashMemory flash;
    FlashHandle handle{flash, clock};
    RecordingEvents events{handle};
};

bool IsBaseWrite(const SentFrame& sent)
{
    return sent.IsWrite() && sent.frame.Address() < FlashMap::kBaseAreaEnd;
}

bool IsImageWrite(const SentFrame& sent)
{
    return sent.IsWrite() && sent.frame.Address() >= FlashMap::kUpdateAreaStart;
}

class FirmwareUpdateProcedureTest : public ::testing::Test {
protected:
    FirmwareUpdateProcedure Procedure(Rig& target, const Bytes& baseBytes, std::stop_token stop = {}) const
    {
        return FirmwareUpdateProcedure(target.clock, *FirmwareImage::LoadApp(app), FirmwareImage::LoadBase(baseBytes),
                                       target.events, std::move(stop));
    }
    FirmwareUpdateProcedure Procedure(Rig& target, std::stop_token stop = {}) const
    {
        return Procedure(target, base, std::move(stop));
    }

    Bytes app = MakeAppImage(kAppSize);
    Bytes base = RandomBytes(FlashMap::kBaseAreaEnd, 2);
    std::uint32_t appCheckValue = FirmwareCheckValue(app);
    Rig rig;
};

}  // namespace

TEST_F(FirmwareUpdateProcedureTest, FullUpdateInstallsTheImageAndTheFinalCheckConfirmsIt)
{
    FirmwareUpdateProcedure procedure = Procedure(rig);
    EXPECT_EQ(procedure.ImageCheckValue(), appCheckValue);

    EXPECT_EQ(procedure.CheckAndUpdate(&rig.handle, kSupportedVersion), Outcome::Restarted);
    EXPECT_TRUE(rig.events.Shown(FirmwareText::DeviceCheckValue(kOldCheckValue)));
    EXPECT_TRUE(rig.flash.TakeRestartRequest());
    EXPECT_EQ(rig.flash.InstallCount(), 1);
    EXPECT_EQ(rig.Memory(0, FlashMap::kBaseAreaEnd), base);
    EXPECT_EQ(rig.Memory(FlashMap::kUpdateAreaStart, app.size()), app);
    EXPECT_EQ(rig.Memory(FlashMap::kInstalledHeader, app.size()), app);
    EXPECT_EQ(rig.Memory(FlashMap::kInfoBlock, 8), (Bytes{0x5A, kInfoCounter + 1, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(rig.Memory(FlashMap::kInfoMarker, 36), Bytes(36, 0xFF));
    EXPECT_FALSE(rig.flash.BaseAreaUnlocked());

    EXPECT_EQ(procedure.FinalCheck(&rig.handle), Outcome::Installed);
    EXPECT_EQ(rig.events.LastOn(FirmwareLabel::CheckValue), FirmwareText::DeviceCheckValue(appCheckValue));
    EXPECT_EQ(rig.events.LastOn(FirmwareLabel::Status), FirmwareText::Status(FirmwareTextNumber::kUpToDate));
    EXPECT_EQ(rig.events.outcomes, (std::vector<Outcome>{Outcome::Restarted, Outcome::Installed}));
}

TEST_F(FirmwareUpdateProcedureTest, FullUpdateSendsEachPhaseWithItsCountsAndTexts)
{
    FirmwareUpdateProcedure procedure = Procedure(rig);
    ASSERT_EQ(procedure.CheckAndUpdate(&rig.handle, kSupportedVersion), Outcome::Restarted);
    const RecordingEvents& events = rig.events;

    std::vector<int> upTo1419(1419);
    std::iota(upTo1419.begin(), upTo1419.end(), 1);
    EXPECT_EQ(events.CountedNumbers(FirmwareTextNumber::kBaseWriting), upTo1419);
    std::vector<int> upTo1376(1376);
    std::iota(upTo1376.begin(), upTo1376.end(), 1);
    EXPECT_EQ(events.CountedNumbers(FirmwareTextNumber::kBaseVerifying), upTo1376);

    // Base area: 43 erases and 1376 blocks; program image: 793 full frames and 64 bytes;
    // installation: three erases and two information-block writes.
    EXPECT_EQ(rig.CountOp(FlashOp::EraseSector), 43u + 3u);
    EXPECT_EQ(rig.CountOp(FlashOp::Protection), 2u);
    EXPECT_EQ(rig.CountOp(FlashOp::WriteBytes), 2u);
    EXPECT_EQ(rig.CountOp(FlashOp::Restart), 1u);
    EXPECT_EQ(rig.CountOp(FlashOp::ClearUpdateArea), 0u) << "the update area was blank";
    EXPECT_EQ(rig.CountFrames(IsBaseWrite), 1376u);
    EXPECT_EQ(rig.CountFrames(IsImageWrite), 794u);
    EXPECT_EQ(rig.CountFrames([](const SentFrame& f) { return IsImageWrite(f) && f.frame.WriteCount() == 64; }), 1u);
    EXPECT_EQ(rig.handle.frames.back().frame, FlashFrame::Restart());
    // Reads: the installed header, three failing compare passes of one block each and
    // the pass after the erase, 1376 verified blocks, the blank check, 794 read back,
    // the information block.
    EXPECT_EQ(rig.CountFrames([](const SentFrame& f) { return f.IsRead(); }), 1u + 3u + 1u + 1376u + 1u + 794u + 1u);

    EXPECT_EQ(events.texts.front(), FirmwareText::DeviceCheckValue(kOldCheckValue));
    EXPECT_TRUE(events.Shown(FirmwareText::PercentageStart()));
    EXPECT_EQ(events.progress.front(), std::make_pair(0, 3965));
    EXPECT_EQ(events.progress.back(), std::make_pair(3970, 3965));
    ASSERT_TRUE(events.LastOn(FirmwareLabel::Percentage));
    EXPECT_EQ(FormatFirmwareText(*events.LastOn(FirmwareLabel::Percentage), LanguageTexts()), u"100.1%");

    std::vector<FirmwareText> countdown;
    for (const FirmwareText& text : events.texts) {
        if (text.format == FirmwareTextFormat::Countdown)
            countdown.push_back(text);
    }
    std::vector<FirmwareText> expected{FirmwareText::Countdown(304, 3), FirmwareText::Countdown(304, 2),
                                       FirmwareText::Countdown(304, 1), FirmwareText::Countdown(305, 3),
                                       FirmwareText::Countdown(305, 2), FirmwareText::Countdown(305, 1)};
    for (int digit = 20; digit >= 1; --digit)
        expected.push_back(FirmwareText::Countdown(306, digit));
    EXPECT_EQ(countdown, expected);

    // The link learns of the restart before the frame that causes it; 26 one-second
    // steps follow the restart frame.
    EXPECT_EQ(events.framesAtUpdateActive, std::vector<std::size_t>{rig.handle.frames.size() - 1});
    EXPECT_EQ(rig.clock.Now() - rig.handle.frames.back().time, std::chrono::seconds(26));
}

TEST_F(FirmwareUpdateProcedureTest, PausesFollowTheMousesTimings)
{
    FirmwareUpdateProcedure procedure = Procedure(rig);
    ASSERT_EQ(procedure.CheckAndUpdate(&rig.handle, kSupportedVersion), Outcome::Restarted);

    std::vector<milliseconds> eraseGaps;
    std::vector<milliseconds> imageWriteGaps;
    const std::vector<SentFrame>& frames = rig.handle.frames;
    for (std::size_t i = 1; i < frames.size(); ++i) {
        const SentFrame& before = frames[i - 1];
        const auto gap = std::chrono::duration_cast<milliseconds>(frames[i].time - before.time);
        if (before.Is(FlashOp::EraseSector) && before.frame.Address() < FlashMap::kBaseAreaEnd)
            eraseGaps.push_back(gap);
        if (IsImageWrite(before))
            imageWriteGaps.push_back(gap);
    }
    EXPECT_EQ(eraseGaps, std::vector<milliseconds>(43, milliseconds(200)));
    EXPECT_EQ(imageWriteGaps, std::vector<milliseconds>(794, milliseconds(40)));
}

TEST_F(FirmwareUpdateProcedureTest, UnsupportedWiredVersionShows292AndSendsNoFrame)
{
    for (const std::uint16_t version : {0x0100, 0x0000, 0x0302, 0xFF02}) {
        Rig local;
        FirmwareUpdateProcedure procedure = Procedure(local);
        EXPECT_EQ(procedure.CheckAndUpdate(&local.handle, version), Outcome::Unsupported) << version;
        EXPECT_TRUE(local.handle.frames.empty()) << version;
        EXPECT_EQ(local.events.texts, (std::vector<FirmwareText>{FirmwareText::ClearedCheckValue(),
                                                                  FirmwareText::Status(FirmwareTextNumber::kUnsupported)}));
    }
    EXPECT_TRUE(FirmwareUpdateProcedure::IsFirmwareUpdateSupported(0x0200));
    EXPECT_TRUE(FirmwareUpdateProcedure::IsFirmwareUpdateSupported(0x02FF));
}

TEST_F(FirmwareUpdateProcedureTest, EmptyProgramImageSendsNothing)
{
    FirmwareUpdateProcedure procedure(rig.clock, FirmwareImage::LoadBase({}), FirmwareImage::LoadBase(base), rig.events);
    EXPECT_EQ(procedure.CheckAndUpdate(&rig.handle, kSupportedVersion), Outcome::InvalidImage);
    EXPECT_TRUE(rig.handle.frames.empty());
    EXPECT_EQ(rig.events.outcomes, std::vector<Outcome>{Outcome::InvalidImage});
}

TEST_F(FirmwareUpdateProcedureTest, MatchingInstalledCheckValueShows293AndWritesNothing)
{
    rig.flash.Load(FlashMap::kInstalledHeader, HeaderWith(appCheckValue));
    FirmwareUpdateProcedure procedure = Procedure(rig);
    EXPECT_EQ(procedure.CheckAndUpdate(&rig.handle, kSupportedVersion), Outcome::UpToDate);

    ASSERT_EQ(rig.handle.frames.size(), 1u);
    EXPECT_EQ(rig.handle.frames[0].frame, FlashFrame::TransferRead(FlashMap::kInstalledHeader, 16));
    EXPECT_EQ(rig.events.texts, (std::vector<FirmwareText>{FirmwareText::DeviceCheckValue(appCheckValue),
                                                            FirmwareText::Status(FirmwareTextNumber::kUpToDate)}));
}

// Against a base area that matches, only failed replies can make a pass fail.
TEST_F(FirmwareUpdateProcedureTest, BaseAreaIsRewrittenOnlyWhenAllThreeComparePassesFail)
{
    struct Case {
        int failedPasses;
        bool rewritten;
    };
    for (const Case& c : {Case{0, false}, Case{1, false}, Case{2, false}, Case{3, true}}) {
        Rig local;
        local.flash.Load(0, base);
        local.handle.failRepliesFrom = 1;  // after the installed header
        local.handle.failReplyCount = c.failedPasses;
        FirmwareUpdateProcedure procedure = Procedure(local);

        EXPECT_EQ(procedure.CheckAndUpdate(&local.handle, kSupportedVersion), Outcome::Restarted) << c.failedPasses;
        EXPECT_EQ(local.CountOp(FlashOp::Protection), c.rewritten ? 2u : 0u) << c.failedPasses;
        EXPECT_EQ(local.CountFrames(IsBaseWrite), c.rewritten ? 1376u : 0u) << c.failedPasses;
        if (!c.rewritten) {
            // The failed passes stop at their first block; the equal one reads all 32.
            EXPECT_EQ(local.FramesTouchingBaseArea(), static_cast<std::size_t>(c.failedPasses) + 32u) << c.failedPasses;
        }
        EXPECT_EQ(local.Memory(0, FlashMap::kBaseAreaEnd), base) << c.failedPasses;
    }
}

TEST_F(FirmwareUpdateProcedureTest, WithoutBaseImageTheBaseAreaIsNeitherReadNorWritten)
{
    const Bytes oversized(FirmwareImage::kBufferSize + 1, 0x00);
    FirmwareUpdateProcedure procedure = Procedure(rig, oversized);
    EXPECT_EQ(procedure.CheckAndUpdate(&rig.handle, kSupportedVersion), Outcome::Restarted);
    EXPECT_EQ(rig.FramesTouchingBaseArea(), 0u);
    EXPECT_EQ(rig.Memory(0, 16), Bytes(16, 0xFF));
    EXPECT_EQ(rig.flash.InstallCount(), 1);
}

// Without a base image the blank check is the second read of the run.
TEST_F(FirmwareUpdateProcedureTest, UpdateAreaIsClearedBeforeWritingUnlessItReadsBlank)
{
    struct Case {
        std::string name;
        bool leftovers;
        bool blankCheckLost;
        bool cleared;
    };
    for (const Case& c : {Case{"blank", false, false, false}, Case{"old data", true, false, true},
                          Case{"reply lost", false, true, true}}) {
        Rig local;
        if (c.leftovers)
            local.flash.Load(FlashMap::kUpdateAreaStart, RandomBytes(4096, 3));
        if (c.blankCheckLost) {
            local.handle.failRepliesFrom = 1;
            local.handle.failReplyCount = 1;
        }
        FirmwareUpdateProcedure procedure = Procedure(local, Bytes{});
        EXPECT_EQ(procedure.CheckAndUpdate(&local.handle, kSupportedVersion), Outcome::Restarted) << c.name;

        EXPECT_EQ(local.events.Shown(FirmwareText::Status(FirmwareTextNumber::kClearingUpdateArea)), c.cleared)
            << c.name;
        const std::vector<SentFrame>& frames = local.handle.frames;
        const auto clear = std::find_if(frames.begin(), frames.end(),
                                        [](const SentFrame& f) { return f.Is(FlashOp::ClearUpdateArea); });
        ASSERT_EQ(clear != frames.end(), c.cleared) << c.name;
        if (c.cleared) {
            EXPECT_EQ(std::next(clear)->time - clear->time, milliseconds(3000)) << c.name;
        }
        EXPECT_EQ(local.flash.InstallCount(), 1) << c.name << ": written over erased bytes only";
    }
}

TEST_F(FirmwareUpdateProcedureTest, ImageSizesWriteWholeFramesThenTheRemainder)
{
    struct Case {
        std::size_t size;
        std::size_t fullFrames;
        std::size_t remainder;
        std::u16string lastPercentage;
    };
    for (const Case& c : {Case{1280, 10, 0, u"100.0%"}, Case{100, 0, 100, u"100.0%"}, Case{300, 2, 44, u"150.0%"}}) {
        Rig local;
        app = MakeAppImage(c.size);
        FirmwareUpdateProcedure procedure = Procedure(local);
        EXPECT_EQ(procedure.CheckAndUpdate(&local.handle, kSupportedVersion), Outcome::Restarted) << c.size;
        EXPECT_EQ(local.CountFrames(IsImageWrite), c.fullFrames + (c.remainder > 0 ? 1 : 0)) << c.size;
        EXPECT_EQ(local.CountFrames([](const SentFrame& f) { return IsImageWrite(f) && f.frame.WriteCount() == 128; }),
                  c.fullFrames)
            << c.size;
        EXPECT_EQ(FormatFirmwareText(*local.events.LastOn(FirmwareLabel::Percentage), LanguageTexts()),
                  c.lastPercentage)
            << c.size;
        EXPECT_EQ(local.Memory(FlashMap::kInstalledHeader, c.size), app) << c.size;
    }
}

// Each fault ends the update with its text and outcome; nothing runs on after it.
TEST_F(FirmwareUpdateProcedureTest, FailuresEndTheUpdateWithTheirText)
{
    struct Case {
        std::string name;
        std::function<void(Rig&)> inject;
        Outcome outcome;
        int statusText;
    };
    const std::uint32_t lastImageFrame = FlashMap::kUpdateAreaStart + 793 * 128;
    const std::vector<Case> cases{
        {"base write", [](Rig& r) { r.flash.FailWrites(0x000000, 4); }, Outcome::BaseWriteFailed, 296},
        {"base verify", [](Rig& r) { r.flash.CorruptReadAt(0x020000); }, Outcome::BaseCheckFailed, 298},
        {"image write", [](Rig& r) { r.flash.FailWrites(FlashMap::kUpdateAreaStart + 1280, 4); },
         Outcome::ImageWriteFailed, 301},
        {"image last block", [=](Rig& r) { r.flash.FailWrites(lastImageFrame, 4); }, Outcome::ImageLastBlockFailed,
         302},
        {"image read back", [](Rig& r) { r.flash.CorruptReadAt(FlashMap::kUpdateAreaStart + 5000); },
         Outcome::ImageCheckFailed, 307},
        {"image reply lost", [](Rig& r) { r.handle.failRepliesAt = FlashMap::kUpdateAreaStart + kZeroBlock; },
         Outcome::ImageCheckFailed, 307},
        {"information block unread", [](Rig& r) { r.handle.failRepliesAt = FlashMap::kInfoBlock; },
         Outcome::NotInstalled, 308},
    };
    for (const Case& c : cases) {
        Rig local;
        c.inject(local);
        FirmwareUpdateProcedure procedure = Procedure(local);
        EXPECT_EQ(procedure.CheckAndUpdate(&local.handle, kSupportedVersion), c.outcome) << c.name;
        EXPECT_EQ(local.events.LastOn(FirmwareLabel::Status), FirmwareText::Status(c.statusText)) << c.name;
        EXPECT_EQ(local.events.outcomes, std::vector<Outcome>{c.outcome}) << c.name;
        EXPECT_EQ(local.CountOp(FlashOp::Restart), 0u) << c.name;
        EXPECT_TRUE(local.events.framesAtUpdateActive.empty()) << c.name;
        EXPECT_EQ(local.Memory(FlashMap::kInstalledHeader, 16), HeaderWith(kOldCheckValue)) << c.name;
    }
}

TEST_F(FirmwareUpdateProcedureTest, FailedWriteIsTriedFourTimesAHundredMillisecondsApart)
{
    Rig local;
    local.flash.FailWrites(FlashMap::kUpdateAreaStart + 1280, 4);
    FirmwareUpdateProcedure procedure = Procedure(local);
    ASSERT_EQ(procedure.CheckAndUpdate(&local.handle, kSupportedVersion), Outcome::ImageWriteFailed);
    const std::vector<SentFrame>& frames = local.handle.frames;
    ASSERT_GE(frames.size(), 4u);
    for (std::size_t i = frames.size() - 4; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i].frame.Address(), FlashMap::kUpdateAreaStart + 1280);
        if (i > frames.size() - 4) {
            EXPECT_EQ(frames[i].time - frames[i - 1].time, milliseconds(100));
        }
    }

    // Three failures are still recovered from.
    Rig recovering;
    recovering.flash.FailWrites(0x000000, 3);
    FirmwareUpdateProcedure again = Procedure(recovering);
    EXPECT_EQ(again.CheckAndUpdate(&recovering.handle, kSupportedVersion), Outcome::Restarted);
    EXPECT_EQ(recovering.CountFrames([](const SentFrame& f) { return f.IsWrite() && f.frame.Address() == 0; }), 4u);
    EXPECT_EQ(recovering.Memory(0, FlashMap::kBaseAreaEnd), base);
}

TEST_F(FirmwareUpdateProcedureTest, ImageCheckFailureClearsTheUpdateArea)
{
    rig.flash.CorruptReadAt(FlashMap::kUpdateAreaStart + 5000);
    FirmwareUpdateProcedure procedure = Procedure(rig);
    ASSERT_EQ(procedure.CheckAndUpdate(&rig.handle, kSupportedVersion), Outcome::ImageCheckFailed);
    EXPECT_EQ(rig.handle.frames.back().frame, FlashFrame::ClearUpdateArea());
    EXPECT_EQ(rig.clock.Now() - rig.handle.frames.back().time, milliseconds(3000));
    EXPECT_EQ(rig.Memory(FlashMap::kUpdateAreaStart, 128), Bytes(128, 0xFF));
}

TEST_F(FirmwareUpdateProcedureTest, FinalCheckReports308WhenTheMouseDidNotInstall)
{
    // The mouse refuses the information-block writes, so its restart installs nothing.
    rig.flash.RefuseOperation(FlashOp::WriteBytes);
    FirmwareUpdateProcedure procedure = Procedure(rig);
    ASSERT_EQ(procedure.CheckAndUpdate(&rig.handle, kSupportedVersion), Outcome::Restarted);
    EXPECT_EQ(rig.flash.InstallCount(), 0);
    EXPECT_EQ(procedure.FinalCheck(&rig.handle), Outcome::NotInstalled);
    EXPECT_EQ(rig.events.LastOn(FirmwareLabel::CheckValue), FirmwareText::DeviceCheckValue(kOldCheckValue));
    EXPECT_EQ(rig.events.LastOn(FirmwareLabel::Status), FirmwareText::Status(FirmwareTextNumber::kUpdateFailed));
}

TEST_F(FirmwareUpdateProcedureTest, MissingHandleFailsEveryCallWithoutHanging)
{
    struct Case {
        std::string name;
        Bytes baseBytes;
        Outcome outcome;
    };
    for (const Case& c : {Case{"with base image", base, Outcome::BaseWriteFailed},
                          Case{"without base image", Bytes{}, Outcome::ImageWriteFailed}}) {
        Rig local;
        FirmwareUpdateProcedure procedure = Procedure(local, c.baseBytes);
        EXPECT_EQ(procedure.CheckAndUpdate(nullptr, kSupportedVersion), c.outcome) << c.name;
        EXPECT_EQ(local.events.texts.front(), FirmwareText::DeviceCheckValue(0)) << c.name;
        EXPECT_LT(local.clock.Now(), std::chrono::minutes(1)) << c.name;
    }

    Rig local;
    FirmwareUpdateProcedure procedure = Procedure(local);
    EXPECT_EQ(procedure.FinalCheck(nullptr), Outcome::NotInstalled);
    EXPECT_EQ(local.events.texts, (std::vector<FirmwareText>{FirmwareText::DeviceCheckValue(0),
                                                              FirmwareText::Status(FirmwareTextNumber::kUpdateFailed)}));
}

// A failed read shows 0; with an image whose check value is 0 it must still not count
// as a match, neither before the update nor in the final check.
TEST_F(FirmwareUpdateProcedureTest, FailedReadNeverPassesForAMatch)
{
    app = WithCheckValueZero(MakeAppImage(200));
    ASSERT_EQ(FirmwareCheckValue(app), 0u);
    ASSERT_EQ(app[0], 0);

    rig.handle.failReplyCount = 1;
    FirmwareUpdateProcedure procedure = Procedure(rig);
    EXPECT_EQ(procedure.CheckAndUpdate(&rig.handle, kSupportedVersion), Outcome::Restarted);
    EXPECT_EQ(procedure.FinalCheck(nullptr), Outcome::NotInstalled);
    EXPECT_EQ(procedure.FinalCheck(&rig.handle), Outcome::Installed);
}

TEST_F(FirmwareUpdateProcedureTest, StopRequestEndsTheRunBeforeItsNextFrame)
{
    struct Case {
        std::string name;
        FirmwareText stopAt;
    };
    const std::vector<Case> cases{
        {"erasing the base area", FirmwareText::Counted(295, 10, 1419)},
        {"writing the base area", FirmwareText::Counted(295, 500, 1419)},
        {"verifying the base area", FirmwareText::Counted(297, 3, 1376)},
        {"writing the image", FirmwareText::Percentage(400, 3965)},
        {"reading the image back", FirmwareText::Percentage(3300, 3965)},
        {"counting down", FirmwareText::Countdown(306, 20)},
    };
    for (const Case& c : cases) {
        Rig local;
        std::stop_source stop;
        std::optional<std::size_t> framesAtStop;
        local.events.onText = [&](const FirmwareText& text) {
            if (text == c.stopAt) {
                framesAtStop = local.handle.frames.size();
                stop.request_stop();
            }
        };
        FirmwareUpdateProcedure procedure = Procedure(local, stop.get_token());
        EXPECT_EQ(procedure.CheckAndUpdate(&local.handle, kSupportedVersion), Outcome::Cancelled) << c.name;
        ASSERT_TRUE(framesAtStop) << c.name;
        EXPECT_EQ(local.handle.frames.size(), *framesAtStop) << c.name;
        EXPECT_EQ(local.events.outcomes, std::vector<Outcome>{Outcome::Cancelled}) << c.name;
    }

    Rig local;
    std::stop_source stopped;
    stopped.request_stop();
    FirmwareUpdateProcedure procedure = Procedure(local, stopped.get_token());
    EXPECT_EQ(procedure.FinalCheck(&local.handle), Outcome::Cancelled);
    EXPECT_TRUE(local.handle.frames.empty());
}

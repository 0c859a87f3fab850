#include "macros/BoundedEditValue.h"
#include "macros/MacroKey.h"
#include "macros/MacroRecorder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::uint32_t kRelease = 0x80000000u;

struct KeyStep {
    std::uintptr_t code;
    std::uint32_t eventWord;
};

// The bytes of every action of the macro, as the file lists them.
std::vector<std::uint32_t> Actions(const MacroKey& macro)
{
    std::vector<std::uint32_t> actions;
    for (std::uint32_t i = 0; i < macro.MacroActionNum; ++i)
        actions.push_back(macro.Get(i).raw);
    return actions;
}

constexpr std::uint32_t Bytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
{
    return MacroAction::FromBytes(b0, b1, b2, b3).raw;
}

struct RecordingCase {
    const char* name;
    MacroRecorder::DelayMode mode;
    int fixedDelay;
    std::vector<KeyStep> steps;
    std::vector<std::uint32_t> expected;
    std::uint8_t keyActions;
};

class RecordingTable : public testing::TestWithParam<RecordingCase> {};

TEST_P(RecordingTable, WritesKeyActionsWithDelaysBetween)
{
    const RecordingCase& c = GetParam();
    MacroKey macro;
    MacroRecorder recorder;
    recorder.SetDelayMode(c.mode);
    recorder.SetFixedDelay(c.fixedDelay);
    recorder.Start(macro);
    for (const KeyStep& step : c.steps)
        (void)recorder.OnKeyEvent(&macro, step.code, step.eventWord);
    EXPECT_EQ(Actions(macro), c.expected);
    EXPECT_EQ(macro.MacroCommandActionNum, c.keyActions);
}

using Mode = MacroRecorder::DelayMode;

INSTANTIATE_TEST_SUITE_P(
    Recorder, RecordingTable,
    testing::Values(
        RecordingCase{"PressAndReleaseMeasured", Mode::Measured, 8, {{0x41, 1000}, {0x41, 1137 | kRelease}},
                      {Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0x00, 0x89), Bytes(0x41, 0x80, 0, 0)}, 2},
        RecordingCase{"HeldKeyRepeatsOnlyOnce",
                      Mode::Measured,
                      8,
                      {{0x41, 100}, {0x41, 600}, {0x41, 633}, {0x41, 666}, {0x41, 700 | kRelease}},
                      {Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0x02, 0x58), Bytes(0x41, 0x80, 0, 0)},
                      2},
        RecordingCase{"OverlappingKeysInOrder",
                      Mode::Measured,
                      8,
                      {{0x41, 10}, {0x42, 20}, {0x41, 35 | kRelease}, {0x42, 75 | kRelease}},
                      {Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0, 10), Bytes(0x42, 0, 0, 0), Bytes(0x03, 0, 0, 15),
                       Bytes(0x41, 0x80, 0, 0), Bytes(0x03, 0, 0, 40), Bytes(0x42, 0x80, 0, 0)},
                      4},
        RecordingCase{"LongPauseIsLimitedTo4095",
                      Mode::Measured,
                      8,
                      {{0x41, 5}, {0x41, 10005 | kRelease}},
                      {Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0x0F, 0xFF), Bytes(0x41, 0x80, 0, 0)},
                      2},
        // The time stamp wraps at 2^31: 0x7FFFFFF0 to 0x10 is 32 ms.
        RecordingCase{"TimeStampWrapsAt2To31",
                      Mode::Measured,
                      8,
                      {{0x41, 0x7FFFFFF0u}, {0x41, 0x10u | kRelease}},
                      {Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0, 0x20), Bytes(0x41, 0x80, 0, 0)},
                      2},
        RecordingCase{"FixedDelayIgnoresTiming",
                      Mode::Fixed,
                      20,
                      {{0x41, 5}, {0x41, 3000 | kRelease}, {0x1B, 3001}},
                      {Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0, 20), Bytes(0x41, 0x80, 0, 0), Bytes(0x03, 0, 0, 20),
                       Bytes(0x1B, 0, 0, 0)},
                      3},
        // Codes up to 7 are the mouse buttons and cancel, never keys; only the low byte of
        // the code counts.
        RecordingCase{"CodesBelow8AreNeverRecorded",
                      Mode::Measured,
                      8,
                      {{0x01, 1}, {0x07, 2 | kRelease}, {0x41, 3}, {0x02, 4}, {0x03, 9}, {0x141, 10 | kRelease}},
                      {Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0, 7), Bytes(0x41, 0x80, 0, 0)},
                      2}),
    [](const testing::TestParamInfo<RecordingCase>& param) { return std::string(param.param.name); });

TEST(MacroRecorderTest, StartEmptiesTheMacroButKeepsItsPlayOptions)
{
    MacroKey macro;
    for (std::uint32_t i = 0; i < 40; ++i)
        (void)macro.Insert(i, MacroAction::Delay(i));
    macro.MacroCommandActionNum = 20;
    macro.MacroKeyLoopType = MacroKey::kLoopModeFour;
    macro.MacroKeyLoopNum = 9;
    MacroRecorder recorder;
    recorder.Start(macro);
    EXPECT_TRUE(recorder.IsRecording());
    EXPECT_EQ(macro.MacroActionNum, 0u);
    EXPECT_EQ(macro.MacroCommandActionNum, 0u);
    EXPECT_EQ(macro.MacroKeyLoopType, MacroKey::kLoopModeFour);
    EXPECT_EQ(macro.MacroKeyLoopNum, 9u);

    // The last key event of an earlier recording is forgotten: the same key again is new.
    (void)recorder.OnKeyEvent(&macro, 0x41, 5);
    recorder.Start(macro);
    EXPECT_EQ(recorder.OnKeyEvent(&macro, 0x41, 6), MacroRecorder::KeyOutcome::Recorded);
    EXPECT_EQ(Actions(macro), (std::vector<std::uint32_t>{Bytes(0x41, 0, 0, 0)}));
}

TEST(MacroRecorderTest, NoMacroIgnoresEvents)
{
    MacroRecorder recorder;
    EXPECT_EQ(recorder.OnKeyEvent(nullptr, 0x41, 5), MacroRecorder::KeyOutcome::Ignored);
}

// Press and release two keys in turn, after `strayReleases` releases of a key pressed
// before the recording began, until the recorder reports the macro full.
struct FullCase {
    const char* name;
    int strayReleases;
    int fullAtEvent;  // 0-based index of the event reported full
    std::uint32_t actions;
    std::uint8_t keyActions;
};

class FullTable : public testing::TestWithParam<FullCase> {};

TEST_P(FullTable, FullLeavesNoKeyDown)
{
    const FullCase& c = GetParam();
    MacroKey macro;
    MacroRecorder recorder;
    recorder.Start(macro);
    std::uint32_t time = 100;
    int event = 0;
    for (; event < c.strayReleases; ++event)
        ASSERT_EQ(recorder.OnKeyEvent(&macro, 0x5A, kRelease | (time += 10)), MacroRecorder::KeyOutcome::Recorded);
    for (int pairEvent = 0; event < 300; ++event, ++pairEvent) {
        const std::uint8_t code = (pairEvent / 2) % 2 == 0 ? 0x41 : 0x42;
        const std::uint32_t word = (pairEvent % 2 == 0 ? 0u : kRelease) | (time += 10);
        if (recorder.OnKeyEvent(&macro, code, word) == MacroRecorder::KeyOutcome::Full)
            break;
    }
    EXPECT_EQ(event, c.fullAtEvent);
    EXPECT_EQ(macro.MacroActionNum, c.actions);
    EXPECT_EQ(macro.MacroCommandActionNum, c.keyActions);
    EXPECT_EQ(macro.Get(c.actions - 1).Byte(1), MacroAction::kReleaseFlag);
    // Nothing is down, so stopping adds nothing.
    recorder.Stop(&macro);
    EXPECT_EQ(macro.MacroActionNum, c.actions);
}

INSTANTIATE_TEST_SUITE_P(
    Recorder, FullTable,
    testing::Values(
        // The 125th keystroke is a press whose release would be the 126th key action: it
        // is refused, and the macro ends on the release before it.
        FullCase{"APressThatCouldNotBeReleasedEndsTheRecording", 0, 124, 247, 124},
        // With a release first, 125 key actions end on a release; the 126th keystroke is
        // refused.
        FullCase{"The126thKeystrokeEndsTheRecording", 1, 125, 249, 125}),
    [](const testing::TestParamInfo<FullCase>& param) { return std::string(param.param.name); });

TEST(MacroRecorderTest, KeysHeldDownKeepRoomForTheirReleases)
{
    MacroKey macro;
    MacroRecorder recorder;
    recorder.Start(macro);
    // 62 keys held down take 124 key actions once released: the 63rd press is refused.
    for (std::uint8_t code = 0x30; code < 0x30 + 62; ++code)
        ASSERT_EQ(recorder.OnKeyEvent(&macro, code, code), MacroRecorder::KeyOutcome::Recorded);
    EXPECT_EQ(recorder.OnKeyEvent(&macro, 0x70, 0x70), MacroRecorder::KeyOutcome::Full);
    recorder.Stop(&macro);
    EXPECT_EQ(macro.MacroCommandActionNum, 124u);
    EXPECT_EQ(macro.MacroActionNum, 247u);
    EXPECT_EQ(macro.Get(246), MacroAction::FromBytes(0x30 + 61, MacroAction::kReleaseFlag, 0, 0));
}

struct StopCase {
    const char* name;
    MacroRecorder::DelayMode mode;
    std::vector<KeyStep> steps;
    std::vector<std::uint32_t> expected;
    std::uint8_t keyActions;
};

class StopTable : public testing::TestWithParam<StopCase> {};

TEST_P(StopTable, StopReleasesTheKeysStillDown)
{
    const StopCase& c = GetParam();
    MacroKey macro;
    MacroRecorder recorder;
    recorder.SetDelayMode(c.mode);
    recorder.SetFixedDelay(20);
    recorder.Start(macro);
    for (const KeyStep& step : c.steps)
        (void)recorder.OnKeyEvent(&macro, step.code, step.eventWord);
    recorder.Stop(&macro);
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(Actions(macro), c.expected);
    EXPECT_EQ(macro.MacroCommandActionNum, c.keyActions);
}

INSTANTIATE_TEST_SUITE_P(
    Recorder, StopTable,
    testing::Values(
        // In the order they went down, 50 ms apart.
        StopCase{"TwoKeysDownMeasured",
                 Mode::Measured,
                 {{0x41, 10}, {0x42, 20}},
                 {Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0, 10), Bytes(0x42, 0, 0, 0), Bytes(0x03, 0, 0, 50),
                  Bytes(0x41, 0x80, 0, 0), Bytes(0x03, 0, 0, 50), Bytes(0x42, 0x80, 0, 0)},
                 4},
        StopCase{"OneKeyDownFixed",
                 Mode::Fixed,
                 {{0x41, 10}, {0x41, 20}},
                 {Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0, 20), Bytes(0x41, 0x80, 0, 0)},
                 2},
        StopCase{"ReleasedKeysAreNotReleasedAgain",
                 Mode::Measured,
                 {{0x41, 10}, {0x42, 20}, {0x41, 30 | kRelease}, {0x42, 40 | kRelease}},
                 {Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0, 10), Bytes(0x42, 0, 0, 0), Bytes(0x03, 0, 0, 10),
                  Bytes(0x41, 0x80, 0, 0), Bytes(0x03, 0, 0, 10), Bytes(0x42, 0x80, 0, 0)},
                 4},
        StopCase{"AReleaseWithoutItsPressReleasesNothing", Mode::Measured, {{0x41, 10 | kRelease}},
                 {Bytes(0x41, 0x80, 0, 0)}, 1}),
    [](const testing::TestParamInfo<StopCase>& param) { return std::string(param.param.name); });

TEST(MacroRecorderTest, TooFewFreeSlotsForADelayAndAKeyEndTheRecordingWhole)
{
    // Delays inserted by hand while recording fill the macro before 125 keys.
    MacroKey macro;
    MacroRecorder recorder;
    recorder.Start(macro);
    (void)recorder.OnKeyEvent(&macro, 0x41, 1);
    while (macro.MacroActionNum < MacroKey::kMaxActions - 1)
        (void)macro.Insert(macro.MacroActionNum, MacroAction::Delay(5));
    EXPECT_EQ(recorder.OnKeyEvent(&macro, 0x41, 9 | kRelease), MacroRecorder::KeyOutcome::Full);
    EXPECT_EQ(macro.MacroActionNum, MacroKey::kMaxActions - 1);
    EXPECT_EQ(macro.MacroCommandActionNum, 1u);

    // The one slot left takes the release, without a delay before it.
    recorder.Stop(&macro);
    EXPECT_EQ(macro.MacroActionNum, MacroKey::kMaxActions);
    EXPECT_EQ(macro.Get(MacroKey::kMaxActions - 1), MacroAction::FromBytes(0x41, MacroAction::kReleaseFlag, 0, 0));
    EXPECT_EQ(macro.MacroCommandActionNum, 2u);
}

TEST(MacroRecorderTest, WithNoSlotLeftTheHeldKeysPressIsTakenOut)
{
    MacroKey macro;
    MacroRecorder recorder;
    recorder.Start(macro);
    (void)recorder.OnKeyEvent(&macro, 0x42, 1);
    (void)recorder.OnKeyEvent(&macro, 0x42, 2 | kRelease);
    (void)recorder.OnKeyEvent(&macro, 0x41, 3);
    while (macro.MacroActionNum < MacroKey::kMaxActions)
        (void)macro.Insert(macro.MacroActionNum, MacroAction::Delay(5));
    recorder.Stop(&macro);
    EXPECT_EQ(macro.MacroActionNum, MacroKey::kMaxActions - 1);
    EXPECT_EQ(macro.MacroCommandActionNum, 2u);
    for (std::uint32_t i = 0; i < macro.MacroActionNum; ++i)
        EXPECT_NE(macro.Get(i).Code(), 0x41) << i;
}

struct EditValueCase {
    std::u16string text;
    int max;
    int value;
    std::optional<std::u16string> replacement;
};

TEST(BoundedEditValueTest, BringsTheBoxIntoOneToMax)
{
    const EditValueCase cases[] = {
        {u"8", 4095, 8, std::nullopt},
        {u"4095", 4095, 4095, std::nullopt},
        {u"4096", 4095, 4095, u"4095"},
        {u"5000", 4095, 4095, u"4095"},
        {u"99999999999999999999", 4095, 4095, u"4095"},
        {u"0", 4095, 1, u"1"},
        {u"", 4095, 1, u"1"},
        {u"-5", 4095, 1, u"1"},
        {u"12ab", 4095, 12, std::nullopt},
        {u"255", 255, 255, std::nullopt},
        {u"256", 255, 255, u"255"},
        {u"007", 255, 7, std::nullopt},
    };
    for (const EditValueCase& c : cases) {
        const BoundedEditValue result = BoundedEditValue::From(c.text, c.max);
        const std::string label(c.text.begin(), c.text.end());
        EXPECT_EQ(result.value, c.value) << label;
        EXPECT_EQ(result.replacement, c.replacement) << label;
    }
}

}  // namespace

#include "device/MacroEventEncoder.h"

#include "MacroTestActions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace MacroTestActions;

namespace {

constexpr std::uint8_t kVkA = 0x41;
constexpr std::uint8_t kVkLeftControl = 0xA2;
constexpr std::uint8_t kVkRightWindows = 0x5C;

struct ActionCase {
    const char* what;
    MacroAction action;
    std::uint32_t delay;
    MacroEvent expected;
};

// The first `count` bytes of an image, for exact comparison; the rest must be zero.
std::vector<std::uint8_t> Head(const BuiltMacroImage& image, std::size_t count)
{
    return {image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(count)};
}

bool ZeroFrom(const BuiltMacroImage& image, std::size_t first)
{
    return std::all_of(image.bytes.begin() + static_cast<std::ptrdiff_t>(first), image.bytes.end(),
                       [](std::uint8_t byte) { return byte == 0; });
}

}  // namespace

TEST(MacroEventEncoderTest, ActionsEncodeWithClassValueReleaseFlagAndDelay)
{
    const ActionCase cases[] = {
        {"key press A", Press(kVkA), 0, {0x30, 0x00, 0x04}},
        {"key release A, delay 0x123", Release(kVkA), 0x123, {0xB1, 0x23, 0x04}},
        {"left Control press", Press(kVkLeftControl), 0, {0x20, 0x00, 0x01}},
        {"right Windows release", Release(kVkRightWindows), 0, {0xA0, 0x00, 0x80}},
        {"left mouse button press", Press(kLeftMouseButton), 0, {0x10, 0x00, 0x01}},
        {"mouse button 5 release", Release(kMouseButton5), 0, {0x90, 0x00, 0x10}},
        {"move left 5", Amount(kMoveX, -5), 0, {0x40, 0x00, 0xFB}},
        {"move down 3", Amount(kMoveY, 3), 0, {0x50, 0x00, 0x03}},
        {"wheel back 1, delay 16", Amount(kWheel, -1), 16, {0x60, 0x10, 0xFF}},
        {"delay 4095 kept", Press(kVkA), 4095, {0x3F, 0xFF, 0x04}},
        {"delay 4096 cut to 4095", Press(kVkA), 4096, {0x3F, 0xFF, 0x04}},
        {"delay 5000 cut to 4095", Press(kVkA), 5000, {0x3F, 0xFF, 0x04}},
        {"largest stored delay cut to 4095", Press(kVkA), MacroAction::kMaxDelay, {0x3F, 0xFF, 0x04}},
        {"only bit 7 of the flags counts (0x7F)", MacroAction::FromBytes(kVkA, 0x7F, 0, 0), 0,
         {0x30, 0x00, 0x04}},
        {"only bit 7 of the flags counts (0xFF)", MacroAction::FromBytes(kVkA, 0xFF, 0, 0), 0,
         {0xB0, 0x00, 0x04}},
    };
    for (const ActionCase& c : cases) {
        EXPECT_EQ(EncodeMacroEvent(c.action, c.delay), c.expected) << c.what;
    }
}

TEST(MacroEventEncoderTest, DeviceCodeRangesPickTheirClass)
{
    struct UsageCase {
        std::uint8_t usage;
        MacroEvent expected;
    };
    constexpr std::uint8_t kAmount = 0x77;
    const UsageCase cases[] = {
        {0x00, {0x30, 0x00, 0x00}}, {0x90, {0x30, 0x00, 0x90}},  // keys: the usage
        {0x91, {0x20, 0x00, 0x02}}, {0xE0, {0x20, 0x00, 0x01}},  // modifiers: one bit
        {0xE7, {0x20, 0x00, 0x80}},
        {0xE8, {0x00, 0x00, 0xE8}}, {0xEF, {0x00, 0x00, 0xEF}},  // other: the code
        {0xF0, {0x10, 0x00, 0x01}}, {0xF4, {0x10, 0x00, 0x10}},  // mouse buttons: one bit
        {0xF5, {0x40, 0x00, kAmount}},                           // X move
        {0xF6, {0x50, 0x00, kAmount}},                           // Y move
        {0xF7, {0x60, 0x00, kAmount}},                           // wheel
        {0xF8, {0x00, 0x00, 0xF8}}, {0xFF, {0x00, 0x00, 0xFF}},  // other: the code
    };
    for (const UsageCase& c : cases) {
        EXPECT_EQ(EncodeDeviceEvent(c.usage, MacroAction::kPressFlag, kAmount, 0), c.expected)
            << "device code " << static_cast<int>(c.usage);
    }
}

TEST(MacroEventEncoderTest, PressDelayReleaseImage)
{
    MacroKey macro = MakeMacro({Press(kVkA), Delay(50), Release(kVkA)});
    const BuiltMacroImage image = BuildMacroImage(macro, 3);

    EXPECT_EQ(Head(image, 10),
              (std::vector<std::uint8_t>{0x09, 0x90, 0x03, 0x02, 0x30, 0x32, 0x04, 0xB0, 0x00, 0x04}));
    EXPECT_TRUE(ZeroFrom(image, 10));
    EXPECT_EQ(image.eventBytes, 6u);
}

TEST(MacroEventEncoderTest, DelaysAttachOnlyToThePrecedingEvent)
{
    struct DelayCase {
        const char* what;
        MacroKey macro;
        std::vector<std::uint8_t> events;
    };
    const DelayCase cases[] = {
        {"second delay in a row is lost",
         MakeMacro({Press(kVkA), Delay(10), Delay(20), Release(kVkA)}),
         {0x30, 0x0A, 0x04, 0xB0, 0x00, 0x04}},
        {"leading delay is lost", MakeMacro({Delay(300), Press(kVkA), Release(kVkA)}),
         {0x30, 0x00, 0x04, 0xB0, 0x00, 0x04}},
        {"trailing delay belongs to the last event", MakeMacro({Press(kVkA), Release(kVkA), Delay(0x234)}),
         {0x30, 0x00, 0x04, 0xB2, 0x34, 0x04}},
        {"only delays: no event", MakeMacro({Delay(5), Delay(6)}), {}},
    };
    for (const DelayCase& c : cases) {
        const BuiltMacroImage image = BuildMacroImage(c.macro, 1);
        EXPECT_EQ(image.eventBytes, c.events.size()) << c.what;
        std::vector<std::uint8_t> expected{0x09, 0x90, 0x01, c.macro.MacroCommandActionNum};
        expected.insert(expected.end(), c.events.begin(), c.events.end());
        EXPECT_EQ(Head(image, expected.size()), expected) << c.what;
        EXPECT_TRUE(ZeroFrom(image, expected.size())) << c.what;
    }
}

TEST(MacroEventEncoderTest, ActionsBeyondTheCountAreNotRead)
{
    // A stored slot past the count holds a delay; the last event must not pick it up.
    MacroKey macro = MakeMacro({Press(kVkA)});
    macro.actions[1] = Delay(700);
    macro.actions[2] = Press(kVkA);

    const BuiltMacroImage image = BuildMacroImage(macro, 1);

    EXPECT_EQ(Head(image, 7), (std::vector<std::uint8_t>{0x09, 0x90, 0x01, 0x01, 0x30, 0x00, 0x04}));
    EXPECT_TRUE(ZeroFrom(image, 7));
}

TEST(MacroEventEncoderTest, CorruptMacroIsCutAtTheMouseLimitOf125Events)
{
    // 250 key presses and a count far beyond the 250 slots, as a damaged file can give.
    MacroKey macro;
    for (std::uint32_t i = 0; i < MacroKey::kMaxActions; ++i) {
        macro.actions[i] = Press(static_cast<std::uint8_t>(i < 125 ? kVkA : kVkA + 1));
    }
    macro.MacroActionNum = 1000;
    macro.MacroCommandActionNum = 250;

    const BuiltMacroImage image = BuildMacroImage(macro, 2);

    EXPECT_EQ(image.eventBytes, 375u);
    EXPECT_EQ(image.bytes[MacroImageLayout::kCommandCount], 250);
    for (std::size_t event = 0; event < 125; ++event) {
        const std::size_t at = MacroImageLayout::kEvents + 3 * event;
        ASSERT_EQ((MacroEvent{image.bytes[at], image.bytes[at + 1], image.bytes[at + 2]}),
                  (MacroEvent{0x30, 0x00, 0x04}))
            << "event " << event;
    }
    EXPECT_TRUE(ZeroFrom(image, MacroImageLayout::kEvents + 375));
}

#include "UsKeyboard.h"

#include "keyfunc/KeyTables.h"
#include "platform/keycapture/KeyHookMessage.h"
#include "platform/keycapture/PhysicalKeyMap.h"

#include <gtest/gtest.h>

#include <map>

TEST(PhysicalKeyMap, EveryKeyOfTheUsKeyboardHasItsCodeInBothNumberings)
{
    ASSERT_EQ(UsKeyboardKeys().size(), 104u);
    for (const UsKey& key : UsKeyboardKeys()) {
        SCOPED_TRACE(key.name);
        EXPECT_EQ(VirtualKeyFromEvdevCode(key.evdevCode), key.virtualKey);
        EXPECT_EQ(VirtualKeyFromPcScanCode(key.pcScanCode), key.virtualKey);
    }
}

TEST(PhysicalKeyMap, EveryKeyIsDeliveredAndTheMouseCanReplayIt)
{
    std::map<std::uint8_t, int> keysPerCode;
    for (const UsKey& key : UsKeyboardKeys()) {
        SCOPED_TRACE(key.name);
        EXPECT_TRUE(IsDeliverableKey(key.virtualKey));
        EXPECT_NE(KeyUsage(key.virtualKey), 0);
        ++keysPerCode[key.virtualKey];
    }
    // Only the two Enter keys share a code, as they do on Windows.
    EXPECT_EQ(keysPerCode.size(), 103u);
    EXPECT_EQ(keysPerCode[0x0D], 2);
}

TEST(PhysicalKeyMap, KeysOutsideTheTableOrOutsideTheRangeHaveNoCode)
{
    // The ISO key beside left Shift would be Windows' 0xE2, the program's middle button.
    EXPECT_EQ(VirtualKeyFromEvdevCode(86), 0);
    EXPECT_EQ(VirtualKeyFromPcScanCode(0x56), 0);
    EXPECT_EQ(VirtualKeyFromEvdevCode(0), 0);
    EXPECT_EQ(VirtualKeyFromEvdevCode(100000), 0);
    EXPECT_EQ(VirtualKeyFromPcScanCode(0x100), 0);
    EXPECT_EQ(VirtualKeyFromPcScanCode(0x100000), 0);
}

TEST(PhysicalKeyMap, KeysBeyondTheUsBoardThatWindowsNamesToo)
{
    struct Case {
        unsigned evdev;
        unsigned pcScan;
        std::uint8_t virtualKey;
    };
    const Case cases[] = {
        {183, 0x64, 0x7C},  // F13
        {194, 0x76, 0x87},  // F24
        {113, 0x120, 0xAD}, // mute
        {164, 0x122, 0xB3}, // play/pause
        {142, 0x15F, 0x5F}, // sleep
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyFromEvdevCode(c.evdev), c.virtualKey) << c.evdev;
        EXPECT_EQ(VirtualKeyFromPcScanCode(c.pcScan), c.virtualKey) << c.pcScan;
    }
    // Alt+Print Screen and Ctrl+Pause arrive under other scan codes on Windows.
    EXPECT_EQ(VirtualKeyFromPcScanCode(0x54), 0x2C);
    EXPECT_EQ(VirtualKeyFromPcScanCode(0x146), 0x13);
}

TEST(PhysicalKeyMap, WindowsHookKeysGoByScanCodeAndFallBackToWindowsCode)
{
    struct Case {
        unsigned scanCode;
        bool extended;
        unsigned windowsVirtualKey;
        std::uint8_t virtualKey;
    };
    const Case cases[] = {
        {0x10, false, 'A', 'Q'},    // French layout: the US "Q" place types A
        {0x1D, true, 0xA3, 0xA3},   // right Ctrl
        {0x45, true, 0x90, 0x90},   // Num Lock
        {0x45, false, 0x13, 0x13},  // Pause
        {0x00, false, 'A', 'A'},    // typed by a program: no scan code
        {0x6A, true, 0xA6, 0xA6},   // browser back: no scan code of ours
        {0x00, false, 0x141, 'A'},  // only the code's low byte counts
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyFromWindowsKey(c.scanCode, c.extended, c.windowsVirtualKey), c.virtualKey) << c.scanCode;
}

TEST(KeyEventWord, ReleaseIsBit31AndTheTimeKeepsItsLow31Bits)
{
    EXPECT_EQ(MakeKeyEvent(0x41, 1234, KeyTransition::Press).eventWord, 1234u);
    EXPECT_EQ(MakeKeyEvent(0x41, 1234, KeyTransition::Release).eventWord, 0x800004D2u);
    const KeyEvent wrapped = MakeKeyEvent(0x41, 0x1'8000'0005ull, KeyTransition::Press);
    EXPECT_EQ(wrapped.eventWord, 5u);
    EXPECT_FALSE(wrapped.IsRelease());
    const KeyEvent late = MakeKeyEvent(0x41, 0x7FFF'FFFFull, KeyTransition::Release);
    EXPECT_TRUE(late.IsRelease());
    EXPECT_EQ(late.TimeMs(), 0x7FFF'FFFFu);
}

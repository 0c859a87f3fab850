#include "UsKeyboard.h"

#include "platform/keycapture/QtKeyMap.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

QKeyEvent KeyEventWith(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode)
{
    return QKeyEvent(QEvent::KeyPress, key, modifiers, nativeScanCode, 0, 0);
}

constexpr quint32 kX11Offset = 8;

}  // namespace

TEST(QtKeyMap, EveryUsKeyFromItsQtKeyAndFromEachPlatformsScanCode)
{
    for (const UsKey& key : UsKeyboardKeys()) {
        SCOPED_TRACE(key.name);
        const Qt::KeyboardModifiers modifiers = key.keypad ? Qt::KeypadModifier : Qt::NoModifier;
        EXPECT_EQ(VirtualKeyFromQtKey(key.qtKey, modifiers), key.fromQtKey);
        EXPECT_EQ(VirtualKeyOfKeyEvent(KeyEventWith(key.qtKey, modifiers, 0), NativeScanCodes::None), key.fromQtKey);
        EXPECT_EQ(VirtualKeyOfKeyEvent(KeyEventWith(key.qtKey, modifiers, key.evdevCode + kX11Offset),
                                       NativeScanCodes::Evdev),
                  key.virtualKey);
        EXPECT_EQ(VirtualKeyOfKeyEvent(KeyEventWith(key.qtKey, modifiers, key.pcScanCode), NativeScanCodes::PcSet1),
                  key.virtualKey);
    }
}

TEST(QtKeyMap, TheScanCodeWinsOverTheLayout)
{
    // On a French layout the key in the US "A" place types "Q": the physical key counts.
    EXPECT_EQ(VirtualKeyOfKeyEvent(KeyEventWith(Qt::Key_Q, {}, 30 + kX11Offset), NativeScanCodes::Evdev), 'A');
    EXPECT_EQ(VirtualKeyOfKeyEvent(KeyEventWith(Qt::Key_Q, {}, 0x1E), NativeScanCodes::PcSet1), 'A');
    // A code the table does not know falls back to the Qt key.
    EXPECT_EQ(VirtualKeyOfKeyEvent(KeyEventWith(Qt::Key_F, {}, 250 + kX11Offset), NativeScanCodes::Evdev), 'F');
    // Below the X11 offset there is no key code at all.
    EXPECT_EQ(VirtualKeyOfKeyEvent(KeyEventWith(Qt::Key_F, {}, 3), NativeScanCodes::Evdev), 'F');
}

TEST(QtKeyMap, ShiftedSymbolsAndNumLockOffNameThePhysicalKey)
{
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        std::uint8_t virtualKey;
    };
    const Case cases[] = {
        {Qt::Key_Exclam, Qt::ShiftModifier, 0x31},     {Qt::Key_ParenRight, Qt::ShiftModifier, 0x30},
        {Qt::Key_Underscore, Qt::ShiftModifier, 0xBD}, {Qt::Key_Question, Qt::ShiftModifier, 0xBF},
        {Qt::Key_AsciiTilde, Qt::ShiftModifier, 0xC0}, {Qt::Key_QuoteDbl, Qt::ShiftModifier, 0xDE},
        {Qt::Key_Home, Qt::KeypadModifier, 0x67},      {Qt::Key_Clear, Qt::KeypadModifier, 0x65},
        {Qt::Key_Insert, Qt::KeypadModifier, 0x60},    {Qt::Key_Delete, Qt::KeypadModifier, 0x6E},
        {Qt::Key_Home, Qt::NoModifier, 0x24},          {Qt::Key_F24, Qt::NoModifier, 0x87},
        {Qt::Key_unknown, Qt::NoModifier, 0},          {Qt::Key_Launch0, Qt::NoModifier, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyFromQtKey(c.qtKey, c.modifiers), c.virtualKey) << std::hex << c.qtKey;
}

TEST(QtKeyMap, PlatformNumbering)
{
    EXPECT_EQ(NativeScanCodesOf(u"xcb"), NativeScanCodes::Evdev);
    EXPECT_EQ(NativeScanCodesOf(u"wayland"), NativeScanCodes::Evdev);
    EXPECT_EQ(NativeScanCodesOf(u"wayland-egl"), NativeScanCodes::Evdev);
    EXPECT_EQ(NativeScanCodesOf(u"windows"), NativeScanCodes::PcSet1);
    EXPECT_EQ(NativeScanCodesOf(u"offscreen"), NativeScanCodes::None);
    EXPECT_EQ(NativeScanCodesOf(u"cocoa"), NativeScanCodes::None);
}

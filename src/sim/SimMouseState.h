#pragma once

#include "sim/SimLiveState.h"
#include "sim/SimMacroSlot.h"

#include <array>
#include <cstddef>
#include <cstdint>

// What the mouse holds from the host's commands, each field decoded from the last
// accepted command that carries it. The initial values are the mouse's factory settings:
// the same bytes a freshly made profile for the default sensor (0x3311) would send, so a
// new mouse and a new profile agree and the first apply has nothing to write.
struct SimMouseSettings {
    static constexpr std::size_t kDpiLevelCount = 6;    // levels the DPI command carries
    static constexpr std::size_t kDpiColourCount = 8;
    static constexpr std::size_t kButtonCount = 6;
    static constexpr std::size_t kKeyBytes = 3 * kButtonCount;
    static constexpr std::size_t kMacroSlotCount = 16;  // the slot number is one nibble

    using ButtonValue = std::array<std::uint8_t, 3>;  // function type, code 1, code 2

    // DpiLevels: byte 5, byte 6 and the six little-endian codes of packet 0 (X) and 1 (Y).
    std::uint8_t currentDpiLevel = 1;
    std::uint8_t dpiOnOffFlags = 0x3F;  // bit i: level i is enabled
    std::array<std::uint16_t, kDpiLevelCount> dpiX{0x0017, 0x0025, 0x0038, 0x004B, 0x0075, 0xFF8D};
    std::array<std::uint16_t, kDpiLevelCount> dpiY{0x0017, 0x0025, 0x0038, 0x004B, 0x0075, 0xFF8D};
    std::array<SimRgb, kDpiColourCount> dpiColours{{
        {0xFF, 0x00, 0x00},
        {0x00, 0x00, 0xFF},
        {0x00, 0xFF, 0x00},
        {0xFF, 0xFF, 0x00},
        {0x00, 0xFF, 0xFF},
        {0xFF, 0x00, 0xFF},
        {0xFF, 0xFF, 0xFF},
        {0xFF, 0xFF, 0xFF},
    }};
    std::uint8_t pollingCode = 0x01;
    std::uint8_t liftCode = 2;
    std::uint8_t keyDebounce = 2;
    // Lighting: bytes 6, 7 (high nibble brightness + 1, low nibble speed + 1), 8, 9..11.
    std::uint8_t lightingMode = 1;
    std::uint8_t lightingBrightnessSpeed = 0x42;
    std::uint8_t lightingDirection = 1;
    SimRgb lightingColour{0xFF, 0x00, 0x00};
    std::array<std::uint8_t, 3> powerSaving{10, 1, 0};    // PowerDownTime, RgbOffTime, MoveLightingOnOffMode
    std::array<std::uint8_t, 3> sensorOptions{0, 1, 0};   // AngleSnap, MotionSync, RippleControl
    // The 18 key bytes as received: buttons in the order 0, 1, 2, 4, 3, 5.
    std::array<std::uint8_t, kKeyBytes> keyBytes{
        0x10, 0x01, 0x00,  // button 0: left click
        0x10, 0x02, 0x00,  // button 1: right click
        0x10, 0x04, 0x00,  // button 2: middle click
        0x10, 0x08, 0x00,  // button 4: mouse button 4
        0x10, 0x10, 0x00,  // button 3: mouse button 5
        0x40, 0x01, 0x00,  // button 5: DPI switch
    };
    std::array<SimMacroSlot, kMacroSlotCount> macros{};

    // The key bytes by profile button 0..5 (undoing the exchange of buttons 3 and 4).
    [[nodiscard]] std::array<ButtonValue, kButtonCount> KeysInButtonOrder() const;

    friend bool operator==(const SimMouseSettings&, const SimMouseSettings&) = default;
};

// A snapshot of the whole simulated mouse.
struct SimMouseState {
    SimMouseSettings settings;
    SimLiveState live;
    bool receiverMouseOnline = true;  // the receiver's mouse is on line

    unsigned acceptedCommands = 0;  // report-9 commands applied
    unsigned rejectedCommands = 0;  // report-9 commands invalid, refused or unreachable
    unsigned factoryResets = 0;
    unsigned macroClears = 0;
    unsigned pairingRequests = 0;

    friend bool operator==(const SimMouseState&, const SimMouseState&) = default;
};

#pragma once

#include <cstdint>

// One macro event: four bytes b0..b3, kept as a 32-bit value whose low byte is b0.
// Files list the bytes b0, b1, b2, b3 in that order.
//   b0 = 0x03: a delay; b1..b3 hold the milliseconds, big-endian (b1 highest).
//   b0 = 0xE0..0xE4: mouse buttons; b1 0x00 press, 0x80 release.
//   b0 = 0xE5 / 0xE6 / 0xE7: horizontal move / vertical move / wheel; b3 signed amount.
//   b0 >= 0x08 otherwise: a key (virtual-key code); b1 0x00 press, 0x80 release.
// Every code below 0x08 is treated as a delay wherever actions are classified.
struct MacroAction {
    std::uint32_t raw = 0;

    static constexpr std::uint8_t kDelayCode = 0x03;
    static constexpr std::uint8_t kFirstKeyCode = 0x08;
    static constexpr std::uint8_t kPressFlag = 0x00;
    static constexpr std::uint8_t kReleaseFlag = 0x80;
    static constexpr std::uint32_t kMaxDelay = 0xFFFFFF;

    [[nodiscard]] static constexpr MacroAction FromBytes(std::uint8_t b0, std::uint8_t b1,
                                                         std::uint8_t b2, std::uint8_t b3)
    {
        return MacroAction{static_cast<std::uint32_t>(b0) | (static_cast<std::uint32_t>(b1) << 8) |
                           (static_cast<std::uint32_t>(b2) << 16) |
                           (static_cast<std::uint32_t>(b3) << 24)};
    }
    [[nodiscard]] static constexpr MacroAction Delay(std::uint32_t milliseconds)
    {
        const std::uint32_t ms = milliseconds > kMaxDelay ? kMaxDelay : milliseconds;
        return FromBytes(kDelayCode, static_cast<std::uint8_t>(ms >> 16),
                         static_cast<std::uint8_t>(ms >> 8), static_cast<std::uint8_t>(ms));
    }

    [[nodiscard]] constexpr std::uint8_t Byte(int index) const
    {
        return static_cast<std::uint8_t>(raw >> (8 * index));
    }
    [[nodiscard]] constexpr std::uint8_t Code() const { return Byte(0); }
    [[nodiscard]] constexpr bool IsDelay() const { return Code() < kFirstKeyCode; }
    [[nodiscard]] constexpr std::uint32_t DelayMilliseconds() const
    {
        return (static_cast<std::uint32_t>(Byte(1)) << 16) |
               (static_cast<std::uint32_t>(Byte(2)) << 8) | Byte(3);
    }

    friend constexpr bool operator==(MacroAction, MacroAction) = default;
};

static_assert(sizeof(MacroAction) == 4);

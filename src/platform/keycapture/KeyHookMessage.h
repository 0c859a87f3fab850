#pragma once

#include <cstdint>

// What a started keyboard hook delivers to its window, one message per key event: the
// message number, wParam = the virtual-key code of the physical key as a US keyboard names
// it, lParam = the event word below.
namespace KeyHook {
inline constexpr unsigned kMessage = 0x0400 + 1;  // WM_USER + 1
// Event word: bit 31 set for a release, bits 0..30 a millisecond time stamp.
inline constexpr std::uint32_t kReleaseBit = 0x80000000u;
inline constexpr std::uint32_t kTimeMask = 0x7FFFFFFFu;
}  // namespace KeyHook

enum class KeyTransition : bool { Press, Release };

// One key event as the hook reports it. A held key repeats its press.
struct KeyEvent {
    std::uint8_t virtualKey = 0;
    std::uint32_t eventWord = 0;

    [[nodiscard]] bool IsRelease() const { return (eventWord & KeyHook::kReleaseBit) != 0; }
    [[nodiscard]] std::uint32_t TimeMs() const { return eventWord & KeyHook::kTimeMask; }
    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// The time stamp keeps its low 31 bits; the source's clock wraps there, as the receiver of
// the events expects (it measures differences modulo 2^31).
[[nodiscard]] constexpr KeyEvent MakeKeyEvent(std::uint8_t virtualKey, std::uint64_t timeMs,
                                              KeyTransition transition)
{
    const auto time = static_cast<std::uint32_t>(timeMs & KeyHook::kTimeMask);
    return {virtualKey, transition == KeyTransition::Release ? (time | KeyHook::kReleaseBit) : time};
}

// Codes the hook never delivers: 0 (a key it cannot name) and 0xE0..0xE7, which the program
// uses for the mouse's own events inside macros. Some keyboards and input methods produce
// virtual keys in that range (the ISO key beside left Shift, the input-method key, typed
// Unicode); delivered, they would be recorded and replayed as mouse buttons or moves.
[[nodiscard]] constexpr bool IsDeliverableKey(std::uint8_t virtualKey)
{
    return virtualKey != 0 && (virtualKey < 0xE0 || virtualKey > 0xE7);
}

#pragma once

#include <cstdint>
#include <vector>

struct MacroKey;

// The recorder's state and its rule for turning key events into macro actions. The window
// that owns it starts and stops the key capture and shows what happened; this class
// decides what a key event writes into the selected macro.
//
// Key events carry the virtual-key code and the event word of the key capture (bit 31 set
// for a release, bits 0..30 a millisecond time stamp that wraps at 2^31). One key action
// is written per press and per release, a held key's repeated presses are dropped, and a
// delay goes between two key actions: the measured time (at most 4095 ms) or the fixed
// delay.
//
// A macro never ends with a key held down: the recorder keeps the keys pressed and not yet
// released, refuses (as full) a key event after which their releases would no longer fit
// in the macro, and Stop appends the release of every key still down.
class MacroRecorder {
public:
    enum class DelayMode { Measured, Fixed };
    enum class KeyOutcome {
        Ignored,   // a code below 8, no macro, or a repeat of the last key event
        Recorded,  // the key action (and the delay before it) was appended
        Full,      // no room for this key and the releases still owed: recording must end here
    };

    static constexpr std::uint32_t kMaxDelay = 4095;
    static constexpr int kMaxFixedDelay = 4095;
    static constexpr int kDefaultFixedDelay = 8;
    // The delay before a release that Stop appends in measured mode, where no time was
    // measured for it: the gap the insert commands put between a press and its release.
    static constexpr std::uint32_t kClosingReleaseDelay = 50;

    // Empties the macro (its play options stay) and forgets the last key event.
    void Start(MacroKey& macro);
    // Ends the recording and releases, at the end of the macro (null: none selected), the
    // keys still down. Where a delay and a release no longer fit (delays inserted by hand
    // during the recording took the room), the release goes in without its delay; where not
    // even that fits, the key's press is taken out instead.
    void Stop(MacroKey* macro);
    [[nodiscard]] bool IsRecording() const { return m_recording; }

    // One key event for the selected macro (null when none is selected).
    KeyOutcome OnKeyEvent(MacroKey* macro, std::uintptr_t virtualKey, std::uint32_t eventWord);

    void SetDelayMode(DelayMode mode) { m_mode = mode; }
    [[nodiscard]] DelayMode Mode() const { return m_mode; }
    // Taken as it is: the edit box has already brought it into 1..4095.
    void SetFixedDelay(int milliseconds) { m_fixedDelay = milliseconds; }
    [[nodiscard]] int FixedDelay() const { return m_fixedDelay; }

    // The delay between two event words in measured mode.
    [[nodiscard]] static std::uint32_t MeasuredDelay(std::uint32_t lastEventWord, std::uint32_t eventWord);

private:
    [[nodiscard]] std::uint32_t FixedDelayValue() const;
    void ReleaseHeldKey(MacroKey& macro, std::uint8_t code) const;

    bool m_recording = false;
    // Keys pressed and not yet released, in the order they went down.
    std::vector<std::uint8_t> m_held;
    std::uint8_t m_lastCode = 0;
    std::uint32_t m_lastEventWord = 0;
    DelayMode m_mode = DelayMode::Measured;
    int m_fixedDelay = kDefaultFixedDelay;
};

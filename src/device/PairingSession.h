#pragma once

#include <chrono>
#include <cstdint>

enum class PairState : std::uint8_t {
    Idle = 0,
    Pairing = 1,
    Paired = 2,
    Failed = 3,
};

// The pairing dialog's state: one pairing request, then a one-second tick that waits up
// to 25 seconds for the receiver to report its mouse on line. A retry after a failure
// waits again without a new request: the receiver keeps the state the first request put
// it in.
class PairingSession {
public:
    static constexpr std::chrono::milliseconds kTickInterval{1000};
    static constexpr int kMaxTicks = 25;
    // Language texts of the status line.
    static constexpr int kTextPairing = 278;  // 278, 279, 280: "Pairing" with 1..3 dots
    static constexpr int kTextFailed = 281;
    static constexpr int kTextPaired = 282;

    struct PressResult {
        bool sendRequest = false;  // write the pairing request now
        bool startTimer = false;   // start the one-second tick
    };

    // The pair button (or Space).
    PressResult Press();
    // One tick of the timer; returns whether the timer keeps running.
    bool Tick(bool receiverMouseOnline);

    [[nodiscard]] PairState State() const { return m_state; }
    // The status line's language text; 0 before the first press.
    [[nodiscard]] int StatusText() const { return m_statusText; }

private:
    PairState m_state = PairState::Idle;
    int m_ticks = 0;
    int m_statusText = 0;
};

#pragma once

#include "app/bus/ProgramState.h"

#include <cstdint>
#include <optional>

// What the program's bus interface asks of the program: its state, and the clicks of the
// window it stands in for. Each action takes the window's own path, so the window
// follows, the change reaches the mouse and is saved as after the click. The arguments
// are checked before (BusRequestCheck).
class ProgramControl {
public:
    virtual ~ProgramControl() = default;

    // Nothing while the window does not exist (the program is starting or ending).
    [[nodiscard]] virtual std::optional<ProgramState> State() const = 0;
    // The restore request.
    virtual void Activate() = 0;
    virtual void SwitchProfile(std::uint32_t profile) = 0;   // 0-based, listed
    virtual void SetDpiLevel(std::uint32_t level) = 0;       // 1-based, enabled
    virtual void SetPollingRate(std::uint32_t hertz) = 0;    // one of the offered rates
};

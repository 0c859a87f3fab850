#pragma once

#include "app/bus/ProgramState.h"

#include <cstdint>
#include <optional>
#include <string>

// Why a request of the bus interface is refused: the D-Bus error's name and its message.
struct BusRefusal {
    std::string name;
    std::string message;

    friend bool operator==(const BusRefusal&, const BusRefusal&) = default;
};

// The checks of the bus interface's arguments against what the window offers: a request
// the window could not make as a click is refused, with the reason and the valid choices.
namespace BusRequestCheck {

inline constexpr char kInvalidArgument[] = "org.corvane.Corvane1.Error.InvalidArgument";
inline constexpr char kNotAvailable[] = "org.corvane.Corvane1.Error.NotAvailable";

// The program has no window yet (it is starting) or no more (it is ending).
[[nodiscard]] BusRefusal NotRunning();
[[nodiscard]] std::optional<BusRefusal> Profile(std::uint32_t profile, const ProgramState& state);
[[nodiscard]] std::optional<BusRefusal> DpiLevel(std::uint32_t level, const ProgramState& state);
[[nodiscard]] std::optional<BusRefusal> PollingRate(std::uint32_t hertz, const ProgramState& state);

}  // namespace BusRequestCheck

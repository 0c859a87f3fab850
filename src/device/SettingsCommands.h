#pragma once

#include "device/CommandRequest.h"
#include "device/LastSentCopies.h"

#include <cstddef>
#include <optional>
#include <vector>

class DpiStepTable;
struct Profile;

// Incremental sending of the settings commands (0x02..0x09). Each sender builds its
// payloads from the profile, compares them with the last-sent copies, overwrites the
// copies and returns the commands to send, in wire order. The copies take the new bytes
// even if the mouse later rejects the command, so a rejected command is not retried until
// its data change. These functions never touch the keys or macro copies, and they do not
// check whether a command interface is open: that is the caller's job.
namespace SettingsCommands {

inline constexpr std::size_t kMaxSettingsCommands = 7;

// DpiLevels X and Y packets, DpiColours, PollingRate, LiftHeight, KeyDebounce, Lighting:
// each one only when its payload changed (colours also when the DPI bytes changed).
[[nodiscard]] std::vector<CommandRequest> SendSettings(const Profile& profile, const DpiStepTable& table,
                                                       LastSentCopies& copies);
// PowerSaving when PowerDownTime, RgbOffTime or MoveLightingOnOffMode changed.
[[nodiscard]] std::optional<CommandRequest> SendPowerSaving(const Profile& profile, LastSentCopies& copies);
// SensorOptions when AngleSnap, MotionSync or RippleControl changed.
[[nodiscard]] std::optional<CommandRequest> SendSensorOptions(const Profile& profile, LastSentCopies& copies);

// Fills every settings copy (and the motion wake-up copy) as the senders would, without
// sending; the lighting copy gets its mode-dependent first byte, so lighting modes 8 and
// above go out again at the next settings apply.
void PrimeSettingsCopies(const Profile& profile, const DpiStepTable& table, LastSentCopies& copies);

}  // namespace SettingsCommands

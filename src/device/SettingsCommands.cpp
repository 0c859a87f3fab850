#include "device/SettingsCommands.h"

#include "device/SettingsPayloads.h"
#include "profiles/Profile.h"

#include <algorithm>

namespace {

using namespace SettingsPayloads;

// DpiLevels goes out as two packets: X codes first, then Y codes.
constexpr std::uint8_t kDpiPacketCount = 2;

// Report byte where each command's payload starts (the first payload byte).
constexpr std::size_t kFirst = CommandLayout::kPayload;
// DpiLevels: level and enable mask, then the 16 code bytes of one axis.
constexpr std::size_t kDpiCodesAt = kFirst + 2;

CommandRequest MakeCommand(CommandCode code)
{
    CommandRequest command;
    command.code = code;
    command.packet = CommandLayout::kSinglePacket;
    command.settle = CommandRequest::kSettle;
    command.retry = RetryMode::Rebuild;
    return command;
}

template <std::size_t N>
CommandRequest MakeCommand(CommandCode code, const std::array<std::uint8_t, N>& bytes)
{
    static_assert(N <= CommandLayout::kPayloadLength);
    CommandRequest command = MakeCommand(code);
    std::copy(bytes.begin(), bytes.end(), command.payload.begin());
    return command;
}

CommandRequest MakeCommand(CommandCode code, std::uint8_t value)
{
    return MakeCommand(code, std::array<std::uint8_t, 1>{value});
}

CommandRequest DpiPacket(const DpiBytes& dpi, std::uint8_t index, std::size_t axisOffset)
{
    CommandRequest command = MakeCommand(CommandCode::DpiLevels);
    command.packet = CommandLayout::PacketField(index, kDpiPacketCount);
    command.At(kFirst) = dpi[kDpiLevel];
    command.At(kFirst + 1) = dpi[kDpiEnableMask];
    const auto axis = dpi.begin() + static_cast<std::ptrdiff_t>(axisOffset);
    std::copy(axis, axis + static_cast<std::ptrdiff_t>(kDpiAxisBytes), command.payload.begin() + (kDpiCodesAt - kFirst));
    return command;
}

// Compares the fresh bytes with the copy and leaves the fresh bytes in it.
template <typename Bytes>
bool Update(Bytes& copy, const Bytes& fresh)
{
    const bool changed = copy != fresh;
    copy = fresh;
    return changed;
}

}  // namespace

namespace SettingsCommands {

std::vector<CommandRequest> SendSettings(const Profile& profile, const DpiStepTable& table, LastSentCopies& copies)
{
    // Copies that say nothing of the mouse send every settings command.
    const bool forgotten = copies.TakeForgotten(LastSentCopies::Group::Settings);
    const bool pollingChanged = Update(copies.polling, PollingCode(profile.PollingRateValue[0])) || forgotten;
    const bool liftChanged = Update(copies.lift, LiftCode(profile)) || forgotten;
    const bool debounceChanged =
        Update(copies.debounce, TextSettingByte(profile, ProfileSetting::KeyDebounce)) || forgotten;

    const bool dpiChanged = Update(copies.dpi, BuildDpi(profile, table)) || forgotten;
    // The mouse takes the colours again after new DPI levels.
    const bool coloursChanged = Update(copies.dpiColours, BuildDpiColours(profile)) || dpiChanged;
    // Any other marker in byte 0 (left by priming) means the lighting is due again.
    const bool lightingChanged = Update(copies.lighting, BuildLighting(profile)) || forgotten;

    std::vector<CommandRequest> commands;
    if (!(dpiChanged || coloursChanged || pollingChanged || liftChanged || debounceChanged || lightingChanged)) {
        return commands;  // the usual case: nothing changed, nothing allocated
    }
    commands.reserve(kMaxSettingsCommands);
    if (dpiChanged) {
        commands.push_back(DpiPacket(copies.dpi, 0, kDpiXCodes));
        commands.push_back(DpiPacket(copies.dpi, 1, kDpiYCodes));
    }
    if (coloursChanged) {
        commands.push_back(MakeCommand(CommandCode::DpiColours, copies.dpiColours));
    }
    if (pollingChanged) {
        commands.push_back(MakeCommand(CommandCode::PollingRate, copies.polling));
    }
    if (liftChanged) {
        commands.push_back(MakeCommand(CommandCode::LiftHeight, copies.lift));
    }
    if (debounceChanged) {
        commands.push_back(MakeCommand(CommandCode::KeyDebounce, copies.debounce));
    }
    if (lightingChanged) {
        CommandRequest lighting = MakeCommand(CommandCode::Lighting, copies.lighting);
        // One trailing zero byte beyond the report; the reply is read with 32.
        lighting.writeLength = ReportLength::kLightingWrite;
        commands.push_back(lighting);
    }
    return commands;
}

std::optional<CommandRequest> SendPowerSaving(const Profile& profile, LastSentCopies& copies)
{
    const bool forgotten = copies.TakeForgotten(LastSentCopies::Group::PowerSaving);
    if (!Update(copies.powerSaving, BuildPowerSaving(profile)) && !forgotten) {
        return std::nullopt;
    }
    return MakeCommand(CommandCode::PowerSaving, copies.powerSaving);
}

std::optional<CommandRequest> SendSensorOptions(const Profile& profile, LastSentCopies& copies)
{
    const bool forgotten = copies.TakeForgotten(LastSentCopies::Group::SensorOptions);
    if (!Update(copies.sensorOptions, BuildSensorOptions(profile)) && !forgotten) {
        return std::nullopt;
    }
    return MakeCommand(CommandCode::SensorOptions, copies.sensorOptions);
}

void PrimeSettingsCopies(const Profile& profile, const DpiStepTable& table, LastSentCopies& copies)
{
    copies.dpi = BuildDpi(profile, table);
    copies.dpiColours = BuildDpiColours(profile);
    copies.polling = PollingCode(profile.PollingRateValue[0]);
    copies.lift = LiftCode(profile);
    copies.debounce = TextSettingByte(profile, ProfileSetting::KeyDebounce);
    copies.lighting = PrimedLighting(profile);
    copies.powerSaving = BuildPowerSaving(profile);
    copies.sensorOptions = BuildSensorOptions(profile);
    copies.motionWakeup = TextSettingByte(profile, ProfileSetting::MotionWakeup);
    copies.Remember(LastSentCopies::Group::Settings);
    copies.Remember(LastSentCopies::Group::PowerSaving);
    copies.Remember(LastSentCopies::Group::SensorOptions);
}

}  // namespace SettingsCommands

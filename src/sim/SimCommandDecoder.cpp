#include "sim/SimCommandDecoder.h"

#include "device/CommandCode.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr std::uint8_t kPacketIndexShift = 4;
constexpr std::uint8_t kPacketCountMask = 0x0F;

namespace DpiLevelsLayout {
constexpr std::size_t kCurrentLevel = 5;
constexpr std::size_t kOnOffFlags = 6;
constexpr std::size_t kCodes = 7;  // six 16-bit codes, little-endian
constexpr std::uint8_t kXPacket = 0x02;
constexpr std::uint8_t kYPacket = 0x12;
}  // namespace DpiLevelsLayout

namespace KeyAssignmentsLayout {
constexpr std::size_t kKeys = 5;  // 18 bytes
}  // namespace KeyAssignmentsLayout

namespace DpiColoursLayout {
constexpr std::size_t kColours = 5;  // eight red, green, blue triples
}  // namespace DpiColoursLayout

namespace SingleByteLayout {
constexpr std::size_t kValue = 5;  // polling code, lift code, debounce
}  // namespace SingleByteLayout

namespace LightingLayout {
constexpr std::size_t kMode = 6;
constexpr std::size_t kBrightnessSpeed = 7;
constexpr std::size_t kDirection = 8;
constexpr std::size_t kRed = 9;
constexpr std::size_t kGreen = 10;
constexpr std::size_t kBlue = 11;
constexpr std::uint8_t kSpeedMask = 0x0F;  // speed + 1, which is the live speed level
}  // namespace LightingLayout

namespace TripleLayout {
constexpr std::size_t kBytes = 5;  // power saving and sensor options: three bytes
}  // namespace TripleLayout

namespace MacroDataLayout {
constexpr std::size_t kByteCount = 5;  // event bytes in this packet + 1
constexpr std::size_t kSlot = 6;
constexpr std::size_t kEvents = 7;
constexpr std::uint8_t kMaxByteCount = SimMacroSlot::kBytesPerPacket + 1;
}  // namespace MacroDataLayout

[[nodiscard]] bool IsKnownCode(std::uint8_t code)
{
    switch (static_cast<CommandCode>(code)) {
    case CommandCode::KeyAssignments:
    case CommandCode::DpiLevels:
    case CommandCode::DpiColours:
    case CommandCode::PollingRate:
    case CommandCode::LiftHeight:
    case CommandCode::Lighting:
    case CommandCode::PowerSaving:
    case CommandCode::SensorOptions:
    case CommandCode::KeyDebounce:
    case CommandCode::FactoryReset:
    case CommandCode::MacroData:
    case CommandCode::MacroClear:
        return true;
    }
    return false;
}

[[nodiscard]] std::uint8_t PacketIndex(std::uint8_t packet)
{
    return static_cast<std::uint8_t>(packet >> kPacketIndexShift);
}

[[nodiscard]] std::uint8_t PacketCount(std::uint8_t packet)
{
    return static_cast<std::uint8_t>(packet & kPacketCountMask);
}

[[nodiscard]] bool PacketFieldFits(CommandCode code, std::uint8_t packet)
{
    switch (code) {
    case CommandCode::DpiLevels:
        return packet == DpiLevelsLayout::kXPacket || packet == DpiLevelsLayout::kYPacket;
    case CommandCode::MacroData:
        return PacketCount(packet) != 0 && PacketIndex(packet) < PacketCount(packet);
    default:
        return packet == CommandLayout::kSinglePacket;
    }
}

[[nodiscard]] bool MacroPacketFits(SimCommandDecoder::Report report)
{
    const std::uint8_t byteCount = report[MacroDataLayout::kByteCount];
    return byteCount >= 1 && byteCount <= MacroDataLayout::kMaxByteCount &&
           report[MacroDataLayout::kSlot] < SimMouseSettings::kMacroSlotCount;
}

[[nodiscard]] SimRgb RgbAt(SimCommandDecoder::Report report, std::size_t index)
{
    return {report[index], report[index + 1], report[index + 2]};
}

void ApplyDpiLevels(SimMouseState& state, SimCommandDecoder::Report report)
{
    SimMouseSettings& settings = state.settings;
    settings.currentDpiLevel = report[DpiLevelsLayout::kCurrentLevel];
    settings.dpiOnOffFlags = report[DpiLevelsLayout::kOnOffFlags];
    auto& codes = report[CommandLayout::kPacket] == DpiLevelsLayout::kXPacket ? settings.dpiX : settings.dpiY;
    for (std::size_t level = 0; level < codes.size(); ++level) {
        const std::size_t at = DpiLevelsLayout::kCodes + 2 * level;
        codes[level] = static_cast<std::uint16_t>(report[at] | (report[at + 1] << 8));
    }
    state.live.dpiLevel = settings.currentDpiLevel;
}

void ApplyLighting(SimMouseState& state, SimCommandDecoder::Report report)
{
    SimMouseSettings& settings = state.settings;
    settings.lightingMode = report[LightingLayout::kMode];
    settings.lightingBrightnessSpeed = report[LightingLayout::kBrightnessSpeed];
    settings.lightingDirection = report[LightingLayout::kDirection];
    settings.lightingColour = {report[LightingLayout::kRed], report[LightingLayout::kGreen],
                               report[LightingLayout::kBlue]};
    state.live.lightingMode = settings.lightingMode;
    state.live.colour = settings.lightingColour;
    state.live.speedLevel = static_cast<std::uint8_t>(settings.lightingBrightnessSpeed & LightingLayout::kSpeedMask);
}

void ApplyPowerSaving(SimMouseState& state, SimCommandDecoder::Report report)
{
    auto& bytes = state.settings.powerSaving;
    std::copy_n(report.begin() + TripleLayout::kBytes, bytes.size(), bytes.begin());
    state.live.powerDownTime = bytes[0];
    state.live.rgbOffTime = bytes[1];
    state.live.moveLighting = bytes[2];
}

void ApplyMacroData(SimMouseState& state, SimCommandDecoder::Report report)
{
    const std::uint8_t packet = report[CommandLayout::kPacket];
    const std::size_t eventBytes = report[MacroDataLayout::kByteCount] - 1u;
    SimMacroSlot& slot = state.settings.macros[report[MacroDataLayout::kSlot]];
    slot.StorePacket(PacketIndex(packet), PacketCount(packet),
                     report.subspan(MacroDataLayout::kEvents, eventBytes));
}

}  // namespace

namespace SimCommandDecoder {

std::uint8_t Checksum(Report report)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < report.size(); ++i) {
        if (i != CommandLayout::kChecksum)
            sum += report[i];
    }
    return static_cast<std::uint8_t>(sum);
}

Verdict Check(std::span<const std::uint8_t> written)
{
    const bool paddedLength = written.size() == ReportLength::kLightingWrite && written.back() == 0;
    if (written.size() != ReportLength::kCommand && !paddedLength)
        return Verdict::WrongLength;
    const Report report = written.first<ReportLength::kCommand>();
    if (report[CommandLayout::kReportId] != ReportId::kCommand)
        return Verdict::WrongReportId;
    if (report[CommandLayout::kChecksum] != Checksum(report))
        return Verdict::BadChecksum;
    const std::uint8_t code = report[CommandLayout::kCode];
    if (!IsKnownCode(code))
        return Verdict::UnknownCode;
    if (!PacketFieldFits(static_cast<CommandCode>(code), report[CommandLayout::kPacket]))
        return Verdict::BadPacketField;
    if (static_cast<CommandCode>(code) == CommandCode::MacroData && !MacroPacketFits(report))
        return Verdict::BadMacroPacket;
    return Verdict::Valid;
}

void Apply(SimMouseState& state, Report report)
{
    SimMouseSettings& settings = state.settings;
    switch (static_cast<CommandCode>(report[CommandLayout::kCode])) {
    case CommandCode::KeyAssignments:
        std::copy_n(report.begin() + KeyAssignmentsLayout::kKeys, settings.keyBytes.size(), settings.keyBytes.begin());
        break;
    case CommandCode::DpiLevels:
        ApplyDpiLevels(state, report);
        break;
    case CommandCode::DpiColours:
        for (std::size_t i = 0; i < settings.dpiColours.size(); ++i)
            settings.dpiColours[i] = RgbAt(report, DpiColoursLayout::kColours + 3 * i);
        break;
    case CommandCode::PollingRate:
        settings.pollingCode = report[SingleByteLayout::kValue];
        state.live.pollingCode = settings.pollingCode;
        break;
    case CommandCode::LiftHeight:
        settings.liftCode = report[SingleByteLayout::kValue];
        break;
    case CommandCode::Lighting:
        ApplyLighting(state, report);
        break;
    case CommandCode::PowerSaving:
        ApplyPowerSaving(state, report);
        break;
    case CommandCode::SensorOptions:
        std::copy_n(report.begin() + TripleLayout::kBytes, settings.sensorOptions.size(),
                    settings.sensorOptions.begin());
        break;
    case CommandCode::KeyDebounce:
        settings.keyDebounce = report[SingleByteLayout::kValue];
        break;
    case CommandCode::FactoryReset:
        FactoryReset(state);
        ++state.factoryResets;
        break;
    case CommandCode::MacroData:
        ApplyMacroData(state, report);
        break;
    case CommandCode::MacroClear:
        for (SimMacroSlot& slot : settings.macros)
            slot.Clear();
        ++state.macroClears;
        break;
    }
}

void FactoryReset(SimMouseState& state)
{
    state.settings = SimMouseSettings{};
    const SimMouseSettings& settings = state.settings;
    SimLiveState& live = state.live;
    live.dpiLevel = settings.currentDpiLevel;
    live.pollingCode = settings.pollingCode;
    live.lightingMode = settings.lightingMode;
    live.colour = settings.lightingColour;
    live.speedLevel = static_cast<std::uint8_t>(settings.lightingBrightnessSpeed & LightingLayout::kSpeedMask);
    live.powerDownTime = settings.powerSaving[0];
    live.rgbOffTime = settings.powerSaving[1];
    live.moveLighting = settings.powerSaving[2];
    live.launchButton = 0;
}

}  // namespace SimCommandDecoder

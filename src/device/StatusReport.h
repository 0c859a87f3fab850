#pragma once

#include "device/HidReports.h"
#include "device/LinkKind.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// Byte positions of input report 7, in which the mouse reports its live state.
namespace StatusLayout {
inline constexpr std::size_t kReportId = 0;        // 7; any other id is not a status report
inline constexpr std::size_t kReceiverOnline = 1;  // receiver link only: non-zero while its mouse is on line
inline constexpr std::size_t kDpiLevel = 2;        // current DPI level, 0-based, not range-checked
inline constexpr std::size_t kPollingCode = 3;     // polling code; its meaning depends on the link
inline constexpr std::size_t kBatteryLevel = 4;    // percent; the mouse may send more than 100
inline constexpr std::size_t kChargeState = 5;     // 1 charging, 2 fully charged, other on battery
inline constexpr std::size_t kLightingMode = 6;    // lighting mode number
inline constexpr std::size_t kLaunchButton = 7;    // 1-based button whose launch function was pressed; 0 none
inline constexpr std::size_t kUnused = 8;          // carries nothing the program reads
inline constexpr std::size_t kSensorCode = 9;      // sensor code, see SensorCodes.h
inline constexpr std::size_t kMoveLighting = 10;   // movement lighting: 0 off, other on
inline constexpr std::size_t kPowerDownTime = 11;  // minutes, accepted 1..30
inline constexpr std::size_t kRgbOffTime = 12;     // minutes, accepted 1..30
inline constexpr std::size_t kRed = 13;            // lighting colour, red
inline constexpr std::size_t kGreen = 14;          // lighting colour, green
inline constexpr std::size_t kBlue = 15;           // lighting colour, blue
inline constexpr std::size_t kLightingSpeed = 16;  // lighting speed level, accepted 1..3
}  // namespace StatusLayout

// Byte 5 of the status report.
namespace ReportedChargeCode {
inline constexpr std::uint8_t kCharging = 1;
inline constexpr std::uint8_t kFull = 2;
}  // namespace ReportedChargeCode

// Byte 3 of the status report. The receiver and BLE links know all six codes; the wired
// link knows only the first three and reads every other code as 1000 Hz.
namespace ReportedPollingCode {
inline constexpr std::uint8_t k125Hz = 0x08;
inline constexpr std::uint8_t k250Hz = 0x04;
inline constexpr std::uint8_t k500Hz = 0x02;
inline constexpr std::uint8_t k1000Hz = 0x01;
inline constexpr std::uint8_t k2000Hz = 0x11;
inline constexpr std::uint8_t k4000Hz = 0x12;
}  // namespace ReportedPollingCode

// The PollingRateValue index (0 = 125 Hz .. 6 = 8000 Hz) for a reported polling code.
// Unknown codes read as 8000 Hz on the receiver and BLE links and as 1000 Hz on the
// wired link.
[[nodiscard]] constexpr std::uint8_t PollingIndexOfReportedCode(LinkKind link, std::uint8_t code)
{
    switch (code) {
    case ReportedPollingCode::k125Hz:
        return 0;
    case ReportedPollingCode::k250Hz:
        return 1;
    case ReportedPollingCode::k500Hz:
        return 2;
    default:
        break;
    }
    if (link == LinkKind::Wired)
        return 3;
    switch (code) {
    case ReportedPollingCode::k1000Hz:
        return 3;
    case ReportedPollingCode::k2000Hz:
        return 4;
    case ReportedPollingCode::k4000Hz:
        return 5;
    default:
        return 6;
    }
}

// A copy of one status report, always the full 32 bytes so that every field can be read.
class StatusReport {
public:
    using Bytes = std::array<std::uint8_t, ReportLength::kStatus>;

    explicit StatusReport(const Bytes& bytes) : m_bytes(bytes) {}

    // The report in `bytes`, or nothing when fewer than 32 bytes were read. Bytes past
    // the 32nd do not belong to the report and are dropped.
    [[nodiscard]] static std::optional<StatusReport> FromBytes(std::span<const std::uint8_t> bytes)
    {
        if (bytes.size() < ReportLength::kStatus)
            return std::nullopt;
        Bytes copy{};
        for (std::size_t i = 0; i < copy.size(); ++i)
            copy[i] = bytes[i];
        return StatusReport(copy);
    }

    [[nodiscard]] const Bytes& Raw() const { return m_bytes; }
    [[nodiscard]] std::uint8_t At(std::size_t index) const { return m_bytes.at(index); }

    [[nodiscard]] bool IsStatusReport() const { return m_bytes[StatusLayout::kReportId] == ReportId::kStatus; }
    [[nodiscard]] bool ReceiverMouseOnline() const { return m_bytes[StatusLayout::kReceiverOnline] != 0; }
    [[nodiscard]] std::uint8_t DpiLevel() const { return m_bytes[StatusLayout::kDpiLevel]; }
    [[nodiscard]] std::uint8_t PollingCode() const { return m_bytes[StatusLayout::kPollingCode]; }
    [[nodiscard]] std::uint8_t BatteryLevel() const { return m_bytes[StatusLayout::kBatteryLevel]; }
    [[nodiscard]] std::uint8_t ChargeCode() const { return m_bytes[StatusLayout::kChargeState]; }
    [[nodiscard]] std::uint8_t LightingMode() const { return m_bytes[StatusLayout::kLightingMode]; }
    [[nodiscard]] std::uint8_t LaunchButton() const { return m_bytes[StatusLayout::kLaunchButton]; }
    [[nodiscard]] std::uint8_t SensorCode() const { return m_bytes[StatusLayout::kSensorCode]; }
    [[nodiscard]] bool MoveLightingOn() const { return m_bytes[StatusLayout::kMoveLighting] != 0; }
    [[nodiscard]] std::uint8_t PowerDownTime() const { return m_bytes[StatusLayout::kPowerDownTime]; }
    [[nodiscard]] std::uint8_t RgbOffTime() const { return m_bytes[StatusLayout::kRgbOffTime]; }
    [[nodiscard]] std::uint8_t LightingSpeed() const { return m_bytes[StatusLayout::kLightingSpeed]; }

    // The lighting colour as the profile stores colours: 0x00BBGGRR.
    [[nodiscard]] std::uint32_t Colour() const
    {
        return static_cast<std::uint32_t>(m_bytes[StatusLayout::kRed]) |
               static_cast<std::uint32_t>(m_bytes[StatusLayout::kGreen]) << 8 |
               static_cast<std::uint32_t>(m_bytes[StatusLayout::kBlue]) << 16;
    }

private:
    Bytes m_bytes;
};

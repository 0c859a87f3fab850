#include "device/DpiStepTable.h"

#include "profiles/ProfileDefaults.h"

#include <algorithm>
#include <array>

namespace {

// Device codes of the 0x3311 sensor for positions 0..99. The firmware's list really has
// 0x2C at both positions 18 and 19.
constexpr auto kCodes3311Low = std::to_array<std::uint8_t>({
    0x02, 0x04, 0x06, 0x09, 0x0B, 0x0E, 0x10, 0x12, 0x15, 0x17,
    0x19, 0x1C, 0x1E, 0x20, 0x23, 0x25, 0x27, 0x2A, 0x2C, 0x2C,
    0x31, 0x33, 0x36, 0x38, 0x3A, 0x3D, 0x3F, 0x41, 0x44, 0x46,
    0x48, 0x4B, 0x4D, 0x4F, 0x52, 0x54, 0x57, 0x59, 0x5B, 0x5E,
    0x60, 0x62, 0x65, 0x67, 0x69, 0x6C, 0x6E, 0x70, 0x73, 0x75,
    0x77, 0x7A, 0x7C, 0x7F, 0x81, 0x83, 0x86, 0x88, 0x8A, 0x8D,
    0x8F, 0x91, 0x94, 0x96, 0x98, 0x9B, 0x9D, 0x9F, 0xA2, 0xA4,
    0xA7, 0xA9, 0xAB, 0xAE, 0xB0, 0xB2, 0xB5, 0xB7, 0xB9, 0xBC,
    0xBE, 0xC0, 0xC3, 0xC5, 0xC7, 0xCA, 0xCC, 0xCF, 0xD1, 0xD3,
    0xD6, 0xD8, 0xDA, 0xDD, 0xDF, 0xE1, 0xE4, 0xE6, 0xE8, 0xEB,
});
static_assert(kCodes3311Low.size() == 100);

// Device codes of the 0x3311 sensor for positions 100..119: a second range of the sensor
// register, stored as 16-bit values with the high byte 0xFF.
constexpr auto kCodes3311Mid = std::to_array<std::uint16_t>({
    0xFF76, 0xFF77, 0xFF79, 0xFF7A, 0xFF7B, 0xFF7C, 0xFF7D, 0xFF7F, 0xFF80, 0xFF81,
    0xFF82, 0xFF83, 0xFF84, 0xFF86, 0xFF87, 0xFF88, 0xFF89, 0xFF8A, 0xFF8B, 0xFF8D,
});
static_assert(kCodes3311Mid.size() == 20);

// Device codes of the 0x3325 sensor for positions 0..49; positions 0 and 1 are both
// 200 DPI and both send 0x04.
constexpr auto kCodes3325Low = std::to_array<std::uint8_t>({
    0x04, 0x04, 0x06, 0x08, 0x0B, 0x0D, 0x0F, 0x12, 0x14, 0x16,
    0x19, 0x1B, 0x1D, 0x20, 0x22, 0x24, 0x27, 0x29, 0x2B, 0x2E,
    0x30, 0x32, 0x34, 0x37, 0x39, 0x3B, 0x3E, 0x40, 0x42, 0x45,
    0x47, 0x49, 0x4C, 0x4E, 0x50, 0x53, 0x55, 0x57, 0x5A, 0x5C,
    0x5E, 0x61, 0x63, 0x65, 0x68, 0x6A, 0x6C, 0x6F, 0x71, 0x73,
});
static_assert(kCodes3325Low.size() == 50);

// Device codes of the 0x3335 sensor, all 160 positions.
constexpr auto kCodes3335 = std::to_array<std::uint8_t>({
    0x00, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x09, 0x0A, 0x0B,
    0x0C, 0x0D, 0x0E, 0x10, 0x11, 0x12, 0x13, 0x14, 0x16, 0x17,
    0x18, 0x19, 0x1A, 0x1B, 0x1D, 0x1E, 0x1F, 0x20, 0x21, 0x23,
    0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2C, 0x2D, 0x2E, 0x2F,
    0x30, 0x32, 0x33, 0x34, 0x35, 0x36, 0x38, 0x39, 0x3A, 0x3B,
    0x3C, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x44, 0x45, 0x46, 0x47,
    0x48, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x50, 0x51, 0x52, 0x53,
    0x54, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x5C, 0x5D, 0x5E, 0x5F,
    0x60, 0x62, 0x63, 0x64, 0x65, 0x66, 0x68, 0x69, 0x6A, 0x6B,
    0x6C, 0x6E, 0x6F, 0x70, 0x71, 0x72, 0x74, 0x75, 0x76, 0x77,
    0x78, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E, 0x80, 0x81, 0x82, 0x83,
    0x84, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F,
    0x90, 0x92, 0x93, 0x94, 0x95, 0x96, 0x98, 0x99, 0x9A, 0x9B,
    0x9C, 0x9E, 0x9F, 0xA0, 0xA1, 0xA2, 0xA4, 0xA5, 0xA6, 0xA7,
    0xA8, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xB0, 0xB1, 0xB2, 0xB3,
    0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD,
});
static_assert(kCodes3335.size() == 160);

// 0x3311: list codes up to position 119, then a linear range from 0x100.
constexpr std::size_t k3311MidStart = kCodes3311Low.size();
constexpr std::size_t k3311HighStart = k3311MidStart + kCodes3311Mid.size();
constexpr std::uint16_t k3311HighBase = 0x100;
// 0x0205: codes 2(p + 1) up to position 63, then 0x80 + (p - 63).
constexpr std::size_t k0205HighStart = 64;
constexpr std::uint16_t k0205HighBase = 0x80;
// 0x3325: list codes up to position 49, then 0x74 + (p - 50).
constexpr std::size_t k3325HighStart = kCodes3325Low.size();
constexpr std::uint16_t k3325HighBase = 0x74;
constexpr std::uint32_t k3325FirstDpi = 4;  // position 0 is 200 DPI like position 1

enum class SyncDialog : std::uint8_t { Keep, Off, On };

using DpiRule = std::uint32_t (*)(std::uint32_t position);
using CodeRule = std::uint16_t (*)(std::uint32_t position);

struct SensorSteps {
    std::uint16_t model;
    std::uint16_t positionCount;
    DpiRule dpiDividedBy50;
    CodeRule deviceCode;
    bool liftOptionShown;
    SyncDialog syncDialog;
};

constexpr std::uint32_t EvenFrom(std::uint32_t first, std::uint32_t position) { return first + 2 * position; }
constexpr std::uint16_t Code(std::uint32_t value) { return static_cast<std::uint16_t>(value); }

constexpr std::array<SensorSteps, 8> kSensors{{
    {SensorIds::k3205, 29, [](std::uint32_t p) { return EvenFrom(16, p); }, [](std::uint32_t p) { return Code(p); },
     false, SyncDialog::Keep},
    {SensorIds::k3212, 31, [](std::uint32_t p) { return EvenFrom(12, p); }, [](std::uint32_t p) { return Code(p); },
     false, SyncDialog::Keep},
    {SensorIds::k3311, 240, [](std::uint32_t p) { return EvenFrom(2, p); },
     [](std::uint32_t p) {
         if (p < k3311MidStart) {
             return Code(kCodes3311Low[p]);
         }
         if (p < k3311HighStart) {
             return kCodes3311Mid[p - k3311MidStart];
         }
         return Code(k3311HighBase + (p - k3311HighStart));
     },
     false, SyncDialog::Off},
    {SensorIds::k0205, 100, [](std::uint32_t p) { return EvenFrom(2, p); },
     [](std::uint32_t p) {
         return p < k0205HighStart ? Code(EvenFrom(2, p)) : Code(k0205HighBase + (p - (k0205HighStart - 1)));
     },
     false, SyncDialog::Off},
    {SensorIds::k3325, 100, [](std::uint32_t p) { return p == 0 ? k3325FirstDpi : EvenFrom(2, p); },
     [](std::uint32_t p) {
         return p < k3325HighStart ? Code(kCodes3325Low[p]) : Code(k3325HighBase + (p - k3325HighStart));
     },
     false, SyncDialog::Off},
    {SensorIds::k3335, static_cast<std::uint16_t>(kCodes3335.size()), [](std::uint32_t p) { return EvenFrom(2, p); },
     [](std::uint32_t p) { return Code(kCodes3335[p]); }, true, SyncDialog::Off},
    {SensorIds::k3395, 520, [](std::uint32_t p) { return p + 1; }, [](std::uint32_t p) { return Code(p); }, true,
     SyncDialog::On},
    {SensorIds::k3950, 600, [](std::uint32_t p) { return p + 1; }, [](std::uint32_t p) { return Code(p); }, true,
     SyncDialog::On},
}};

}  // namespace

bool DpiStepTable::Build(std::uint16_t model)
{
    const auto* sensor = std::find_if(kSensors.begin(), kSensors.end(),
                                      [model](const SensorSteps& s) { return s.model == model; });
    if (sensor == kSensors.end()) {
        return false;
    }
    m_dpiDividedBy50.resize(sensor->positionCount);
    m_deviceCodes.resize(sensor->positionCount);
    for (std::uint32_t p = 0; p < sensor->positionCount; ++p) {
        m_dpiDividedBy50[p] = sensor->dpiDividedBy50(p);
        m_deviceCodes[p] = sensor->deviceCode(p);
    }
    m_liftOptionShown = sensor->liftOptionShown;
    if (sensor->syncDialog != SyncDialog::Keep) {
        m_dpiSyncDialog = sensor->syncDialog == SyncDialog::On;
    }
    m_model = model;
    return true;
}

std::uint32_t DpiStepTable::DpiDividedBy50(std::size_t position) const
{
    if (m_dpiDividedBy50.empty()) {
        return 0;
    }
    return m_dpiDividedBy50[std::min(position, m_dpiDividedBy50.size() - 1)];
}

std::uint16_t DpiStepTable::DeviceCode(std::size_t position) const
{
    if (m_deviceCodes.empty()) {
        return 0;
    }
    return m_deviceCodes[std::min(position, m_deviceCodes.size() - 1)];
}

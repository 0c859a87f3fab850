#include "keyfunc/popups/CDPILockPopup.h"

#include "keyfunc/popups/CTablePopup.h"
#include "profiles/LanguageTexts.h"

#include <array>
#include <string>

namespace {

using LockCodes = std::array<std::uint8_t, CDPILockPopup::kEntryCount>;

struct SensorCodes {
    std::uint16_t sensor;
    LockCodes codes;
};

// The codes of 200, 300, .. 1200 DPI for each sensor that has its own scale.
constexpr std::array<SensorCodes, 5> kSensorCodes{{
    {0x3212, {0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06}},
    {0x3311, {0x04, 0x06, 0x09, 0x0B, 0x0E, 0x10, 0x12, 0x15, 0x17, 0x19, 0x1C}},
    {0x3325, {0x04, 0x06, 0x08, 0x0B, 0x0D, 0x0F, 0x12, 0x14, 0x16, 0x19, 0x1B}},
    {0x3335, {0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x09, 0x0A, 0x0B, 0x0C, 0x0D}},
    {0x0205, {0x04, 0x06, 0x08, 0x0A, 0x0C, 0x0E, 0x10, 0x12, 0x14, 0x16, 0x18}},
}};
// Every other sensor (0x3205, 0x3395, 0x3950, ...).
constexpr LockCodes kOtherSensorCodes{0x01, 0x03, 0x05, 0x07, 0x09, 0x0B, 0x0D, 0x0F, 0x11, 0x13, 0x15};

constexpr int kFirstDpi = 200;
constexpr int kDpiStep = 100;

}  // namespace

CDPILockPopup::CDPILockPopup(const LanguageTexts& texts, std::uint16_t sensorId, const MenuImages& images)
    : CMenuPopup(images, CTablePopup::kWidth, CTablePopup::kEntryHeight, EntryLook::Image, {}, kKind),
      m_texts(texts),
      m_sensorId(sensorId)
{
}

std::uint8_t CDPILockPopup::LockCode(std::uint16_t sensorId, int entry)
{
    if (entry < 1 || entry > kEntryCount)
        return 0;
    const LockCodes* codes = &kOtherSensorCodes;
    for (const SensorCodes& row : kSensorCodes) {
        if (row.sensor == sensorId)
            codes = &row.codes;
    }
    return (*codes)[static_cast<std::size_t>(entry - 1)];
}

void CDPILockPopup::FillEntries()
{
    for (int id = 1; id <= kEntryCount; ++id) {
        const std::string dpi = std::to_string(kFirstDpi + (id - 1) * kDpiStep);
        AddEntry(id, std::u16string(dpi.begin(), dpi.end()));
    }
}

void CDPILockPopup::OnEntryClicked(const MenuEntry& entry)
{
    std::u16string name = m_texts.Text(FunctionTexts::kDpiLockPrefix);
    name += u'-';
    name += entry.caption;
    SendResult(std::move(name),
               {static_cast<std::uint8_t>(FunctionType::DpiLock), LockCode(m_sensorId, entry.id), 0x00});
}

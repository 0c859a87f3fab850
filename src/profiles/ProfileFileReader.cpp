#include "profiles/ProfileFileReader.h"

#include "profiles/Profile.h"
#include "profiles/TextNumbers.h"

namespace {

using TextNumbers::ParseHexDigits;

constexpr std::u16string_view kHeader = u"[Setting]";
constexpr std::size_t kActionTextLength = MacroKey::kMaxActions * 8;
constexpr std::size_t kByteDigits = 2;
constexpr std::size_t kValueStride = 3;  // "XX|"
constexpr std::size_t kColorStride = 7;  // "RRGGBB|"

std::uint8_t HexByte(std::u16string_view text, std::size_t position)
{
    return static_cast<std::uint8_t>(ParseHexDigits(text, position, kByteDigits));
}

std::uint32_t Rgb(std::u16string_view text, std::size_t position)
{
    const std::uint32_t red = HexByte(text, position);
    const std::uint32_t green = HexByte(text, position + 2);
    const std::uint32_t blue = HexByte(text, position + 4);
    return red | (green << 8) | (blue << 16);
}

}  // namespace

FileCheck ProfileFileReader::Read(const std::filesystem::path& path)
{
    if (!m_file.OpenForRead(path)) {
        return FileCheck::FailedAt(1);
    }
    std::u16string_view line;
    if (!m_file.ReadLine(line) || line != kHeader) {
        return FileCheck::FailedAt(1);
    }
    if (!ReadBody()) {
        return FileCheck::FailedAt(m_file.LineNumber());
    }
    KeepWithinBounds();
    return FileCheck::Passed();
}

std::optional<std::u16string_view> ProfileFileReader::NextValue(KeyRule rule)
{
    std::u16string_view line;
    if (!m_file.ReadLine(line)) {
        return std::nullopt;
    }
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos || (equals == 0 && rule == KeyRule::NeedsKey)) {
        return std::nullopt;
    }
    return line.substr(equals + 1);
}

bool ProfileFileReader::ReadByte(std::uint8_t& value)
{
    const auto text = NextValue();
    if (!text) {
        return false;
    }
    value = HexByte(*text, 0);
    return true;
}

bool ProfileFileReader::ReadBytes(std::array<std::uint8_t, 3>& bytes)
{
    const auto text = NextValue();
    if (!text) {
        return false;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = HexByte(*text, i * kByteDigits);
    }
    return true;
}

bool ProfileFileReader::ReadColor(std::uint32_t& color)
{
    const auto text = NextValue();
    if (!text) {
        return false;
    }
    color = Rgb(*text, 0);
    return true;
}

bool ProfileFileReader::ReadTen(std::array<std::uint8_t, 10>& values)
{
    const auto text = NextValue();
    if (!text) {
        return false;
    }
    for (std::size_t j = 0; j < values.size(); ++j) {
        values[j] = HexByte(*text, kValueStride * j);
    }
    return true;
}

bool ProfileFileReader::ReadText(std::u16string& text, KeyRule rule)
{
    const auto value = NextValue(rule);
    if (!value) {
        return false;
    }
    text.assign(*value);
    return true;
}

bool ProfileFileReader::ReadDecimal(std::uint32_t& value)
{
    const auto text = NextValue(KeyRule::KeyMayBeEmpty);
    if (!text || text->empty()) {
        return false;
    }
    value = TextNumbers::ParseUnsignedDecimal(*text);
    return true;
}

bool ProfileFileReader::ReadBody()
{
    Profile& p = m_profile;
    for (SettingPair& pair : p.Settings) {
        std::u16string_view line;
        if (!m_file.ReadLine(line)) {
            return false;
        }
        const std::size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos || equals == 0) {
            return false;
        }
        pair.key.assign(line.substr(0, equals));
        pair.value.assign(line.substr(equals + 1));
    }
    if (!ReadByte(p.DPIOffOnFlag)) {
        return false;
    }
    for (std::size_t level = 0; level < Profile::kDpiLevelCount; ++level) {
        for (auto* axis : {&p.XYSettingX, &p.XYSettingY}) {
            const auto text = NextValue();
            if (!text) {
                return false;
            }
            (*axis)[level] = static_cast<std::uint16_t>(ParseHexDigits(*text, 0, 4));
        }
    }
    if (!ReadByte(p.CurrentDPILevel)) {
        return false;
    }
    for (std::uint32_t& color : p.DPILevelIndication) {
        if (!ReadColor(color)) {
            return false;
        }
    }
    if (!ReadByte(p.AngleSnapValue) || !ReadByte(p.LiftDetectionValue) || !ReadText(p.PollingRateName) ||
        !ReadBytes(p.PollingRateValue) || !ReadText(p.Lighting1Name) || !ReadBytes(p.Lighting1ModeValue) ||
        !ReadByte(p.Lighting1OffOn) || !ReadTen(p.Lighting1Speed) || !ReadTen(p.Lighting1Brightness)) {
        return false;
    }
    const auto selected = NextValue();
    if (!selected) {
        return false;
    }
    for (std::size_t mode = 0; mode < Profile::kLightingModeCount; ++mode) {
        for (std::size_t slot = 0; slot < Profile::kColorSlotCount; ++slot) {
            const std::size_t k = mode * Profile::kColorSlotCount + slot;
            p.Lighting1ColorSelected[mode][slot] = HexByte(*selected, kValueStride * k);
        }
    }
    const auto colors = NextValue();
    if (!colors) {
        return false;
    }
    for (std::size_t mode = 0; mode < Profile::kLightingModeCount; ++mode) {
        for (std::size_t slot = 0; slot < Profile::kColorSlotCount; ++slot) {
            const std::size_t k = mode * Profile::kColorSlotCount + slot;
            p.Lighting1FixedColor[mode][slot] = Rgb(*colors, kColorStride * k);
        }
    }
    if (!ReadTen(p.Lighting1Direction) || !ReadText(p.Lighting2Name) || !ReadBytes(p.Lighting2ModeValue) ||
        !ReadByte(p.Lighting2OffOn) || !ReadByte(p.Lighting2Speed) || !ReadByte(p.Lighting2Brightness) ||
        !ReadColor(p.Lighting2FixedColor)) {
        return false;
    }
    for (std::size_t button = 0; button < Profile::kButtonCount; ++button) {
        if (!ReadButton(button)) {
            return false;
        }
    }
    return true;
}

bool ProfileFileReader::ReadButton(std::size_t button)
{
    KeyAssignment& key = m_profile.Keys[button];
    if (!ReadText(key.Name) || !ReadText(key.URL) || !ReadBytes(key.Value) || !ReadDecimal(key.MacroKeyIndex) ||
        !ReadText(key.Macro.name, KeyRule::KeyMayBeEmpty) || !ReadDecimal(key.Macro.MacroActionNum)) {
        return false;
    }
    // A macro holds at most 250 actions; a larger count from a file would make the
    // upload and the editors read past the action table.
    if (key.Macro.MacroActionNum > MacroKey::kMaxActions) {
        key.Macro.MacroActionNum = MacroKey::kMaxActions;
    }
    const auto actions = NextValue(KeyRule::KeyMayBeEmpty);
    if (!actions || actions->size() != kActionTextLength) {
        return false;
    }
    for (std::size_t slot = 0; slot < MacroKey::kMaxActions; ++slot) {
        const std::size_t at = slot * 8;
        key.Macro.actions[slot] = MacroAction::FromBytes(HexByte(*actions, at), HexByte(*actions, at + 2),
                                                         HexByte(*actions, at + 4), HexByte(*actions, at + 6));
    }
    return true;
}

void ProfileFileReader::KeepWithinBounds()
{
    // The DPI level, the report-rate index and the lighting mode index tables elsewhere in
    // the program. A value outside its table is replaced by the value a reset writes, so a
    // damaged or hand-edited file selects a real entry instead of memory beyond a table.
    constexpr std::uint8_t kResetDpiLevel = 1;
    constexpr std::uint8_t kResetReportRate = 3;
    constexpr std::uint8_t kResetLightingMode = 1;
    if (m_profile.CurrentDPILevel >= Profile::kDpiLevelCount) {
        m_profile.CurrentDPILevel = kResetDpiLevel;
    }
    if (m_profile.PollingRateValue[0] > Profile::kMaxReportRateIndex) {
        m_profile.PollingRateValue[0] = kResetReportRate;
    }
    if (m_profile.Lighting1ModeValue[0] >= Profile::kLightingModeCount) {
        m_profile.Lighting1ModeValue[0] = kResetLightingMode;
    }
}

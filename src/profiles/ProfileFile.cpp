#include "profiles/ProfileFile.h"

#include "profiles/AppSettings.h"
#include "profiles/CStdioFileEx.h"
#include "profiles/LineText.h"
#include "profiles/Profile.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileFileReader.h"
#include "profiles/SaveFailures.h"
#include "profiles/TextNumbers.h"

#include <string>
#include <string_view>

namespace {

using TextNumbers::AppendDecimal;
using TextNumbers::AppendHex;

constexpr char16_t kTab = u'\t';

std::uint8_t Red(std::uint32_t color)
{
    return static_cast<std::uint8_t>(color);
}
std::uint8_t Green(std::uint32_t color)
{
    return static_cast<std::uint8_t>(color >> 8);
}
std::uint8_t Blue(std::uint32_t color)
{
    return static_cast<std::uint8_t>(color >> 16);
}

// Builds the file's text line by line in one buffer.
class ProfileTextBuilder {
public:
    explicit ProfileTextBuilder(std::u16string& out) : m_out(out) {}

    ProfileTextBuilder& Tabs(int count)
    {
        m_out.append(static_cast<std::size_t>(count), kTab);
        return *this;
    }
    ProfileTextBuilder& Text(std::u16string_view text)
    {
        m_out.append(text);
        return *this;
    }
    ProfileTextBuilder& Hex(std::uint32_t value, int digits)
    {
        AppendHex(m_out, value, digits);
        return *this;
    }
    ProfileTextBuilder& Decimal(std::int64_t value)
    {
        AppendDecimal(m_out, value);
        return *this;
    }
    ProfileTextBuilder& Rgb(std::uint32_t color)
    {
        return Hex(Red(color), 2).Hex(Green(color), 2).Hex(Blue(color), 2);
    }
    ProfileTextBuilder& Bytes(const std::array<std::uint8_t, 3>& bytes)
    {
        return Hex(bytes[0], 2).Hex(bytes[1], 2).Hex(bytes[2], 2);
    }
    // Ten values, "XX|" each but the last, which ends with `last`.
    template <typename Values, typename Write>
    ProfileTextBuilder& Ten(const Values& values, Write write, char16_t last)
    {
        for (std::size_t i = 0; i < values.size(); ++i) {
            write(values[i]);
            m_out.push_back(i + 1 < values.size() ? u'|' : last);
        }
        return *this;
    }
    void EndLine() { m_out.push_back(u'\n'); }

private:
    std::u16string& m_out;
};

// The first text of the profile that cannot be written into its line (the line's key),
// or an empty text when every one can. The key of a settings pair must also be one the
// reader splits at the right "=".
std::string TextThatBreaksALine(const Profile& profile)
{
    for (std::size_t k = 0; k < profile.Settings.size(); ++k) {
        if (!FitsAsKey(profile.Settings[k].key) || !FitsOneLine(profile.Settings[k].value)) {
            return "settings pair " + std::to_string(k);
        }
    }
    if (!FitsOneLine(profile.PollingRateName)) {
        return "PollingRateName";
    }
    if (!FitsOneLine(profile.Lighting1Name)) {
        return "Lighting1Name";
    }
    if (!FitsOneLine(profile.Lighting2Name)) {
        return "Lighting2Name";
    }
    for (std::size_t button = 0; button < Profile::kButtonCount; ++button) {
        const KeyAssignment& key = profile.Keys[button];
        const std::string prefix = "Key" + std::to_string(button);
        if (!FitsOneLine(key.Name)) {
            return prefix + "Name";
        }
        if (!FitsOneLine(key.URL)) {
            return prefix + "URL";
        }
        if (!FitsOneLine(key.Macro.name)) {
            return "MacroKey" + std::to_string(button) + "Name";
        }
    }
    return {};
}

void BuildProfileText(const Profile& profile, std::u16string& out)
{
    ProfileTextBuilder line(out);
    const auto byte = [&line](std::uint8_t value) { line.Hex(value, 2); };
    const auto rgb = [&line](std::uint32_t color) { line.Rgb(color); };

    line.Text(u"[Setting]").EndLine();
    for (const SettingPair& pair : profile.Settings) {
        line.Text(pair.key).Text(u"=").Text(pair.value).EndLine();
    }
    line.Text(u"DPIOffOnFlagValue=").Hex(profile.DPIOffOnFlag, 2).EndLine();
    for (std::size_t level = 0; level < Profile::kDpiLevelCount; ++level) {
        const auto n = static_cast<std::int64_t>(level + 1);
        line.Tabs(1).Text(u"XYSetting").Decimal(n).Text(u"ValueX=").Hex(profile.XYSettingX[level], 4).EndLine();
        line.Tabs(1).Text(u"XYSetting").Decimal(n).Text(u"ValueY=").Hex(profile.XYSettingY[level], 4).EndLine();
    }
    line.Tabs(1).Text(u"CurrentDPILevelValue=").Hex(profile.CurrentDPILevel, 2).EndLine();
    for (std::size_t level = 0; level < Profile::kDpiLevelCount; ++level) {
        line.Tabs(1).Text(u"DPILevelIndication").Decimal(static_cast<std::int64_t>(level));
        line.Text(u"Valuer=").Rgb(profile.DPILevelIndication[level]).EndLine();
    }
    line.Tabs(1).Text(u"AngleSnapValue=").Hex(profile.AngleSnapValue, 2).EndLine();
    line.Tabs(1).Text(u"LiftDetectionValue=").Hex(profile.LiftDetectionValue, 2).EndLine();

    line.Text(u"PollingRateName=").Text(profile.PollingRateName).EndLine();
    line.Tabs(1).Text(u"PollingRateValue=").Bytes(profile.PollingRateValue).EndLine();

    line.Text(u"Lighting1Name=").Text(profile.Lighting1Name).EndLine();
    line.Tabs(1).Text(u"Lighting1ModeValue=").Bytes(profile.Lighting1ModeValue).EndLine();
    line.Tabs(1).Text(u"Lighting1OffOn=").Hex(profile.Lighting1OffOn, 2).EndLine();
    line.Tabs(1).Text(u"Lighting1Speed=").Ten(profile.Lighting1Speed, byte, u'\n');
    line.Tabs(1).Text(u"Lighting1Brightness=").Ten(profile.Lighting1Brightness, byte, u'\n');
    line.Tabs(1).Text(u"Lighting1ColorSelected=");
    for (const auto& mode : profile.Lighting1ColorSelected) {
        line.Ten(mode, byte, u';');
    }
    line.EndLine();
    line.Tabs(1).Text(u"Lighting1FixedColor=");
    for (const auto& mode : profile.Lighting1FixedColor) {
        line.Ten(mode, rgb, u';');
    }
    line.EndLine();
    line.Tabs(1).Text(u"Lighting1Direction=").Ten(profile.Lighting1Direction, byte, u'\n');

    line.Text(u"Lighting2Name=").Text(profile.Lighting2Name).EndLine();
    line.Tabs(1).Text(u"Lighting2ModeValue=").Bytes(profile.Lighting2ModeValue).EndLine();
    line.Tabs(1).Text(u"Lighting2OffOn=").Hex(profile.Lighting2OffOn, 2).EndLine();
    line.Tabs(1).Text(u"Lighting2Speed=").Hex(profile.Lighting2Speed, 2).EndLine();
    line.Tabs(1).Text(u"Lighting2Brightness=").Hex(profile.Lighting2Brightness, 2).EndLine();
    line.Tabs(1).Text(u"Lighting2FixedColor=").Rgb(profile.Lighting2FixedColor).EndLine();

    for (std::size_t button = 0; button < Profile::kButtonCount; ++button) {
        const KeyAssignment& key = profile.Keys[button];
        const auto u = static_cast<std::int64_t>(button);
        line.Text(u"Key").Decimal(u).Text(u"Name=").Text(key.Name).EndLine();
        line.Tabs(1).Text(u"Key").Decimal(u).Text(u"URL=").Text(key.URL).EndLine();
        line.Tabs(1).Text(u"Key").Decimal(u).Text(u"Value=").Bytes(key.Value).EndLine();
        line.Tabs(1).Text(u"MacroKeyIndex=").Decimal(key.MacroKeyIndex).EndLine();
        line.Tabs(1).Text(u"MacroKey").Decimal(u).Text(u"Name=").Text(key.Macro.name).EndLine();
        line.Tabs(2).Text(u"MacroActionNum=").Decimal(key.Macro.MacroActionNum).EndLine();
        line.Tabs(2).Text(u"AllAction=");
        for (const MacroAction action : key.Macro.actions) {
            line.Hex(action.raw & 0xFF, 2).Hex((action.raw >> 8) & 0xFF, 2);
            line.Hex((action.raw >> 16) & 0xFF, 2).Hex(action.raw >> 24, 2);
        }
        line.EndLine();
    }
}

}  // namespace

bool WriteProfileFile(const Profile& profile, const std::filesystem::path& path, CStdioFileEx::OldFile oldFile)
{
    // A text with a line break would split its line and make the whole file fail at the
    // next start; the file on the disk keeps its last good state instead.
    if (const std::string field = TextThatBreaksALine(profile); !field.empty()) {
        SaveFailures::Report({path, "the text of " + field + " holds a line break or another control character"});
        return false;
    }
    CStdioFileEx file;
    if (!file.OpenForWrite(path, oldFile)) {
        return false;
    }
    std::u16string text;
    text.reserve(16 * 1024);
    BuildProfileText(profile, text);
    file.WriteString(text);
    return file.Close();
}

FileCheck ParseProfileFile(Profile& profile, const std::filesystem::path& path)
{
    ProfileFileReader reader(profile);
    return reader.Read(path);
}

FileCheck ReadProfileFile(Profile& profile, int index, const std::filesystem::path& path,
                          const AppSettings& settings, const LanguageTexts& texts)
{
    const FileCheck check = ParseProfileFile(profile, path);
    if (!check.ok) {
        ResetProfile(profile, static_cast<unsigned>(index), texts, settings.SensorId());
        if (HasDefaultTexts(texts)) {
            WriteProfileFile(profile, settings.ProfileSlotPath(index), CStdioFileEx::OldFile::KeepAsBackup);
        }
    } else {
        FillEmptyDefaultNames(profile, static_cast<unsigned>(index), texts);
    }
    return check;
}

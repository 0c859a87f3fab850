#include "profiles/AppSettings.h"

#include "profiles/DataPaths.h"
#include "profiles/LineText.h"
#include "profiles/PathText.h"
#include "profiles/TextNumbers.h"

#include <algorithm>

namespace {

const std::u16string kEmptyText;

constexpr std::size_t Index(AppSetting k)
{
    return static_cast<std::size_t>(k);
}

constexpr std::size_t kShowListFirst = Index(AppSetting::ProfileShowList0);
constexpr std::size_t kSlotUrlFirst = Index(AppSetting::ProfileSlot0URL);

std::u16string HexSetting(std::uint32_t value)
{
    std::u16string text = u"0x";
    TextNumbers::AppendHex(text, value, 4);
    return text;
}

std::u16string NumberedKey(std::u16string_view stem, int n, std::u16string_view tail = {})
{
    std::u16string key(stem);
    TextNumbers::AppendDecimal(key, n);
    key += tail;
    return key;
}

// The slot text of a default profile file: its full path, or its path relative to the
// data folder when the full one would break the settings file's line.
std::u16string DefaultSlotText(const DataPaths& paths, int slot)
{
    std::u16string full = TextFromPath(paths.DefaultProfileFile(slot));
    if (FitsOneLine(full)) {
        return full;
    }
    return TextFromPath(paths.DefaultProfileFile(slot).lexically_relative(paths.dataFolder));
}

// The slot whose default file a path text names (".../config/defaultN.psf", either kind
// of separator, so a folder copied from another system is recognised too); -1 for any
// other text.
int DefaultFileSlot(std::u16string_view text)
{
    const auto separator = [](char16_t c) { return c == u'/' || c == u'\\'; };
    const auto lastComponent = [&separator](std::u16string_view path, std::u16string_view& rest) {
        std::size_t end = path.size();
        std::size_t start = end;
        while (start > 0 && !separator(path[start - 1])) {
            --start;
        }
        rest = path.substr(0, start > 0 ? start - 1 : 0);
        return path.substr(start, end - start);
    };
    std::u16string_view rest;
    const std::u16string_view file = lastComponent(text, rest);
    std::u16string_view ignored;
    const std::u16string_view folder = lastComponent(rest, ignored);
    constexpr std::u16string_view kStem = u"default";
    constexpr std::u16string_view kExtension = u".psf";
    if (folder != u"config" || file.size() != kStem.size() + 1 + kExtension.size() || !file.starts_with(kStem) ||
        !file.ends_with(kExtension)) {
        return -1;
    }
    const char16_t digit = file[kStem.size()];
    return digit >= u'0' && digit < u'0' + AppSettings::kProfileCount ? digit - u'0' : -1;
}

}  // namespace

const std::u16string& AppSettings::Value(std::size_t k) const
{
    return k < kPairCount ? m_pairs[k].value : kEmptyText;
}

const std::u16string& AppSettings::Value(AppSetting k) const
{
    return Value(Index(k));
}

void AppSettings::SetValue(AppSetting k, std::u16string value)
{
    if (Index(k) < kPairCount) {
        m_pairs[Index(k)].value = std::move(value);
    }
}

int AppSettings::ValueAsInt(std::size_t k) const
{
    return static_cast<int>(TextNumbers::ParseDecimal(Value(k)));
}

int AppSettings::NeedPassword() const
{
    return ValueAsInt(static_cast<std::size_t>(AppSetting::NeedPassword));
}

int AppSettings::CurrentProfile() const
{
    const int index = ValueAsInt(Index(AppSetting::CurrentProfile));
    return index >= 0 && index < kProfileCount ? index : 0;
}

void AppSettings::SetCurrentProfile(int index)
{
    SetValue(AppSetting::CurrentProfile, TextNumbers::Decimal(index));
}

int AppSettings::ProfileShowCount() const
{
    return std::clamp(ValueAsInt(Index(AppSetting::ProfileShowCount)), 1, kProfileCount);
}

void AppSettings::SetProfileShowCount(int count)
{
    SetValue(AppSetting::ProfileShowCount, TextNumbers::Decimal(count));
}

std::array<int, AppSettings::kProfileCount> AppSettings::ProfileShowOrder() const
{
    std::array<int, kProfileCount> order{};
    std::array<bool, kProfileCount> placed{};
    std::array<bool, kProfileCount> valid{};
    for (int position = 0; position < kProfileCount; ++position) {
        const int index = ValueAsInt(kShowListFirst + static_cast<std::size_t>(position));
        const auto p = static_cast<std::size_t>(position);
        if (index >= 0 && index < kProfileCount && !placed[static_cast<std::size_t>(index)]) {
            order[p] = index;
            placed[static_cast<std::size_t>(index)] = true;
            valid[p] = true;
        }
    }
    int missing = 0;
    for (std::size_t p = 0; p < order.size(); ++p) {
        if (valid[p]) {
            continue;
        }
        while (placed[static_cast<std::size_t>(missing)]) {
            ++missing;
        }
        order[p] = missing;
        placed[static_cast<std::size_t>(missing)] = true;
    }
    return order;
}

int AppSettings::ProfileShowList(int position) const
{
    if (position < 0 || position >= kProfileCount) {
        return 0;
    }
    return ProfileShowOrder()[static_cast<std::size_t>(position)];
}

void AppSettings::SetProfileShowList(int position, int index)
{
    if (position >= 0 && position < kProfileCount) {
        m_pairs[kShowListFirst + static_cast<std::size_t>(position)].value = TextNumbers::Decimal(index);
    }
}

std::filesystem::path AppSettings::ProfileSlotPath(int slot) const
{
    if (slot < 0 || slot >= kProfileCount) {
        return {};
    }
    std::filesystem::path path = PathFromText(Value(kSlotUrlFirst + static_cast<std::size_t>(slot)));
    if (path.is_relative() && !path.empty() && !m_dataFolder.empty()) {
        return m_dataFolder / path;
    }
    return path;
}

void AppSettings::UseDataFolder(const DataPaths& paths)
{
    m_dataFolder = paths.dataFolder;
    for (int slot = 0; slot < kProfileCount; ++slot) {
        std::u16string& value = m_pairs[kSlotUrlFirst + static_cast<std::size_t>(slot)].value;
        const int named = DefaultFileSlot(value);
        if (named >= 0) {
            std::u16string own = DefaultSlotText(paths, named);
            if (own != value) {
                value = std::move(own);
            }
        }
    }
}

void AppSettings::SetSensorText(std::uint16_t sensor)
{
    SetValue(AppSetting::Sensor, HexSetting(sensor));
}

void AppSettings::SetPreSTText(std::uint16_t value)
{
    SetValue(AppSetting::PreST, HexSetting(value));
}

void AppSettings::SetMacIdText(std::uint32_t value)
{
    SetValue(AppSetting::MacId, HexSetting(value));
}

std::uint16_t AppSettings::ParseSensorText() const
{
    return static_cast<std::uint16_t>(TextNumbers::ParseHex(Value(AppSetting::Sensor)));
}

std::uint16_t AppSettings::ParsePreSTText() const
{
    return static_cast<std::uint16_t>(TextNumbers::ParseHex(Value(AppSetting::PreST)));
}

void AppSettings::WriteSettingDefaults(const DataPaths& paths)
{
    m_pairs[Index(AppSetting::NeedPassword)] = {u"NeedPassword", u"0"};
    m_pairs[Index(AppSetting::Sensor)] = {u"Sensor", u"0x3311"};
    m_pairs[Index(AppSetting::PreST)] = {u"PreST", u"0xCCEE"};
    m_pairs[Index(AppSetting::MacId)] = {u"Mac_ID", u"0xFFFFFFFF"};
    m_pairs[Index(AppSetting::DataChange)] = {u"DataChange", u"0x1234"};
    m_pairs[Index(AppSetting::CurrentProfile)] = {u"CurrentProfile", u"0"};
    m_pairs[Index(AppSetting::ProfileShowCount)] = {u"ProfileShowCount", u"3"};
    for (int i = 0; i < kProfileCount; ++i) {
        const auto position = static_cast<std::size_t>(i);
        m_pairs[kShowListFirst + position] = {NumberedKey(u"ProfileShowList", i), TextNumbers::Decimal(i)};
        m_pairs[kSlotUrlFirst + position] = {NumberedKey(u"ProfileSlot", i, u"URL"), DefaultSlotText(paths, i)};
    }
    m_dataFolder = paths.dataFolder;
}

void AppSettings::Clear()
{
    for (auto& pair : m_pairs) {
        pair = {};
    }
}

#include "profiles/ProfileTable.h"

#include "profiles/AppSettings.h"
#include "profiles/LanguageTexts.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileFile.h"

#include <algorithm>

namespace {

constexpr FunctionValue kLeftClick{static_cast<std::uint8_t>(FunctionType::MouseButton), 0x01, 0x00};

bool IsLeftClick(const KeyAssignment& key)
{
    return key.Value[0] == kLeftClick[0] && key.Value[1] == kLeftClick[1];
}

}  // namespace

std::size_t ProfileTable::Checked(int index)
{
    return index >= 0 && index < kProfileCount ? static_cast<std::size_t>(index) : 0;
}

Profile& ProfileTable::Current(const AppSettings& settings)
{
    return At(settings.CurrentProfile());
}

const Profile& ProfileTable::Current(const AppSettings& settings) const
{
    return At(settings.CurrentProfile());
}

bool ProfileTable::AssignFunction(const AppSettings& settings, int controlId, std::u16string name,
                                  std::u16string url, FunctionValue value, const MacroKey* macro)
{
    if (controlId < kFirstButtonControl || controlId > kLastButtonControl) {
        return false;
    }
    KeyAssignment& key = Current(settings).Keys[static_cast<std::size_t>(controlId - kFirstButtonControl)];
    key.Name = std::move(name);
    key.URL = std::move(url);
    key.Value = value;
    key.Macro.MacroActionNum = 0;
    if (macro != nullptr) {
        key.Macro.name = macro->name;
        key.Macro.MacroKeyIndex = macro->MacroKeyIndex;
        key.Macro.MacroKeyLoopType = macro->MacroKeyLoopType;
        key.Macro.MacroKeyLoopNum = macro->MacroKeyLoopNum;
        key.Macro.MacroCommandActionNum = macro->MacroCommandActionNum;
        key.Macro.MacroActionNum = macro->UsableActionCount();
        key.Macro.actions = macro->actions;
        key.MacroKeyIndex = macro->MacroKeyIndex;
    }
    return true;
}

LeftClickCheck ProfileTable::CheckLeftClickRemains(const AppSettings& settings, int controlId,
                                                   const LanguageTexts& texts)
{
    const Profile& profile = Current(settings);
    const bool anyLeftClick = std::any_of(profile.Keys.begin(), profile.Keys.end(), IsLeftClick);
    if (anyLeftClick) {
        return LeftClickCheck::Kept;
    }
    AssignFunction(settings, controlId, texts.Text(DefaultTexts::kLeftClick), {}, kLeftClick, nullptr);
    return LeftClickCheck::Restored;
}

ProfileListResult ProfileTable::AddVisibleProfile(AppSettings& settings, std::u16string name,
                                                  const LanguageTexts& texts)
{
    const int count = settings.ProfileShowCount();
    if (count >= kProfileCount) {
        return {ProfileListChange::Refused, ProfileMessages::kNoFurtherProfile};
    }
    Profile& profile = At(settings.ProfileShowList(count));
    ResetProfile(profile, 0, texts, settings.SensorId());
    profile.SetSetting(ProfileSetting::ProfileName, std::move(name));
    settings.SetProfileShowCount(count + 1);
    return {};
}

ProfileListResult ProfileTable::DeleteVisibleProfile(AppSettings& settings, int index)
{
    if (index == settings.CurrentProfile()) {
        return {ProfileListChange::Refused, ProfileMessages::kCannotDeleteCurrent};
    }
    const int count = settings.ProfileShowCount();
    int position = 0;
    while (position < count && settings.ProfileShowList(position) != index) {
        ++position;
    }
    // Only a shown profile can be hidden, and one always stays shown.
    if (position == count || count <= 1) {
        return {ProfileListChange::Refused, 0};
    }
    const std::array<int, kProfileCount> order = settings.ProfileShowOrder();
    for (int p = position; p + 1 < kProfileCount; ++p) {
        settings.SetProfileShowList(p, order[static_cast<std::size_t>(p + 1)]);
    }
    settings.SetProfileShowList(kProfileCount - 1, index);
    settings.SetProfileShowCount(count - 1);
    return {};
}

bool ProfileTable::SaveAllProfiles(const AppSettings& settings) const
{
    bool allWritten = true;
    for (int i = 0; i < kProfileCount; ++i) {
        allWritten = WriteProfileFile(m_profiles[static_cast<std::size_t>(i)], settings.ProfileSlotPath(i)) &&
                     allWritten;
    }
    return allWritten;
}

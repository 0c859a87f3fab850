#include "profiles/Profile.h"

#include "profiles/LineText.h"
#include "profiles/TextNumbers.h"

namespace {

const std::u16string kEmptyText;

bool WritesOneForNonZero(ProfileSetting pair)
{
    return pair == ProfileSetting::AccelerationEnable || pair == ProfileSetting::ScrollWheelPageEnable;
}

}  // namespace

const std::u16string& Profile::GetSetting(std::size_t pair) const
{
    return pair < kSettingCount ? Settings[pair].value : kEmptyText;
}

void Profile::SetSetting(std::size_t pair, std::u16string value)
{
    // A text that would break its line of the profile file is refused; the pair keeps
    // its last good value.
    if (pair < kSettingCount && FitsOneLine(value)) {
        Settings[pair].value = std::move(value);
    }
}

const std::u16string& Profile::GetSetting(ProfileSetting pair) const
{
    return GetSetting(static_cast<std::size_t>(pair));
}

void Profile::SetSetting(ProfileSetting pair, std::u16string value)
{
    SetSetting(static_cast<std::size_t>(pair), std::move(value));
}

int Profile::GetIntSetting(ProfileSetting pair) const
{
    return static_cast<int>(TextNumbers::ParseDecimal(GetSetting(pair)));
}

void Profile::SetIntSetting(ProfileSetting pair, int value)
{
    SetSetting(pair, TextNumbers::Decimal(value));
}

void Profile::SetBoolSetting(ProfileSetting pair, int value)
{
    const bool on = WritesOneForNonZero(pair) ? value != 0 : value > 0;
    SetSetting(pair, on ? u"1" : u"0");
}

KeyAssignment* Profile::GetKey(unsigned button)
{
    return button < kButtonCount ? &Keys[button] : nullptr;
}

const KeyAssignment* Profile::GetKey(unsigned button) const
{
    return button < kButtonCount ? &Keys[button] : nullptr;
}

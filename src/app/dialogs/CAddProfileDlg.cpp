#include "app/dialogs/CAddProfileDlg.h"

#include "profiles/AppSettings.h"
#include "profiles/ProfileDefaults.h"

CAddProfileDlg::CAddProfileDlg(const LanguageTexts& texts, AppSettings& settings, Profile& profile,
                               QWidget* parent)
    : CProfileNameDlg(texts, Layout{kTextTitle, {10, 5, 420, 23}, {15, 65, 415, 87}}, QString(), parent),
      m_settings(settings),
      m_profile(profile)
{
}

void CAddProfileDlg::ApplyName(const std::u16string& name)
{
    m_settings.SetProfileShowCount(m_settings.ProfileShowCount() + 1);
    ResetProfile(m_profile, 0, Texts(), m_settings.SensorId());
    m_profile.SetSetting(ProfileSetting::ProfileName, name);
}

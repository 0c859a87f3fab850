#include "app/dialogs/CEditProfileDlg.h"

#include "profiles/Profile.h"

CEditProfileDlg::CEditProfileDlg(const LanguageTexts& texts, Profile& profile, QWidget* parent)
    : CProfileNameDlg(texts, Layout{kTextTitle, {10, 5, 220, 23}, {11, 40, 306, 62}},
                      QString::fromStdU16String(profile.GetSetting(ProfileSetting::ProfileName)), parent),
      m_profile(profile)
{
}

void CEditProfileDlg::ApplyName(const std::u16string& name)
{
    m_profile.SetSetting(ProfileSetting::ProfileName, name);
}

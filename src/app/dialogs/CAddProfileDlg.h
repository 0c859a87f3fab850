#pragma once

#include "app/dialogs/CProfileNameDlg.h"

class AppSettings;
struct Profile;

// Names a profile that is being added. OK with a name counts one more shown profile in
// the settings, resets the profile to its defaults and gives it the name.
class CAddProfileDlg : public CProfileNameDlg {
public:
    static constexpr int kTextTitle = 141;

    CAddProfileDlg(const LanguageTexts& texts, AppSettings& settings, Profile& profile,
                   QWidget* parent = nullptr);

protected:
    void ApplyName(const std::u16string& name) override;

private:
    AppSettings& m_settings;
    Profile& m_profile;
};

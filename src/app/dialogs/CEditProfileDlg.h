#pragma once

#include "app/dialogs/CProfileNameDlg.h"

struct Profile;

// Renames a profile: the box starts with its name; OK with a name stores it.
class CEditProfileDlg : public CProfileNameDlg {
public:
    static constexpr int kTextTitle = 144;

    CEditProfileDlg(const LanguageTexts& texts, Profile& profile, QWidget* parent = nullptr);

protected:
    void ApplyName(const std::u16string& name) override;

private:
    Profile& m_profile;
};

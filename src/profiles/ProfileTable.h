#pragma once

#include "profiles/Profile.h"

#include <array>
#include <filesystem>
#include <string>

class AppSettings;
class LanguageTexts;

// Language texts of the messages profile management can lead to.
namespace ProfileMessages {
inline constexpr int kNoFurtherProfile = 145;
inline constexpr int kKeepOneLeftClick = 151;
inline constexpr int kCannotDeleteCurrent = 152;
}  // namespace ProfileMessages

// What the left-click check asks the window to do next.
enum class LeftClickCheck {
    Kept,      // a left-click button remains: send the changed profile to the mouse
    Restored,  // the button was turned back into left click: repaint it, then warn
};

enum class ProfileListChange {
    Done,
    Refused,  // nothing changed; the attention window shows `message`
};

struct ProfileListResult {
    ProfileListChange change = ProfileListChange::Done;
    int message = 0;  // language text number when refused
};

// The five profiles of the mouse. The current one is named by the settings'
// "CurrentProfile"; buttons are addressed by the main window's label control ids.
class ProfileTable {
public:
    static constexpr int kProfileCount = 5;
    static constexpr int kFirstButtonControl = 2013;  // button 0's label; 2013..2018 are buttons 0..5
    static constexpr int kLastButtonControl = 2018;

    [[nodiscard]] Profile& At(int index) { return m_profiles[Checked(index)]; }
    [[nodiscard]] const Profile& At(int index) const { return m_profiles[Checked(index)]; }
    [[nodiscard]] Profile& Current(const AppSettings& settings);
    [[nodiscard]] const Profile& Current(const AppSettings& settings) const;

    // Stores a function into the current profile's button of that label control; any
    // other id stores nothing (returns false). The button's macro copy is emptied, and
    // filled from `macro` when one is given.
    bool AssignFunction(const AppSettings& settings, int controlId, std::u16string name, std::u16string url,
                        FunctionValue value, const MacroKey* macro);

    // After every assignment: when no button of the current profile is left click any
    // more, the button of `controlId` becomes left click again.
    [[nodiscard]] LeftClickCheck CheckLeftClickRemains(const AppSettings& settings, int controlId,
                                                       const LanguageTexts& texts);

    // Shows the next hidden profile, reset and named `name`.
    ProfileListResult AddVisibleProfile(AppSettings& settings, std::u16string name, const LanguageTexts& texts);
    // Hides profile `index` (its data stay); the current profile cannot be hidden.
    ProfileListResult DeleteVisibleProfile(AppSettings& settings, int index);

    // Writes the five profiles to their slot files. False when any write failed.
    bool SaveAllProfiles(const AppSettings& settings) const;

private:
    [[nodiscard]] static std::size_t Checked(int index);

    std::array<Profile, kProfileCount> m_profiles;
};

#pragma once

#include <QString>

class DpiStepTable;
struct Profile;

// The three lines the on-screen display shows for a profile: the current DPI level
// ("DPI-3"), that level's DPI value ("1600") and the profile's polling rate ("1000Hz").
struct OsdTexts {
    QString title;
    QString value;
    QString rate;
    friend bool operator==(const OsdTexts&, const OsdTexts&) = default;
};

// The title counts the level as stored (level + 1, whatever it is); the value of a level
// above 7 is taken from level 0, because the profile holds only eight levels.
[[nodiscard]] OsdTexts BuildOsdTexts(const Profile& profile, const DpiStepTable& table);

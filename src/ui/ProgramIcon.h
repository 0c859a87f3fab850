#pragma once

#include <QIcon>
#include <QString>

// The program's icon for its windows, the tray and notifications, made from the skins'
// 256-pixel picture and kept at the sizes desktops ask for (16 to 128 pixels): Qt holds
// the icon for as long as the program runs, and the large picture alone would take more
// memory than all of these together. A desktop that wants the icon larger takes it from
// the installed icon theme. Null when the picture is missing or unreadable.
class ProgramIcon {
public:
    static constexpr char kPictureResource[] = ":/embedded/128.png";

    [[nodiscard]] static QIcon Make();
    // From another picture, for tests.
    [[nodiscard]] static QIcon MakeFrom(const QString& picturePath);
};

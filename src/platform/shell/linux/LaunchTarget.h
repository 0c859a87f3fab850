#pragma once

#include <QString>
#include <QUrl>

#include <cstdint>

// How Linux opens a launch button's stored target (this file uses Qt). An executable file
// is run itself; an application entry (.desktop) is started as the application it
// describes, since the desktop would open it as a text; anything else that exists, and a
// URL with a scheme, goes to the desktop's handler for its type.
struct LaunchTarget {
    enum class Kind : std::uint8_t {
        Program,           // `path` is an executable regular file
        ApplicationEntry,  // `path` is a .desktop file
        DesktopItem,       // `url` is a local document or folder, or another URL
        Empty,
        Missing,           // neither an existing file nor a URL
    };

    Kind kind = Kind::Empty;
    QString path;  // absolute, for Program and ApplicationEntry
    QUrl url;      // for DesktopItem

    // A relative path is taken from the current folder, as the system's own launcher
    // would; "file:" URLs are local paths.
    [[nodiscard]] static LaunchTarget Of(const QString& target);
};

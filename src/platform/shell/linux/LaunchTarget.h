#pragma once

#include <QString>
#include <QUrl>

#include <cstdint>

// How Linux opens a launch button's stored target (this file uses Qt). An executable file
// is run itself; an application entry (.desktop) is started as the application it
// describes, since the desktop would open it as a text, but only when the desktops would
// trust it too: marked executable, or installed among the system's or the user's
// applications (an entry that came with a download is neither); anything else that
// exists, and a URL with a scheme, goes to the desktop's handler for its type. A path must
// be absolute: what a relative one names would depend on the folder the program was
// started from.
struct LaunchTarget {
    enum class Kind : std::uint8_t {
        Program,           // `path` is an executable regular file
        ApplicationEntry,  // `path` is a .desktop file the desktops trust
        UntrustedEntry,    // `path` is a .desktop file they do not: not executable, not installed
        DesktopItem,       // `url` is a local document or folder, or another URL
        Empty,
        Missing,           // neither an existing file nor a URL
        RelativePath,      // a path that is not absolute and not a URL
    };

    Kind kind = Kind::Empty;
    QString path;  // absolute, for Program, ApplicationEntry and UntrustedEntry
    QUrl url;      // for DesktopItem

    // "file:" URLs are local paths.
    [[nodiscard]] static LaunchTarget Of(const QString& target);
};

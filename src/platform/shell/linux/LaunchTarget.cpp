#include "platform/shell/linux/LaunchTarget.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kApplicationEntrySuffix = QStringLiteral("desktop");

// URL schemes have two letters at least: "C:" starts a path copied from Windows.
constexpr qsizetype kShortestUrlScheme = 2;

// A path stored on Windows ("C:\Tools\app.exe"): absolute there, it names no file here.
[[nodiscard]] bool IsWindowsDrivePath(const QString& target)
{
    return target.size() >= 2 && target[0].isLetter() && target[1] == QLatin1Char(':');
}

// Whether the entry lies in one of the folders the desktop's own menus list applications
// from ($XDG_DATA_HOME and $XDG_DATA_DIRS, "applications"): entries there were installed
// by a package or by the user's own menu editor, and the desktops trust them without the
// execute bit. The real paths are compared, so a link there to a file elsewhere does not count.
[[nodiscard]] bool InstalledEntry(const QFileInfo& entry)
{
    const QString real = entry.canonicalFilePath();
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        const QString realFolder = QFileInfo(folder).canonicalFilePath();
        if (!realFolder.isEmpty() && real.startsWith(realFolder + QLatin1Char('/')))
            return true;
    }
    return false;
}

[[nodiscard]] LaunchTarget LocalTarget(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return {LaunchTarget::Kind::Missing, {}, {}};
    const QString absolute = file.absoluteFilePath();
    if (file.isFile() && file.suffix() == kApplicationEntrySuffix) {
        // The desktops' rule for an entry from elsewhere: it runs only once the user has
        // marked it executable. Started otherwise, an entry that came with a download
        // would run its command without the user ever having trusted it.
        const bool trusted = file.isExecutable() || InstalledEntry(file);
        return {trusted ? LaunchTarget::Kind::ApplicationEntry : LaunchTarget::Kind::UntrustedEntry, absolute, {}};
    }
    if (file.isFile() && file.isExecutable())
        return {LaunchTarget::Kind::Program, absolute, {}};
    return {LaunchTarget::Kind::DesktopItem, {}, QUrl::fromLocalFile(absolute)};
}

[[nodiscard]] LaunchTarget LocalTargetIfAbsolute(const QString& path)
{
    if (!QDir::isAbsolutePath(path))
        return {LaunchTarget::Kind::RelativePath, {}, {}};
    return LocalTarget(path);
}

}  // namespace

LaunchTarget LaunchTarget::Of(const QString& target)
{
    if (target.isEmpty())
        return {};
    // An absolute path is a file even when its name reads like a URL ("/home/u/notes:old").
    if (QDir::isAbsolutePath(target))
        return LocalTarget(target);
    const QUrl url(target, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() >= kShortestUrlScheme) {
        if (url.isLocalFile())
            return LocalTargetIfAbsolute(url.toLocalFile());
        return {Kind::DesktopItem, {}, url};
    }
    if (IsWindowsDrivePath(target))
        return {Kind::Missing, {}, {}};
    return {Kind::RelativePath, {}, {}};
}

#include "platform/shell/linux/LaunchTarget.h"

#include <QFileInfo>

namespace {

const QString kApplicationEntrySuffix = QStringLiteral("desktop");

// A stored path copied from Windows ("C:\...") parses as a URL with a one-letter scheme;
// it names no file here and is not a URL either.
constexpr qsizetype kShortestUrlScheme = 2;

[[nodiscard]] LaunchTarget LocalTarget(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return {LaunchTarget::Kind::Missing, {}, {}};
    const QString absolute = file.absoluteFilePath();
    if (file.isFile() && file.suffix() == kApplicationEntrySuffix)
        return {LaunchTarget::Kind::ApplicationEntry, absolute, {}};
    if (file.isFile() && file.isExecutable())
        return {LaunchTarget::Kind::Program, absolute, {}};
    return {LaunchTarget::Kind::DesktopItem, {}, QUrl::fromLocalFile(absolute)};
}

}  // namespace

LaunchTarget LaunchTarget::Of(const QString& target)
{
    if (target.isEmpty())
        return {};
    // An existing file whose name looks like a URL ("notes:old") is still the file.
    if (QFileInfo::exists(target))
        return LocalTarget(target);
    const QUrl url(target, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().size() < kShortestUrlScheme)
        return {Kind::Missing, {}, {}};
    if (url.isLocalFile())
        return LocalTarget(url.toLocalFile());
    return {Kind::DesktopItem, {}, url};
}

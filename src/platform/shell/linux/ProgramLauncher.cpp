#include "platform/shell/ProgramLauncher.h"

#include "platform/shell/linux/LaunchTarget.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace {

// GLib's launcher starts a .desktop entry as its application (Debian: libglib2.0-bin).
const QString kEntryLauncher = QStringLiteral("gio");
const QString kEntryLauncherVerb = QStringLiteral("launch");

[[nodiscard]] LaunchOutcome Started(bool started)
{
    return started ? LaunchOutcome::StartedProgram : LaunchOutcome::Failed;
}

[[nodiscard]] LaunchOutcome OpenedByDesktop(const QUrl& url)
{
    return QDesktopServices::openUrl(url) ? LaunchOutcome::OpenedByDesktop : LaunchOutcome::Failed;
}

}  // namespace

LaunchOutcome ProgramLauncher::Open(const std::u16string& target)
{
    const LaunchTarget launch = LaunchTarget::Of(QString::fromStdU16String(target));
    switch (launch.kind) {
    case LaunchTarget::Kind::Program:
        // The argument list form runs the file itself: no shell sees the name.
        return Started(QProcess::startDetached(launch.path, {}));
    case LaunchTarget::Kind::ApplicationEntry: {
        const QString launcher = QStandardPaths::findExecutable(kEntryLauncher);
        if (launcher.isEmpty())
            return OpenedByDesktop(QUrl::fromLocalFile(launch.path));
        return Started(QProcess::startDetached(launcher, {kEntryLauncherVerb, launch.path}));
    }
    case LaunchTarget::Kind::DesktopItem:
        return OpenedByDesktop(launch.url);
    case LaunchTarget::Kind::Empty:
        return LaunchOutcome::EmptyTarget;
    case LaunchTarget::Kind::Missing:
        return LaunchOutcome::NotFound;
    case LaunchTarget::Kind::UntrustedEntry:
        return LaunchOutcome::UntrustedEntry;
    case LaunchTarget::Kind::RelativePath:
        return LaunchOutcome::RelativePath;
    }
    return LaunchOutcome::Failed;
}

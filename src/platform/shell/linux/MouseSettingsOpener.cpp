#include "platform/shell/MouseSettingsOpener.h"

#include "platform/shell/linux/DesktopMouseSettings.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

MouseSettingsOutcome MouseSettingsOpener::Open()
{
    const auto findOnPath = [](const std::string& program) {
        return QStandardPaths::findExecutable(QString::fromStdString(program));
    };
    const std::optional<SettingsCommand> command = DesktopMouseSettings::Choose(
        qgetenv("XDG_CURRENT_DESKTOP").toStdString(),
        [&findOnPath](const std::string& program) { return !findOnPath(program).isEmpty(); });
    if (!command)
        return {};
    QStringList arguments;
    for (const std::string& argument : command->arguments)
        arguments.append(QString::fromStdString(argument));
    // The path just found on PATH, run without a shell.
    const bool started = QProcess::startDetached(findOnPath(command->program), arguments);
    return {started, command->Text()};
}

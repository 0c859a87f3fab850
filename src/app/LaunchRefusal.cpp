#include "app/LaunchRefusal.h"

QString LaunchRefusalMessage(LaunchOutcome outcome, const QString& target)
{
    switch (outcome) {
    case LaunchOutcome::RelativePath:
        return QStringLiteral("The launch button's program \"%1\" is not named by its full path, so it was not "
                              "started. Choose the program for the button again.")
            .arg(target);
    case LaunchOutcome::UntrustedEntry:
        return QStringLiteral("The launch button's program %1 is an application entry that is not marked as "
                              "executable, so it was not started. Allow it to run as a program in its properties "
                              "(chmod +x) if you trust it.")
            .arg(target);
    case LaunchOutcome::StartedProgram:
    case LaunchOutcome::OpenedByDesktop:
    case LaunchOutcome::EmptyTarget:
    case LaunchOutcome::NotFound:
    case LaunchOutcome::Failed:
        break;
    }
    return {};
}

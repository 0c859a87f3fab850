#include "app/ProgramOptions.h"

#include <QCommandLineParser>

std::optional<ProgramOptions> ProgramOptions::Parse(const QStringList& arguments, QString& error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The configuration utility of the gaming mouse."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("Run on a simulated mouse and open its control window."));
    const QCommandLineOption hidLog(QStringLiteral("hid-log"), QStringLiteral("Write every HID transfer to FILE."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Use DIR as the data folder instead of the user's."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the main window's picture to FILE once it shows, then end."),
                                        QStringLiteral("FILE"));
    parser.addOptions({help, simulate, hidLog, dataDir, screenshot});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().constFirst());
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        error.clear();
        return std::nullopt;
    }
    ProgramOptions options;
    options.simulate = parser.isSet(simulate);
    options.hidLog = parser.value(hidLog);
    options.dataDir = parser.value(dataDir);
    options.screenshot = parser.value(screenshot);
    return options;
}

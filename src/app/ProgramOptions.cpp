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
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"), QStringLiteral("Save the main window's picture to FILE once it shows, then end."),
        QStringLiteral("FILE"));
    const QCommandLineOption scale(
        QStringLiteral("scale"),
        QStringLiteral("Draw the windows at FACTOR (1.0, 1.5 or 2.0) instead of the screen's choice."),
        QStringLiteral("FACTOR"));
    parser.addOptions({help, simulate, hidLog, dataDir, screenshot, scale});
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
    if (parser.isSet(scale)) {
        bool valid = false;
        const float factor = parser.value(scale).toFloat(&valid);
        if (!valid || (factor != 1.0F && factor != 1.5F && factor != 2.0F)) {
            error = QStringLiteral("--scale must be 1.0, 1.5 or 2.0");
            return std::nullopt;
        }
        options.scale = factor;
    }
    return options;
}

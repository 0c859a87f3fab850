#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks of the program.
struct ProgramOptions {
    bool simulate = false;  // run on the simulated mouse, with its control window
    QString hidLog;         // write every HID transfer to this file
    QString dataDir;        // another data folder than the user's
    float scale = 0.0F;     // 1.0, 1.5 or 2.0 instead of the screen's choice; 0: the screen's
    QString screenshot;     // save the main window's picture here once it shows, then end

    // Parses the arguments; nothing (and the reason in `error`, or the help text with
    // `error` empty) when the program should not start.
    [[nodiscard]] static std::optional<ProgramOptions> Parse(const QStringList& arguments, QString& error);
};

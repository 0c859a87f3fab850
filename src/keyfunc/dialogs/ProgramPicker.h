#pragma once

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

// The file dialog that picks a program for a launch button: the desktop's own dialog
// (through the portal where the desktop offers one), opening in the program's current
// folder. On Windows it offers "exe" files and starts with the file name "ab.exe"; on Linux
// executable files and application entries (.desktop).
class ProgramPicker {
public:
    enum class System { Windows, Linux };

    explicit ProgramPicker(System system = CurrentSystem());

    [[nodiscard]] static System CurrentSystem();
    [[nodiscard]] QStringList NameFilters() const;

    // Sets up a file dialog as the picker runs it.
    void Configure(QFileDialog& dialog) const;
    // Runs the dialog modally over parent; the chosen file's full path, or empty when
    // the dialog was cancelled.
    [[nodiscard]] QString Pick(QWidget* parent) const;

    // Whether a path is something Linux can launch: an executable file or a .desktop entry.
    [[nodiscard]] static bool IsLaunchable(const QString& path);

private:
    System m_system;
};

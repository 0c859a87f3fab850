#pragma once

#include "app/ProgramOptions.h"
#include "device/LinkKind.h"
#include "profiles/DataPaths.h"

#include <QString>

#include <filesystem>
#include <memory>

class CCorvaneDlg;
class HidBackend;
class QEventLoop;
class QObject;
class QWidget;
class SimulatedMouse;
struct MainWindowServices;

// The program: one per user session. Start brings everything up in the start-up order
// (data folder, screen scale, language, macro library, settings and profiles, DPI table,
// the main window, the tray, the mouse), Shutdown takes it down in the order that writes
// everything that is pending before anything is destroyed.
class CCorvaneApp {
public:
    enum class StartResult : std::uint8_t {
        Running,        // the program runs; the event loop may start
        OtherInstance,  // another run of this user got the restore request
        Failed,         // see the message
    };

    CCorvaneApp(ProgramOptions options, std::filesystem::path programFolder);
    ~CCorvaneApp();
    CCorvaneApp(const CCorvaneApp&) = delete;
    CCorvaneApp& operator=(const CCorvaneApp&) = delete;

    // `services` replaces the desktop actions of the window where it sets them (tests).
    [[nodiscard]] StartResult Start(const MainWindowServices* services = nullptr);
    [[nodiscard]] const QString& FailureMessage() const { return m_failure; }
    // Runs the event loop until the program ends, then shuts down; the exit code.
    int Run();
    // The program ends: dialogs closed, pending work written, the device thread drained.
    void Shutdown();

    // The restore request of the tray and of a second start.
    void Restore();
    // Hides the window to the tray, or minimises it where the desktop has no tray.
    void PutAway();
    // Ends the event loop (posted: a handler that asks is allowed to return first).
    void Quit();

    [[nodiscard]] CCorvaneDlg* Window() const;
    [[nodiscard]] SimulatedMouse* Mouse() const;
    [[nodiscard]] HidBackend* Backend() const;
    [[nodiscard]] const DataPaths& Paths() const { return m_paths; }
    [[nodiscard]] QWidget* SimulatorWindow() const;
    [[nodiscard]] bool QuitRequested() const { return m_quitRequested; }
    [[nodiscard]] QString TrayToolTip() const;

private:
    struct Parts;
    [[nodiscard]] bool LoadModel();
    [[nodiscard]] bool OpenDevices();
    void CreateWindow(const MainWindowServices* services);
    void ShowAccessProblem(const std::string& message);
    // Ends by Quit on SIGTERM, SIGHUP and SIGINT, writes pending work when the desktop's
    // session is saved, and by EndWithoutDisplay when the process ends by exit().
    void WatchTheEndOfTheRun();
    void EndWithoutDisplay();
    // A notice that does not stop the window; it replaces the one still open.
    void ShowAttention(const QString& title, const QString& message);

    ProgramOptions m_options;
    std::filesystem::path m_programFolder;
    DataPaths m_paths;
    QString m_failure;
    bool m_quitRequested = false;
    bool m_shutDown = false;
    bool m_accessProblemShown = false;
    std::unique_ptr<Parts> m_parts;
    // Owns the posted end of the event loop, so that a run destroyed first takes it along.
    std::unique_ptr<QObject> m_lifetime;
    QEventLoop* m_loop = nullptr;  // the loop Run runs, while it runs
};

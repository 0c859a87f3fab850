#include "app/CCorvaneApp.h"

#include "app/BatteryNotices.h"
#include "app/CCorvaneDlg.h"
#include "app/MainWindowIds.h"
#include "app/MainWindowLinkEvents.h"
#include "app/MainWindowPlacement.h"
#include "app/LaunchRefusal.h"
#include "app/MacroManagerLauncher.h"
#include "app/ProfileFileDialog.h"
#include "app/TrayIcon.h"
#include "app/bus/ProgramBus.h"
#include "app/sim/SimulatedMouseSeed.h"
#include "app/sim/SimulatedMouseWindow.h"
#include "app/dialogs/maintenance/CProgressBarDlg.h"
#include "app/dialogs/maintenance/QtUiPoster.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceIoThread.h"
#include "device/DeviceLink.h"
#include "device/HidBackend.h"
#include "device/HidTrafficLog.h"
#include "device/SteadyClock.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "macros/windows/CMacroSelectDlg.h"
#include "platform/DataFolder.h"
#include "platform/instance/SingleInstance.h"
#include "platform/instance/TerminationSignals.h"
#include "platform/notify/DesktopNotifier.h"
#include "platform/shell/MouseSettingsOpener.h"
#include "platform/shell/ProgramLauncher.h"
#include "profiles/AppSettings.h"
#include "profiles/LanguageLoader.h"
#include "profiles/LanguageTexts.h"
#include "profiles/PathText.h"
#include "profiles/ProfileTable.h"
#include "profiles/SaveProblemNotice.h"
#include "profiles/StartupLoad.h"
#include "sim/SimHidBackend.h"
#include "sim/SimulatedMouse.h"
#include "ui/OpenDialogList.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"
#include "ui/dialogs/CAttentionDlg.h"
#include "ui/dialogs/DialogParts.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif
#include <QSocketNotifier>
#include <QTimer>

#include <cstdlib>

#if __has_include("platform/hid/SystemHidBackend.h") && defined(CORVANE_HAS_SYSTEM_HID)
#include "platform/hid/SystemHidBackend.h"
#endif

namespace {

// How many received reports the simulated mouse keeps for inspection; its state (what it
// was sent) is kept whole whatever this says.
constexpr std::size_t kSimulatedReceivedLimit = 4096;

// The one command that gives the user at the desk the mouse's nodes: the program's udev
// rule, written where udev reads it, then applied to the nodes already there.
constexpr const char* kUdevCommand =
    R"(printf '%s\n' 'SUBSYSTEM=="hidraw", KERNEL=="hidraw*", ATTRS{idVendor}=="248a", )"
    R"(ATTRS{idProduct}=="6673|6674|6675", TAG+="uaccess"' 'SUBSYSTEM=="hidraw", KERNEL=="hidraw*", )"
    R"(KERNELS=="0005:248A:6673.*|0005:248A:6674.*|0005:248A:6675.*", TAG+="uaccess"' )"
    R"(| sudo tee /etc/udev/rules.d/70-corvane.rules && sudo udevadm control --reload && sudo udevadm trigger)";

// The run that is not yet shut down, for the process's end by exit(): Qt's X11 plugin ends
// the process that way when the connection to the display breaks (the session ended, the
// server went away), and no destructor of main's objects runs then.
CCorvaneApp* g_running = nullptr;

// The application's quit event (the session manager's end sends it) ends the program's
// own loop, which the application's handling of it would not reach.
class QuitEventFilter final : public QObject {
public:
    QuitEventFilter(std::function<void()> quit, QObject* parent) : QObject(parent), m_quit(std::move(quit)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != QCoreApplication::instance() || event->type() != QEvent::Quit)
            return false;
        m_quit();
        return true;
    }

private:
    std::function<void()> m_quit;
};

}  // namespace

// Declaration order is the reverse of destruction: the window and discovery go before
// the link, the link before the device thread, the thread before the backend and the
// simulated mouse its handles use.
struct CCorvaneApp::Parts {
    // The program's object on the session bus; it acts on the window once there is one.
    std::unique_ptr<ProgramBus> bus;
    std::unique_ptr<SingleInstance> instance;
    std::unique_ptr<TerminationSignals> endRequests;
    SteadyClock clock;
    std::unique_ptr<SimulatedMouse> mouse;
    QtUiPoster poster;
    LanguageTexts texts;
    AppSettings settings;
    std::unique_ptr<ProfileTable> profiles = std::make_unique<ProfileTable>();
    MacroLibrary macros;
    std::shared_ptr<HidTrafficLog> log;
    std::unique_ptr<HidBackend> backend;
    std::unique_ptr<QSocketNotifier> changeNotifier;
    std::unique_ptr<DeviceIoThread> deviceThread;
    std::unique_ptr<MainWindowLinkEvents> events;
    std::unique_ptr<DeviceLink> link;
    std::unique_ptr<DeviceDiscovery> discovery;
    std::unique_ptr<CCorvaneDlg> window;
    std::unique_ptr<TrayIcon> tray;
    std::unique_ptr<DesktopNotifier> notifier;
    std::unique_ptr<BatteryNotices> batteryNotices;
    std::unique_ptr<QWidget> simulatorWindow;
    QPointer<QWidget> attention;
    QPointer<QMessageBox> accessProblem;
    SaveProblemNotice saveProblemNotice;
    SaveFailures::ScopedObserver saveFailures;  // ends the reports with the run
};

CCorvaneApp::CCorvaneApp(ProgramOptions options, std::filesystem::path programFolder)
    : m_options(std::move(options)),
      m_programFolder(std::move(programFolder)),
      m_parts(std::make_unique<Parts>()),
      m_lifetime(std::make_unique<QObject>())
{
}

CCorvaneApp::~CCorvaneApp()
{
    Shutdown();
}

CCorvaneDlg* CCorvaneApp::Window() const
{
    return m_parts->window.get();
}

SimulatedMouse* CCorvaneApp::Mouse() const
{
    return m_parts->mouse.get();
}

HidBackend* CCorvaneApp::Backend() const
{
    return m_parts->backend.get();
}

QString CCorvaneApp::TrayToolTip() const
{
    return m_parts->tray ? m_parts->tray->ToolTip() : QString();
}

QWidget* CCorvaneApp::SimulatorWindow() const
{
    return m_parts->simulatorWindow.get();
}

CCorvaneApp::StartResult CCorvaneApp::Start(const MainWindowServices* services)
{
    Parts& parts = *m_parts;
    const std::filesystem::path dataFolder = m_options.dataDir.empty() ? UserDataFolder() : m_options.dataDir;

    // One run drives the mouse in the user's session; on the simulated mouse, one run
    // per data folder. The program's object is ready before the name is taken: a later
    // start asks it to restore the window as soon as it finds the name.
    parts.bus = std::make_unique<ProgramBus>([this] { return Window(); }, [this] { Restore(); });
    parts.instance = std::make_unique<SingleInstance>(InstanceName::ForRun(m_options.simulate, dataFolder));
    switch (parts.instance->Claim(parts.bus->Exported())) {
    case SingleInstance::Role::Secondary:
        return StartResult::OtherInstance;
    case SingleInstance::Role::Unreachable:
        m_failure = parts.instance->Problem();
        return StartResult::Failed;
    case SingleInstance::Role::Primary:
        break;
    }
    parts.instance->SetRestoreHandler([this] { Restore(); });
    WatchTheEndOfTheRun();

    // The data folder; one that cannot be made leaves every file at its defaults.
    m_paths = DataPaths{dataFolder, m_programFolder / "lang"};
    if (!dataFolder.empty())
        (void)EnsureDataFolder(dataFolder);

    // The scale from the screen's area for windows in device-independent pixels.
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    const MainWindowPlacement placement =
        m_options.scale > 0.0F ? MainWindowPlacement::AtScale(area.width(), area.height(), m_options.scale)
                               : MainWindowPlacement::ForScreen(area.width(), area.height());
    UiScale::Set(placement.uiScale);
    UiScale::SetDpiRatio(UiScale::DpiRatioOf(screen));

    if (!LoadModel())
        return StartResult::Failed;
    if (!OpenDevices())
        return StartResult::Failed;
    CreateWindow(services);

    CCorvaneDlg& window = *parts.window;
    window.SetFrameSize(placement.width, placement.height);
    window.InitDialog();
    window.move(area.left() + placement.left, area.top() + placement.top);
    OpenDialogList::Clear();

    // NeedPassword 1 starts in the tray: the window is first shown by a restore request
    // that the mouse answers. A desktop without a tray gets the window minimised instead,
    // where the user can find it. The tray follows the window, which need not wait for it.
    const int needPassword = parts.settings.NeedPassword();
    if (needPassword == 0)
        window.show();
    else if (!TrayIcon::DesktopHasTray())
        window.showMinimized();
    parts.tray = std::make_unique<TrayIcon>(
        parts.texts, [this] { Restore(); }, [this] { Quit(); });
    parts.tray->Show();
    parts.notifier = std::make_unique<DesktopNotifier>(
        QStringLiteral("Corvane"), QStringLiteral("org.corvane.Corvane"), QGuiApplication::windowIcon(),
        [this](const QString& title, const QString& message) {
            if (m_parts->tray)
                m_parts->tray->ShowMessage(title, message);
        });
    parts.batteryNotices = std::make_unique<BatteryNotices>(
        parts.texts, [this](const QString& title, const QString& message) { m_parts->notifier->Send(title, message); });
    parts.discovery->Startup(needPassword);
    if (parts.mouse) {
        auto simulator = std::make_unique<SimulatedMouseWindow>(*parts.mouse);
        simulator->ShowBeside(window);
        parts.simulatorWindow = std::move(simulator);
    }
    if (parts.backend->ChangeDescriptor() >= 0) {
        parts.changeNotifier =
            std::make_unique<QSocketNotifier>(parts.backend->ChangeDescriptor(), QSocketNotifier::Read);
        QObject::connect(parts.changeNotifier.get(), &QSocketNotifier::activated, parts.changeNotifier.get(),
                         [backend = parts.backend.get()] { backend->DispatchChanges(); });
    }
    return StartResult::Running;
}

bool CCorvaneApp::LoadModel()
{
    Parts& parts = *m_parts;
    const LanguageSources sources{m_paths.ConfigFolder(), m_paths.programLanguageFolder, UserLocaleName(),
                                  UiScale::Get()};
    (void)LoadLanguage(parts.texts, sources);
    UiFont::SetControlFont(parts.texts.Font());
    // A save that fails (a read-only, full or unreadable data folder) is told once, on the
    // UI thread, with the folder and the reason; the program runs on what it read.
    parts.saveFailures.Set([this, lifetime = QPointer<QObject>(m_lifetime.get())](const SaveFailure& failure) {
        if (!lifetime)
            return;
        QMetaObject::invokeMethod(
            lifetime,
            [this, failure] {
                Parts& p = *m_parts;
                const auto notice = p.saveProblemNotice.Take(failure, m_paths, p.settings, p.texts);
                if (!notice || m_shutDown)
                    return;
                auto* attention = new CAttentionDlg(
                    p.texts, DialogParts::LanguageText(p.texts, CAttentionDlg::kTextTitle),
                    QString::fromStdU16String(*notice), Window());
                attention->setAttribute(Qt::WA_DeleteOnClose);
                attention->setWindowFlag(Qt::WindowStaysOnTopHint);
                attention->InitDialog();
                attention->show();
            },
            Qt::QueuedConnection);
    });
    (void)MacroLibraryFile::Load(parts.macros, m_paths.MacroLibraryFile());
    (void)LoadSettingsAndProfiles(parts.settings, *parts.profiles, parts.texts, m_paths);
    return true;
}

bool CCorvaneApp::OpenDevices()
{
    Parts& parts = *m_parts;
    if (m_options.simulate) {
        // A mouse on its cable, as a newcomer would plug it in.
        parts.mouse = std::make_unique<SimulatedMouse>(parts.clock);
        parts.mouse->SetReceivedLimit(kSimulatedReceivedLimit);
        parts.mouse->Plug(LinkKind::Wired);
        SeedSimulatedMouse(*parts.mouse, parts.profiles->At(parts.settings.CurrentProfile()),
                           parts.settings.SensorId());
        parts.mouse->StartReportTimer();
        parts.backend = std::make_unique<SimHidBackend>(*parts.mouse, parts.poster);
    } else {
#if defined(CORVANE_HAS_SYSTEM_HID)
        parts.backend = CreateSystemHidBackend();
#endif
    }
    if (!parts.backend) {
        m_failure = QStringLiteral(
            "this build has no HID backend for this system; --simulate runs the program on "
            "the simulated mouse");
        return false;
    }
    if (!m_options.hidLog.empty()) {
        std::string error;
        parts.log = HidTrafficLog::Open(m_options.hidLog, parts.clock, error);
        if (!parts.log) {
            m_failure = QString::fromStdString(error);
            return false;
        }
    }
    parts.deviceThread = std::make_unique<DeviceIoThread>();

    MainWindowLinkEvents::Actions actions;
    actions.showWindow = [this] {
        if (CCorvaneDlg* window = Window()) {
            window->showNormal();
            window->raise();
            window->activateWindow();
        }
    };
    actions.minimiseWindow = [this] {
        // A window that was never shown stays hidden: minimising would show it.
        if (CCorvaneDlg* window = Window(); window != nullptr && window->isVisible())
            window->showMinimized();
    };
    actions.hideWindow = [this] {
        CCorvaneDlg* window = Window();
        if (window == nullptr)
            return;
        // Without a tray a hidden window could not be found again: it stays minimised.
        if (TrayIcon::DesktopHasTray())
            window->hide();
        else if (window->isVisible() && !window->isMinimized())
            window->showMinimized();
    };
    actions.batteryChanged = [this](const BatteryState& battery, bool reported) {
        Parts& p = *m_parts;
        if (p.tray)
            p.tray->SetBatteryLevel(BatteryDisplay::ShownLevel(battery.batteryLevel));
        if (p.batteryNotices)
            p.batteryNotices->BatteryChanged(battery, reported);
    };
    actions.quit = [this] { Quit(); };
    actions.stateChanged = [this] {
        if (m_parts->bus)
            m_parts->bus->StateChanged();
    };
    actions.accessDenied = [this](const std::string& message) { ShowAccessProblem(message); };
    actions.showAttention = [this](int title, int message) {
        const LanguageTexts& texts = m_parts->texts;
        ShowAttention(DialogParts::LanguageText(texts, title), DialogParts::LanguageText(texts, message));
    };
    actions.showProgress = [this](int message) {
        (void)CProgressBarDlg::ShowProgress(Window(), m_parts->texts,
                                            DialogParts::LanguageText(m_parts->texts, message));
    };
    parts.events = std::make_unique<MainWindowLinkEvents>(std::move(actions));
    parts.link =
        std::make_unique<DeviceLink>(DeviceModel{*parts.profiles, parts.settings, parts.macros, parts.texts, m_paths},
                                     *parts.deviceThread, parts.poster, parts.clock, *parts.events);
    parts.link->BuildDpiTable();
    parts.discovery =
        std::make_unique<DeviceDiscovery>(*parts.backend, *parts.link, parts.poster, *parts.events, parts.log);
    return true;
}

void CCorvaneApp::CreateWindow(const MainWindowServices* given)
{
    Parts& parts = *m_parts;
    MainWindowServices services;
    services.showNotice = [this](int /*title*/, int message) {
        (void)CAttentionDlg::Show(m_parts->texts, message, Window());
    };
    services.showMessage = [this](const QString& message) {
        CAttentionDlg attention(m_parts->texts, DialogParts::LanguageText(m_parts->texts, CAttentionDlg::kTextTitle),
                                message, Window());
        (void)attention.DoModal();
    };
    services.pickImportFile = [this](const QString& title) {
        return ProfileFileDialog::Pick(Window(), title, QFileDialog::AcceptOpen);
    };
    services.pickExportFile = [this](const QString& title) {
        return ProfileFileDialog::Pick(Window(), title, QFileDialog::AcceptSave);
    };
    services.openMouseSettings = [] { return MouseSettingsOpener::Open().started; };
    // A launch that fails does so quietly, as an empty or stale path would; a refused one
    // is said, without stopping the window (the mouse's button press brought it).
    services.launchProgram = [this](const std::u16string& target) {
        const QString refusal = LaunchRefusalMessage(ProgramLauncher::Open(target), QString::fromStdU16String(target));
        if (!refusal.isEmpty())
            ShowAttention(DialogParts::LanguageText(m_parts->texts, CAttentionDlg::kTextTitle), refusal);
    };
    services.putAway = [this] { PutAway(); };
    static_assert(CMacroSelectDlg::kResultMessage == MainMsg::kMacroSelectionResult);
    services.selectMacro = [this](CDlgBase& window) { CMacroSelectDlg::Run(window, m_parts->texts, m_parts->macros); };
    services.quit = [this] { Quit(); };
    services.runMacroManager = [this](CDlgBase& /*window*/) {
        if (CCorvaneDlg* window = Window())
            RunMacroManager(*window);
    };
    // The bus announces what the window now shows.
    services.profileShown = [this] {
        if (m_parts->bus)
            m_parts->bus->StateChanged();
    };
    if (given != nullptr) {
        // The caller's actions replace ours where it gives them.
        auto take = [](auto& ours, const auto& theirs) {
            if (theirs)
                ours = theirs;
        };
        take(services.showNotice, given->showNotice);
        take(services.showMessage, given->showMessage);
        take(services.pickImportFile, given->pickImportFile);
        take(services.pickExportFile, given->pickExportFile);
        take(services.openMouseSettings, given->openMouseSettings);
        take(services.launchProgram, given->launchProgram);
        take(services.putAway, given->putAway);
        take(services.selectMacro, given->selectMacro);
        take(services.runMacroManager, given->runMacroManager);
        take(services.quit, given->quit);
    }
    parts.events->SetLaunchProgram(services.launchProgram);
    parts.window = std::make_unique<CCorvaneDlg>(MainWindowModel{*parts.profiles, parts.settings, parts.macros,
                                                                 parts.texts, m_paths, *parts.link, *parts.discovery},
                                                 std::move(services));
    parts.events->SetWindow(parts.window.get());
}

void CCorvaneApp::ShowAttention(const QString& title, const QString& message)
{
    Parts& p = *m_parts;
    if (p.attention)
        p.attention->deleteLater();
    auto* attention = new CAttentionDlg(p.texts, title, message, Window());
    attention->setAttribute(Qt::WA_DeleteOnClose);
    attention->setWindowFlag(Qt::WindowStaysOnTopHint);
    attention->InitDialog();
    attention->show();
    p.attention = attention;
}

void CCorvaneApp::ShowAccessProblem(const std::string& message)
{
    // Once per run: enumerations repeat on every arrival and would repeat the box.
    if (m_accessProblemShown)
        return;
    m_accessProblemShown = true;
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Gaming Mouse"),
                                QStringLiteral("The mouse is connected, but this user may not open it (%1).\n\n"
                                               "This command lets the user at the desk open it; then plug the "
                                               "mouse in again:")
                                    .arg(QString::fromStdString(message)),
                                QMessageBox::Ok);
    box->setInformativeText(QString::fromLatin1(kUdevCommand));
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
    m_parts->accessProblem = box;
}

void CCorvaneApp::Restore()
{
    if (m_parts->discovery)
        m_parts->discovery->RequestShowWindow();
}

void CCorvaneApp::PutAway()
{
    CCorvaneDlg* window = Window();
    if (window == nullptr)
        return;
    if (TrayIcon::DesktopHasTray())
        window->hide();
    else
        window->showMinimized();
}

void CCorvaneApp::Quit()
{
    m_quitRequested = true;
    OpenDialogList::CloseAll();
    QTimer::singleShot(0, m_lifetime.get(), [this] {
        if (m_loop != nullptr)
            m_loop->exit(0);
    });
}

int CCorvaneApp::Run()
{
    // The program's own loop: ending it touches no other loop, where the application's
    // exit would also end every loop started later in the process (dialogs included).
    QEventLoop loop;
    m_loop = &loop;
    const int code = loop.exec();
    m_loop = nullptr;
    Shutdown();
    return code;
}

void CCorvaneApp::WatchTheEndOfTheRun()
{
    // Every way the run can end goes through Quit, then Shutdown once the loop has
    // returned: the close button, the tray, the mouse's removal and these.
    m_parts->endRequests = std::make_unique<TerminationSignals>([this](int /*signalNumber*/) { Quit(); });
#if QT_CONFIG(sessionmanager)
    // The session asks its programs to save before it may end them; it may still be
    // cancelled, so the program goes on running. Its end then sends the quit event, or
    // breaks the display's connection (below).
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, m_lifetime.get(), [this](QSessionManager&) {
        if (m_parts->link && !m_shutDown)
            m_parts->link->WritePendingWork();
    });
#endif
    qApp->installEventFilter(new QuitEventFilter([this] { Quit(); }, m_lifetime.get()));
    // Should anything end the application's own loop, everything is written before the
    // application object goes.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, m_lifetime.get(), [this] { Shutdown(); });
    g_running = this;
    static const bool exitHandled = std::atexit([] {
        if (g_running != nullptr)
            g_running->EndWithoutDisplay();
    }) == 0;
    (void)exitHandled;
}

void CCorvaneApp::EndWithoutDisplay()
{
    // The process ends within exit(): no window may be touched (the display may be gone)
    // and nothing is destroyed; only what is pending is written and the instance let go.
    if (m_shutDown)
        return;
    m_shutDown = true;
    g_running = nullptr;
    Parts& parts = *m_parts;
    if (parts.link)
        (void)parts.link->FinishPendingWork();
    parts.instance.reset();
}

void CCorvaneApp::Shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    if (g_running == this)
        g_running = nullptr;
    Parts& parts = *m_parts;
    OpenDialogList::CloseAll();
    if (parts.window) {
        for (unsigned timer : {MainTimer::kApply, MainTimer::kWindowCheck, MainTimer::kConnection, MainTimer::kBattery,
                               MainTimer::kReenumerate, MainTimer::kSave})
            parts.window->KillTimer(timer);
        parts.window->hide();
    }
    // An apply still waiting for its timer is made, a pending save is written, queued
    // writes get their time to reach the mouse, and what cannot be written is recorded
    // for the next start.
    if (parts.link)
        (void)parts.link->FinishPendingWork();
    if (parts.discovery)
        parts.discovery->Shutdown();
    parts.changeNotifier.reset();
    if (parts.tray)
        parts.tray->Hide();
    if (parts.events)
        parts.events->SetWindow(nullptr);
    parts.simulatorWindow.reset();
    parts.batteryNotices.reset();
    parts.notifier.reset();
    parts.tray.reset();
    parts.window.reset();
    parts.discovery.reset();
    parts.link.reset();
    parts.deviceThread.reset();
    parts.changeNotifier.reset();
    parts.backend.reset();
    // Last: a later start finds the program gone only once everything is written.
    parts.endRequests.reset();
    parts.instance.reset();
    parts.bus.reset();
}

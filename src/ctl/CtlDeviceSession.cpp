#include "ctl/CtlDeviceSession.h"

#include "device/DeviceDiscovery.h"
#include "device/DeviceIoThread.h"
#include "device/DeviceLink.h"
#include "device/HidHandle.h"
#include "device/HidReports.h"
#include "device/HidTrafficLog.h"
#include "device/StatusListener.h"
#include "device/SteadyClock.h"
#include "macros/MacroLibraryFile.h"
#include "profiles/CStdioFileEx.h"
#include "profiles/LanguageLoader.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileFile.h"
#include "profiles/SettingsFile.h"
#include "sim/SimHidBackend.h"
#include "sim/SimulatedMouse.h"

#include <atomic>
#include <ostream>

CtlDeviceSession::CtlDeviceSession(const CtlEnvironment& environment, const CtlDeviceOptions& options,
                                   std::ostream& err)
    : m_environment(environment),
      m_options(options),
      m_err(err),
      m_profiles(std::make_unique<ProfileTable>())
{
    if (environment.clock) {
        m_clock = environment.clock;
    } else {
        m_ownClock = std::make_unique<SteadyClock>();
        m_clock = m_ownClock.get();
    }
    if (m_options.simulate) {
        if (environment.simulatedMouse) {
            m_mouse = environment.simulatedMouse;
        } else {
            // A mouse on its cable, as a newcomer would plug it in.
            m_ownMouse = std::make_unique<SimulatedMouse>(*m_clock);
            m_ownMouse->Plug(LinkKind::Wired);
            m_mouse = m_ownMouse.get();
        }
    }
}

CtlDeviceSession::~CtlDeviceSession()
{
    if (m_discovery)
        m_discovery->Shutdown();
    // The link goes before the device thread, whose queued jobs reach it only through
    // guarded posts; the thread ends before the backend and the mouse its handles use.
    m_discovery.reset();
    m_link.reset();
    m_deviceThread.reset();
    m_backend.reset();
}

void CtlDeviceSession::LoadModel()
{
    const std::filesystem::path folder =
        m_options.dataFolder.empty() ? m_environment.defaultDataFolder : m_options.dataFolder;
    m_paths = DataPaths{folder, m_environment.programLanguageFolder};
    const LanguageSources sources{m_paths.ConfigFolder(), m_paths.programLanguageFolder, m_environment.userLocale,
                                  1.0};
    (void)LoadLanguage(m_texts, sources);

    // Read only: a file that fails its checks is replaced in memory, never on disk.
    m_settingsRead = CStdioFileEx::IsReadWritable(m_paths.SettingsFile()) &&
                     ReadSettingsFile(m_settings, m_paths.SettingsFile()).ok;
    if (!m_settingsRead) {
        m_settings.Clear();
        m_settings.WriteSettingDefaults(m_paths);
    }
    m_settings.UseDataFolder(m_paths);
    m_settings.SetSensorId(m_settings.ParseSensorText());
    for (int index = 0; index < ProfileTable::kProfileCount; ++index) {
        Profile& profile = m_profiles->At(index);
        const FileCheck check = ParseProfileFile(profile, m_settings.ProfileSlotPath(index));
        m_profileFailingLine[static_cast<std::size_t>(index)] = check.ok ? 0 : std::max<std::size_t>(check.failingLine, 1);
        if (!check.ok)
            ResetProfile(profile, static_cast<unsigned>(index), m_texts, m_settings.SensorId());
    }
    (void)MacroLibraryFile::Load(m_macros, m_paths.MacroLibraryFile());
}

bool CtlDeviceSession::OpenBackend()
{
    if (m_mouse) {
        m_backend = std::make_unique<SimHidBackend>(*m_mouse, m_ui);
    } else if (m_environment.systemBackend) {
        m_backend = m_environment.systemBackend();
    }
    if (!m_backend) {
        m_err << "corvanectl: this build has no HID backend for this system; --simulate talks to the simulated mouse\n";
        return false;
    }
    if (!m_options.hidLog.empty()) {
        std::string error;
        m_log = HidTrafficLog::Open(m_options.hidLog, *m_clock, error);
        if (!m_log) {
            m_err << "corvanectl: " << error << "\n";
            return false;
        }
    }
    return true;
}

int CtlDeviceSession::Connect()
{
    LoadModel();
    if (!OpenBackend())
        return CtlExit::kUsage;
    m_deviceThread = std::make_unique<DeviceIoThread>();
    m_link = std::make_unique<DeviceLink>(DeviceModel{*m_profiles, m_settings, m_macros, m_texts, m_paths},
                                          *m_deviceThread, m_ui, *m_clock, m_events);
    m_discovery = std::make_unique<DeviceDiscovery>(*m_backend, *m_link, m_ui, m_events, m_log,
                                                    DeviceDiscovery::Listeners::None);
    m_link->BuildDpiTable();

    // The first enumeration asks the link in charge for its presence reply.
    m_discovery->Enumerate();
    const auto& problems = m_discovery->AccessProblems();
    for (const std::string& problem : problems)
        m_err << "corvanectl: " << problem << "\n";
    if (!m_link->Connection().anyPresent) {
        if (!problems.empty()) {
            m_err << "corvanectl: the mouse is there, but this user may not open it; install the udev rule "
                     "(see the README) and plug it in again\n";
            return CtlExit::kUsage;
        }
        m_err << "corvanectl: no mouse found\n";
        return CtlExit::kRefused;
    }
    if (!WaitForExchanges(m_options.timeout) || !m_events.presence) {
        m_err << "corvanectl: the mouse did not answer the presence query\n";
        return CtlExit::kRefused;
    }
    return CtlExit::kDone;
}

std::optional<ExchangeSummary> CtlDeviceSession::WaitForExchanges(std::chrono::milliseconds timeout)
{
    std::optional<ExchangeSummary> totals;
    m_link->AfterPendingExchanges([&totals](const ExchangeSummary& summary) { totals = summary; });
    if (!m_ui.RunUntil([&totals] { return totals.has_value(); }, timeout))
        return std::nullopt;
    return totals;
}

std::optional<std::vector<std::uint8_t>> CtlDeviceSession::ReadStatusReport(LinkKind link)
{
    std::optional<std::vector<std::uint8_t>> report;
    bool ended = false;
    std::atomic<bool> active{false};
    auto listener = StatusListener::Start(
        link, m_discovery->OpenStatusInterface(link), ReportLength::kStatus, active, m_ui,
        [&report](LinkKind, std::vector<std::uint8_t> bytes) {
            if (!report)
                report = std::move(bytes);
        },
        [&ended] { ended = true; });
    if (!listener)
        return std::nullopt;
    // The simulated mouse reports its state once someone listens, as the mouse does when
    // it is moved or a button is pressed.
    if (m_mouse) {
        m_mouse->WaitForBlockedReaders(1);
        m_mouse->EmitStatus();
    }
    (void)m_ui.RunUntil([&] { return report.has_value() || ended; }, m_options.timeout);
    // Ending the listener closes the interface; what it posted meanwhile runs before the
    // sinks' variables go.
    listener.reset();
    m_ui.RunPending();
    return report;
}

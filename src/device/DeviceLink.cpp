#include "device/DeviceLink.h"

#include "device/CommandExchanger.h"
#include "device/DeviceJobRunner.h"
#include "device/DeviceLinkEvents.h"
#include "device/DeviceTexts.h"
#include "device/FirmwareSession.h"
#include "device/HidHandle.h"
#include "device/KeyAssignmentCommands.h"
#include "device/MacroButtonResolver.h"
#include "device/MacroUploader.h"
#include "device/SettingsCommands.h"
#include "device/StatusReport.h"
#include "device/StatusReportProcessor.h"
#include "device/UiPoster.h"
#include "profiles/AppSettings.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileTable.h"
#include "profiles/SettingsFile.h"

#include <utility>

namespace {

// Posts `task` to the UI thread, where it runs only if the link that asked for it still
// exists. Device-thread jobs reach back to the link through this alone.
void PostIfAlive(UiPoster& poster, std::weak_ptr<int> alive, std::function<void()> task)
{
    poster.Post([alive = std::move(alive), task = std::move(task)] {
        if (alive.lock())
            task();
    });
}

}  // namespace

DeviceLink::DeviceLink(DeviceModel model, DeviceJobRunner& runner, UiPoster& poster, Clock& clock,
                       DeviceLinkEvents& events)
    : m_model(std::move(model)),
      m_runner(runner),
      m_poster(poster),
      m_events(events),
      m_clock(clock),
      m_exchanger(std::make_shared<CommandExchanger>(clock)),
      m_listener(ListenerMemory::ForSensor(m_model.settings.SensorId()))
{
}

DeviceLink::~DeviceLink() = default;

void DeviceLink::SetCommandInterface(LinkKind link, std::shared_ptr<HidHandle> handle)
{
    m_commandSlots[LinkIndex(link)] = std::move(handle);
}

void DeviceLink::CloseCommandInterface(LinkKind link)
{
    // A job still using the handle keeps it alive; it closes when that job lets go.
    m_commandSlots[LinkIndex(link)].reset();
}

void DeviceLink::CloseAll()
{
    for (auto& slot : m_commandSlots)
        slot.reset();
}

bool DeviceLink::HasCommandInterface(LinkKind link) const
{
    return m_commandSlots[LinkIndex(link)] != nullptr;
}

std::optional<LinkKind> DeviceLink::SelectCommandInterface() const
{
    for (const LinkKind link : kCommandPreference)
        if (HasCommandInterface(link))
            return link;
    return std::nullopt;
}

std::shared_ptr<HidHandle> DeviceLink::PreferredSlot() const
{
    const auto link = SelectCommandInterface();
    return link ? m_commandSlots[LinkIndex(*link)] : nullptr;
}

LinkPresence DeviceLink::Presence() const
{
    LinkPresence presence{};
    for (std::size_t i = 0; i < kLinkKindCount; ++i)
        presence[i] = m_links[i].present;
    return presence;
}

Profile& DeviceLink::CurrentProfile()
{
    return m_model.profiles.Current(m_model.settings);
}

void DeviceLink::BuildDpiTable()
{
    (void)m_dpiTable.Build(m_model.settings.SensorId());
}

void DeviceLink::SubmitCommands(std::vector<CommandRequest> commands)
{
    if (commands.empty())
        return;
    // The job reaches back only through the poster; `this` is touched in the posted task,
    // on the UI thread, and only while the link still exists.
    m_runner.Submit([this, poster = &m_poster, exchanger = m_exchanger, handle = PreferredSlot(),
                     alive = std::weak_ptr<int>(m_alive), commands = std::move(commands)](const std::stop_token& stop) {
        ExchangeSummary summary;
        for (const CommandRequest& command : commands) {
            if (stop.stop_requested())
                break;
            if (exchanger->Exchange(handle.get(), command) == ExchangeResult::Accepted)
                ++summary.accepted;
            else
                ++summary.dropped;
        }
        PostIfAlive(*poster, alive, [this, summary] { m_totals += summary; });
    });
}

void DeviceLink::AfterPendingExchanges(std::function<void(const ExchangeSummary&)> done)
{
    m_runner.Submit([this, poster = &m_poster, alive = std::weak_ptr<int>(m_alive),
                     done = std::move(done)](const std::stop_token&) {
        PostIfAlive(*poster, alive, [this, done] { done(m_totals); });
    });
}

void DeviceLink::ScheduleApply()
{
    m_events.StartApplyTimer(kApplyDelay);
}

ApplyOutcome DeviceLink::ApplyToDevice()
{
    m_reportSent = false;
    ApplyOutcome outcome;
    if (!m_connection.deviceConfirmed)
        return outcome;
    if (!HasCommandInterface(LinkKind::Wired) && !HasCommandInterface(LinkKind::Ble) &&
        !m_connection.receiverMouseOnline) {
        m_events.ShowAttention(DeviceTexts::kNotice, DeviceTexts::kMouseOffline);
        outcome.result = ApplyResult::Unreachable;
        return outcome;
    }
    outcome.result = ApplyResult::Applied;

    Profile& profile = CurrentProfile();
    ResolveMacroButtons(profile, m_model.macros, m_model.texts, m_macroResolution);

    // Every sender returns at once, leaving its copies alone, when no command interface
    // is open; the receiver may say its mouse is on line before its interface is open.
    const bool canSend = SelectCommandInterface().has_value();
    std::vector<CommandRequest> commands;
    if (canSend) {
        if (m_flags.keysChanged)
            if (auto keys = SendKeyAssignments(profile, m_copies))
                commands.push_back(*keys);
        if (m_flags.settingsChanged)
            for (CommandRequest& command : SettingsCommands::SendSettings(profile, m_dpiTable, m_copies))
                commands.push_back(command);
        if (m_flags.powerSavingChanged)
            if (auto command = SettingsCommands::SendPowerSaving(profile, m_copies))
                commands.push_back(*command);
        if (m_flags.sensorOptionsChanged)
            if (auto command = SettingsCommands::SendSensorOptions(profile, m_copies))
                commands.push_back(*command);
    }
    m_flags.Clear();
    // The macro copies follow the profile even when nothing can be written, as they
    // would after an exchange with no interface to write to.
    for (CommandRequest& command : UploadMacros(profile, m_macroResolution, m_copies, MacroUploadMode::Send))
        if (canSend)
            commands.push_back(command);

    outcome.commandCount = commands.size();
    m_reportSent = !commands.empty();
    outcome.reportSent = m_reportSent;
    SubmitCommands(std::move(commands));

    if (m_reportSent)
        m_events.ShowProgress(DeviceTexts::kSavingToMouse);
    m_savePending = true;
    m_events.StartSaveTimer(kSaveDelay);
    m_events.RefreshWindow();
    return outcome;
}

void DeviceLink::PrimeLastSent()
{
    Profile& profile = CurrentProfile();
    SettingsCommands::PrimeSettingsCopies(profile, m_dpiTable, m_copies);
    PrimeKeyAssignments(profile, m_copies);
    ResolveMacroButtons(profile, m_model.macros, m_model.texts, m_macroResolution);
    (void)UploadMacros(profile, m_macroResolution, m_copies, MacroUploadMode::CopiesOnly);
}

void DeviceLink::OnSaveTimer()
{
    m_savePending = false;
    (void)SaveSettings(m_model.settings, m_model.settings.CurrentProfile(), m_model.paths.SettingsFile());
    (void)m_model.profiles.SaveAllProfiles(m_model.settings);
}

void DeviceLink::SaveIfPending()
{
    if (m_savePending)
        OnSaveTimer();
}

void DeviceLink::OnStatusReport(LinkKind link, std::span<const std::uint8_t> bytes)
{
    const auto report = StatusReport::FromBytes(bytes);
    if (!report)
        return;
    StatusReportProcessor processor(m_connection, m_battery, m_listener, m_model.texts);
    const StatusOutcome outcome = processor.Process(*report, link, Presence(), CurrentProfile());
    if (outcome.disposition == StatusDisposition::Ignored)
        return;
    if (outcome.startConnectionTimer)
        m_events.StartConnectionTimer(StatusReportProcessor::kConnectionTimerDelay);
    if (outcome.launchUrl)
        m_events.LaunchProgram(*outcome.launchUrl);
    if (outcome.sensorChange)
        ReinitialiseForSensor(outcome.sensorChange->model,
                              outcome.sensorChange->layoutSwitch == SensorLayoutSwitch::To3205Layout,
                              outcome.sensorChange->layoutSwitch == SensorLayoutSwitch::From3205Layout);
    if (outcome.changed) {
        // Saved with the next save timer, which is started here as well, so a change
        // made on the mouse reaches the files even if nothing else is edited.
        m_savePending = true;
        m_events.StartSaveTimer(kSaveDelay);
        m_events.StatusChanged();
        m_events.RefreshWindow();
        PrimeLastSent();
    }
}

void DeviceLink::ReinitialiseForSensor(std::uint16_t model, bool to3205Layout, bool from3205Layout)
{
    AppSettings& settings = m_model.settings;
    settings.SetSensorText(model);
    settings.SetPreSTText(static_cast<std::uint16_t>(~model));
    settings.SetSensorId(model);
    (void)SaveSettings(settings, settings.CurrentProfile(), m_model.paths.SettingsFile());
    for (int index = 0; index < ProfileTable::kProfileCount; ++index)
        ResetDpiDefaults(m_model.profiles.At(index), model);
    (void)m_model.profiles.SaveAllProfiles(settings);
    (void)m_dpiTable.Build(model);
    m_events.SensorChanged(model, to3205Layout, from3205Layout);
}

std::optional<BatteryView> DeviceLink::OnBatteryTimer()
{
    return m_batteryDisplay.Tick(m_connection.deviceConfirmed, m_battery);
}

bool DeviceLink::CanReachMouse() const
{
    return m_connection.receiverMouseOnline || HasCommandInterface(LinkKind::Wired) ||
           HasCommandInterface(LinkKind::Ble);
}

bool DeviceLink::FactoryReset(ResetScope scope)
{
    if (!CanReachMouse()) {
        m_events.ShowAttention(DeviceTexts::kNotice, DeviceTexts::kMouseOffline);
        return false;
    }
    CommandRequest reset;
    reset.code = CommandCode::FactoryReset;
    reset.At(CommandLayout::kPayload) = 0xFF;
    SubmitCommands({reset});
    if (scope == ResetScope::MouseOnly)
        return true;

    AppSettings& settings = m_model.settings;
    const int index = settings.CurrentProfile();
    Profile& profile = CurrentProfile();
    std::u16string name = profile.GetSetting(ProfileSetting::ProfileName);
    ResetProfile(profile, static_cast<unsigned>(index), m_model.texts, settings.SensorId());
    profile.SetSetting(ProfileSetting::ProfileName, std::move(name));
    (void)WriteProfileFile(profile, settings.ProfileSlotPath(index));

    PrimeLastSent();
    m_events.RefreshWindow();
    m_macroResolution.macroRefreshed.fill(false);
    m_events.ShowProgress(DeviceTexts::kSavingToMouse);
    return true;
}

void DeviceLink::RequestPairing()
{
    auto receiver = m_commandSlots[LinkIndex(LinkKind::Wireless)];
    if (!receiver)
        return;
    m_runner.Submit([exchanger = m_exchanger, receiver = std::move(receiver)](const std::stop_token&) {
        (void)exchanger->RequestPairing(receiver.get());
    });
}

void DeviceLink::QueryPresence()
{
    auto handle = PreferredSlot();
    if (!handle)
        return;
    m_runner.Submit([this, poster = &m_poster, exchanger = m_exchanger, handle = std::move(handle),
                     alive = std::weak_ptr<int>(m_alive)](const std::stop_token&) {
        const auto online = exchanger->QueryPresence(handle.get());
        if (!online)
            return;
        PostIfAlive(*poster, alive, [this, mouseOnline = *online] {
            if (m_presenceListener)
                m_presenceListener(mouseOnline);
            m_events.PresenceReplied(mouseOnline);
        });
    });
}

namespace {

// Passes the updater's events to the dialog on the UI thread; the restart notice first
// marks the update as active, so the mouse leaving the system does not end the program.
class FirmwareRelay final : public FirmwareUpdateEvents {
public:
    FirmwareRelay(ConnectionState& connection, FirmwareUpdateEvents& dialog)
        : m_connection(connection), m_dialog(dialog)
    {
    }
    void ShowText(const FirmwareText& text) override { m_dialog.ShowText(text); }
    void SetProgress(int value, int total) override { m_dialog.SetProgress(value, total); }
    void UpdateActive() override
    {
        m_connection.firmwareUpdateActive = true;
        m_dialog.UpdateActive();
    }
    void Finished(FirmwareUpdateOutcome outcome) override { m_dialog.Finished(outcome); }

private:
    ConnectionState& m_connection;
    FirmwareUpdateEvents& m_dialog;
};

}  // namespace

bool DeviceLink::StartFirmwareUpdate(FirmwareImage appImage, FirmwareImage baseImage, FirmwareUpdateEvents& dialog)
{
    auto wired = m_commandSlots[LinkIndex(LinkKind::Wired)];
    if (!wired) {
        m_events.ShowAttention(DeviceTexts::kNotice, DeviceTexts::kConnectCableFirst);
        return false;
    }
    // Each event is posted to the UI thread, where the relay sets the link's update flag
    // before the dialog hears of the restart.
    auto relay = std::make_shared<FirmwareRelay>(m_connection, dialog);
    auto forward = [poster = &m_poster, alive = std::weak_ptr<int>(m_alive),
                    relay](std::function<void(FirmwareUpdateEvents&)> deliver) {
        PostIfAlive(*poster, alive, [relay, deliver = std::move(deliver)] { deliver(*relay); });
    };
    auto session = std::make_shared<FirmwareSession>(std::move(appImage), std::move(baseImage), std::move(forward));
    m_runner.Submit([this, poster = &m_poster, alive = std::weak_ptr<int>(m_alive), session, wired,
                     version = m_connection.wiredVersion, clock = &m_clock](const std::stop_token& stop) {
        const FirmwareUpdateOutcome outcome = session->RunUpdate(*clock, wired.get(), version, stop);
        if (outcome != FirmwareUpdateOutcome::Restarted)
            return;
        PostIfAlive(*poster, alive, [this, session] { SubmitFirmwareFinalCheck(session); });
    });
    return true;
}

void DeviceLink::SubmitFirmwareFinalCheck(std::shared_ptr<FirmwareSession> session)
{
    m_runner.Submit([session = std::move(session),
                     wired = m_commandSlots[LinkIndex(LinkKind::Wired)]](const std::stop_token&) {
        (void)session->RunFinalCheck(wired.get());
    });
}

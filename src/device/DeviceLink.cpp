#include "device/DeviceLink.h"

#include "device/CommandExchanger.h"
#include "device/CommandSlots.h"
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

#include <algorithm>
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
      m_slots(std::make_shared<CommandSlots>()),
      m_unsent(std::make_shared<UnsentRecord>(m_model.paths.UnsentMarkerFile()))
{
}

DeviceLink::~DeviceLink() = default;

void DeviceLink::SetCommandInterface(LinkKind link, std::shared_ptr<HidHandle> handle)
{
    m_slots->Set(link, std::move(handle));
}

void DeviceLink::CloseCommandInterface(LinkKind link)
{
    // A job still using the handle keeps it alive; it closes when that job lets go.
    m_slots->Close(link);
}

void DeviceLink::CloseAll()
{
    m_slots->CloseAll();
}

bool DeviceLink::HasCommandInterface(LinkKind link) const
{
    return m_slots->Has(link);
}

std::optional<LinkKind> DeviceLink::SelectCommandInterface() const
{
    return m_slots->PreferredLink();
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

void DeviceLink::SubmitCommands(std::vector<CommandRequest> commands, Resend resend)
{
    if (commands.empty())
        return;
    const UnsentRecord::JobNumber job = m_nextJob++;
    const std::optional<UnsentRecord::JobNumber> carried =
        resend == Resend::CarriesUnsent ? std::optional(m_unsentHeard) : std::nullopt;
    // The job reaches back only through the poster; `this` is touched in the posted task,
    // on the UI thread, and only while the link still exists. The interface is the one
    // in charge when the job runs: the link in charge may have changed since the apply.
    m_runner.Submit([this, poster = &m_poster, exchanger = m_exchanger, slots = m_slots, record = m_unsent, job,
                     carried, alive = std::weak_ptr<int>(m_alive),
                     commands = std::move(commands)](const std::stop_token& stop) {
        const std::shared_ptr<HidHandle> handle = slots->Preferred();
        ExchangeSummary summary;
        std::vector<CommandCode> unsent;
        // Once a write finds no mouse, the rest of the job would not find it either.
        bool reachable = handle != nullptr;
        for (const CommandRequest& command : commands) {
            const ExchangeResult result = reachable && !stop.stop_requested()
                                              ? exchanger->Exchange(handle.get(), command)
                                              : ExchangeResult::NotWritten;
            if (result == ExchangeResult::Accepted) {
                ++summary.accepted;
            } else if (result == ExchangeResult::Dropped) {
                ++summary.dropped;
            } else {
                ++summary.unsent;
                unsent.push_back(command.code);
                reachable = false;
            }
        }
        // Recorded here, not in the posted task: the program may end (the mouse was
        // unplugged, the session ends) before the UI thread runs it.
        bool lastRunResent = false;
        if (!unsent.empty())
            record->Record(job);
        else if (carried)
            lastRunResent = record->WroteEverything(*carried);
        PostIfAlive(*poster, alive, [this, summary, job, lastRunResent, unsent = std::move(unsent)] {
            m_totals += summary;
            if (!unsent.empty()) {
                ForgetUnsent(unsent);
                m_unsentHeard = std::max(m_unsentHeard, job);
            }
            if (lastRunResent)
                m_resendPending = false;
        });
    });
}

void DeviceLink::ForgetUnsent(const std::vector<CommandCode>& codes)
{
    for (const CommandCode code : codes) {
        switch (code) {
        case CommandCode::KeyAssignments:
            m_copies.Forget(LastSentCopies::Group::Keys);
            m_flags.keysChanged = true;
            break;
        case CommandCode::DpiLevels:
        case CommandCode::DpiColours:
        case CommandCode::PollingRate:
        case CommandCode::LiftHeight:
        case CommandCode::Lighting:
        case CommandCode::KeyDebounce:
            m_copies.Forget(LastSentCopies::Group::Settings);
            m_flags.settingsChanged = true;
            break;
        case CommandCode::PowerSaving:
            m_copies.Forget(LastSentCopies::Group::PowerSaving);
            m_flags.powerSavingChanged = true;
            break;
        case CommandCode::SensorOptions:
            m_copies.Forget(LastSentCopies::Group::SensorOptions);
            m_flags.sensorOptionsChanged = true;
            break;
        case CommandCode::MacroClear:
        case CommandCode::MacroData:
            // Every apply uploads the macros whose images differ from their copies.
            m_copies.ForgetMacros();
            break;
        case CommandCode::FactoryReset:
            // The mouse kept its settings while the profile took the defaults: all of it
            // is to be written.
            ForgetEverySent();
            break;
        }
    }
}

void DeviceLink::AfterPendingExchanges(std::function<void(const ExchangeSummary&)> done)
{
    m_runner.Submit([this, poster = &m_poster, alive = std::weak_ptr<int>(m_alive),
                     done = std::move(done)](const std::stop_token&) {
        PostIfAlive(*poster, alive, [this, done] { done(m_totals); });
    });
}

void DeviceLink::ShowProgressWhenWritten()
{
    // The progress dialog tells the user the mouse has the data, so it waits for the
    // exchanges, not only for their hand-over to the device thread.
    AfterPendingExchanges([this](const ExchangeSummary&) { m_events.ShowProgress(DeviceTexts::kSavingToMouse); });
}

void DeviceLink::ScheduleApply()
{
    m_applyScheduled = true;
    m_events.StartApplyTimer(kApplyDelay);
}

ApplyOutcome DeviceLink::ApplyToDevice()
{
    return Apply(Feedback::Shown);
}

void DeviceLink::KeepEdit(Feedback feedback)
{
    m_savePending = true;
    if (feedback == Feedback::Shown)
        m_events.StartSaveTimer(kSaveDelay);
}

ApplyOutcome DeviceLink::Apply(Feedback feedback)
{
    const bool shown = feedback == Feedback::Shown;
    m_applyScheduled = false;
    m_reportSent = false;
    ApplyOutcome outcome;
    // Each early end keeps the change flags, so the next apply writes the edit, and
    // saves it: the files hold what the user chose whether or not the mouse took it.
    if (!m_connection.deviceConfirmed) {
        KeepEdit(feedback);
        return outcome;
    }
    if (m_firmware) {
        // Queued behind the update, the commands would go out a minute later to a mouse
        // that restarts in between; the flags keep them until the update has ended.
        m_applyDeferred = true;
        outcome.result = ApplyResult::Deferred;
        KeepEdit(feedback);
        return outcome;
    }
    if (!HasCommandInterface(LinkKind::Wired) && !HasCommandInterface(LinkKind::Ble) &&
        !m_connection.receiverMouseOnline) {
        if (shown)
            m_events.ShowAttention(DeviceTexts::kNotice, DeviceTexts::kMouseOffline);
        outcome.result = ApplyResult::Unreachable;
        KeepEdit(feedback);
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
    // Without an interface the groups were not built: their flags stay for the next apply.
    if (canSend)
        m_flags.Clear();
    // The macro copies follow the profile even when nothing can be written, as they
    // would after an exchange with no interface to write to.
    for (CommandRequest& command : UploadMacros(profile, m_macroResolution, m_copies, MacroUploadMode::Send))
        if (canSend)
            commands.push_back(command);

    outcome.commandCount = commands.size();
    m_reportSent = !commands.empty();
    outcome.reportSent = m_reportSent;
    SubmitCommands(std::move(commands), Resend::CarriesUnsent);

    if (m_reportSent && shown)
        ShowProgressWhenWritten();
    KeepEdit(feedback);
    if (shown)
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

void DeviceLink::WritePendingWork()
{
    if (m_applyScheduled)
        (void)Apply(Feedback::Unseen);
    SaveIfPending();
}

bool DeviceLink::FinishPendingWork(std::chrono::milliseconds limit)
{
    WritePendingWork();
    StopFirmwareUpdate();
    const bool drained = m_runner.Drain(limit);
    // Changes still flagged never reached a job (the mouse was off line, an update ran,
    // nothing was open): like writes given up, the files hold them and the marker tells
    // the next start that the mouse does not.
    if (!drained || m_flags.AnyCommand())
        m_unsent->Record(UnsentRecord::kEndOfRun);
    // Jobs record what they could not write themselves, heard of or not.
    return !m_unsent->Outstanding();
}

bool DeviceLink::TakeUnsentFromLastRun()
{
    if (!m_unsent->TakeOverFromLastRun())
        return false;
    ForgetEverySent();
    m_resendPending = true;
    return true;
}

void DeviceLink::ForgetEverySent()
{
    m_copies.ForgetAll();
    m_flags.keysChanged = m_flags.settingsChanged = true;
    m_flags.powerSavingChanged = m_flags.sensorOptionsChanged = true;
}

void DeviceLink::OnStatusReport(LinkKind link, std::span<const std::uint8_t> bytes)
{
    const auto report = StatusReport::FromBytes(bytes);
    if (!report)
        return;
    StatusReportProcessor processor(m_connection, m_battery, m_listener, m_model.texts);
    const StatusOutcome outcome = processor.Process(*report, link, Presence(), CurrentProfile(), m_model.settings.SensorId());
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
    m_events.StatusReportTaken();
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
    SubmitCommands({reset}, Resend::Alone);
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
    ShowProgressWhenWritten();
    return true;
}

void DeviceLink::RequestPairing()
{
    if (!HasCommandInterface(LinkKind::Wireless))
        return;
    m_runner.Submit([exchanger = m_exchanger, slots = m_slots](const std::stop_token&) {
        if (const auto receiver = slots->Get(LinkKind::Wireless))
            (void)exchanger->RequestPairing(receiver.get());
    });
}

void DeviceLink::QueryPresence()
{
    if (!SelectCommandInterface())
        return;
    m_runner.Submit([this, poster = &m_poster, exchanger = m_exchanger, slots = m_slots,
                     alive = std::weak_ptr<int>(m_alive)](const std::stop_token&) {
        const auto handle = slots->Preferred();
        if (!handle)
            return;
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

DeviceLink::FirmwareStart DeviceLink::StartFirmwareUpdate(FirmwareImage appImage, FirmwareImage baseImage,
                                                          std::weak_ptr<FirmwareUpdateEvents> dialog)
{
    if (m_firmware)
        return FirmwareStart::AlreadyRunning;
    if (!HasCommandInterface(LinkKind::Wired)) {
        m_events.ShowAttention(DeviceTexts::kNotice, DeviceTexts::kConnectCableFirst);
        return FirmwareStart::NoWiredInterface;
    }
    // Each event is posted to the UI thread and reaches the dialog only while it exists
    // and has not stopped the update.
    auto sink = std::make_shared<std::weak_ptr<FirmwareUpdateEvents>>(std::move(dialog));
    auto forward = [poster = &m_poster, alive = std::weak_ptr<int>(m_alive),
                    sink](std::function<void(FirmwareUpdateEvents&)> deliver) {
        PostIfAlive(*poster, alive, [sink, deliver = std::move(deliver)] {
            if (const auto events = sink->lock())
                deliver(*events);
        });
    };
    FirmwareRun run{std::make_shared<FirmwareSession>(std::move(appImage), std::move(baseImage), std::move(forward)),
                    std::stop_source{}, sink};
    m_runner.Submit([this, poster = &m_poster, alive = std::weak_ptr<int>(m_alive), session = run.session,
                     slots = m_slots, stop = run.stop, version = m_connection.wiredVersion,
                     clock = &m_clock](const std::stop_token& shutdown) {
        // The program's end stops the update as the dialog's closing does.
        const std::stop_callback onShutdown(shutdown, [stop]() mutable { stop.request_stop(); });
        const auto wired = slots->Get(LinkKind::Wired);
        const FirmwareUpdateOutcome outcome = session->RunUpdate(*clock, wired.get(), version, stop.get_token());
        PostIfAlive(*poster, alive, [this, outcome] { OnFirmwareStep(outcome); });
    });
    m_firmware = std::move(run);
    return FirmwareStart::Started;
}

void DeviceLink::OnFirmwareStep(FirmwareUpdateOutcome outcome)
{
    if (!m_firmware)
        return;
    if (m_firmware->stop.stop_requested() ||
        (outcome != FirmwareUpdateOutcome::ReadyToRestart && outcome != FirmwareUpdateOutcome::Restarted)) {
        EndFirmwareUpdate();
        return;
    }
    const bool restart = outcome == FirmwareUpdateOutcome::ReadyToRestart;
    // The mouse leaves the system when it restarts: the flag is set here, before the
    // restart frame is queued, so its removal cannot end the program.
    if (restart)
        m_connection.firmwareUpdateActive = true;
    m_runner.Submit([this, poster = &m_poster, alive = std::weak_ptr<int>(m_alive), session = m_firmware->session,
                     slots = m_slots, stop = m_firmware->stop, restart](const std::stop_token& shutdown) {
        const std::stop_callback onShutdown(shutdown, [stop]() mutable { stop.request_stop(); });
        const auto wired = slots->Get(LinkKind::Wired);
        const FirmwareUpdateOutcome next = restart ? session->RunRestart(wired.get()) : session->RunFinalCheck(wired.get());
        PostIfAlive(*poster, alive, [this, next, restart] {
            if (restart)
                OnFirmwareStep(next);
            else
                EndFirmwareUpdate();
        });
    });
}

void DeviceLink::StopFirmwareUpdate()
{
    if (!m_firmware)
        return;
    m_firmware->stop.request_stop();
    m_firmware->dialog->reset();
}

void DeviceLink::EndFirmwareUpdate()
{
    m_firmware.reset();
    if (std::exchange(m_applyDeferred, false))
        ScheduleApply();
}

#include "DeviceThreadFirmwareUpdater.h"

#include "device/DeviceJobRunner.h"
#include "device/FirmwareSession.h"
#include "device/HidHandle.h"
#include "device/UiPoster.h"

#include <stop_token>

namespace {

// Lives on the UI thread: every event of the session passes through it. The flag of the
// restart is always set; the rest reaches the window only while its run exists.
class EventRelay final : public FirmwareUpdateEvents {
public:
    EventRelay(FirmwareUpdateEvents* events, std::function<void()> setUpdateActive)
        : m_events(events), m_setUpdateActive(std::move(setUpdateActive))
    {
    }
    void Detach() { m_events = nullptr; }

    void ShowText(const FirmwareText& text) override
    {
        if (m_events != nullptr)
            m_events->ShowText(text);
    }
    void SetProgress(int value, int total) override
    {
        if (m_events != nullptr)
            m_events->SetProgress(value, total);
    }
    void UpdateActive() override
    {
        if (m_setUpdateActive)
            m_setUpdateActive();
        if (m_events != nullptr)
            m_events->UpdateActive();
    }
    void Finished(FirmwareUpdateOutcome outcome) override
    {
        if (m_events != nullptr)
            m_events->Finished(outcome);
    }

private:
    FirmwareUpdateEvents* m_events;
    std::function<void()> m_setUpdateActive;
};

class DeviceThreadRun final : public FirmwareUpdateRun {
public:
    DeviceThreadRun(std::shared_ptr<EventRelay> relay, std::stop_source stop)
        : m_relay(std::move(relay)), m_stop(std::move(stop))
    {
    }
    ~DeviceThreadRun() override
    {
        m_relay->Detach();
        m_stop.request_stop();
    }

private:
    std::shared_ptr<EventRelay> m_relay;
    std::stop_source m_stop;
};

}  // namespace

DeviceThreadFirmwareUpdater::DeviceThreadFirmwareUpdater(DeviceJobRunner& runner, UiPoster& poster, Clock& clock,
                                                         Link link)
    : m_runner(runner), m_poster(poster), m_clock(clock), m_link(std::move(link))
{
}

DeviceThreadFirmwareUpdater::~DeviceThreadFirmwareUpdater() = default;

std::unique_ptr<FirmwareUpdateRun> DeviceThreadFirmwareUpdater::Start(FirmwareImage appImage, FirmwareImage baseImage,
                                                                      FirmwareUpdateEvents& events)
{
    std::shared_ptr<HidHandle> wired = m_link.wiredHandle ? m_link.wiredHandle() : nullptr;
    if (!wired || m_busy->exchange(true))
        return nullptr;

    auto relay = std::make_shared<EventRelay>(&events, m_link.setUpdateActive);
    auto forward = [poster = &m_poster, relay](std::function<void(FirmwareUpdateEvents&)> deliver) {
        poster->Post([relay, deliver = std::move(deliver)] { deliver(*relay); });
    };
    auto session = std::make_shared<FirmwareSession>(std::move(appImage), std::move(baseImage), std::move(forward));
    std::stop_source stop;
    const std::uint16_t version = m_link.wiredVersion ? m_link.wiredVersion() : 0;

    // After the restart the final check runs on the wired handle open by then; the
    // request goes through the UI thread, where the link keeps its handles.
    auto submitFinalCheck = [this, session, stop, alive = std::weak_ptr<int>(m_alive), busy = m_busy] {
        if (alive.expired()) {
            busy->store(false);
            return;
        }
        if (stop.stop_requested()) {
            busy->store(false);
            return;
        }
        m_runner.Submit([session, wiredNow = m_link.wiredHandle ? m_link.wiredHandle() : nullptr,
                         busy](const std::stop_token&) {
            (void)session->RunFinalCheck(wiredNow.get());
            busy->store(false);
        });
    };
    m_runner.Submit([session, wired, version, clock = &m_clock, stop, poster = &m_poster, busy = m_busy,
                     submitFinalCheck](const std::stop_token& shutdown) {
        // The program's shutdown stops the update as the window's closing does.
        std::stop_callback onShutdown(shutdown, [stop]() mutable { stop.request_stop(); });
        const FirmwareUpdateOutcome outcome = session->RunUpdate(*clock, wired.get(), version, stop.get_token());
        if (outcome == FirmwareUpdateOutcome::Restarted)
            poster->Post(submitFinalCheck);
        else
            busy->store(false);
    });
    return std::make_unique<DeviceThreadRun>(std::move(relay), std::move(stop));
}

#include "DeviceLinkFirmwareUpdater.h"

#include "device/DeviceLink.h"
#include "device/FirmwareUpdateEvents.h"

namespace {

// What the link holds weakly: it passes every event on to the window.
class WindowSink final : public FirmwareUpdateEvents {
public:
    explicit WindowSink(FirmwareUpdateEvents& window) : m_window(window) {}

    void ShowText(const FirmwareText& text) override { m_window.ShowText(text); }
    void SetProgress(int value, int total) override { m_window.SetProgress(value, total); }
    void UpdateActive() override { m_window.UpdateActive(); }
    void Finished(FirmwareUpdateOutcome outcome) override { m_window.Finished(outcome); }

private:
    FirmwareUpdateEvents& m_window;
};

class LinkRun final : public FirmwareUpdateRun {
public:
    LinkRun(DeviceLink& link, std::shared_ptr<WindowSink> sink) : m_link(link), m_sink(std::move(sink)) {}
    ~LinkRun() override
    {
        m_link.StopFirmwareUpdate();
        m_sink.reset();  // the link's weak hold on it expires with this
    }
    LinkRun(const LinkRun&) = delete;
    LinkRun& operator=(const LinkRun&) = delete;

private:
    DeviceLink& m_link;
    std::shared_ptr<WindowSink> m_sink;
};

}  // namespace

std::unique_ptr<FirmwareUpdateRun> DeviceLinkFirmwareUpdater::Start(FirmwareImage appImage, FirmwareImage baseImage,
                                                                    FirmwareUpdateEvents& events)
{
    auto sink = std::make_shared<WindowSink>(events);
    if (m_link.StartFirmwareUpdate(std::move(appImage), std::move(baseImage), sink) !=
        DeviceLink::FirmwareStart::Started)
        return nullptr;
    return std::make_unique<LinkRun>(m_link, std::move(sink));
}

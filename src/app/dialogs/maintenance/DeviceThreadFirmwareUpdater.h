#pragma once

#include "FirmwareUpdater.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class Clock;
class DeviceJobRunner;
class HidHandle;
class UiPoster;

// Runs firmware updates as jobs of the device thread, each with its own stop request, and
// delivers their events through the UI poster to the window's sink while the window
// holds the run. The link's part comes in as functions read on the UI thread: the wired
// handle (read again for the final check, after the mouse came back), the wired version,
// and the flag that keeps the mouse's restart from ending the program, which is set even
// when the window has gone. One update at a time.
class DeviceThreadFirmwareUpdater final : public FirmwareUpdater {
public:
    struct Link {
        std::function<std::shared_ptr<HidHandle>()> wiredHandle;
        std::function<std::uint16_t()> wiredVersion;
        std::function<void()> setUpdateActive;
    };

    DeviceThreadFirmwareUpdater(DeviceJobRunner& runner, UiPoster& poster, Clock& clock, Link link);
    ~DeviceThreadFirmwareUpdater() override;

    [[nodiscard]] std::unique_ptr<FirmwareUpdateRun> Start(FirmwareImage appImage, FirmwareImage baseImage,
                                                           FirmwareUpdateEvents& events) override;
    // An update's jobs are still queued or running (also after its window let it go).
    [[nodiscard]] bool IsBusy() const { return m_busy->load(); }

private:
    DeviceJobRunner& m_runner;
    UiPoster& m_poster;
    Clock& m_clock;
    Link m_link;
    std::shared_ptr<std::atomic<bool>> m_busy = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

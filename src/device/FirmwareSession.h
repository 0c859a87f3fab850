#pragma once

#include "device/FirmwareImage.h"
#include "device/FirmwareUpdateEvents.h"
#include "device/FirmwareUpdateProcedure.h"

#include <functional>
#include <memory>
#include <optional>

class UiPoster;

// One firmware update as the device link runs it: the procedure lives on the device
// thread across its three jobs (the update up to the restart; the restart, queued once
// the UI thread has marked the update active; the final check on the reopened wired
// interface), and every event it reports is posted to the UI thread.
class FirmwareSession final : public FirmwareUpdateEvents {
public:
    // `onUiThread` receives each event on the UI thread, wrapped so that it runs only while
    // its owner still exists.
    using Forward = std::function<void(std::function<void(FirmwareUpdateEvents&)>)>;

    FirmwareSession(FirmwareImage appImage, FirmwareImage baseImage, Forward forward);

    // Device thread. RunUpdate ends at ReadyToRestart when all went well; `stop` ends any
    // of the three runs before its next frame or wait.
    FirmwareUpdateOutcome RunUpdate(Clock& clock, HidHandle* wiredHandle, std::uint16_t wiredVersion,
                                    std::stop_token stop);
    FirmwareUpdateOutcome RunRestart(HidHandle* wiredHandle);
    FirmwareUpdateOutcome RunFinalCheck(HidHandle* wiredHandle);

    void ShowText(const FirmwareText& text) override;
    void SetProgress(int value, int total) override;
    void UpdateActive() override;
    void Finished(FirmwareUpdateOutcome outcome) override;

private:
    FirmwareImage m_appImage;
    FirmwareImage m_baseImage;
    Forward m_forward;
    std::optional<FirmwareUpdateProcedure> m_procedure;
};

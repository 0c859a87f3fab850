#pragma once

#include "FirmwareUpdater.h"

class DeviceLink;

// The firmware window's updater over the device link: the link runs the update on the
// device thread, one at a time, marks it active before the mouse restarts and takes the
// wired interface open at each step. The window's sink is held by its run only; dropping
// the run stops the update, and no event reaches the window after that.
class DeviceLinkFirmwareUpdater final : public FirmwareUpdater {
public:
    explicit DeviceLinkFirmwareUpdater(DeviceLink& link) : m_link(link) {}

    [[nodiscard]] std::unique_ptr<FirmwareUpdateRun> Start(FirmwareImage appImage, FirmwareImage baseImage,
                                                           FirmwareUpdateEvents& events) override;

private:
    DeviceLink& m_link;
};

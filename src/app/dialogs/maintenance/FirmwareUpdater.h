#pragma once

#include "device/FirmwareImage.h"

#include <memory>

class FirmwareUpdateEvents;

// One running firmware update as its window holds it. Destroying it asks the update to
// stop before its next frame and guarantees that no further event reaches the window's
// sink; the device side finishes on its own.
class FirmwareUpdateRun {
public:
    virtual ~FirmwareUpdateRun() = default;
};

// What the firmware window needs from the device layer: start one update on the wired
// link, with its events delivered on the UI thread to `events` for as long as the
// returned run exists. Null when no update can start (no wired link, or another update
// still running).
class FirmwareUpdater {
public:
    virtual ~FirmwareUpdater() = default;
    [[nodiscard]] virtual std::unique_ptr<FirmwareUpdateRun> Start(FirmwareImage appImage, FirmwareImage baseImage,
                                                                   FirmwareUpdateEvents& events) = 0;
};

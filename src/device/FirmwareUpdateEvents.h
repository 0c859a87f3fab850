#pragma once

#include "device/FirmwareText.h"

#include <cstdint>

// How a run of the firmware updater ended.
enum class FirmwareUpdateOutcome : std::uint8_t {
    Unsupported,         // the wired version does not take updates (text 292), nothing sent
    InvalidImage,        // the procedure was given no program image, nothing sent
    UpToDate,            // the installed check value equals the image's (text 293)
    BaseWriteFailed,     // text 296
    BaseCheckFailed,     // text 298
    ImageWriteFailed,    // text 301
    ImageLastBlockFailed,  // text 302
    ImageCheckFailed,    // text 307; the update area was cleared
    ReadyToRestart,      // installed and not yet restarted: the caller restarts the mouse (not a last event)
    Restarted,           // the mouse restarts with the new program; the final check follows
    Installed,           // final check: the mouse reports the image's check value (text 293)
    NotInstalled,        // final check: it does not (text 308)
    Cancelled,           // a stop request ended the run between two frames or waits
};

// What the firmware updater reports while it runs. Called on the thread that runs the
// procedure (the device thread); a sink that touches the UI posts to the UI thread.
class FirmwareUpdateEvents {
public:
    virtual ~FirmwareUpdateEvents() = default;

    virtual void ShowText(const FirmwareText& text) = 0;
    // The progress bar: `value` of `total` (program-image phase only).
    virtual void SetProgress(int value, int total) = 0;
    // The mouse is about to restart and will leave the system for a while: the link
    // must not treat its removal as the end of the program. Reported before the restart
    // frame is sent, so the flag is set before the removal can arrive.
    virtual void UpdateActive() = 0;
    // The last event of each entry point.
    virtual void Finished(FirmwareUpdateOutcome outcome) = 0;
};

#pragma once

#include "device/FirmwareImage.h"
#include "device/FirmwareUpdateEvents.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <stop_token>

class Clock;
class FlashTransport;
class HidHandle;

// The firmware update as the device thread runs it, in two entry points because the
// mouse restarts and comes back on a new wired handle in between:
//   CheckAndUpdate: compare the installed check value with the image's and, when they
//     differ, rewrite the base area if needed, write, read back and check the program
//     image, have the mouse install it, restart it, and count down while it re-enumerates;
//   FinalCheck: read the installed check value on whatever wired handle is open then.
// Every wait goes through the clock; every step is reported to the events sink, and each
// entry point ends with Finished(outcome), which it also returns. A missing handle makes
// reads fail and writes fail after their retries. A stop request ends a run before its
// next frame (Cancelled); nothing is rolled back on any failure.
class FirmwareUpdateProcedure {
public:
    static constexpr int kBaseFrameTotal = 1419;   // 43 erased sectors + 1376 written blocks
    static constexpr int kBaseVerifyTotal = 1376;  // blocks read back

    FirmwareUpdateProcedure(Clock& clock, FirmwareImage appImage, FirmwareImage baseImage,
                            FirmwareUpdateEvents& events, std::stop_token stop = {});

    // The mouse takes updates only when the high byte of its wired version is 2.
    [[nodiscard]] static bool IsFirmwareUpdateSupported(std::uint16_t wiredVersion);

    enum class Restart : std::uint8_t {
        AtOnce,        // CheckAndUpdate goes on to restart the mouse and count down
        LeftToCaller,  // CheckAndUpdate stops at ReadyToRestart, reporting no Finished; the
                       // caller marks the update active, then calls RestartAndCountDown
    };

    FirmwareUpdateOutcome CheckAndUpdate(HidHandle* handle, std::uint16_t wiredVersion,
                                         Restart restart = Restart::AtOnce);
    // Restarts the mouse into the installed program and counts down while it comes back.
    FirmwareUpdateOutcome RestartAndCountDown(HidHandle* handle);
    FirmwareUpdateOutcome FinalCheck(HidHandle* handle);

    // (program image size / 128) * 5: four steps per written and one per read frame.
    [[nodiscard]] int ProgressTotal() const { return m_progressTotal; }
    [[nodiscard]] std::uint32_t ImageCheckValue() const { return m_appImage.HeaderCheckValue(); }

private:
    FirmwareUpdateOutcome Update(FlashTransport& transport, Restart restart);
    std::optional<FirmwareUpdateOutcome> UpdateBaseArea(FlashTransport& transport);
    bool BaseComparePass(FlashTransport& transport);
    std::optional<FirmwareUpdateOutcome> RewriteBaseArea(FlashTransport& transport);
    std::optional<FirmwareUpdateOutcome> WriteProgramImage(FlashTransport& transport);
    bool ReadBackMatches(FlashTransport& transport);
    bool Install(FlashTransport& transport);
    void RestartAndCountDown(FlashTransport& transport);
    // Reads and shows the installed check value; nothing when the read failed.
    std::optional<std::uint32_t> ReadInstalledCheckValue(FlashTransport& transport);
    void AddProgress(int steps);
    FirmwareUpdateOutcome Finish(FirmwareUpdateOutcome outcome);

    Clock& m_clock;
    FirmwareImage m_appImage;
    FirmwareImage m_baseImage;
    FirmwareUpdateEvents& m_events;
    std::stop_token m_stop;
    int m_progressTotal = 0;
    int m_progressCounter = 0;
};

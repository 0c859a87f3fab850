#pragma once

#include "device/FlashFrame.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The mouse's 512 KiB flash as the firmware-transfer frames (report 0xBF) see it.
// Not thread-safe: the simulated mouse calls it under its own lock.
//
// The model:
// - Erased bytes read 0xFF; EraseSector erases one 4096-byte aligned sector and
//   ClearUpdateArea the whole update area (0x052000..0x07BFFF).
// - Transfer writes program like NOR flash: each byte becomes old AND new, so only
//   erased bytes take the data as given and writing over unerased bytes corrupts them.
//   A Transfer that reads queues the bytes for the next reply (bytes 8..).
// - WriteBytes overwrites in place: the firmware rewrites its information block itself.
// - The base area (0x000000..0x02AFFF) refuses erase and write until a Protection frame
//   carries kFlashUnlockCode; four zero bytes lock it again, as does a restart.
// - Restart sets the restart request. When the update area holds a complete image (the
//   Transfer writes since the last clear reach past its 16-byte header and the CRC of
//   the written body equals the header's check value) and the installation steps were
//   done since the last restart (information block byte 1 changed, 0x07C000 and
//   0x07D000 erased, 36 bytes 0xFF written at 0x07E008), the restart installs it: the
//   installed-program area 0x02B000..0x051FFF is erased and the image copied to
//   0x02B070, so its header there gives the new installed check value.
class SimFlashMemory {
public:
    static constexpr std::size_t kSize = 512 * 1024;

    SimFlashMemory();

    // A frame written by the host (136 bytes, byte 0 = 0xBF). False when the mouse
    // refuses it.
    [[nodiscard]] bool HandleFrame(std::span<const std::uint8_t> frame);
    // The reply to a read of report 0xBF: the data of the last transfer's read in bytes
    // 8.. . False when there is nothing to answer.
    [[nodiscard]] bool FillReply(std::span<std::uint8_t> buffer);
    // True once after a restart frame: the mouse then leaves and re-enters the system.
    [[nodiscard]] bool TakeRestartRequest();

    [[nodiscard]] std::span<const std::uint8_t> Contents() const { return Memory(); }

    // Places bytes as if programmed before (test set-up): no protection, no NOR rule.
    void Load(std::uint32_t address, std::span<const std::uint8_t> bytes);
    [[nodiscard]] bool BaseAreaUnlocked() const { return m_unlocked; }
    // How many restarts installed an image.
    [[nodiscard]] int InstallCount() const { return m_installCount; }

    // Fault hooks. The next `count` data writes (Transfer with data, WriteBytes) at or
    // after `address` are refused.
    void FailWrites(std::uint32_t address, int count);
    // Every read that covers `address` returns that byte inverted.
    void CorruptReadAt(std::uint32_t address);
    // Every frame of this operation is refused.
    void RefuseOperation(FlashOp operation);
    void ClearFaults();

private:
    struct InstallSteps {
        bool infoCounterChanged = false;
        bool secondSectorErased = false;
        bool thirdSectorErased = false;
        bool markerWritten = false;
    };

    [[nodiscard]] bool HandleTransfer(const FlashFrame& frame);
    [[nodiscard]] bool HandleErase(std::uint32_t address);
    [[nodiscard]] bool HandleWriteBytes(const FlashFrame& frame);
    [[nodiscard]] bool HandleProtection(const FlashCode& code);
    void HandleRestart();
    [[nodiscard]] bool Writable(std::uint32_t address, std::size_t length) const;
    [[nodiscard]] bool WriteFaultHits(std::uint32_t address);
    [[nodiscard]] bool UpdateImageComplete() const;
    void Fill(std::uint32_t start, std::uint32_t end, std::uint8_t value);

    // The bytes, made (all erased) on first use: most runs of the simulated mouse never
    // transfer firmware, and 512 KiB of 0xFF would otherwise sit in memory from the start.
    std::vector<std::uint8_t>& Memory() const;

    mutable std::vector<std::uint8_t> m_memory;
    bool m_restartRequested = false;
    bool m_unlocked = false;
    std::optional<FlashFrame::Bytes> m_reply;
    std::size_t m_updateExtent = 0;  // bytes from the update area start written by Transfer
    InstallSteps m_steps;
    int m_installCount = 0;

    std::optional<std::uint32_t> m_failWritesFrom;
    int m_failWritesLeft = 0;
    std::optional<std::uint32_t> m_corruptReadAt;
    std::array<bool, 8> m_refused{};
};

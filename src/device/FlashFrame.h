#pragma once

#include "device/HidReports.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// Operations of the firmware-transfer report (report id 0xBF), byte 3 of a frame.
enum class FlashOp : std::uint8_t {
    Transfer = 0,         // write byte 1 bytes to the address and/or read byte 2 bytes back
    ClearUpdateArea = 1,  // erase the whole update area; no address
    Restart = 2,          // the mouse leaves the system and comes back; no address
    EraseSector = 3,      // erase the 4096-byte sector at the address
    WriteBytes = 4,       // write byte 4 bytes to the address (the information block)
    Protection = 5,       // bytes 4..7 carry a code: unlock or (four zeros) lock the base area
};

// Layout of the 136-byte frame.
namespace FlashLayout {
inline constexpr std::size_t kReportId = 0;
inline constexpr std::size_t kWriteCount = 1;  // Transfer: bytes written from kData
inline constexpr std::size_t kReadCount = 2;   // Transfer: bytes read into the reply's kData
inline constexpr std::size_t kOperation = 3;   // FlashOp
inline constexpr std::size_t kByteCount = 4;   // WriteBytes: bytes written; Protection: code byte 1
inline constexpr std::size_t kAddress = 5;     // 24-bit address, most significant byte first
inline constexpr std::size_t kAddressLength = 3;
inline constexpr std::size_t kCode = 4;  // Protection: the 4-byte code in bytes 4..7
inline constexpr std::size_t kData = 8;  // data written, or in a reply, data read
inline constexpr std::size_t kDataLength = 128;
}  // namespace FlashLayout

static_assert(FlashLayout::kData + FlashLayout::kDataLength == ReportLength::kFlash);

using FlashCode = std::array<std::uint8_t, 4>;

// The code that unlocks the base area. The value belongs to the mouse firmware; this one
// is the simulated mouse's, and the updater and the simulation use this one constant.
inline constexpr FlashCode kFlashUnlockCode{0x5A, 0xC3, 0x96, 0x3E};
// Four zero bytes lock the base area again.
inline constexpr FlashCode kFlashLockCode{0, 0, 0, 0};

// One frame of report 0xBF, built zero-filled. Builders clip data to 128 bytes and
// addresses to 24 bits; the readers give the fields of a received frame.
class FlashFrame {
public:
    using Bytes = std::array<std::uint8_t, ReportLength::kFlash>;

    // Transfer that writes `data` (at most 128 bytes) to `address`.
    [[nodiscard]] static FlashFrame TransferWrite(std::uint32_t address, std::span<const std::uint8_t> data);
    // Transfer that asks for `count` (at most 128) bytes from `address` in the reply.
    [[nodiscard]] static FlashFrame TransferRead(std::uint32_t address, std::size_t count);
    [[nodiscard]] static FlashFrame ClearUpdateArea();
    [[nodiscard]] static FlashFrame Restart();
    [[nodiscard]] static FlashFrame EraseSector(std::uint32_t address);
    // WriteBytes of `data` (at most 128 bytes) at `address`; byte 4 is the count.
    [[nodiscard]] static FlashFrame WriteBytes(std::uint32_t address, std::span<const std::uint8_t> data);
    [[nodiscard]] static FlashFrame Protection(const FlashCode& code);

    // A received frame: nothing when it is shorter than 136 bytes or not report 0xBF.
    [[nodiscard]] static std::optional<FlashFrame> Parse(std::span<const std::uint8_t> bytes);

    [[nodiscard]] std::span<const std::uint8_t> Report() const { return m_bytes; }
    [[nodiscard]] std::uint8_t OperationCode() const { return m_bytes[FlashLayout::kOperation]; }
    [[nodiscard]] std::size_t WriteCount() const { return m_bytes[FlashLayout::kWriteCount]; }
    [[nodiscard]] std::size_t ReadCount() const { return m_bytes[FlashLayout::kReadCount]; }
    [[nodiscard]] std::size_t ByteCount() const { return m_bytes[FlashLayout::kByteCount]; }
    [[nodiscard]] std::uint32_t Address() const;
    [[nodiscard]] FlashCode Code() const;
    [[nodiscard]] std::span<const std::uint8_t> Data() const;

    friend bool operator==(const FlashFrame&, const FlashFrame&) = default;

private:
    explicit FlashFrame(FlashOp operation);
    void SetAddress(std::uint32_t address);
    std::size_t SetData(std::span<const std::uint8_t> data);

    Bytes m_bytes{};
};

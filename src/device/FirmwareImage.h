#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The message shown when the carried program image is missing, empty or too large.
inline constexpr char16_t kAppFileErrorText[] = u"App File is Error!";

// A firmware image as the updater uses it: the given bytes, held in a zero-filled buffer
// of kBufferSize bytes so that reads past the given size see zeros. Never larger than
// the buffer.
class FirmwareImage {
public:
    static constexpr std::size_t kBufferSize = 0x52000;
    static constexpr std::size_t kAppSizeLimit = 159'616;  // 0x26F80

    // The program image; nothing when it is empty or larger than kAppSizeLimit (the
    // caller then shows kAppFileErrorText).
    [[nodiscard]] static std::optional<FirmwareImage> LoadApp(std::span<const std::uint8_t> bytes);
    // The base image; one larger than kBufferSize is left out: the result is empty.
    [[nodiscard]] static FirmwareImage LoadBase(std::span<const std::uint8_t> bytes);

    [[nodiscard]] std::size_t Size() const { return m_size; }
    [[nodiscard]] bool Empty() const { return m_size == 0; }
    // The bytes given.
    [[nodiscard]] std::span<const std::uint8_t> Bytes() const;
    // `length` bytes from `offset`, zeros past the given size; clipped to the buffer.
    [[nodiscard]] std::span<const std::uint8_t> Range(std::size_t offset, std::size_t length) const;
    // The first four bytes, little-endian: for a program image, the check value the
    // mouse reports once it is installed.
    [[nodiscard]] std::uint32_t HeaderCheckValue() const;

private:
    explicit FirmwareImage(std::span<const std::uint8_t> bytes);

    std::vector<std::uint8_t> m_buffer;
    std::size_t m_size = 0;
};

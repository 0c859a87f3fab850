#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The check value of a program image for the mouse: the CRC-32 register (reflected
// polynomial 0xEDB88320, start 0xFFFFFFFF, no final inversion) over the image body,
// i.e. everything after the 16-byte header. The image header's first four bytes carry
// the value the mouse reports for its installed program.
inline constexpr std::size_t kFirmwareHeaderLength = 16;

// The register after feeding `bytes` into it, starting from 0xFFFFFFFF.
[[nodiscard]] std::uint32_t FirmwareCrcRegister(std::span<const std::uint8_t> bytes);

// FirmwareCrcRegister over bytes 16..end. An image of 16 bytes or fewer has an empty body
// and gives the start value 0xFFFFFFFF.
[[nodiscard]] std::uint32_t FirmwareCheckValue(std::span<const std::uint8_t> image);

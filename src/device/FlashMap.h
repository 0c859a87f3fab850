#pragma once

#include <cstddef>
#include <cstdint>

// The mouse's flash as the firmware update addresses it (512 KiB, 4096-byte sectors).
namespace FlashMap {
inline constexpr std::size_t kSize = 0x80000;
inline constexpr std::uint32_t kSectorSize = 0x1000;

// The base area, rewritten 1:1 from the base image when it differs.
inline constexpr std::uint32_t kBaseAreaStart = 0x000000;
inline constexpr std::uint32_t kBaseAreaEnd = 0x02B000;  // exclusive: 43 sectors
// The window compared to decide whether the base area needs rewriting.
inline constexpr std::uint32_t kBaseCompareStart = 0x010000;
inline constexpr std::uint32_t kBaseCompareEnd = 0x011000;  // exclusive

// The installed program; its 16-byte header starts with the installed check value.
inline constexpr std::uint32_t kInstalledHeader = 0x02B070;

// The update area that receives the new program image.
inline constexpr std::uint32_t kUpdateAreaStart = 0x052000;
inline constexpr std::uint32_t kUpdateAreaEnd = 0x07C000;  // exclusive

// Installation: sectors erased, and the information block whose byte 1 counts updates
// and whose 36 bytes at offset 8 are set to 0xFF.
inline constexpr std::uint32_t kInstallEraseFirst = 0x07F000;
inline constexpr std::uint32_t kInstallEraseSecond = 0x07C000;
inline constexpr std::uint32_t kInstallEraseThird = 0x07D000;
inline constexpr std::uint32_t kInfoBlock = 0x07E000;
inline constexpr std::size_t kInfoBlockLength = 128;
inline constexpr std::size_t kInfoCounter = 1;  // offset in the information block
inline constexpr std::uint32_t kInfoMarker = 0x07E008;
inline constexpr std::size_t kInfoMarkerLength = 36;
inline constexpr std::uint8_t kErased = 0xFF;
}  // namespace FlashMap

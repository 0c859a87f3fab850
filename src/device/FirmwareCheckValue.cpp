#include "device/FirmwareCheckValue.h"

#include <array>

namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;
constexpr std::uint32_t kStartValue = 0xFFFFFFFFu;

constexpr std::array<std::uint32_t, 256> MakeTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t index = 0; index < table.size(); ++index) {
        std::uint32_t value = index;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1u) != 0 ? (value >> 1) ^ kPolynomial : value >> 1;
        table[index] = value;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kTable = MakeTable();

}  // namespace

std::uint32_t FirmwareCrcRegister(std::span<const std::uint8_t> bytes)
{
    std::uint32_t crc = kStartValue;
    for (const std::uint8_t byte : bytes)
        crc = kTable[(crc ^ byte) & 0xFFu] ^ (crc >> 8);
    return crc;
}

std::uint32_t FirmwareCheckValue(std::span<const std::uint8_t> image)
{
    if (image.size() <= kFirmwareHeaderLength)
        return FirmwareCrcRegister({});
    return FirmwareCrcRegister(image.subspan(kFirmwareHeaderLength));
}

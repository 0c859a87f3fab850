#include "device/FirmwareImage.h"

#include <algorithm>

std::optional<FirmwareImage> FirmwareImage::LoadApp(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty() || bytes.size() > kAppSizeLimit)
        return std::nullopt;
    return FirmwareImage(bytes);
}

FirmwareImage FirmwareImage::LoadBase(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > kBufferSize)
        return FirmwareImage({});
    return FirmwareImage(bytes);
}

FirmwareImage::FirmwareImage(std::span<const std::uint8_t> bytes)
    : m_buffer(kBufferSize, 0), m_size(bytes.size())
{
    std::copy(bytes.begin(), bytes.end(), m_buffer.begin());
}

std::span<const std::uint8_t> FirmwareImage::Bytes() const
{
    return std::span<const std::uint8_t>(m_buffer).first(m_size);
}

std::span<const std::uint8_t> FirmwareImage::Range(std::size_t offset, std::size_t length) const
{
    const std::span<const std::uint8_t> all(m_buffer);
    if (offset >= all.size())
        return {};
    return all.subspan(offset, std::min(length, all.size() - offset));
}

std::uint32_t FirmwareImage::HeaderCheckValue() const
{
    return static_cast<std::uint32_t>(m_buffer[0]) | static_cast<std::uint32_t>(m_buffer[1]) << 8 |
           static_cast<std::uint32_t>(m_buffer[2]) << 16 | static_cast<std::uint32_t>(m_buffer[3]) << 24;
}

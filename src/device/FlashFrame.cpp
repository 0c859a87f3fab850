#include "device/FlashFrame.h"

#include <algorithm>

FlashFrame::FlashFrame(FlashOp operation)
{
    m_bytes[FlashLayout::kReportId] = ReportId::kFlash;
    m_bytes[FlashLayout::kOperation] = static_cast<std::uint8_t>(operation);
}

void FlashFrame::SetAddress(std::uint32_t address)
{
    m_bytes[FlashLayout::kAddress] = static_cast<std::uint8_t>(address >> 16);
    m_bytes[FlashLayout::kAddress + 1] = static_cast<std::uint8_t>(address >> 8);
    m_bytes[FlashLayout::kAddress + 2] = static_cast<std::uint8_t>(address);
}

std::size_t FlashFrame::SetData(std::span<const std::uint8_t> data)
{
    const std::size_t count = std::min(data.size(), FlashLayout::kDataLength);
    std::copy_n(data.begin(), count, m_bytes.begin() + FlashLayout::kData);
    return count;
}

FlashFrame FlashFrame::TransferWrite(std::uint32_t address, std::span<const std::uint8_t> data)
{
    FlashFrame frame(FlashOp::Transfer);
    frame.m_bytes[FlashLayout::kWriteCount] = static_cast<std::uint8_t>(frame.SetData(data));
    frame.SetAddress(address);
    return frame;
}

FlashFrame FlashFrame::TransferRead(std::uint32_t address, std::size_t count)
{
    FlashFrame frame(FlashOp::Transfer);
    frame.m_bytes[FlashLayout::kReadCount] = static_cast<std::uint8_t>(std::min(count, FlashLayout::kDataLength));
    frame.SetAddress(address);
    return frame;
}

FlashFrame FlashFrame::ClearUpdateArea()
{
    return FlashFrame(FlashOp::ClearUpdateArea);
}

FlashFrame FlashFrame::Restart()
{
    return FlashFrame(FlashOp::Restart);
}

FlashFrame FlashFrame::EraseSector(std::uint32_t address)
{
    FlashFrame frame(FlashOp::EraseSector);
    frame.SetAddress(address);
    return frame;
}

FlashFrame FlashFrame::WriteBytes(std::uint32_t address, std::span<const std::uint8_t> data)
{
    FlashFrame frame(FlashOp::WriteBytes);
    frame.m_bytes[FlashLayout::kByteCount] = static_cast<std::uint8_t>(frame.SetData(data));
    frame.SetAddress(address);
    return frame;
}

FlashFrame FlashFrame::Protection(const FlashCode& code)
{
    FlashFrame frame(FlashOp::Protection);
    std::copy(code.begin(), code.end(), frame.m_bytes.begin() + FlashLayout::kCode);
    return frame;
}

std::optional<FlashFrame> FlashFrame::Parse(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < ReportLength::kFlash || bytes[FlashLayout::kReportId] != ReportId::kFlash)
        return std::nullopt;
    FlashFrame frame(FlashOp::Transfer);
    std::copy_n(bytes.begin(), ReportLength::kFlash, frame.m_bytes.begin());
    return frame;
}

std::uint32_t FlashFrame::Address() const
{
    return static_cast<std::uint32_t>(m_bytes[FlashLayout::kAddress]) << 16 |
           static_cast<std::uint32_t>(m_bytes[FlashLayout::kAddress + 1]) << 8 |
           static_cast<std::uint32_t>(m_bytes[FlashLayout::kAddress + 2]);
}

FlashCode FlashFrame::Code() const
{
    FlashCode code{};
    std::copy_n(m_bytes.begin() + FlashLayout::kCode, code.size(), code.begin());
    return code;
}

std::span<const std::uint8_t> FlashFrame::Data() const
{
    return std::span<const std::uint8_t>(m_bytes).subspan(FlashLayout::kData, FlashLayout::kDataLength);
}

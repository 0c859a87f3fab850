#include "sim/SimFlashMemory.h"

#include "device/FirmwareCheckValue.h"
#include "device/FlashMap.h"

#include <algorithm>

static_assert(SimFlashMemory::kSize == FlashMap::kSize);

namespace {

constexpr std::uint32_t kInstalledAreaStart = FlashMap::kBaseAreaEnd;
constexpr std::uint32_t kInstalledAreaEnd = FlashMap::kUpdateAreaStart;
constexpr std::size_t kInstallableLength = kInstalledAreaEnd - FlashMap::kInstalledHeader;
constexpr std::uint8_t kCorruptionMask = 0xFF;  // a corrupted read returns the byte inverted

bool Overlaps(std::uint32_t start, std::size_t length, std::uint32_t areaStart, std::uint32_t areaEnd)
{
    return length > 0 && start < areaEnd && start + length > areaStart;
}

bool Covers(std::uint32_t start, std::size_t length, std::uint32_t address, std::size_t span)
{
    return start <= address && address + span <= start + length;
}

std::uint32_t ReadLittleEndian32(std::span<const std::uint8_t> bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace

SimFlashMemory::SimFlashMemory() = default;

std::vector<std::uint8_t>& SimFlashMemory::Memory() const
{
    if (m_memory.empty())
        m_memory.assign(kSize, FlashMap::kErased);
    return m_memory;
}

bool SimFlashMemory::HandleFrame(std::span<const std::uint8_t> bytes)
{
    m_reply.reset();
    const std::optional<FlashFrame> frame = FlashFrame::Parse(bytes);
    if (!frame)
        return false;
    const std::uint8_t code = frame->OperationCode();
    if (code < m_refused.size() && m_refused[code])
        return false;
    switch (static_cast<FlashOp>(code)) {
    case FlashOp::Transfer:
        return HandleTransfer(*frame);
    case FlashOp::ClearUpdateArea:
        Fill(FlashMap::kUpdateAreaStart, FlashMap::kUpdateAreaEnd, FlashMap::kErased);
        m_updateExtent = 0;
        return true;
    case FlashOp::Restart:
        HandleRestart();
        return true;
    case FlashOp::EraseSector:
        return HandleErase(frame->Address());
    case FlashOp::WriteBytes:
        return HandleWriteBytes(*frame);
    case FlashOp::Protection:
        return HandleProtection(frame->Code());
    }
    return false;
}

bool SimFlashMemory::Writable(std::uint32_t address, std::size_t length) const
{
    if (address + length > kSize)
        return false;
    return m_unlocked || !Overlaps(address, length, FlashMap::kBaseAreaStart, FlashMap::kBaseAreaEnd);
}

bool SimFlashMemory::WriteFaultHits(std::uint32_t address)
{
    if (!m_failWritesFrom || m_failWritesLeft <= 0 || address < *m_failWritesFrom)
        return false;
    --m_failWritesLeft;
    return true;
}

bool SimFlashMemory::HandleTransfer(const FlashFrame& frame)
{
    const std::uint32_t address = frame.Address();
    const std::size_t writeCount = frame.WriteCount();
    const std::size_t readCount = frame.ReadCount();
    if (writeCount > FlashLayout::kDataLength || readCount > FlashLayout::kDataLength)
        return false;
    if (address + std::max(writeCount, readCount) > kSize)
        return false;

    if (writeCount > 0) {
        if (!Writable(address, writeCount) || WriteFaultHits(address))
            return false;
        const std::span<const std::uint8_t> data = frame.Data();
        std::vector<std::uint8_t>& memory = Memory();
        for (std::size_t i = 0; i < writeCount; ++i)
            memory[address + i] &= data[i];
        if (address >= FlashMap::kUpdateAreaStart && address + writeCount <= FlashMap::kUpdateAreaEnd)
            m_updateExtent = std::max(m_updateExtent, address + writeCount - FlashMap::kUpdateAreaStart);
    }

    if (readCount > 0) {
        FlashFrame::Bytes reply{};
        const std::span<const std::uint8_t> request = frame.Report();
        std::copy_n(request.begin(), FlashLayout::kData, reply.begin());
        std::copy_n(Memory().begin() + address, readCount, reply.begin() + FlashLayout::kData);
        if (m_corruptReadAt && *m_corruptReadAt >= address && *m_corruptReadAt < address + readCount)
            reply[FlashLayout::kData + (*m_corruptReadAt - address)] ^= kCorruptionMask;
        m_reply = reply;
    }
    return true;
}

bool SimFlashMemory::HandleErase(std::uint32_t address)
{
    if (address % FlashMap::kSectorSize != 0 || !Writable(address, FlashMap::kSectorSize))
        return false;
    Fill(address, address + FlashMap::kSectorSize, FlashMap::kErased);
    if (address == FlashMap::kInstallEraseSecond)
        m_steps.secondSectorErased = true;
    if (address == FlashMap::kInstallEraseThird)
        m_steps.thirdSectorErased = true;
    return true;
}

bool SimFlashMemory::HandleWriteBytes(const FlashFrame& frame)
{
    const std::uint32_t address = frame.Address();
    const std::size_t count = frame.ByteCount();
    if (count > FlashLayout::kDataLength || !Writable(address, count) || WriteFaultHits(address))
        return false;

    const std::uint32_t counterAddress = FlashMap::kInfoBlock + static_cast<std::uint32_t>(FlashMap::kInfoCounter);
    const std::uint8_t counterBefore = Memory()[counterAddress];
    const std::span<const std::uint8_t> data = frame.Data();
    std::copy_n(data.begin(), count, Memory().begin() + address);

    if (Memory()[counterAddress] != counterBefore)
        m_steps.infoCounterChanged = true;
    if (Covers(address, count, FlashMap::kInfoMarker, FlashMap::kInfoMarkerLength))
        m_steps.markerWritten = true;
    return true;
}

bool SimFlashMemory::HandleProtection(const FlashCode& code)
{
    if (code == kFlashUnlockCode) {
        m_unlocked = true;
        return true;
    }
    if (code == kFlashLockCode) {
        m_unlocked = false;
        return true;
    }
    return false;
}

bool SimFlashMemory::UpdateImageComplete() const
{
    if (m_updateExtent <= kFirmwareHeaderLength || m_updateExtent > kInstallableLength)
        return false;
    const std::span<const std::uint8_t> image =
        std::span<const std::uint8_t>(Memory()).subspan(FlashMap::kUpdateAreaStart, m_updateExtent);
    return ReadLittleEndian32(image) == FirmwareCheckValue(image);
}

void SimFlashMemory::HandleRestart()
{
    m_restartRequested = true;
    const auto marker = std::span<const std::uint8_t>(Memory()).subspan(FlashMap::kInfoMarker, FlashMap::kInfoMarkerLength);
    const bool markerErased =
        std::all_of(marker.begin(), marker.end(), [](std::uint8_t byte) { return byte == FlashMap::kErased; });
    const bool stepsDone = m_steps.infoCounterChanged && m_steps.secondSectorErased && m_steps.thirdSectorErased &&
                           m_steps.markerWritten && markerErased;
    if (stepsDone && UpdateImageComplete()) {
        Fill(kInstalledAreaStart, kInstalledAreaEnd, FlashMap::kErased);
        std::copy_n(Memory().begin() + FlashMap::kUpdateAreaStart, m_updateExtent,
                    Memory().begin() + FlashMap::kInstalledHeader);
        ++m_installCount;
    }
    m_steps = {};
    m_unlocked = false;
}

bool SimFlashMemory::FillReply(std::span<std::uint8_t> buffer)
{
    if (!m_reply)
        return false;
    std::copy_n(m_reply->begin(), std::min(buffer.size(), m_reply->size()), buffer.begin());
    return true;
}

bool SimFlashMemory::TakeRestartRequest()
{
    const bool requested = m_restartRequested;
    m_restartRequested = false;
    return requested;
}

void SimFlashMemory::Load(std::uint32_t address, std::span<const std::uint8_t> bytes)
{
    if (address >= kSize)
        return;
    const std::size_t count = std::min(bytes.size(), kSize - address);
    std::copy_n(bytes.begin(), count, Memory().begin() + address);
}

void SimFlashMemory::Fill(std::uint32_t start, std::uint32_t end, std::uint8_t value)
{
    std::fill(Memory().begin() + start, Memory().begin() + end, value);
}

void SimFlashMemory::FailWrites(std::uint32_t address, int count)
{
    m_failWritesFrom = address;
    m_failWritesLeft = count;
}

void SimFlashMemory::CorruptReadAt(std::uint32_t address)
{
    m_corruptReadAt = address;
}

void SimFlashMemory::RefuseOperation(FlashOp operation)
{
    const auto code = static_cast<std::size_t>(operation);
    if (code < m_refused.size())
        m_refused[code] = true;
}

void SimFlashMemory::ClearFaults()
{
    m_failWritesFrom.reset();
    m_failWritesLeft = 0;
    m_corruptReadAt.reset();
    m_refused = {};
}

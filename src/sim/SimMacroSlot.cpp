#include "sim/SimMacroSlot.h"

#include <algorithm>

void SimMacroSlot::StorePacket(std::uint8_t index, std::uint8_t count, std::span<const std::uint8_t> data)
{
    if (count == 0 || count > kMaxPackets || index >= count || data.size() > kBytesPerPacket)
        return;
    if (index == 0 || count != packetCount)
        Clear();
    packetCount = count;
    const std::size_t offset = index * kBytesPerPacket;
    if (events.size() < offset + data.size())
        events.resize(offset + data.size(), 0);
    std::copy(data.begin(), data.end(), events.begin() + static_cast<std::ptrdiff_t>(offset));
    receivedPackets = static_cast<std::uint16_t>(receivedPackets | (1u << index));
    ++packetWrites;
}

bool SimMacroSlot::Complete() const
{
    if (packetCount == 0)
        return false;
    const unsigned all = (1u << packetCount) - 1u;
    return receivedPackets == all;
}

void SimMacroSlot::Clear()
{
    events.clear();
    packetCount = 0;
    receivedPackets = 0;
    packetWrites = 0;
}

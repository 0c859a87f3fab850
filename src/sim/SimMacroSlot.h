#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// One slot of the mouse's macro memory, filled by macro data packets. Packet k's event
// bytes land at offset 25 k, so a packet written twice (a retry after a lost reply)
// changes nothing, and a packet that never arrived leaves a gap that Complete() reports.
struct SimMacroSlot {
    static constexpr std::size_t kBytesPerPacket = 25;
    static constexpr std::size_t kMaxPackets = 15;  // the packet count is one nibble

    std::vector<std::uint8_t> events;  // the event byte stream as assembled
    std::uint8_t packetCount = 0;      // the transfer's packet count; 0 = empty slot
    std::uint16_t receivedPackets = 0; // bit k set once packet k of the transfer arrived
    unsigned packetWrites = 0;         // packets stored in this transfer, repeats included

    // Stores packet `index` of a transfer of `count` packets. Packet 0 starts a new
    // transfer; so does a packet whose count differs from the transfer in progress (its
    // packet 0 was lost, so the slot cannot end up complete). A packet outside its count
    // or longer than 25 bytes is ignored.
    void StorePacket(std::uint8_t index, std::uint8_t count, std::span<const std::uint8_t> data);
    // Every packet of the transfer arrived.
    [[nodiscard]] bool Complete() const;
    void Clear();

    friend bool operator==(const SimMacroSlot&, const SimMacroSlot&) = default;
};

#include "device/MacroUploader.h"

#include "profiles/KeyAssignment.h"

#include <algorithm>

namespace {

constexpr auto kMacroType = static_cast<std::uint8_t>(FunctionType::Macro);

struct ButtonImage {
    std::uint8_t slot = MacroResolution::kNoSlot;
    BuiltMacroImage image;
};

// The images of the macro buttons in button order. A slot outside the copies (no more
// than six can be given, so it cannot happen) would have no copy to compare with and is
// left out rather than written past the table.
std::vector<ButtonImage> BuildButtonImages(const Profile& profile, const MacroResolution& resolution)
{
    std::vector<ButtonImage> images;
    for (std::size_t button = 0; button < Profile::kButtonCount; ++button) {
        const std::uint8_t slot = resolution.slots[button];
        const KeyAssignment& key = profile.Keys[button];
        if (key.Value[0] != kMacroType || slot == MacroResolution::kNoSlot ||
            slot >= LastSentCopies::kMacroSlotCount) {
            continue;
        }
        images.push_back(ButtonImage{slot, BuildMacroImage(key.Macro, slot)});
    }
    return images;
}

// Compares the image with the copy of its slot and stores it there; true if it differed.
bool StoreImage(const ButtonImage& entry, LastSentCopies& copies)
{
    LastSentCopies::MacroImage& copy = copies.macros[entry.slot];
    const bool differed = copy != entry.image.bytes;
    copy = entry.image.bytes;
    return differed;
}

}  // namespace

CommandRequest MacroClearCommand()
{
    CommandRequest request;
    request.code = CommandCode::MacroClear;
    request.packet = CommandLayout::kSinglePacket;
    request.At(MacroCommandLayout::kClearFlag) = MacroCommandLayout::kClearValue;
    request.pauseAfter = MacroCommandLayout::kClearPause;
    return request;
}

std::vector<CommandRequest> MacroDataPackets(const BuiltMacroImage& image, std::uint8_t slot)
{
    using namespace MacroCommandLayout;
    // The packets carry the events that were encoded, so the mouse gets every event of
    // the macro and never bytes past them; an image can hold no more than fit in the
    // packet field's fifteen packets.
    const std::size_t total = std::min(image.eventBytes, MacroImageLayout::kMaxEventBytes);
    const std::size_t packetCount =
        total == 0 ? 1 : (total + kEventsPerPacket - 1) / kEventsPerPacket;

    std::vector<CommandRequest> packets;
    packets.reserve(packetCount);
    std::size_t remaining = total;
    for (std::size_t k = 0; k < packetCount; ++k) {
        CommandRequest request;
        request.code = CommandCode::MacroData;
        request.packet = CommandLayout::PacketField(k, packetCount);
        const std::size_t inPacket = std::min(remaining, kEventsPerPacket);
        request.At(kLength) = static_cast<std::uint8_t>(inPacket + 1);
        remaining -= inPacket;
        request.At(kSlot) = slot;
        const auto first = image.bytes.begin() +
                           static_cast<std::ptrdiff_t>(MacroImageLayout::kEvents + k * kEventsPerPacket);
        std::copy(first, first + static_cast<std::ptrdiff_t>(kEventsPerPacket),
                  request.payload.begin() + static_cast<std::ptrdiff_t>(kEvents - CommandLayout::kPayload));
        request.settle = CommandRequest::kMacroSettle;
        request.retry = RetryMode::ResendSaved;
        packets.push_back(request);
    }
    return packets;
}

std::vector<CommandRequest> UploadMacros(const Profile& profile, const MacroResolution& resolution,
                                         LastSentCopies& copies, MacroUploadMode mode)
{
    const std::vector<ButtonImage> images = BuildButtonImages(profile, resolution);
    bool anyDiffered = false;
    for (const ButtonImage& entry : images) {
        anyDiffered = StoreImage(entry, copies) || anyDiffered;
    }
    if (mode != MacroUploadMode::Send || !anyDiffered) {
        return {};
    }

    // Clearing erases every macro in the mouse, so every macro button is written again,
    // changed or not.
    std::vector<CommandRequest> commands{MacroClearCommand()};
    copies.ForgetMacros();
    for (const ButtonImage& entry : images) {
        if (StoreImage(entry, copies)) {
            const std::vector<CommandRequest> packets = MacroDataPackets(entry.image, entry.slot);
            commands.insert(commands.end(), packets.begin(), packets.end());
        }
    }
    return commands;
}

#include "device/MacroEventEncoder.h"

#include "keyfunc/KeyTables.h"
#include "profiles/KeyAssignment.h"

#include <algorithm>

namespace {

// Device codes as the event classes split them.
constexpr std::uint8_t kLastKeyUsage = 0x90;
constexpr std::uint8_t kLastModifierUsage = 0xE7;
constexpr std::uint8_t kFirstMouseButtonUsage = 0xF0;
constexpr std::uint8_t kLastMouseButtonUsage = 0xF4;
constexpr std::uint8_t kMoveXUsage = 0xF5;
constexpr std::uint8_t kMoveYUsage = 0xF6;
constexpr std::uint8_t kWheelUsage = 0xF7;

// Modifier and button bits: the low three bits of the device code pick the bit.
constexpr std::uint8_t kBitIndexMask = 0x07;
constexpr std::uint8_t kReleaseBit = MacroAction::kReleaseFlag;
constexpr unsigned kClassShift = 4;
constexpr unsigned kDelayHighShift = 8;
constexpr std::uint32_t kDelayHighMask = 0x0F;
constexpr std::uint32_t kDelayLowMask = 0xFF;
constexpr int kAmountByte = 3;
constexpr int kFlagByte = 1;

struct ClassAndValue {
    MacroEventClass eventClass;
    std::uint8_t value;
};

std::uint8_t Bit(std::uint8_t usage)
{
    return static_cast<std::uint8_t>(1U << (usage & kBitIndexMask));
}

ClassAndValue Classify(std::uint8_t usage, std::uint8_t amount)
{
    if (usage <= kLastKeyUsage) {
        return {MacroEventClass::Key, usage};
    }
    if (usage <= kLastModifierUsage) {
        return {MacroEventClass::Modifier, Bit(usage)};
    }
    if (usage >= kFirstMouseButtonUsage && usage <= kLastMouseButtonUsage) {
        return {MacroEventClass::MouseButton, Bit(usage)};
    }
    switch (usage) {
    case kMoveXUsage:
        return {MacroEventClass::MoveX, amount};
    case kMoveYUsage:
        return {MacroEventClass::MoveY, amount};
    case kWheelUsage:
        return {MacroEventClass::Wheel, amount};
    default:
        return {MacroEventClass::Other, usage};
    }
}

}  // namespace

MacroEvent EncodeDeviceEvent(std::uint8_t usage, std::uint8_t flags, std::uint8_t amount,
                             std::uint32_t delayMilliseconds)
{
    const std::uint32_t delay = std::min(delayMilliseconds, kMaxEventDelay);
    const ClassAndValue classified = Classify(usage, amount);
    const auto classBits = static_cast<std::uint32_t>(classified.eventClass) << kClassShift;
    return MacroEvent{
        static_cast<std::uint8_t>((flags & kReleaseBit) | classBits |
                                  ((delay >> kDelayHighShift) & kDelayHighMask)),
        static_cast<std::uint8_t>(delay & kDelayLowMask),
        classified.value,
    };
}

MacroEvent EncodeMacroEvent(MacroAction action, std::uint32_t delayMilliseconds)
{
    return EncodeDeviceEvent(KeyUsage(action.Code()), action.Byte(kFlagByte),
                             action.Byte(kAmountByte), delayMilliseconds);
}

BuiltMacroImage BuildMacroImage(const MacroKey& macro, std::uint8_t slot)
{
    using namespace MacroImageLayout;
    BuiltMacroImage image;
    image.bytes[kTag] = kTagValue;
    image.bytes[kFunction] = static_cast<std::uint8_t>(FunctionType::Macro);
    image.bytes[kSlot] = slot;
    image.bytes[kCommandCount] = macro.MacroCommandActionNum;

    const std::uint32_t count = macro.UsableActionCount();
    std::size_t at = kEvents;
    std::size_t events = 0;
    for (std::uint32_t i = 0; i < count && events < kMaxEvents; ++i) {
        const MacroAction action = macro.actions[i];
        if (action.IsDelay()) {
            continue;
        }
        std::uint32_t delay = 0;
        if (i + 1 < count && macro.actions[i + 1].IsDelay()) {
            delay = macro.actions[i + 1].DelayMilliseconds();
        }
        const MacroEvent event = EncodeMacroEvent(action, delay);
        std::copy(event.begin(), event.end(), image.bytes.begin() + static_cast<std::ptrdiff_t>(at));
        at += kEventLength;
        ++events;
    }
    image.eventBytes = at - kEvents;
    return image;
}

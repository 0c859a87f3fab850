#include "device/KeyAssignmentCommands.h"

#include <algorithm>

static_assert(KeyAssignmentLayout::kFirstKeyByte + LastSentCopies::kKeyBytes ==
              KeyAssignmentLayout::kFirstFillByte);

KeyBytes BuildKeyBytes(const Profile& profile)
{
    KeyBytes bytes{};
    auto out = bytes.begin();
    for (const std::size_t button : KeyAssignmentLayout::kWireOrder) {
        const FunctionValue& value = profile.Keys[button].Value;
        out = std::copy(value.begin(), value.end(), out);
    }
    return bytes;
}

std::optional<CommandRequest> SendKeyAssignments(const Profile& profile, LastSentCopies& copies)
{
    copies.ForgetMacros();
    const KeyBytes bytes = BuildKeyBytes(profile);
    const bool forgotten = copies.TakeForgotten(LastSentCopies::Group::Keys);
    const bool changed = bytes != copies.keys || forgotten;
    copies.keys = bytes;
    if (!changed) {
        return std::nullopt;
    }
    CommandRequest request;
    request.code = CommandCode::KeyAssignments;
    request.packet = CommandLayout::kSinglePacket;
    const auto payloadAt = [&request](std::size_t reportByte) {
        return request.payload.begin() + static_cast<std::ptrdiff_t>(reportByte - CommandLayout::kPayload);
    };
    std::copy(bytes.begin(), bytes.end(), payloadAt(KeyAssignmentLayout::kFirstKeyByte));
    std::fill(payloadAt(KeyAssignmentLayout::kFirstFillByte), request.payload.end(),
              KeyAssignmentLayout::kFill);
    return request;
}

void PrimeKeyAssignments(const Profile& profile, LastSentCopies& copies)
{
    // The copy is exactly the 18 key bytes, so there is nothing of an earlier fill left
    // to keep: storing the bytes is the whole prime.
    copies.keys = BuildKeyBytes(profile);
    copies.Remember(LastSentCopies::Group::Keys);
}

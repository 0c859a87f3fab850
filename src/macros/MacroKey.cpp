#include "macros/MacroKey.h"

MacroAction MacroKey::Get(std::uint32_t i) const
{
    return i < kMaxActions ? actions[i] : actions[0];
}

bool MacroKey::Set(std::uint32_t i, MacroAction action)
{
    if (i >= kMaxActions) {
        return false;
    }
    actions[i] = action;
    return true;
}

bool MacroKey::Insert(std::uint32_t i, MacroAction action)
{
    const std::uint32_t count = UsableActionCount();
    if (count >= kMaxActions) {
        return false;
    }
    const std::uint32_t at = i < count ? i : count;
    // Every later slot moves up, the unused ones too, as Remove moves them all down: the
    // slots a file kept beyond the count stay in step, and removing what was inserted
    // gives back the same bytes. Slot 249 is unused here, so what falls off is nothing.
    for (std::uint32_t k = kMaxActions - 1; k > at; --k) {
        actions[k] = actions[k - 1];
    }
    actions[at] = action;
    MacroActionNum = count + 1;
    return true;
}

bool MacroKey::Remove(std::uint32_t i)
{
    const std::uint32_t count = UsableActionCount();
    if (i >= count) {
        return false;
    }
    for (std::uint32_t k = i; k + 1 < kMaxActions; ++k) {
        actions[k] = actions[k + 1];
    }
    actions[kMaxActions - 1] = MacroAction{};
    MacroActionNum = count - 1;
    return true;
}

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
    for (std::uint32_t k = count; k > at; --k) {
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

#include "device/MacroButtonResolver.h"

#include "keyfunc/FunctionValue.h"
#include "profiles/KeyAssignment.h"

#include <cstddef>

namespace {

constexpr auto kMacroType = static_cast<std::uint8_t>(FunctionType::Macro);
constexpr unsigned kLoopTypeShift = 4;
constexpr std::uint8_t kSlotMask = 0x0F;
constexpr std::uint32_t kNoMacroNumber = 0;

// The slots given so far in one resolution. A library position holds one MacroKey, so
// the found macro's address identifies its position; six buttons give at most six.
class SlotAssignments {
public:
    [[nodiscard]] std::uint8_t SlotOf(const MacroKey* macro)
    {
        for (std::size_t i = 0; i < m_count; ++i) {
            if (m_entries[i].macro == macro) {
                return m_entries[i].slot;
            }
        }
        const std::uint8_t slot = m_nextSlot++;
        m_entries[m_count++] = Entry{macro, slot};
        return slot;
    }

private:
    struct Entry {
        const MacroKey* macro = nullptr;
        std::uint8_t slot = MacroResolution::kNoSlot;
    };
    std::array<Entry, Profile::kButtonCount> m_entries{};
    std::size_t m_count = 0;
    std::uint8_t m_nextSlot = 1;
};

FunctionValue MacroButtonValue(const MacroKey& macro, std::uint8_t slot)
{
    const auto loop = static_cast<std::uint8_t>((macro.MacroKeyLoopType << kLoopTypeShift) |
                                                (slot & kSlotMask));
    const std::uint8_t count =
        macro.MacroKeyLoopType == MacroKey::kLoopModeCount ? macro.MacroKeyLoopNum : 0;
    return FunctionValue{kMacroType, loop, count};
}

}  // namespace

void ResolveMacroButtons(Profile& profile, const MacroLibrary& library, const LanguageTexts& texts,
                         MacroResolution& resolution)
{
    SlotAssignments assignments;
    resolution.slots.fill(MacroResolution::kNoSlot);
    for (std::size_t button = 0; button < Profile::kButtonCount; ++button) {
        KeyAssignment& key = profile.Keys[button];
        if (key.Value[0] != kMacroType) {
            continue;
        }
        const MacroKey* macro =
            key.MacroKeyIndex == kNoMacroNumber ? nullptr : library.FindByNumber(key.MacroKeyIndex);
        if (macro == nullptr) {
            key.Name = texts.Text(static_cast<std::size_t>(FunctionTexts::kDisabled));
            key.Value = FunctionValue{};
            continue;
        }
        const std::uint8_t slot = assignments.SlotOf(macro);
        if (resolution.copyMacros) {
            key.Macro = *macro;
            resolution.macroRefreshed[button] = true;
        }
        key.Macro.MacroCommandActionNum = macro->MacroCommandActionNum;
        key.Value = MacroButtonValue(*macro, slot);
        resolution.slots[button] = slot;
    }
    resolution.copyMacros = false;
}

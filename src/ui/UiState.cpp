#include "ui/UiState.h"

#include <array>

namespace {

struct RadioEntry {
    int id;
    std::uint32_t bit;
};

// Groups of radio ids with their bits; a group's bits are contiguous.
struct RadioGroup {
    std::uint32_t mask;
    std::array<RadioEntry, 7> entries;
    int count;
};

constexpr std::array<RadioGroup, 7> kRadioGroups{{
    {0x7F,
     {{{3034, 0x1}, {3035, 0x2}, {3036, 0x4}, {3037, 0x8}, {3038, 0x10}, {3039, 0x20},
       {3040, 0x40}}},
     7},
    {0x180, {{{2009, 0x80}, {2010, 0x100}}}, 2},
    {0x600, {{{3501, 0x200}, {3502, 0x400}}}, 2},
    {0x1800, {{{3240, 0x800}, {3250, 0x1000}}}, 2},
    {0xE000, {{{2031, 0x2000}, {2032, 0x4000}, {2033, 0x8000}}}, 3},
    {0xF0000, {{{3030, 0x10000}, {3031, 0x20000}, {3032, 0x40000}, {3033, 0x80000}}}, 4},
    {0x300000, {{{3510, 0x100000}, {3511, 0x200000}}}, 2},
}};

}  // namespace

UiState& UiState::Instance()
{
    static UiState state;
    return state;
}

std::optional<UiState::RadioBit> UiState::RadioBitOf(int id)
{
    for (const RadioGroup& group : kRadioGroups) {
        for (int i = 0; i < group.count; ++i) {
            if (group.entries[static_cast<std::size_t>(i)].id == id)
                return RadioBit{group.entries[static_cast<std::size_t>(i)].bit, group.mask};
        }
    }
    return std::nullopt;
}

bool UiState::SelectRadio(int id)
{
    const auto radio = RadioBitOf(id);
    if (!radio)
        return false;
    RadioSelection = (RadioSelection & ~radio->groupMask) | radio->bit;
    return true;
}

bool UiState::IsRadioSelected(int id) const
{
    const auto radio = RadioBitOf(id);
    return radio && (RadioSelection & radio->bit) != 0;
}

void UiState::Reset()
{
    *this = UiState{};
}

#pragma once

#include <cstdint>

// A position in the macro tree: the level (stage 0..2) and the slot indexes that lead
// to it. Indexes a level does not use are 0; stage -1 means no item (an empty
// selection, a row past the end of the view).
struct MacroItemLocation {
    std::int32_t stage = -1;
    std::int32_t stage0Index = 0;
    std::int32_t stage1Index = 0;
    std::int32_t stage2Index = 0;

    [[nodiscard]] static constexpr MacroItemLocation None() { return {}; }
    [[nodiscard]] static constexpr MacroItemLocation Level0(std::int32_t index0)
    {
        return {0, index0, 0, 0};
    }
    [[nodiscard]] static constexpr MacroItemLocation Level1(std::int32_t index0,
                                                            std::int32_t index1)
    {
        return {1, index0, index1, 0};
    }
    [[nodiscard]] static constexpr MacroItemLocation Level2(std::int32_t index0,
                                                            std::int32_t index1,
                                                            std::int32_t index2)
    {
        return {2, index0, index1, index2};
    }

    [[nodiscard]] constexpr bool IsNone() const { return stage < 0; }

    friend constexpr bool operator==(const MacroItemLocation&, const MacroItemLocation&) = default;
};

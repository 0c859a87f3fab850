#pragma once

#include <optional>
#include <string>
#include <string_view>

// The number an edit box holds, brought into 1..max: the leading decimal digits count
// (anything else reads as 0, so a sign never makes a value negative), a value above max
// becomes max and 0 becomes 1. When the value had to change, `replacement` is the text
// the box shows instead.
struct BoundedEditValue {
    int value = 1;
    std::optional<std::u16string> replacement;

    [[nodiscard]] static BoundedEditValue From(std::u16string_view text, int max);
};

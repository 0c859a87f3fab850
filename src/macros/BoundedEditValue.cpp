#include "macros/BoundedEditValue.h"

BoundedEditValue BoundedEditValue::From(std::u16string_view text, int max)
{
    // Digits beyond max only make the value larger; stop counting once it is past max so
    // a long row of digits cannot overflow.
    long long value = 0;
    for (const char16_t character : text) {
        if (character < u'0' || character > u'9')
            break;
        value = value * 10 + (character - u'0');
        if (value > max)
            value = static_cast<long long>(max) + 1;
    }
    if (value > max) {
        const std::string digits = std::to_string(max);
        return {max, std::u16string(digits.begin(), digits.end())};
    }
    if (value == 0)
        return {1, u"1"};
    return {static_cast<int>(value), std::nullopt};
}

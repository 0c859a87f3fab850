#pragma once

#include <algorithm>
#include <string_view>

// Whether a text can stand in one line of the program's files and be read back as it
// is: no line feed, which ends the line, and no other control character or line
// separator, which other readers of these files take as line ends or cannot show. A tab
// is part of the files' own indentation and reads back unchanged.
[[nodiscard]] inline bool FitsOneLine(std::u16string_view text)
{
    return std::none_of(text.begin(), text.end(), [](char16_t c) {
        return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
    });
}

// Whether a text can be the key of a "key=value" line: not empty, without "=" (the
// first "=" ends the key) and fitting one line.
[[nodiscard]] inline bool FitsAsKey(std::u16string_view key)
{
    return !key.empty() && key.find(u'=') == std::u16string_view::npos && FitsOneLine(key);
}

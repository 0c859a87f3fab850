#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number parsing and formatting for the program's text files and settings values.
// Parsers follow the C library's rules the files were designed around: a decimal or
// hexadecimal number is read from the start of the text and stops at the first character
// that does not belong to it; no digits at all give 0. They saturate instead of
// overflowing.
namespace TextNumbers {

// Leading blanks, an optional sign, decimal digits; saturates to the 32-bit range.
[[nodiscard]] std::int64_t ParseDecimal(std::u16string_view text);
// Leading blanks, an optional '+', decimal digits; saturates at 2^32 - 1.
[[nodiscard]] std::uint32_t ParseUnsignedDecimal(std::u16string_view text);
// Leading blanks, an optional sign, an optional "0x"/"0X", hexadecimal digits.
[[nodiscard]] std::uint32_t ParseHex(std::u16string_view text);
// Up to `digits` hexadecimal digits from `position`; a non-digit or the end of the text
// ends the conversion early.
[[nodiscard]] std::uint32_t ParseHexDigits(std::u16string_view text, std::size_t position,
                                           std::size_t digits);

// Exactly `digits` upper-case hexadecimal digits (more when the value needs them).
void AppendHex(std::u16string& out, std::uint32_t value, int digits);
[[nodiscard]] std::u16string Hex(std::uint32_t value, int digits);
void AppendDecimal(std::u16string& out, std::int64_t value);
[[nodiscard]] std::u16string Decimal(std::int64_t value);

// UTF-16 <-> UTF-8 for paths, JSON and the terminal. Unpaired surrogates become U+FFFD.
// AppendUtf8 appends one code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t code);
[[nodiscard]] std::string ToUtf8(std::u16string_view text);
[[nodiscard]] std::u16string FromUtf8(std::string_view text);

}  // namespace TextNumbers

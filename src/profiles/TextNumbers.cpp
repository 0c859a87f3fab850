#include "profiles/TextNumbers.h"

#include <limits>

namespace TextNumbers {
namespace {

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

int HexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

}  // namespace

std::int64_t ParseDecimal(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > kLimit) {
            value = kLimit + 1;  // saturated: stays out of every table's range
        }
    }
    if (negative) {
        return -value;
    }
    return value > kLimit ? kLimit : value;
}

std::uint32_t ParseUnsignedDecimal(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    if (i < text.size() && text[i] == u'+') {
        ++i;
    }
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + static_cast<std::uint64_t>(text[i] - u'0');
        if (value > std::numeric_limits<std::uint32_t>::max()) {
            value = std::numeric_limits<std::uint32_t>::max();
        }
    }
    return static_cast<std::uint32_t>(value);
}

std::uint32_t ParseHex(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
        i + 2 < text.size() && HexDigitValue(text[i + 2]) >= 0) {
        i += 2;
    }
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > std::numeric_limits<std::uint32_t>::max()) {
            value = std::numeric_limits<std::uint32_t>::max();
        }
    }
    const auto result = static_cast<std::uint32_t>(value);
    return negative ? static_cast<std::uint32_t>(0u - result) : result;
}

std::uint32_t ParseHexDigits(std::u16string_view text, std::size_t position, std::size_t digits)
{
    std::uint32_t value = 0;
    for (std::size_t i = position; i < text.size() && i < position + digits; ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

void AppendHex(std::u16string& out, std::uint32_t value, int digits)
{
    char16_t buffer[8];
    int count = 0;
    do {
        buffer[count++] = kHexDigits[value & 0xF];
        value >>= 4;
    } while (value != 0 && count < 8);
    for (int pad = count; pad < digits; ++pad) {
        out.push_back(u'0');
    }
    while (count > 0) {
        out.push_back(buffer[--count]);
    }
}

std::u16string Hex(std::uint32_t value, int digits)
{
    std::u16string out;
    AppendHex(out, value, digits);
    return out;
}

void AppendDecimal(std::u16string& out, std::int64_t value)
{
    if (value < 0) {
        out.push_back(u'-');
    }
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                        : static_cast<std::uint64_t>(value);
    char16_t buffer[20];
    int count = 0;
    do {
        buffer[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count > 0) {
        out.push_back(buffer[--count]);
    }
}

std::u16string Decimal(std::int64_t value)
{
    std::u16string out;
    AppendDecimal(out, value);
    return out;
}

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        AppendUtf8(out, code);
    }
    return out;
}

std::u16string FromUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::uint32_t code = 0xFFFD;
        std::size_t length = 1;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
        }
        if (length > 1) {
            bool valid = i + length <= text.size();
            std::uint32_t value = lead & (0xFFu >> (length + 1));
            for (std::size_t k = 1; valid && k < length; ++k) {
                const auto next = static_cast<unsigned char>(text[i + k]);
                valid = (next & 0xC0) == 0x80;
                value = (value << 6) | (next & 0x3Fu);
            }
            if (valid) {
                code = value;
            } else {
                length = 1;
            }
        }
        i += length;
        if (code >= 0x10000 && code <= 0x10FFFF) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else if (code >= 0x10000 || (code >= 0xD800 && code <= 0xDFFF)) {
            out.push_back(u'\uFFFD');
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
    }
    return out;
}

}  // namespace TextNumbers

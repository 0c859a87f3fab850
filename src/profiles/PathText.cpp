#include "profiles/PathText.h"

#include "profiles/TextNumbers.h"

#include <cstdint>

#ifndef _WIN32
namespace {

constexpr char32_t kReplacement = 0xFFFD;
// A byte that is not UTF-8 travels as this plus the byte.
constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;

[[nodiscard]] bool IsHighSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDBFF; }
[[nodiscard]] bool IsLowSurrogate(char32_t code) { return code >= 0xDC00 && code <= 0xDFFF; }

void AppendUtf16(std::u16string& out, char32_t code)
{
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

std::string BytesFromText(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            TextNumbers::AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00u));
            ++i;
        } else if (unit >= kFirstEscape && unit <= kLastEscape) {
            out.push_back(static_cast<char>(unit - kEscapeBase));
        } else {
            TextNumbers::AppendUtf8(out, IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacement : unit);
        }
    }
    return out;
}

// The length of the well-formed UTF-8 sequence at `at` and its code point; 0 when the
// byte there does not start one (overlong forms and surrogates are not well-formed).
std::size_t DecodeUtf8(std::string_view bytes, std::size_t at, char32_t& code)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    char32_t value = lead & (0xFFu >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || IsHighSurrogate(value) || IsLowSurrogate(value))
        return 0;
    code = value;
    return length;
}

std::u16string TextFromBytes(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(bytes, at, code);
        if (length == 0) {
            out.push_back(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[at])));
            ++at;
            continue;
        }
        AppendUtf16(out, code);
        at += length;
    }
    return out;
}

}  // namespace
#endif

#ifdef _WIN32

std::filesystem::path PathFromText(std::u16string_view text)
{
    return std::filesystem::path(std::wstring(text.begin(), text.end()));
}

std::u16string TextFromPath(const std::filesystem::path& path)
{
    const std::wstring& native = path.native();
    return std::u16string(native.begin(), native.end());
}

#else

std::filesystem::path PathFromText(std::u16string_view text)
{
    return std::filesystem::path(BytesFromText(text));
}

std::u16string TextFromPath(const std::filesystem::path& path)
{
    return TextFromBytes(path.native());
}

#endif

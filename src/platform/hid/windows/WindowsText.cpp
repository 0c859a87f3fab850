#include "platform/hid/windows/WindowsText.h"

#include <array>
#include <climits>

namespace {

// The conversion calls count in int; anything longer is no path or message of ours.
[[nodiscard]] bool FitsInt(std::size_t length)
{
    return length <= static_cast<std::size_t>(INT_MAX);
}

}  // namespace

std::string WideToUtf8(std::wstring_view text)
{
    if (text.empty() || !FitsInt(text.size())) {
        return {};
    }
    const int wideLength = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, result.data(), length, nullptr, nullptr);
    return result;
}

std::optional<std::wstring> Utf8ToWide(std::string_view text)
{
    if (text.empty()) {
        return std::wstring();
    }
    if (!FitsInt(text.size())) {
        return std::nullopt;
    }
    const int utf8Length = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), utf8Length, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), utf8Length, result.data(), length);
    return result;
}

std::string SystemErrorText(DWORD code)
{
    // Longer than any system message; FormatMessageW cuts rather than overflows.
    std::array<wchar_t, 512> buffer{};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                  buffer.data(), static_cast<DWORD>(buffer.size()), nullptr);
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' ')) {
        --length;
    }
    return WideToUtf8(std::wstring_view(buffer.data(), length));
}

std::string DescribeSystemError(std::string_view call, DWORD code)
{
    std::string text(call);
    text += ": ";
    const std::string reason = SystemErrorText(code);
    text += reason.empty() ? std::string("unknown error") : reason;
    text += " (error " + std::to_string(code) + ")";
    return text;
}

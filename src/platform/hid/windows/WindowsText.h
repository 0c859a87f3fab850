#pragma once

#include "platform/hid/windows/WindowsApi.h"

#include <optional>
#include <string>
#include <string_view>

// The program keeps paths and messages in UTF-8; Windows' wide calls take and give UTF-16.

// Unpaired surrogates, which Windows paths may hold, become U+FFFD.
[[nodiscard]] std::string WideToUtf8(std::wstring_view text);
// Nothing when the text is not valid UTF-8.
[[nodiscard]] std::optional<std::wstring> Utf8ToWide(std::string_view text);
// The system's text for an error code in the user's language, without the line end
// FormatMessageW appends; empty when the system has none.
[[nodiscard]] std::string SystemErrorText(DWORD code);
// "CALL: the system's text (error CODE)", for messages that already name the object.
[[nodiscard]] std::string DescribeSystemError(std::string_view call, DWORD code);

#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// File paths as the program's texts hold them (UTF-16, as in the settings file) and back,
// never throwing whatever the text or the path holds. On Windows both are UTF-16 already.
// Elsewhere paths are bytes, mostly UTF-8: a byte that is not part of UTF-8 becomes a lone
// low surrogate U+DC80..U+DCFF in the text and goes back to the same byte, so a data folder
// whose name is not UTF-8 still works; any other lone surrogate (a text nobody could have
// made from a path) becomes U+FFFD.
[[nodiscard]] std::filesystem::path PathFromText(std::u16string_view text);
[[nodiscard]] std::u16string TextFromPath(const std::filesystem::path& path);

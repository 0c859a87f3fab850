#pragma once

#include "profiles/CStdioFileEx.h"
#include "profiles/FileCheck.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

struct Profile;

// Reads a profile file into a profile, line by line in the fixed order the writer uses.
// Only line 1 is compared with a key; every other line is checked for the position of
// its first "=" and the shape of what follows.
class ProfileFileReader {
public:
    explicit ProfileFileReader(Profile& profile) : m_profile(profile) {}

    [[nodiscard]] FileCheck Read(const std::filesystem::path& path);

private:
    enum class KeyRule { NeedsKey, KeyMayBeEmpty };

    // The text after the first "=" of the next line, or nothing when the line is missing
    // or has no "=" where the rule wants it.
    [[nodiscard]] std::optional<std::u16string_view> NextValue(KeyRule rule = KeyRule::NeedsKey);
    [[nodiscard]] bool ReadByte(std::uint8_t& value);
    [[nodiscard]] bool ReadBytes(std::array<std::uint8_t, 3>& bytes);
    [[nodiscard]] bool ReadColor(std::uint32_t& color);
    [[nodiscard]] bool ReadTen(std::array<std::uint8_t, 10>& values);
    [[nodiscard]] bool ReadText(std::u16string& text, KeyRule rule = KeyRule::NeedsKey);
    [[nodiscard]] bool ReadDecimal(std::uint32_t& value);
    [[nodiscard]] bool ReadBody();
    [[nodiscard]] bool ReadButton(std::size_t button);
    void KeepWithinBounds();

    Profile& m_profile;
    CStdioFileEx m_file;
};

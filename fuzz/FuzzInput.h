#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

// Writes a fuzz input to a temporary file (the readers take paths) and removes it again.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size);
    ~FuzzInput();
    FuzzInput(const FuzzInput&) = delete;
    FuzzInput& operator=(const FuzzInput&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return m_path; }
    // A folder of this input's own for readers that also write (recovery files).
    [[nodiscard]] const std::filesystem::path& Folder() const { return m_folder; }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_path;
};

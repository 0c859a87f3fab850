#pragma once

#include <cstddef>
#include <string>

// The outcome of reading one of the program's text files: whether it passed the
// reader's checks and, when it did not, the 1-based number of the first line that failed
// (a missing line counts as the line that should have been there).
struct FileCheck {
    bool ok = false;
    std::size_t failingLine = 0;
    // Why the file could not be opened (the system's text); empty when it was opened.
    std::string openError;

    [[nodiscard]] static FileCheck Passed() { return {true, 0, {}}; }
    [[nodiscard]] static FileCheck FailedAt(std::size_t line) { return {false, line, {}}; }
    [[nodiscard]] static FileCheck NotOpened(std::string reason) { return {false, 1, std::move(reason)}; }
};

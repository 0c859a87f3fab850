#pragma once

#include <string_view>

// The main window's hidden key sequence: one word typed twice, letter by letter. A key
// that is not the expected letter starts over (at the second letter when it is the
// word's first). Enter and Escape start over as well.
class HiddenKeySequence {
public:
    static constexpr std::string_view kWord = "ABOUT";
    static constexpr int kLength = 2 * static_cast<int>(kWord.size());

    // One key press (Qt key code; letters are their upper-case character codes). True
    // when it completed the sequence, which then starts over.
    bool Press(int key);
    void Reset() { m_position = 0; }
    [[nodiscard]] int Position() const { return m_position; }

private:
    [[nodiscard]] static int LetterAt(int position);
    int m_position = 0;
};

#pragma once

#include <array>
#include <cstddef>
#include <string>

// The control font that the loaded language asks for.
struct ControlFont {
    std::u16string face = u"\u5B8B\u4F53";  // the Chinese default face
    int height = 12;                        // pixels
    int charset = 134;
    friend bool operator==(const ControlFont&, const ControlFont&) = default;
};

// The 500 numbered display texts of the chosen language; empty until loaded.
class LanguageTexts {
public:
    static constexpr std::size_t kCount = 500;

    // Text n, or an empty text for n outside 0..499.
    [[nodiscard]] const std::u16string& Text(std::size_t n) const;
    void SetText(std::size_t n, std::u16string text);
    void Clear();

    [[nodiscard]] const ControlFont& Font() const { return m_font; }
    void SetFont(ControlFont font) { m_font = std::move(font); }

private:
    std::array<std::u16string, kCount> m_texts;
    ControlFont m_font;
};

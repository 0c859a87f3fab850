#include "profiles/LanguageTexts.h"

namespace {
const std::u16string kEmpty;
}

const std::u16string& LanguageTexts::Text(std::size_t n) const
{
    return n < kCount ? m_texts[n] : kEmpty;
}

void LanguageTexts::SetText(std::size_t n, std::u16string text)
{
    if (n < kCount) {
        m_texts[n] = std::move(text);
    }
}

void LanguageTexts::Clear()
{
    for (auto& text : m_texts) {
        text.clear();
    }
    m_font = ControlFont{};
}

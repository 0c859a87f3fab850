#pragma once

#include "profiles/LanguageTexts.h"
#include "profiles/TextNumbers.h"

// Language texts where text n reads "T<n>", so a test sees which number was used.
inline LanguageTexts NumberedTexts()
{
    LanguageTexts texts;
    for (std::size_t n = 0; n < LanguageTexts::kCount; ++n) {
        texts.SetText(n, u"T" + TextNumbers::Decimal(static_cast<std::int64_t>(n)));
    }
    return texts;
}

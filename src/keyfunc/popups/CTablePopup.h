#pragma once

#include "keyfunc/popups/CMenuPopup.h"

#include <span>

class LanguageTexts;

// One entry of a fixed list: id, caption (a language text) and the value bytes a click
// produces.
struct FunctionEntry {
    int id;
    int text;
    FunctionValue value;
};

// A list whose entries come from a fixed table: a click sends the entry's bytes with
// its caption as the name.
class CTablePopup : public CMenuPopup {
public:
    // Design sizes of the image-style lists.
    static constexpr int kWidth = 162;
    static constexpr int kEntryHeight = 22;

protected:
    CTablePopup(const LanguageTexts& texts, std::span<const FunctionEntry> table, int kind,
                const MenuImages& images, int designWidth = kWidth, EntryLook look = EntryLook::Image,
                FunctionValue initialBytes = {});

    void FillEntries() override;
    void OnEntryClicked(const MenuEntry& entry) override;

    [[nodiscard]] std::span<const FunctionEntry> Table() const { return m_table; }

private:
    const LanguageTexts& m_texts;
    std::span<const FunctionEntry> m_table;
};

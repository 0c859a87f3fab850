#include "keyfunc/popups/CTablePopup.h"

#include "profiles/LanguageTexts.h"

CTablePopup::CTablePopup(const LanguageTexts& texts, std::span<const FunctionEntry> table, int kind,
                         const MenuImages& images, int designWidth, EntryLook look, FunctionValue initialBytes)
    : CMenuPopup(images, designWidth, kEntryHeight, look, initialBytes, kind), m_texts(texts), m_table(table)
{
}

void CTablePopup::FillEntries()
{
    for (const FunctionEntry& entry : m_table)
        AddEntry(entry.id, m_texts.Text(static_cast<std::size_t>(entry.text)));
}

void CTablePopup::OnEntryClicked(const MenuEntry& entry)
{
    for (const FunctionEntry& row : m_table) {
        if (row.id == entry.id) {
            SendResult(entry.caption, row.value);
            return;
        }
    }
}

#include "keyfunc/popups/CMacroListPopup.h"

#include "keyfunc/popups/CTablePopup.h"
#include "profiles/LanguageTexts.h"

#include <algorithm>
#include <array>
#include <span>

namespace {

// Entries 1..8 are captioned with texts 245..252: new macro, new folder, export macro,
// import macro, rename, delete, import macros, export macros.
constexpr int kFirstText = 245;
constexpr int kEntryCount = 8;

// Without a selection there is nothing to export alone, rename or delete; a folder
// cannot be exported as one macro.
constexpr std::array<int, 5> kNothingSelectedEntries{1, 2, 4, 7, 8};
constexpr std::array<int, 7> kFolderEntries{1, 2, 4, 5, 6, 7, 8};

bool Offered(int mode, int id)
{
    const auto contains = [id](std::span<const int> ids) { return std::ranges::find(ids, id) != ids.end(); };
    switch (mode) {
    case CMacroListPopup::kModeNothingSelected:
        return contains(kNothingSelectedEntries);
    case CMacroListPopup::kModeFolder:
        return contains(kFolderEntries);
    default:
        return true;
    }
}

}  // namespace

CMacroListPopup::CMacroListPopup(const LanguageTexts& texts, int mode, const MenuImages& images)
    : CMenuPopup(images, CTablePopup::kWidth, CTablePopup::kEntryHeight, EntryLook::Image, {2, 0, 0}, kKind),
      m_texts(texts),
      m_mode(mode)
{
}

void CMacroListPopup::FillEntries()
{
    for (int id = 1; id <= kEntryCount; ++id) {
        if (Offered(m_mode, id))
            AddEntry(id, m_texts.Text(static_cast<std::size_t>(kFirstText + id - 1)));
    }
}

void CMacroListPopup::OnEntryClicked(const MenuEntry& entry)
{
    SendResultByte(std::u16string(), static_cast<std::uint8_t>(entry.id - 1));
}

#include "keyfunc/popups/CComboPollingRatePopup.h"

#include <array>

namespace {

constexpr int kDesignWidth = 189;
constexpr int kEntryHeight = 22;
constexpr std::array<const char16_t*, 4> kCaptions{u"125Hz", u"250Hz", u"500Hz", u"1000Hz"};

}  // namespace

CComboPollingRatePopup::CComboPollingRatePopup(const MenuImages& images)
    : CMenuPopup(images, kDesignWidth, kEntryHeight, EntryLook::Fill, {1, 0, 0}, kKind)
{
}

void CComboPollingRatePopup::FillEntries()
{
    for (std::size_t i = 0; i < kCaptions.size(); ++i)
        AddEntry(static_cast<int>(i) + 1, kCaptions[i]);
}

void CComboPollingRatePopup::OnEntryClicked(const MenuEntry& entry)
{
    SendResultByte(entry.caption, static_cast<std::uint8_t>(entry.id - 1));
}

#include "keyfunc/popups/CComboProfilePopup.h"

#include "profiles/AppSettings.h"
#include "profiles/LanguageTexts.h"
#include "profiles/ProfileTable.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

#include <QPainter>

namespace {

constexpr int kDesignWidth = 230;
constexpr int kEntryHeight = 25;
constexpr int kCaptionLeft = 10;  // design units, heading and add entry

constexpr int kHeadingText = 10;
constexpr int kAddText = 200;

constexpr std::uint32_t kFillAdd = 0x000049;
constexpr std::uint32_t kFillMarked = 0x000078;
constexpr std::uint32_t kFillHot = 0x373737;
constexpr std::uint32_t kFillNormal = 0x1F1F1F;

}  // namespace

CComboProfilePopup::CComboProfilePopup(const LanguageTexts& texts, const QString& headingImage)
    : CMenuPopup(MenuImages{}, kDesignWidth, kEntryHeight, EntryLook::Profile, {}, kKind), m_texts(texts)
{
    m_heading.Load(headingImage);
}

void CComboProfilePopup::SetProfiles(const ProfileTable& profiles, const AppSettings& settings, int openerId)
{
    m_names = {};
    if (openerId == kProfileListButton) {
        const int count = settings.ProfileShowCount();
        const int current = settings.CurrentProfile();
        m_marked = 0;
        for (int position = 0; position < count; ++position) {
            const int index = settings.ProfileShowList(position);
            m_names[static_cast<std::size_t>(position)] = profiles.At(index).GetSetting(ProfileSetting::ProfileName);
            if (index == current)
                m_marked = kFirstProfileEntry + position;
        }
    } else {
        for (int index = 0; index < ProfileTable::kProfileCount; ++index)
            m_names[static_cast<std::size_t>(index)] = profiles.At(index).GetSetting(ProfileSetting::ProfileName);
        m_marked = kFirstProfileEntry;
    }
}

void CComboProfilePopup::FillEntries()
{
    AddEntry(kHeadingEntry, m_texts.Text(kHeadingText));
    for (std::size_t i = 0; i < m_names.size(); ++i)
        AddEntry(kFirstProfileEntry + static_cast<int>(i), m_names[i]);
    AddEntry(kAddEntry, m_texts.Text(kAddText));
}

bool CComboProfilePopup::IsProfileEntry(const MenuEntry& entry)
{
    return entry.id >= kFirstProfileEntry && entry.id < kAddEntry && !entry.caption.empty();
}

void CComboProfilePopup::OnEntryClicked(const MenuEntry& entry)
{
    if (IsProfileEntry(entry) || entry.id == kAddEntry)
        SendToParent(ResultMessage(), kClicked, entry.id);
}

void CComboProfilePopup::OnEntryRightReleased(const MenuEntry& entry)
{
    if (IsProfileEntry(entry))
        SendToParent(ResultMessage(), kRightClicked, entry.id);
}

void CComboProfilePopup::DrawEntry(QPainter& painter, const MenuEntry& entry, const UiRect& rect, bool hot)
{
    const UiRect leftText{rect.left + UiScale::Scale(kCaptionLeft), rect.top, rect.right, rect.bottom};
    const unsigned oneLine = TextFormat::kVCenter | TextFormat::kSingleLine | TextFormat::kWordEllipsis;
    const QString caption = QString::fromStdU16String(entry.caption);
    if (entry.id == kHeadingEntry) {
        m_heading.Draw(painter, rect, QRect(0, 0, kDesignWidth, kEntryHeight));
        SkinPainter::DrawText(painter, m_font, SkinColor::kNormalText, leftText, TextFormat::kLeft | oneLine, caption);
    } else if (entry.id == kAddEntry) {
        SkinPainter::FillRect(painter, rect, kFillAdd);
        SkinPainter::DrawText(painter, m_font, hot ? SkinColor::kHoverText : SkinColor::kNormalText, leftText,
                              TextFormat::kLeft | oneLine, caption);
    } else if (entry.caption.empty()) {
        SkinPainter::FillRect(painter, rect, kFillNormal);
    } else if (entry.id == m_marked) {
        SkinPainter::FillRect(painter, rect, kFillMarked);
        DrawCaption(painter, rect, false, entry.caption, TextFormat::kCenter);
    } else {
        SkinPainter::FillRect(painter, rect, hot ? kFillHot : kFillNormal);
        DrawCaption(painter, rect, hot, entry.caption, TextFormat::kCenter);
    }
}

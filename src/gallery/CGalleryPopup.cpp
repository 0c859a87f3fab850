#include "CGalleryPopup.h"

#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

#include <QPainter>

namespace {
constexpr int kTextInset = 10;  // design units
constexpr std::uint32_t kEntryFill = 0x1F1F1F;
}  // namespace

CGalleryPopup::CGalleryPopup(QStringList entries, int selected)
    : m_entries(std::move(entries)), m_selected(selected)
{
    SetKind(0);
}

QSize CGalleryPopup::DesignSize(int entryCount)
{
    return {kEntryWidth, kEntryHeight * entryCount + 2};
}

void CGalleryPopup::OnInit()
{
    m_normal.Load(QStringLiteral("menu_nr.png"));
    m_hover.Load(QStringLiteral("menu_ov.png"));
    LoadCheckImage();
    const QSize design = DesignSize(static_cast<int>(m_entries.size()));
    resize(UiScale::Scale(design.width()), UiScale::Scale(design.height()));
}

int CGalleryPopup::EntryAt(int y) const
{
    const int entry = (y - 1) / std::max(1, UiScale::Scale(kEntryHeight));
    return (y >= 1 && entry < static_cast<int>(m_entries.size())) ? entry : -1;
}

void CGalleryPopup::DrawItems(QPainter& painter, const UiRect& client)
{
    const int height = UiScale::Scale(kEntryHeight);
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
        const UiRect entry{client.left + 1, 1 + i * height, client.right - 1, 1 + (i + 1) * height};
        SkinPainter::FillRect(painter, entry, kEntryFill);
        (i == m_hot ? m_hover : m_normal).Draw(painter, entry);
        if (i == m_selected && !m_checkImage.IsNull()) {
            const int size = UiScale::Scale(m_checkImage.Width());
            const int top = entry.top + (entry.Height() - size) / 2;
            const int left = entry.right - size - UiScale::Scale(kTextInset);
            m_checkImage.Draw(painter, UiRect{left, top, left + size, top + size});
        }
        SkinPainter::DrawText(painter, m_font,
                              i == m_hot ? SkinColor::kHoverText : SkinColor::kNormalText,
                              UiRect{entry.left + UiScale::Scale(kTextInset), entry.top,
                                     entry.right, entry.bottom},
                              TextFormat::kButtonText, m_entries[i]);
    }
}

bool CGalleryPopup::OnHover(int /*x*/, int y)
{
    const int entry = EntryAt(y);
    if (entry == m_hot)
        return false;
    m_hot = entry;
    return true;
}

bool CGalleryPopup::OnRelease(int /*x*/, int y)
{
    const int entry = EntryAt(y);
    if (entry >= 0)
        SendToParent(kResultMessage, static_cast<WParam>(entry), 0);
    return false;
}

#include "keyfunc/popups/CMenuPopup.h"

#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

#include <QPainter>

namespace {

// Design units.
constexpr int kListMargin = 1;    // above the first entry, beside and below the entries
constexpr int kCaptionInset = 2;  // left and right of a caption

constexpr std::uint32_t kFillHot = 0x004B53;

}  // namespace

MenuImages MenuImages::Standard()
{
    return {QStringLiteral("skins\\menu_nr.png"), QStringLiteral("skins\\menu_ov.png"),
            QStringLiteral("skins\\menusub_nr.png"), QStringLiteral("skins\\menusub_ov.png")};
}

CMenuPopup::CMenuPopup(const MenuImages& images, int designWidth, int designEntryHeight, EntryLook look,
                       FunctionValue initialBytes, int kind)
    : m_designWidth(designWidth), m_designEntryHeight(designEntryHeight), m_look(look)
{
    m_result.value = initialBytes;
    SetKind(kind);
    if (look == EntryLook::Image) {
        m_normal.Load(images.normal);
        m_hover.Load(images.hover);
        m_subNormal.Load(images.subNormal);
        m_subHover.Load(images.subHover);
    }
}

CMenuPopup::~CMenuPopup() = default;

void CMenuPopup::OnInit()
{
    m_entries.clear();
    m_hot = -1;
    FillEntries();
}

void CMenuPopup::AddEntry(int id, std::u16string caption, bool sub)
{
    m_entries.push_back(MenuEntry{id, std::move(caption), sub});
    const UiRect last = EntryRect(static_cast<int>(m_entries.size()) - 1);
    resize(UiScale::Scale(m_designWidth), last.bottom + UiScale::Scale(kListMargin));
}

UiRect CMenuPopup::EntryRect(int index) const
{
    const int height = UiScale::Scale(m_designEntryHeight);
    const int top = UiScale::Scale(kListMargin) + index * height;
    // The profile list's entries span its full width; the others leave a unit each side.
    const int inset = m_look == EntryLook::Profile ? 0 : UiScale::Scale(kListMargin);
    return {inset, top, UiScale::Scale(m_designWidth) - inset, top + height};
}

int CMenuPopup::EntryScreenTop(int index) const
{
    return mapToGlobal(QPoint(0, EntryRect(index).top)).y();
}

int CMenuPopup::EntryIndexAt(int x, int y) const
{
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
        if (EntryRect(i).Contains(x, y))
            return i;
    }
    return -1;
}

int CMenuPopup::HotEntryId() const
{
    return m_hot >= 0 ? m_entries[static_cast<std::size_t>(m_hot)].id : 0;
}

bool CMenuPopup::OnHover(int x, int y)
{
    const int index = EntryIndexAt(x, y);
    if (index == m_hot)
        return false;
    m_hot = index;
    if (index >= 0)
        OnEntryEntered(m_entries[static_cast<std::size_t>(index)]);
    return true;
}

bool CMenuPopup::OnRelease(int x, int y)
{
    const int index = EntryIndexAt(x, y);
    if (index >= 0 && index == m_hot) {
        // A copy: the handler may refill or close the list.
        const MenuEntry entry = m_entries[static_cast<std::size_t>(index)];
        OnEntryClicked(entry);
        return false;
    }
    if (m_hot < 0)
        return false;
    m_hot = -1;
    return true;
}

bool CMenuPopup::OnRightRelease(int x, int y)
{
    const int index = EntryIndexAt(x, y);
    if (index >= 0) {
        const MenuEntry entry = m_entries[static_cast<std::size_t>(index)];
        OnEntryRightReleased(entry);
    }
    return false;
}

int CMenuPopup::AccessibleItemCount() const
{
    return static_cast<int>(m_entries.size());
}

AccessibleItem CMenuPopup::AccessibleItemAt(int index) const
{
    AccessibleItem item;
    if (index < 0 || index >= AccessibleItemCount())
        return item;
    const MenuEntry& entry = m_entries[static_cast<std::size_t>(index)];
    item.name = QString::fromStdU16String(entry.caption);
    item.rect = EntryRect(index);
    item.selected = index == m_hot;
    item.hasSubMenu = entry.sub;
    return item;
}

void CMenuPopup::OnEntryEntered(const MenuEntry& /*entry*/) {}
void CMenuPopup::OnEntryRightReleased(const MenuEntry& /*entry*/) {}

void CMenuPopup::SendResult(std::u16string name, FunctionValue value)
{
    m_result.name = std::move(name);
    m_result.value = value;
    SendToParent(ResultMessage(), static_cast<WParam>(OwnerValue()), reinterpret_cast<LParam>(&m_result));
}

void CMenuPopup::SendResultByte(std::u16string name, std::uint8_t byte0)
{
    FunctionValue value = m_result.value;
    value[0] = byte0;
    SendResult(std::move(name), value);
}

void CMenuPopup::DrawItems(QPainter& painter, const UiRect& /*client*/)
{
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i)
        DrawEntry(painter, m_entries[static_cast<std::size_t>(i)], EntryRect(i), i == m_hot);
}

void CMenuPopup::DrawEntry(QPainter& painter, const MenuEntry& entry, const UiRect& rect, bool hot)
{
    if (m_look == EntryLook::Image) {
        const SkinImage& image = entry.sub ? (hot ? m_subHover : m_subNormal) : (hot ? m_hover : m_normal);
        image.Draw(painter, rect);
    } else if (hot) {
        SkinPainter::FillRect(painter, rect, kFillHot);
    }
    DrawCaption(painter, rect, hot, entry.caption, TextFormat::kCenter);
}

void CMenuPopup::DrawCaption(QPainter& painter, const UiRect& rect, bool hot, const std::u16string& caption,
                             unsigned horizontalAlign) const
{
    const int inset = UiScale::Scale(kCaptionInset);
    SkinPainter::DrawText(painter, m_font, hot ? SkinColor::kHoverText : SkinColor::kNormalText,
                          UiRect{rect.left + inset, rect.top, rect.right - inset, rect.bottom},
                          horizontalAlign | TextFormat::kVCenter | TextFormat::kSingleLine |
                              TextFormat::kWordEllipsis,
                          QString::fromStdU16String(caption));
}

#include "ui/CImageShowList.h"

#include "ui/ControlIds.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

#include <QPainter>

namespace {
constexpr int kRowLeftInset = 17;  // design units
constexpr int kRowRightInset = 2;
}  // namespace

CImageShowList::CImageShowList(CMessageWindow* parent, const UiRect& rect, QString caption,
                               ControlFlags flags)
    : CRowList(parent, ControlId::kImageShowList, rect, std::move(caption), flags)
{
}

bool CImageShowList::SetIcon(int index, const QString& name)
{
    if (index < 0)
        return false;
    if (static_cast<std::size_t>(index) >= m_icons.size())
        m_icons.resize(static_cast<std::size_t>(index) + 1);
    return m_icons[static_cast<std::size_t>(index)].Load(name);
}

void CImageShowList::ReleaseImages()
{
    for (SkinImage& icon : m_icons)
        icon.Release();
}

bool CImageShowList::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    const int old = m_selection;
    m_selection = RowAt(point);
    return old != m_selection;
}

bool CImageShowList::OnLButtonDblClk(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    Notify(0, NotifyCode::kDoubleClick);
    return false;
}

void CImageShowList::Draw(QPainter& painter, const UiRect& clip)
{
    DrawRows(painter, clip, kListBackground, kRowLeftInset, kRowRightInset);
}

int CImageShowList::DrawRowIcons(QPainter& painter, const ListRow& row, const UiRect& rowRect)
{
    const int gap = UiScale::Scale(kIconGap);
    int x = rowRect.left + gap;
    if (row.icon >= 0 && static_cast<std::size_t>(row.icon) < m_icons.size()) {
        const SkinImage& icon = m_icons[static_cast<std::size_t>(row.icon)];
        if (!icon.IsNull()) {
            const int width = UiScale::Scale(icon.Width());
            const int height = UiScale::Scale(icon.Height());
            const int top = rowRect.top + (rowRect.Height() - height) / 2;
            icon.Draw(painter, UiRect{x, top, x + width, top + height});
            x += width + gap;
        }
    }
    return x;
}

QAccessible::Role CImageShowList::AccessibleRole() const
{
    return QAccessible::List;
}

#include "ui/CEditShowList.h"

#include "ui/ControlIds.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

#include <QPainter>

namespace {
constexpr int kDefaultIconWidth = 16;  // design units, when the folder images are missing
}  // namespace

CEditShowList::CEditShowList(CMessageWindow* parent, const UiRect& rect, QString caption,
                             ControlFlags flags)
    : CRowList(parent, ControlId::kEditShowList, rect, std::move(caption), flags)
{
}

bool CEditShowList::SetFolderImages(const QString& open, const QString& closed)
{
    const bool a = m_folderOpen.Load(open);
    const bool b = m_folderClosed.Load(closed);
    return a && b;
}

void CEditShowList::ReleaseImages()
{
    m_folderOpen.Release();
    m_folderClosed.Release();
}

int CEditShowList::IconWidth() const
{
    if (!m_folderClosed.IsNull())
        return m_folderClosed.Width();
    if (!m_folderOpen.IsNull())
        return m_folderOpen.Width();
    return kDefaultIconWidth;
}

int CEditShowList::ExpanderRight(int row) const
{
    const int depth = m_source != nullptr && row >= 0 ? m_source->Row(row).depth : 0;
    return m_rect.left + UiScale::Scale((depth + 1) * IconWidth());
}

bool CEditShowList::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    const int row = RowAt(point);
    m_selection = row;
    if (row >= 0 && m_source != nullptr && m_source->Row(row).isFolder &&
        point.x() < ExpanderRight(row))
        m_source->ToggleFolder(row);
    return true;
}

bool CEditShowList::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    Notify(0, NotifyCode::kClick);
    return false;
}

bool CEditShowList::OnLButtonDblClk(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    const int row = RowAt(point);
    if (row >= 0 && m_source != nullptr && m_source->Row(row).isFolder)
        m_source->ToggleFolder(row);
    Notify(0, NotifyCode::kDoubleClick);
    return true;
}

bool CEditShowList::OnRButtonUp(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    m_selection = RowAt(point);
    m_rightClickPoint = point;
    Notify(reinterpret_cast<WParam>(&m_rightClickPoint), NotifyCode::kRightClick);
    return true;
}

void CEditShowList::Draw(QPainter& painter, const UiRect& clip)
{
    DrawRows(painter, clip, kListBackground, 0, 0);
}

int CEditShowList::DrawRowIcons(QPainter& painter, const ListRow& row, const UiRect& rowRect)
{
    // Rows are indented by their depth; a folder shows its open or closed icon.
    const int iconWidth = UiScale::Scale(IconWidth());
    const int gap = UiScale::Scale(kIconGap);
    int x = rowRect.left + row.depth * (iconWidth + gap);
    if (row.isFolder) {
        const SkinImage& icon = row.isOpen ? m_folderOpen : m_folderClosed;
        if (!icon.IsNull()) {
            const int height = UiScale::Scale(icon.Height());
            const int top = rowRect.top + (rowRect.Height() - height) / 2;
            icon.Draw(painter, UiRect{x, top, x + iconWidth, top + height});
        }
        x += iconWidth + gap;
    }
    return x;
}

QAccessible::Role CEditShowList::AccessibleRole() const
{
    return QAccessible::Tree;
}

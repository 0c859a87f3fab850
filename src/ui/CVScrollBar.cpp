#include "ui/CVScrollBar.h"

#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kUpArrowResource = QStringLiteral(":/embedded/188.png");
const QString kDownArrowResource = QStringLiteral(":/embedded/187.png");
constexpr int kArrowFrames = 3;
constexpr std::uint32_t kTrackColor = 0x101010;
constexpr std::uint32_t kHotOutline = 0xDEA035;
constexpr std::uint32_t kHotBody = 0x1F1F1F;
constexpr std::uint32_t kOutline = 0x1F1F1F;
constexpr std::uint32_t kBody = 0x323232;

int RoundedShare(int part, int whole, int length)
{
    return static_cast<int>(std::lround(static_cast<double>(part) / whole * length));
}

}  // namespace

CVScrollBar::CVScrollBar(CMessageWindow* parent, int id, const UiRect& rect, QString caption,
                         ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), flags)
{
    LoadArrowImages();
}

void CVScrollBar::LoadArrowImages()
{
    m_upArrow.Load(kUpArrowResource);
    m_downArrow.Load(kDownArrowResource);
    UpdateTrack();
}

void CVScrollBar::ReleaseImages()
{
    m_upArrow.Release();
    m_downArrow.Release();
}

int CVScrollBar::ArrowHeight(const SkinImage& image) const
{
    return UiScale::Scale(image.Height());
}

void CVScrollBar::UpdateTrack()
{
    m_trackTop = m_rect.top + ArrowHeight(m_upArrow);
    m_trackBottom = m_rect.bottom - ArrowHeight(m_downArrow);
    SetScrollInfo(m_position, m_page, m_range);
}

void CVScrollBar::SetRect(int left, int top, int right, int bottom)
{
    CControlBase::SetRect(left, top, right, bottom);
    UpdateTrack();
}

void CVScrollBar::SetScrollInfo(int position, int page, int range)
{
    m_position = position;
    m_page = page;
    m_range = range;
    if (range == 0) {
        m_thumb = {m_rect.left, m_trackTop, m_rect.right, m_trackBottom};
    } else {
        const int length = m_trackBottom - m_trackTop + 1;
        const int top = m_trackTop + RoundedShare(position, range, length);
        const int thumbLength = std::min(length, RoundedShare(page, range, length));
        const int bottom = std::min(m_trackBottom, top + thumbLength - 1);
        m_thumb = {m_rect.left, top, m_rect.right, bottom};
    }
    Invalidate();
}

bool CVScrollBar::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    if (m_disabled)
        return false;
    if (m_dragging) {
        const int thumbLength = m_thumb.bottom - m_thumb.top;
        const int length = m_trackBottom - m_trackTop + 1;
        const int top = std::clamp(point.y() - m_dragOffset, m_trackTop,
                                   std::max(m_trackTop, m_trackBottom - thumbLength));
        m_thumb = {m_rect.left, top, m_rect.right, top + thumbLength};
        const int position = length > 0 ? (top - m_trackTop) * m_range / length : 0;
        if (position != m_position) {
            m_position = position;
            Notify(0, NotifyCode::kDragValue);
        }
        Invalidate();
        return true;
    }
    const bool inside = m_rect.Contains(point);
    const bool up = inside && point.y() < m_trackTop;
    const bool down = inside && point.y() >= m_trackBottom && m_trackBottom < m_rect.bottom;
    const bool thumb = inside && point.y() >= m_thumb.top && point.y() <= m_thumb.bottom;
    const bool changed = up != m_upHover || down != m_downHover || thumb != m_thumbHover;
    m_upHover = up;
    m_downHover = down;
    m_thumbHover = thumb;
    return changed;
}

bool CVScrollBar::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    const int y = point.y();
    if (y < m_trackTop) {
        Notify(ScrollPart::kLineUp, NotifyCode::kPress);
    } else if (y >= m_trackBottom && m_trackBottom < m_rect.bottom) {
        Notify(ScrollPart::kLineDown, NotifyCode::kPress);
    } else if (y >= m_thumb.top && y <= m_thumb.bottom) {
        m_dragging = true;
        m_dragOffset = y - m_thumb.top;
        Notify(ScrollPart::kThumb, NotifyCode::kPress);
    } else if (y < m_thumb.top) {
        Notify(ScrollPart::kPageUp, NotifyCode::kPress);
    } else {
        Notify(ScrollPart::kPageDown, NotifyCode::kPress);
    }
    return true;
}

bool CVScrollBar::OnLButtonUp(unsigned /*flags*/, QPoint /*point*/)
{
    if (m_disabled)
        return false;
    m_dragging = false;
    Notify(0, NotifyCode::kClick);
    SetScrollInfo(m_position, m_page, m_range);
    return true;
}

void CVScrollBar::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    SkinPainter::FillRect(painter, m_rect, kTrackColor);
    const auto drawArrow = [&](const SkinImage& image, bool hover, int top) {
        if (image.IsNull())
            return;
        const int frameWidth = image.Width() / kArrowFrames;
        image.Draw(painter,
                   UiRect{m_rect.left, top, m_rect.left + UiScale::Scale(frameWidth),
                          top + ArrowHeight(image)},
                   QRect(hover ? frameWidth : 0, 0, frameWidth, image.Height()));
    };
    drawArrow(m_upArrow, m_upHover, m_rect.top);
    drawArrow(m_downArrow, m_downHover, m_trackBottom);

    const bool hot = m_thumbHover || m_dragging;
    const UiRect thumb{m_thumb.left, m_thumb.top, m_thumb.right, m_thumb.bottom + 1};
    SkinPainter::FillRect(painter, thumb, hot ? kHotOutline : kOutline);
    const int inset = std::max(1, UiScale::Scale(1));
    SkinPainter::FillRect(painter, thumb.Inset(inset, inset), hot ? kHotBody : kBody);
}

QAccessible::Role CVScrollBar::AccessibleRole() const
{
    return QAccessible::ScrollBar;
}

std::optional<AccessibleRange> CVScrollBar::AccessibleValue() const
{
    return AccessibleRange{m_position, 0, std::max(0, m_range - m_page)};
}

std::optional<QPoint> CVScrollBar::StepPoint(int direction) const
{
    // The arrows: the same press as the mouse's.
    const int x = (m_rect.left + m_rect.right) / 2;
    if (direction < 0)
        return QPoint(x, (m_rect.top + m_trackTop) / 2);
    return QPoint(x, (m_trackBottom + m_rect.bottom) / 2 + 1);
}

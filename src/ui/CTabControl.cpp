#include "ui/CTabControl.h"

#include "ui/ControlIds.h"
#include "ui/SkinPainter.h"
#include "ui/UiState.h"

CTabControl::CTabControl(CMessageWindow* parent, int id, const UiRect& rect, unsigned format,
                         QString caption, ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), flags), m_format(format)
{
}

bool CTabControl::SetImages(const QString& normal, const QString& hover, const QString& selected,
                            const QString& selectedHover)
{
    return m_frames.SetImages({normal, hover, selected, selectedHover});
}

bool CTabControl::SetStripImage(const QString& name, int frameWidth)
{
    return m_frames.SetStrip(name, frameWidth);
}

void CTabControl::SetTextMargins(int left, int right)
{
    m_marginLeft = left;
    m_marginRight = right;
}

void CTabControl::ReleaseImages()
{
    m_frames.Release();
}

int CTabControl::ProfileIndex() const
{
    if (m_id < ControlId::kFirstProfileTab || m_id > ControlId::kLastProfileTab)
        return -1;
    return m_id - ControlId::kFirstProfileTab;
}

int CTabControl::FrameIndex() const
{
    const int profile = ProfileIndex();
    if (profile >= 0 && profile == UiState::Instance().CurrentProfileTab)
        return m_state == ButtonState::Hover ? 3 : 2;
    return StateIndex();
}

bool CTabControl::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    return CommonMouseMove(point);
}

bool CTabControl::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonDown(point);
}

bool CTabControl::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    const int oldFrame = FrameIndex();
    const bool changed = CommonLButtonUp(point, [this] {
        UiState& state = UiState::Instance();
        const int profile = ProfileIndex();
        if (profile >= 0)
            state.CurrentProfileTab = profile;
        for (const ControlId::PageTab& tab : ControlId::kPageTabs) {
            if (tab.id == m_id)
                state.CurrentPage = tab.page;
        }
    });
    return changed || oldFrame != FrameIndex();
}

bool CTabControl::OnRButtonUp(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    Notify(static_cast<WParam>(m_id), NotifyCode::kRightClick);
    return false;
}

void CTabControl::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    m_frames.Draw(painter, m_rect, FrameIndex());
    const UiRect textRect{m_rect.left + m_marginLeft, m_rect.top, m_rect.right - m_marginRight,
                          m_rect.bottom};
    SkinPainter::DrawText(painter, m_font, SkinColor::kNormalText, textRect,
                          m_format | TextFormat::kButtonText, m_caption);
}

QAccessible::Role CTabControl::AccessibleRole() const
{
    return QAccessible::PageTab;
}

void CTabControl::AddAccessibleState(QAccessible::State& state) const
{
    CControlBase::AddAccessibleState(state);
    state.selectable = true;
    const int profile = ProfileIndex();
    if (profile >= 0)
        state.selected = profile == UiState::Instance().CurrentProfileTab;
}

#include "ui/CRadioButton.h"

#include "ui/UiState.h"

CRadioButton::CRadioButton(CMessageWindow* parent, int id, const UiRect& rect, QString caption,
                           ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), flags)
{
}

bool CRadioButton::SetImages(const QString& normal, const QString& hover, const QString& selected)
{
    return m_frames.SetImages({normal, hover, selected});
}

bool CRadioButton::SetStripImage(const QString& name, int frameWidth)
{
    return m_frames.SetStrip(name, frameWidth);
}

void CRadioButton::ReleaseImages()
{
    m_frames.Release();
}

bool CRadioButton::IsSelected() const
{
    return UiState::Instance().IsRadioSelected(m_id);
}

int CRadioButton::FrameIndex() const
{
    return IsSelected() ? 2 : StateIndex();
}

bool CRadioButton::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    return CommonMouseMove(point);
}

bool CRadioButton::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonDown(point);
}

bool CRadioButton::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    const bool wasSelected = IsSelected();
    const bool changed =
        CommonLButtonUp(point, [this] { UiState::Instance().SelectRadio(m_id); });
    return changed || wasSelected != IsSelected();
}

void CRadioButton::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    m_frames.Draw(painter, m_rect, FrameIndex());
}

QAccessible::Role CRadioButton::AccessibleRole() const
{
    return QAccessible::RadioButton;
}

void CRadioButton::AddAccessibleState(QAccessible::State& state) const
{
    CControlBase::AddAccessibleState(state);
    state.checkable = true;
    state.checked = IsSelected();
}

#include "ui/CDPIRadioButton.h"

#include "ui/ControlIds.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"
#include "ui/UiState.h"

namespace {
constexpr int kValueBandHeight = 11;  // design units of the DPI text band
constexpr int kDpiUnit = 50;
}  // namespace

CDPIRadioButton::CDPIRadioButton(CMessageWindow* parent, int id, const UiRect& rect,
                                 QString caption, ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), flags)
{
}

bool CDPIRadioButton::SetImages(const QString& normal, const QString& hover,
                                const QString& selected)
{
    return m_frames.SetImages({normal, hover, selected});
}

bool CDPIRadioButton::SetStripImage(const QString& name, int frameWidth)
{
    return m_frames.SetStrip(name, frameWidth);
}

void CDPIRadioButton::ReleaseImages()
{
    m_frames.Release();
}

int CDPIRadioButton::Level() const
{
    if (m_id < ControlId::kFirstDpiLevelButton || m_id > ControlId::kLastDpiLevelButton)
        return 0;
    return m_id - ControlId::kFirstDpiLevelButton + 1;
}

bool CDPIRadioButton::IsLit() const
{
    const int level = Level();
    return level > 0 && (UiState::Instance().DpiLevelMask & (1u << (level - 1))) != 0;
}

int CDPIRadioButton::FrameIndex() const
{
    return IsLit() ? 2 : StateIndex();
}

bool CDPIRadioButton::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    return CommonMouseMove(point);
}

bool CDPIRadioButton::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    const ButtonState old = m_state;
    m_state = ButtonState::Pressed;
    return m_state != old;
}

bool CDPIRadioButton::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    const bool wasLit = IsLit();
    const bool changed = CommonLButtonUp(point, [this] {
        const int level = Level();
        if (level > 0)
            UiState::Instance().DpiLevelMask = static_cast<std::uint8_t>((1u << level) - 1u);
    });
    return changed || wasLit != IsLit();
}

void CDPIRadioButton::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    m_frames.Draw(painter, m_rect, FrameIndex());
    const UiRect band{m_rect.left, m_rect.top, m_rect.right,
                      m_rect.top + UiScale::Scale(kValueBandHeight)};
    // The band is shorter than a line of the Latin control font, so the value is not
    // clipped to it: clipped, the lower part of the digits would be cut off.
    SkinPainter::DrawText(painter, m_font, m_textColor, band,
                          TextFormat::kCenter | TextFormat::kSingleLine |
                              TextFormat::kWordEllipsis | TextFormat::kNoClip,
                          QString::number(m_dpiValue * kDpiUnit));
}

QAccessible::Role CDPIRadioButton::AccessibleRole() const
{
    return QAccessible::RadioButton;
}

void CDPIRadioButton::AddAccessibleState(QAccessible::State& state) const
{
    CControlBase::AddAccessibleState(state);
    state.checkable = true;
    // Levels 1..n are lit; the level in use is the highest lit one.
    const int level = Level();
    state.checked = IsLit() && (level >= ControlId::kLastDpiLevelButton - ControlId::kFirstDpiLevelButton + 1 ||
                                (UiState::Instance().DpiLevelMask & (1u << level)) == 0);
}

QString CDPIRadioButton::AccessibleName() const
{
    // The value it draws belongs to its name: "DPI level 2 1600".
    const QString value = QString::number(m_dpiValue * kDpiUnit);
    const QString name = CControlBase::AccessibleName();
    return name.isEmpty() ? value : name + QLatin1Char(' ') + value;
}

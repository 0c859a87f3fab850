#include "ui/CBattery.h"

#include "ui/ControlIds.h"
#include "ui/UiScale.h"

#include <algorithm>

CBattery::CBattery(CMessageWindow* parent, const UiRect& rect, QString caption, ControlFlags flags)
    : CControlBase(parent, ControlId::kBattery, rect, std::move(caption),
                   ControlFlags{flags.visible, flags.shown, true})
{
}

bool CBattery::SetFullImage(const QString& name) { return m_full.Load(name); }
bool CBattery::SetEmptyImage(const QString& name) { return m_empty.Load(name); }
bool CBattery::SetChargingImage(const QString& name) { return m_charging.Load(name); }
bool CBattery::SetLightningImage(const QString& name) { return m_lightning.Load(name); }

void CBattery::ReleaseImages()
{
    m_full.Release();
    m_empty.Release();
    m_charging.Release();
    m_lightning.Release();
}

void CBattery::SetLevel(int percent)
{
    m_level = static_cast<std::uint8_t>(std::clamp(percent, 0, 255));
}

int CBattery::FillTop(int percent) const
{
    const int units = kTopMargin + kFillHeight - std::max(1, percent * kFillHeight / 100);
    int top = m_rect.top + UiScale::Scale(units);
    if (UiScale::Get() > 1.0 && (m_rect.bottom - top) % 2 != 0)
        --top;
    return top;
}

void CBattery::DrawLowerPart(QPainter& painter, const SkinImage& image, int fillTop) const
{
    if (image.IsNull() || m_rect.Height() <= 0)
        return;
    const int top = std::clamp(fillTop, m_rect.top, m_rect.bottom);
    if (top >= m_rect.bottom)
        return;
    // The image covers the whole gauge; the part below the fill top is drawn.
    const int sourceTop = image.Height() * (top - m_rect.top) / m_rect.Height();
    const QRect source(0, sourceTop, image.Width(), image.Height() - sourceTop);
    image.Draw(painter, UiRect{m_rect.left, top, m_rect.right, m_rect.bottom}, source);
}

void CBattery::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    switch (m_mode) {
    case kLevel:
        m_empty.Draw(painter, m_rect);
        DrawLowerPart(painter, m_full, FillTop(m_level));
        break;
    case kCharging:
        DrawLowerPart(painter, m_charging, FillTop(m_animationLevel));
        m_lightning.Draw(painter, m_rect);
        break;
    case kCharged:
        m_full.Draw(painter, m_rect);
        m_lightning.Draw(painter, m_rect);
        break;
    default:
        break;
    }
}

QAccessible::Role CBattery::AccessibleRole() const
{
    return QAccessible::ProgressBar;
}

std::optional<AccessibleRange> CBattery::AccessibleValue() const
{
    return AccessibleRange{m_level, 0, 100};
}

void CBattery::SetAccessibleTexts(const QString& levelFormat, const QString& charging, const QString& charged)
{
    m_levelFormat = levelFormat;
    m_chargingText = charging;
    m_chargedText = charged;
}

QString CBattery::AccessibleName() const
{
    if (m_mode == kCharging && !m_chargingText.isEmpty())
        return m_chargingText;
    if (m_mode == kCharged && !m_chargedText.isEmpty())
        return m_chargedText;
    if (m_levelFormat.contains(QStringLiteral("%1")))
        return m_levelFormat.arg(static_cast<int>(m_level));
    return CControlBase::AccessibleName();
}

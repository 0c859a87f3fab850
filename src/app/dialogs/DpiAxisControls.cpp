#include "app/dialogs/DpiAxisControls.h"

#include "app/dialogs/DpiPositions.h"
#include "device/DpiStepTable.h"
#include "ui/CDlgBase.h"
#include "ui/CEditBox.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticImage.h"
#include "ui/CStaticText.h"
#include "ui/SkinPainter.h"
#include "ui/UiScale.h"
#include "ui/dialogs/DialogParts.h"

#include <algorithm>
#include <memory>

namespace {

constexpr std::uint32_t kLimitColor = 0xB4B4B4;
constexpr int kThumbLeftPad = 6;
constexpr int kThumbRightPad = 7;

}  // namespace

DpiAxisControls::DpiAxisControls(const DpiStepTable& table, Ids ids, int rowOffset)
    : m_table(table), m_ids(ids), m_rowOffset(rowOffset)
{
}

void DpiAxisControls::Create(CDlgBase& dialog, const QString& minimumFormat, int position)
{
    using DialogParts::AddLabel;
    using DialogParts::Scaled;
    m_dialog = &dialog;
    m_position = std::clamp(position, 0, LastPosition());
    const int dy = m_rowOffset;
    AddLabel(dialog, kLabelId, {0, 68 + dy, 60, 86 + dy}, kLimitColor, TextFormat::kRight,
             minimumFormat.arg(DpiPositions::DpiOf(m_table, 0)));
    AddLabel(dialog, kLabelId, {365, 68 + dy, 425, 86 + dy}, kLimitColor, TextFormat::kLeft,
             DpiPositions::DpiText(m_table, LastPosition()));
    m_valueLabel = AddLabel(dialog, m_ids.valueLabel, {0, 90 + dy, 429, 108 + dy}, kLimitColor,
                            TextFormat::kCenter, DpiPositions::DpiText(m_table, m_position), false);
    m_edit = new CEditBox(&dialog, m_ids.edit, {165, 35 + dy, 265, 57 + dy});
    m_edit->SetText(DpiPositions::DpiText(m_table, m_position));
    m_edit->FocusAtEnd();
    auto* track = dialog.AddControl(
        0, std::make_unique<CStaticImage>(&dialog, kTrackId, Scaled(69, 72 + dy, 359, 75 + dy)));
    track->SetImage(QStringLiteral("Slider_bar.png"));
    m_slider = dialog.AddControl(
        0, std::make_unique<CSliderControl>(&dialog, m_ids.slider, Scaled(69, 67 + dy, 359, 80 + dy),
                                            static_cast<int>(m_table.PositionCount()),
                                            UiScale::Scale(kThumbLeftPad), UiScale::Scale(kThumbRightPad)));
    m_slider->SetThumbImage(QStringLiteral("Slider_Circle.png"));
    m_slider->SetPos(m_position);
}

int DpiAxisControls::LastPosition() const
{
    return std::max(0, static_cast<int>(m_table.PositionCount()) - 1);
}

void DpiAxisControls::SetPosition(int position)
{
    m_position = std::clamp(position, 0, LastPosition());
    Show();
}

void DpiAxisControls::Show()
{
    const QString text = DpiPositions::DpiText(m_table, m_position);
    m_slider->SetPos(m_position);
    m_valueLabel->SetText(text);
    m_edit->SetText(text);
    m_dialog->InvalidateRect(m_slider->GetRect());
    m_dialog->InvalidateRect(m_valueLabel->GetRect());
}

int DpiAxisControls::TypedPosition() const
{
    return DpiPositions::PositionOfTypedText(m_table, m_edit->GetText());
}

bool DpiAxisControls::Step(int direction)
{
    const int next = m_position + direction;
    if (next < 0 || next > LastPosition())
        return false;
    m_position = next;
    return true;
}

void DpiAxisControls::SetAccessibleName(const QString& name)
{
    if (m_slider != nullptr)
        m_slider->SetAccessibleName(name);
    if (m_edit != nullptr)
        m_edit->setAccessibleName(name);
}

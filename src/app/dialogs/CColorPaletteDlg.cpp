#include "app/dialogs/CColorPaletteDlg.h"

#include "EmbeddedImages.h"
#include "profiles/Profile.h"
#include "ui/CStaticText.h"
#include "ui/SkinPainter.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"
#include "ui/dialogs/DialogParts.h"

#include <QMouseEvent>

namespace {

constexpr int kNumberFontHeight = 16;
constexpr UiRect kNumberRects[] = {{320, 212, 373, 230}, {320, 235, 373, 253}, {320, 258, 373, 276}};
constexpr UiRect kSwatch{245, 212, 303, 270};

QString PalettePicturePath()
{
    return corvane::embedded::imagePath(corvane::embedded::kPalette);
}

// A table index as given, or 0 when it lies outside the table.
std::size_t IndexWithin(int index, std::size_t count)
{
    return index >= 0 && static_cast<std::size_t>(index) < count ? static_cast<std::size_t>(index) : 0;
}

}  // namespace

CColorPaletteDlg::CColorPaletteDlg(const LanguageTexts& texts, Profile& profile, PaletteTarget target,
                                   int number, int slot, QWidget* parent)
    : CAppDialog(texts, PalettePicturePath(), kDesignWidth, kDesignHeight, parent, DialogKeys::EnterAcceptsOnly),
      m_profile(profile),
      m_target(target),
      m_number(number),
      m_slot(slot),
      m_picker(QImage(PalettePicturePath()))
{
    if (m_target == PaletteTarget::LightingColor) {
        m_color = m_profile.Lighting1FixedColor[IndexWithin(m_number, Profile::kLightingModeCount)]
                                               [IndexWithin(m_slot, Profile::kColorSlotCount)];
    } else {
        m_color = m_profile.DPILevelIndication[DpiLevel()];
    }
}

std::size_t CColorPaletteDlg::DpiLevel() const
{
    return IndexWithin(m_number, Profile::kDpiLevelCount);
}

void CColorPaletteDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    AddCloseCross({480, 6, 495, 21});
    AddTextButton(kIdOk, {391, 234, 460, 254}, kTextOk);
    const int ids[] = {kIdRed, kIdGreen, kIdBlue};
    const QFont font = UiFont::MakeFont(ControlFont{u"Tahoma", UiScale::Scale(kNumberFontHeight), 1});
    for (std::size_t k = 0; k < m_numbers.size(); ++k) {
        m_numbers[k] = AddLabel(ids[k], kNumberRects[k], QString(), TextFormat::kCenter);
        m_numbers[k]->SetFont(font);
    }
    ShowColorNumbers();
}

void CColorPaletteDlg::ShowColorNumbers()
{
    for (std::size_t k = 0; k < m_numbers.size(); ++k)
        m_numbers[k]->SetText(QString::number((m_color >> (8 * k)) & 0xFF));
}

void CColorPaletteDlg::DrawBackground(QPainter& painter, const UiRect& clip)
{
    DrawFrame(painter);
    SkinPainter::FillRect(painter, DialogParts::Scaled(kSwatch), m_color);
    DrawControls(painter, clip);
}

void CColorPaletteDlg::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && PalettePicker::InPickArea(point)) {
        // A press on the picture picks; it does not start moving the window.
        if (const auto picked = m_picker.ColorAt(point)) {
            m_color = *picked;
            ShowColorNumbers();
            InvalidateAll();
        }
        event->accept();
        return;
    }
    CAppDialog::mousePressEvent(event);
}

void CColorPaletteDlg::OnOkClicked()
{
    if (m_target == PaletteTarget::LightingColor) {
        const std::size_t slot = IndexWithin(m_slot, Profile::kColorSlotCount);
        for (const std::size_t mode : kStoredLightingModes)
            m_profile.Lighting1FixedColor[mode][slot] = m_color;
    } else {
        m_profile.DPILevelIndication[DpiLevel()] = m_color;
    }
    CloseWithOk();
}

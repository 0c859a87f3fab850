#include "app/dialogs/CDPIValueDlgBase.h"

#include "ui/CImageButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CStaticText.h"
#include "ui/SkinPainter.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

namespace {

constexpr int kDesignWidth = 429;
constexpr std::uint32_t kTitleColor = 0xFFFFFF;
constexpr int kTitleHeight = 18;

}  // namespace

CDPIValueDlgBase::CDPIValueDlgBase(CDPIValueShowControl& bar, const DpiStepTable& table,
                                   const LanguageTexts& texts, QString frame, int designHeight,
                                   QWidget* parent)
    : CAppDialog(texts, std::move(frame), kDesignWidth, designHeight, parent),
      m_bar(bar),
      m_x(table, DpiAxisControls::kXIds, 0)
{
}

void CDPIValueDlgBase::CreateFrameControls(const UiRect& okRect, const QString& xMinimumFormat)
{
    CStaticText* title = AddLabel(kIdTitle, {20, 3, 230, 27}, Text(kTextTitle), TextFormat::kLeft);
    title->SetColor(kTitleColor);
    ControlFont titleFont = UiFont::CurrentControlFont();
    titleFont.height = UiScale::Scale(kTitleHeight);
    title->SetFont(UiFont::MakeFont(titleFont));
    AddCloseCross({405, 4, 420, 19});
    AddTextButton(kIdOk, okRect, kTextOk);
    AddTextButton(kIdCancel, {240, 70, 309, 90}, kTextCancel)->SetShown(false);
    m_x.Create(*this, xMinimumFormat, m_bar.Value());
    // "DPI", or "DPI X" where the row's lowest value carries the axis.
    const QString axis = xMinimumFormat.section(QLatin1Char(':'), 0, 0, QString::SectionSkipEmpty);
    m_x.SetAccessibleName(xMinimumFormat.contains(QLatin1Char(':')) ? Text(kTextDpi) + QLatin1Char(' ') + axis
                                                                    : Text(kTextDpi));
}

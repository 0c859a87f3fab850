#include "app/dialogs/DialogParts.h"

#include "profiles/LanguageTexts.h"
#include "ui/CDlgBase.h"
#include "ui/CImageButton.h"
#include "ui/CStaticText.h"
#include "ui/SkinImage.h"
#include "ui/SkinPainter.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QPainter>

#include <memory>

UiRect DialogParts::Scaled(int left, int top, int right, int bottom)
{
    return {UiScale::Scale(left), UiScale::Scale(top), UiScale::Scale(right), UiScale::Scale(bottom)};
}

UiRect DialogParts::Scaled(const UiRect& design)
{
    return Scaled(design.left, design.top, design.right, design.bottom);
}

QString DialogParts::LanguageText(const LanguageTexts& texts, int number)
{
    return QString::fromStdU16String(texts.Text(static_cast<std::size_t>(number)));
}

CImageButton* DialogParts::AddCloseButton(CDlgBase& dialog, int id, const UiRect& design)
{
    auto* button = dialog.AddControl(
        0, std::make_unique<CImageButton>(&dialog, id, Scaled(design), TextFormat::kCenter));
    button->SetTextImages(QStringLiteral("exit_nr.png"), QStringLiteral("exit_ov.png"));
    return button;
}

CImageButton* DialogParts::AddTextButton(CDlgBase& dialog, int id, const UiRect& design,
                                         const QString& caption, bool shown)
{
    auto* button = dialog.AddControl(
        0, std::make_unique<CImageButton>(&dialog, id, Scaled(design), TextFormat::kCenter, caption,
                                          ControlFlags{true, shown, false}));
    button->SetTextImages(QStringLiteral("button2_nr.png"), QStringLiteral("button2_ov.png"));
    return button;
}

CStaticText* DialogParts::AddLabel(CDlgBase& dialog, int id, const UiRect& design, std::uint32_t colorRef,
                                   unsigned format, const QString& text, bool shown)
{
    return dialog.AddControl(0, std::make_unique<CStaticText>(&dialog, id, Scaled(design), colorRef, format, text,
                                                              ControlFlags{true, shown, false}));
}

void DialogParts::DrawFrame(QPainter& painter, const CDlgBase& dialog, const SkinImage& frame, int designWidth,
                            int designHeight)
{
    SkinPainter::FillRect(painter, UiRect::FromQRect(dialog.rect()), dialog.AverageBackgroundColor());
    frame.Draw(painter, {0, 0, UiScale::Scale(designWidth), UiScale::Scale(designHeight)});
}

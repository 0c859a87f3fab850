#include "ui/dialogs/DialogParts.h"

#include "profiles/LanguageTexts.h"
#include "ui/CDlgBase.h"
#include "ui/CStaticText.h"
#include "ui/UiScale.h"

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

CStaticText* DialogParts::AddLabel(CDlgBase& dialog, int id, const UiRect& design, std::uint32_t colorRef,
                                   unsigned format, const QString& text, bool shown)
{
    return dialog.AddControl(0, std::make_unique<CStaticText>(&dialog, id, Scaled(design), colorRef, format, text,
                                                              ControlFlags{true, shown, false}));
}

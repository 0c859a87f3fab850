#pragma once

#include "ui/UiRect.h"

#include <QString>

#include <cstdint>

class CDlgBase;
class CStaticText;
class LanguageTexts;

// Small pieces the dialogs share: design rectangles scaled by UiScale,
// language texts as QString, and labels made from outside a dialog.
namespace DialogParts {

// Design units to pixels, each edge multiplied by UiScale and truncated.
[[nodiscard]] UiRect Scaled(int left, int top, int right, int bottom);
[[nodiscard]] UiRect Scaled(const UiRect& design);

[[nodiscard]] QString LanguageText(const LanguageTexts& texts, int number);

// A label at a design rectangle in the control font (or the font given afterwards).
CStaticText* AddLabel(CDlgBase& dialog, int id, const UiRect& design, std::uint32_t colorRef,
                      unsigned format, const QString& text, bool shown = true);

}  // namespace DialogParts

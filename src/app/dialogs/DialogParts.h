#pragma once

#include "ui/UiRect.h"

#include <QString>

#include <cstdint>

class CDlgBase;
class CImageButton;
class CStaticText;
class LanguageTexts;
class QPainter;
class SkinImage;

// The pieces the application's small dialogs are made of: design rectangles scaled by
// UiScale, the close cross and the text buttons, labels and the frame.
namespace DialogParts {

// Design units to pixels, each edge multiplied by UiScale and truncated.
[[nodiscard]] UiRect Scaled(int left, int top, int right, int bottom);
[[nodiscard]] UiRect Scaled(const UiRect& design);

[[nodiscard]] QString LanguageText(const LanguageTexts& texts, int number);

// The helpers below take design rectangles and scale them.

// The 15 x 15 close cross ("exit" images).
CImageButton* AddCloseButton(CDlgBase& dialog, int id, const UiRect& design);
// A 69 x 20 text button ("button2" images) with a centred caption.
CImageButton* AddTextButton(CDlgBase& dialog, int id, const UiRect& design, const QString& caption,
                            bool shown = true);
// A label in the control font (or the font given afterwards with SetFont).
CStaticText* AddLabel(CDlgBase& dialog, int id, const UiRect& design, std::uint32_t colorRef,
                      unsigned format, const QString& text, bool shown = true);

// Fills the client area with the dialog's average background colour, then draws the
// frame picture stretched over the design size times UiScale.
void DrawFrame(QPainter& painter, const CDlgBase& dialog, const SkinImage& frame, int designWidth,
               int designHeight);

}  // namespace DialogParts

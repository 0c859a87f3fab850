#pragma once

#include "profiles/LanguageTexts.h"

#include <QFont>

// The fonts of the skinned windows. The language chooses the control font's face,
// height and character set (ControlFont); here it becomes a QFont. Faces missing on the
// machine fall back to an installed font of the same role ("Tahoma" to a sans face,
// the Chinese face to a CJK face) through font substitutions.
class UiFont {
public:
    static void SetControlFont(const ControlFont& font);
    [[nodiscard]] static const ControlFont& CurrentControlFont();

    // The control font every control creates for itself (normal weight).
    [[nodiscard]] static QFont ControlQFont();
    [[nodiscard]] static QFont MakeFont(const ControlFont& font);
    // Bold 10-point face of the control font, for dialog titles.
    [[nodiscard]] static QFont DialogFont();

    // "Tahoma" for edit boxes hosted by dialogs: UiScale x 10 points divided by the
    // screen's DPI ratio, so that it matches the skinned text at every scale.
    [[nodiscard]] static QFont EditFont(double dpiRatio);

    // Registers the fallback faces; called by MakeFont, harmless to call again.
    static void InstallSubstitutions();
};

#pragma once

class QScreen;

// The global screen scale of the skinned windows (1.0, 1.5 or 2.0). Every design
// coordinate goes through Scale(): multiplied by the factor and truncated, so that all
// windows agree on the same pixel for the same design unit.
class UiScale {
public:
    static void Set(double factor);
    [[nodiscard]] static double Get();

    // Design units to pixels, truncated towards zero.
    [[nodiscard]] static int Scale(int design);
    [[nodiscard]] static int Scale(double design);

    // The screen's horizontal logical pixels per inch over 96, for the edit-box fonts.
    static void SetDpiRatio(double ratio);
    [[nodiscard]] static double DpiRatio();
    // The ratio of a screen (the primary screen when none is given); 1.0 without one.
    [[nodiscard]] static double DpiRatioOf(const QScreen* screen);
};

#include "app/MainWindowPlacement.h"

namespace {

// The smallest screens, both sides, that get the larger scales.
constexpr int kDoubleWidth = 2401;
constexpr int kDoubleHeight = 1601;
constexpr int kOneAndHalfWidth = 1801;
constexpr int kOneAndHalfHeight = 1201;

[[nodiscard]] int CentredStart(int screen, float window)
{
    return static_cast<float>(screen) > window ? static_cast<int>((static_cast<float>(screen) - window) * 0.5F) : 0;
}

}  // namespace

MainWindowPlacement MainWindowPlacement::ForScreen(int screenWidth, int screenHeight)
{
    float scale = 1.0F;
    if (screenWidth >= kDoubleWidth && screenHeight >= kDoubleHeight)
        scale = 2.0F;
    else if (screenWidth >= kOneAndHalfWidth && screenHeight >= kOneAndHalfHeight)
        scale = 1.5F;
    return AtScale(screenWidth, screenHeight, scale);
}

MainWindowPlacement MainWindowPlacement::AtScale(int screenWidth, int screenHeight, float scale)
{
    MainWindowPlacement placement;
    placement.uiScale = scale;
    const float width = placement.uiScale * static_cast<float>(kDesignWidth);
    const float height = placement.uiScale * static_cast<float>(kDesignHeight);
    placement.width = static_cast<int>(width);
    placement.height = static_cast<int>(height);
    placement.left = CentredStart(screenWidth, width);
    placement.top = CentredStart(screenHeight, height);
    return placement;
}

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
    MainWindowPlacement placement;
    if (screenWidth >= kDoubleWidth && screenHeight >= kDoubleHeight)
        placement.uiScale = 2.0F;
    else if (screenWidth >= kOneAndHalfWidth && screenHeight >= kOneAndHalfHeight)
        placement.uiScale = 1.5F;
    const float width = placement.uiScale * static_cast<float>(kDesignWidth);
    const float height = placement.uiScale * static_cast<float>(kDesignHeight);
    placement.width = static_cast<int>(width);
    placement.height = static_cast<int>(height);
    placement.left = CentredStart(screenWidth, width);
    placement.top = CentredStart(screenHeight, height);
    return placement;
}

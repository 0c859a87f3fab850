#include "app/dialogs/PalettePicker.h"

#include "ui/UiRect.h"
#include "ui/UiScale.h"

#include <cmath>

namespace {

// The picture's two areas of selectable colours, in design units.
constexpr UiRect kPickAreas[] = {{18, 26, 222, 270}, {244, 26, 473, 190}};

UiRect Scaled(const UiRect& design)
{
    return {UiScale::Scale(design.left), UiScale::Scale(design.top), UiScale::Scale(design.right),
            UiScale::Scale(design.bottom)};
}

}  // namespace

bool PalettePicker::InPickArea(QPoint clientPoint)
{
    for (const UiRect& area : kPickAreas) {
        if (Scaled(area).Contains(clientPoint))
            return true;
    }
    return false;
}

std::optional<std::uint32_t> PalettePicker::ColorAt(QPoint clientPoint) const
{
    if (!InPickArea(clientPoint) || m_picture.isNull())
        return std::nullopt;
    const double scale = UiScale::Get();
    const int x = static_cast<int>(std::floor(clientPoint.x() / scale));
    const int y = static_cast<int>(std::floor(clientPoint.y() / scale));
    if (!m_picture.valid(x, y))
        return std::nullopt;
    const QRgb pixel = m_picture.pixel(x, y);
    const std::uint32_t colorRef = static_cast<std::uint32_t>(qRed(pixel)) |
                                   static_cast<std::uint32_t>(qGreen(pixel)) << 8 |
                                   static_cast<std::uint32_t>(qBlue(pixel)) << 16;
    if (colorRef == kBackgroundColorRef)
        return std::nullopt;
    return colorRef;
}

#pragma once

#include <QImage>
#include <QPoint>

#include <cstdint>
#include <optional>

// Picks a colour from the palette picture. The dialog shows the picture stretched by
// UiScale; a click is mapped back to the picture pixel under it, so the colour is the
// picture's own and never depends on what the screen shows (scaling, other windows,
// a compositor that hides the screen from us).
class PalettePicker {
public:
    // The picture's background: clicks on it pick nothing.
    static constexpr std::uint32_t kBackgroundColorRef = 0x0F0F0F;

    explicit PalettePicker(QImage picture) : m_picture(std::move(picture)) {}

    // The colour (0x00BBGGRR) under a client point of the dialog, or nothing when the
    // point lies outside both pick areas or on the background colour.
    [[nodiscard]] std::optional<std::uint32_t> ColorAt(QPoint clientPoint) const;

    // Whether a client point lies in one of the two pick areas.
    [[nodiscard]] static bool InPickArea(QPoint clientPoint);

    [[nodiscard]] const QImage& Picture() const { return m_picture; }

private:
    QImage m_picture;
};

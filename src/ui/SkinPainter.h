#pragma once

#include "ui/UiRect.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>

class QPainter;

// Text format flags of the skinned controls. Windows pass them to the controls as
// numbers, so they keep their classic values.
namespace TextFormat {
inline constexpr unsigned kLeft = 0x0;
inline constexpr unsigned kCenter = 0x1;
inline constexpr unsigned kRight = 0x2;
inline constexpr unsigned kVCenter = 0x4;
inline constexpr unsigned kBottom = 0x8;
inline constexpr unsigned kWordBreak = 0x10;
inline constexpr unsigned kSingleLine = 0x20;
inline constexpr unsigned kNoClip = 0x100;
inline constexpr unsigned kWordEllipsis = 0x40000;
// What text-mode buttons add to their own flags.
inline constexpr unsigned kButtonText = kWordEllipsis | kSingleLine | kVCenter;
}  // namespace TextFormat

// Colours of the skinned controls, written as 0x00BBGGRR values (red in the low byte).
namespace SkinColor {
inline constexpr std::uint32_t kNormalText = 0xB4B4B4;
inline constexpr std::uint32_t kHoverText = 0xFFFFFF;
inline constexpr std::uint32_t kPressedText = 0x00FFFF;
}  // namespace SkinColor

// Drawing helpers shared by the controls.
class SkinPainter {
public:
    [[nodiscard]] static QColor FromColorRef(std::uint32_t colorRef);

    // Draws text in rect with the classic format flags: horizontal alignment, vertical
    // placement only for single-line text (the line's cell centred, at the top or at the
    // bottom), word wrap, an ellipsis when it does not fit, clipped to rect unless kNoClip is given. The
    // painter's font and pen are restored afterwards.
    static void DrawText(QPainter& painter, const QFont& font, std::uint32_t colorRef,
                         const UiRect& rect, unsigned format, const QString& text);

    static void FillRect(QPainter& painter, const UiRect& rect, std::uint32_t colorRef);
};

#pragma once

#include <QPoint>
#include <QRect>

// A rectangle by its four edges, right and bottom exclusive, as the skinned windows
// describe their controls. Contains() answers the same as a point-in-rectangle test on
// those edges, which QRect's inclusive right()/bottom() would get wrong by one.
struct UiRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] constexpr int Width() const { return right - left; }
    [[nodiscard]] constexpr int Height() const { return bottom - top; }
    [[nodiscard]] constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    [[nodiscard]] constexpr bool Contains(int x, int y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
    [[nodiscard]] bool Contains(QPoint point) const { return Contains(point.x(), point.y()); }
    [[nodiscard]] constexpr bool Intersects(const UiRect& other) const
    {
        return left < other.right && other.left < right && top < other.bottom &&
               other.top < bottom;
    }
    [[nodiscard]] constexpr UiRect Inset(int dx, int dy) const
    {
        return {left + dx, top + dy, right - dx, bottom - dy};
    }
    [[nodiscard]] QRect ToQRect() const { return {left, top, Width(), Height()}; }
    [[nodiscard]] static UiRect FromQRect(const QRect& rect)
    {
        return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
    }
    // The rectangle "not set": what a dialog keeps while no control is pressed.
    [[nodiscard]] static constexpr UiRect None() { return {-1, -1, -1, -1}; }

    friend constexpr bool operator==(const UiRect&, const UiRect&) = default;
};

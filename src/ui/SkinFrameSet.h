#pragma once

#include "ui/SkinImage.h"

#include <QString>

#include <array>
#include <initializer_list>

class QPainter;

// The looks of a button: either one strip of equal frames side by side, or up to four
// separate images, one per frame. Frame k of a strip is the source rectangle
// (k x frame width, 0, frame width, image height).
class SkinFrameSet {
public:
    static constexpr int kMaxImages = 5;

    // A strip whose frames are frameWidth pixels wide (0: the whole image is one frame).
    bool SetStrip(const QString& name, int frameWidth);
    // One image per frame index; an empty name leaves that frame without an image.
    bool SetImage(int frame, const QString& name);
    // Frames 0, 1, ... from the images in order; true when every one loaded.
    bool SetImages(std::initializer_list<QString> names);
    void Release();

    [[nodiscard]] bool IsStrip() const { return m_isStrip; }
    [[nodiscard]] bool HasFrame(int frame) const;
    // Size of one frame, from the strip or the first loaded image.
    [[nodiscard]] int FrameWidth() const;
    [[nodiscard]] int FrameHeight() const;

    // Draws frame stretched over target; a frame without an image draws nothing.
    void Draw(QPainter& painter, const UiRect& target, int frame) const;

private:
    bool m_isStrip = false;
    int m_frameWidth = 0;
    SkinImage m_strip;
    std::array<SkinImage, kMaxImages> m_images;
};

#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

class QPainter;

// An opaque picture kept losslessly compressed (zlib) in horizontal strips instead of as
// plain pixels, for a large picture that is drawn at its own size and mostly in small
// parts: a window's background, which after the first full paint is only needed under
// the controls that repaint. A draw decodes only the strips that meet the painter's clip,
// so a button's repaint costs a strip or two of decoding and the picture itself costs a
// fraction of its pixels; the part drawn last is kept decoded when it is small. The
// pixels drawn are exactly those of the picture it was made from.
class PackedPicture {
public:
    static constexpr int kStripHeight = 32;

    PackedPicture() = default;
    // Packs image (its pixels as Format_RGB32). A null image, or one that cannot be
    // compressed, gives a null picture.
    explicit PackedPicture(const QImage& image);

    // Whether packing a picture of this size saves memory: a smaller one is kept decoded
    // after its first whole draw anyway (see kMaxRecentPixels).
    [[nodiscard]] static constexpr bool SavesMemory(QSize size) { return size.width() * size.height() > kMaxRecentPixels; }

    [[nodiscard]] bool IsNull() const { return m_strips.empty(); }
    [[nodiscard]] QSize Size() const { return m_size; }
    // Bytes held, for the figures.
    [[nodiscard]] qsizetype PackedBytes() const;

    // Draws the picture with its top left corner at origin, device pixel for pixel, only
    // where it meets the painter's clip (all of it without a clip).
    void Draw(QPainter& painter, QPoint origin) const;
    // The whole picture decoded again.
    [[nodiscard]] QImage Unpack() const;

private:
    // A part at most this large is kept decoded after a draw: a control that repaints
    // itself again and again (the battery's level, a blinking caret) then costs no
    // decoding after the first time.
    static constexpr int kMaxRecentPixels = 128 * 128;

    [[nodiscard]] QImage Strip(std::size_t index) const;

    QSize m_size;
    std::vector<QByteArray> m_strips;
    mutable QRect m_recentPart;  // in the picture's pixels; empty when none is kept
    mutable QImage m_recentPixels;
};

#include "ui/PackedPicture.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

// zlib's level: 6, its default, packs this kind of picture (large areas of one colour,
// gradients, text) to under 3 % of its pixels; the strips are packed once, right after
// the window shows. The rows are compressed as they are, not through an image encoder:
// Qt's image writer loads every image format plugin installed before it picks its own
// PNG encoder, which would cost more memory than the packing saves.
constexpr int kCompressionLevel = 6;

}  // namespace

PackedPicture::PackedPicture(const QImage& image)
{
    if (image.isNull())
        return;
    // A strip is packed as its rows lie in memory, one after another: at 32 bits a pixel
    // an image of Qt's own has no padding between them (one made over other memory may).
    QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    if (pixels.bytesPerLine() != qsizetype{pixels.width()} * 4)
        pixels = pixels.copy();
    std::vector<QByteArray> strips;
    for (int top = 0; top < pixels.height(); top += kStripHeight) {
        const int height = std::min(kStripHeight, pixels.height() - top);
        const QByteArray rows = QByteArray::fromRawData(reinterpret_cast<const char*>(pixels.constScanLine(top)),
                                                        pixels.bytesPerLine() * height);
        QByteArray packed = qCompress(rows, kCompressionLevel);
        if (packed.isEmpty())
            return;
        packed.squeeze();
        strips.push_back(std::move(packed));
    }
    m_size = pixels.size();
    m_strips = std::move(strips);
}

qsizetype PackedPicture::PackedBytes() const
{
    qsizetype total = 0;
    for (const QByteArray& strip : m_strips)
        total += strip.size();
    return total;
}

QImage PackedPicture::Strip(std::size_t index) const
{
    const int top = static_cast<int>(index) * kStripHeight;
    QImage strip(m_size.width(), std::min(kStripHeight, m_size.height() - top), QImage::Format_RGB32);
    const QByteArray rows = qUncompress(m_strips[index]);
    // What this object packed always unpacks whole; anything else draws as black rather
    // than as memory beyond the rows.
    if (rows.size() != strip.sizeInBytes())
        strip.fill(Qt::black);
    else
        std::memcpy(strip.bits(), rows.constData(), static_cast<std::size_t>(rows.size()));
    return strip;
}

void PackedPicture::Draw(QPainter& painter, QPoint origin) const
{
    if (IsNull())
        return;
    QRect wanted(origin, m_size);
    if (painter.hasClipping())
        wanted = wanted.intersected(painter.clipBoundingRect().toAlignedRect());
    if (wanted.isEmpty())
        return;
    // From here on in the picture's own pixels.
    wanted.translate(-origin);
    if (!m_recentPart.contains(wanted)) {
        const int first = wanted.top() / kStripHeight;
        const int last = wanted.bottom() / kStripHeight;
        if (wanted.width() * wanted.height() > kMaxRecentPixels) {
            for (int index = first; index <= last; ++index)
                painter.drawImage(origin + QPoint(0, index * kStripHeight), Strip(static_cast<std::size_t>(index)));
            return;
        }
        QImage part(wanted.size(), QImage::Format_RGB32);
        {
            QPainter partPainter(&part);
            partPainter.setCompositionMode(QPainter::CompositionMode_Source);
            for (int index = first; index <= last; ++index)
                partPainter.drawImage(QPoint(0, index * kStripHeight) - wanted.topLeft(),
                                      Strip(static_cast<std::size_t>(index)));
        }
        m_recentPixels = std::move(part);
        m_recentPart = wanted;
    }
    painter.drawImage(origin + wanted.topLeft(), m_recentPixels, wanted.translated(-m_recentPart.topLeft()));
}

QImage PackedPicture::Unpack() const
{
    if (IsNull())
        return {};
    QImage image(m_size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    Draw(painter, QPoint(0, 0));
    return image;
}

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
constexpr int kBytesPerPixel = 4;

}  // namespace

PackedPicture::PackedPicture(const QImage& image)
{
    if (image.isNull())
        return;
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const qsizetype rowBytes = qsizetype{pixels.width()} * kBytesPerPixel;
    std::vector<QByteArray> strips;
    QByteArray rows;
    for (int top = 0; top < pixels.height(); top += kStripHeight) {
        const int height = std::min(kStripHeight, pixels.height() - top);
        // Rows without the padding a scan line may carry.
        rows.resize(rowBytes * height);
        for (int row = 0; row < height; ++row)
            std::memcpy(rows.data() + row * rowBytes, pixels.constScanLine(top + row), static_cast<std::size_t>(rowBytes));
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
    const int height = std::min(kStripHeight, m_size.height() - top);
    const qsizetype rowBytes = qsizetype{m_size.width()} * kBytesPerPixel;
    const QByteArray rows = qUncompress(m_strips[index]);
    QImage strip(m_size.width(), height, QImage::Format_RGB32);
    // What this object packed always unpacks whole; anything shorter draws as black
    // rather than as memory beyond the rows.
    if (rows.size() != rowBytes * height) {
        strip.fill(Qt::black);
        return strip;
    }
    for (int row = 0; row < height; ++row)
        std::memcpy(strip.scanLine(row), rows.constData() + row * rowBytes, static_cast<std::size_t>(rowBytes));
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

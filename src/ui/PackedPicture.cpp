#include "ui/PackedPicture.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>

namespace {

const QByteArray kFormat = QByteArrayLiteral("png");
// The encoder's quality for PNG picks the deflate level; 80 gives level 1, the fastest
// that still compresses: the strips are packed once, right after the window shows.
constexpr int kEncoderQuality = 80;

}  // namespace

PackedPicture::PackedPicture(const QImage& image)
{
    if (image.isNull())
        return;
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    std::vector<QByteArray> strips;
    for (int top = 0; top < pixels.height(); top += kStripHeight) {
        const int height = std::min(kStripHeight, pixels.height() - top);
        // The strip's rows in place, not copied: the writer only reads them.
        const QImage strip(pixels.constScanLine(top), pixels.width(), height,
                           pixels.bytesPerLine(), QImage::Format_RGB32);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, kFormat);
        writer.setQuality(kEncoderQuality);
        if (!writer.write(strip))
            return;
        bytes.squeeze();
        strips.push_back(std::move(bytes));
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
    QBuffer buffer;
    buffer.setData(m_strips[index]);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, kFormat);
    // The format is known: no other reader is asked (or loaded) to recognise it.
    reader.setAutoDetectImageFormat(false);
    return reader.read().convertToFormat(QImage::Format_RGB32);
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

#include "ui/SkinImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QString& SkinFolderSetting()
{
    static QString folder;
    return folder;
}

// What the process has read of one file. A window loads the same picture for many
// controls (a drop-down's frame for each of six buttons); its header is read once and
// its pixels decoded once and shared (QImage is implicitly shared) while any image holds
// them. The file's time and length tell when it was replaced on disk.
struct SkinFile {
    QDateTime modified;
    qint64 length = -1;
    QSize size;     // from the header; empty when the file is no readable image
    QImage pixels;  // decoded, premultiplied, pixel ratio 1; null until first needed
};

QHash<QString, SkinFile>& SkinFiles()
{
    // Never destroyed, so that an image released during exit still finds it.
    static auto* files = new QHash<QString, SkinFile>();
    return *files;
}

// The current entry of a file, its header read again when the file changed.
SkinFile& SkinFileOf(const QString& path)
{
    const QFileInfo info(path);
    SkinFile& file = SkinFiles()[path];
    if (file.length == info.size() && file.modified == info.lastModified())
        return file;
    file = SkinFile{info.lastModified(), info.size(), QSize(0, 0), QImage()};
    QImageReader reader;
    if (!SkinImage::OpenReader(reader, path) && !reader.canRead())
        return file;
    QSize size = reader.size();
    if (!size.isValid()) {
        // A format whose header does not give the size is decoded at once.
        file.pixels = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        file.pixels.setDevicePixelRatio(1.0);
        size = file.pixels.size();
    }
    file.size = size.isValid() ? size : QSize(0, 0);
    return file;
}

// The file's pixels when they have the expected size, else a null image.
QImage DecodedPixels(const QString& path, QSize expected)
{
    SkinFile& file = SkinFileOf(path);
    if (file.pixels.isNull() && !file.size.isEmpty()) {
        // Pixels of closed windows, whose images were destroyed rather than released.
        for (SkinFile& other : SkinFiles()) {
            if (!other.pixels.isNull() && other.pixels.isDetached())
                other.pixels = QImage();
        }
        QImage loaded = SkinImage::ReadFile(path);
        // The reader marks "@2x" files with a pixel ratio of 2; here every rectangle is
        // in the file's own pixels.
        loaded.setDevicePixelRatio(1.0);
        file.pixels = loaded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return file.pixels.size() == expected ? file.pixels : QImage();
}

// Whether every pixel is fully opaque, whatever the format says.
bool IsOpaque(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return true;
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        if (!std::all_of(row, row + pixels.width(), [](QRgb pixel) { return qAlpha(pixel) == 255; }))
            return false;
    }
    return true;
}

// Drops the shared pixels of a file that no image holds any more.
void ForgetUnusedPixels(const QString& path)
{
    const auto found = SkinFiles().find(path);
    if (found != SkinFiles().end() && !found->pixels.isNull() && found->pixels.isDetached())
        found->pixels = QImage();
}

}  // namespace

void SkinImage::SetSkinFolder(const QString& folder)
{
    SkinFolderSetting() = folder;
}

QString SkinImage::SkinFolder()
{
    if (SkinFolderSetting().isEmpty())
        return QCoreApplication::applicationDirPath() + QStringLiteral("/skins");
    return SkinFolderSetting();
}

QString SkinImage::ResolvePath(const QString& name)
{
    if (name.startsWith(QLatin1Char(':')) || QFileInfo(name).isAbsolute())
        return name;
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (relative.startsWith(QStringLiteral("skins/")))
        relative.remove(0, 6);
    return SkinFolder() + QLatin1Char('/') + relative;
}

QString SkinImage::HiResPath(const QString& path)
{
    const QString suffix = QStringLiteral("@%1x").arg(kHiResFactor);
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < path.lastIndexOf(QLatin1Char('/')))
        return path + suffix;
    return path.left(dot) + suffix + path.mid(dot);
}

bool SkinImage::OpenReader(QImageReader& reader, const QString& path)
{
    reader.setFileName(path);
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!format.isEmpty()) {
        reader.setFormat(format);
        reader.setAutoDetectImageFormat(false);
        if (reader.canRead())
            return true;
        // A new device resets the reader's choice; then every reader may look at it.
        reader.setFileName(path);
    }
    reader.setFormat(QByteArray());
    reader.setAutoDetectImageFormat(true);
    return false;
}

QImage SkinImage::ReadFile(const QString& path)
{
    QImageReader reader;
    OpenReader(reader, path);
    return reader.read();
}

bool SkinImage::Load(const QString& name)
{
    Release();
    const QString path = ResolvePath(name);
    const QSize size = SkinFileOf(path).size;
    if (size.isEmpty())
        return false;
    m_size = size;
    m_path = path;
    return true;
}

void SkinImage::Release()
{
    const bool held = !m_image.isNull() || !m_hiResImage.isNull();
    m_image = QImage();
    m_hiResImage = QImage();
    m_cache.clear();
    if (held) {
        ForgetUnusedPixels(m_path);
        ForgetUnusedPixels(HiResPath(m_path));
    }
    m_size = QSize(0, 0);
    m_path.clear();
    m_decoded = false;
    m_drawnAtOwnSize = false;
    m_hiResLooked = false;
}

const QImage& SkinImage::Image() const
{
    if (!m_decoded && !m_path.isEmpty()) {
        m_decoded = true;
        // Frames and source rectangles were laid out for the header's size; pixels of
        // another size (a file replaced since) would cut them wrongly.
        m_image = DecodedPixels(m_path, m_size);
    }
    return m_image;
}

const QImage& SkinImage::HiResImage() const
{
    if (!m_hiResLooked && !m_path.isEmpty()) {
        m_hiResLooked = true;
        // Only an exact double maps every design-size source rectangle onto the same
        // picture; anything else would shift frames of a strip.
        const QString path = HiResPath(m_path);
        if (QFileInfo::exists(path))
            m_hiResImage = DecodedPixels(path, m_size * kHiResFactor);
    }
    return m_hiResImage;
}

void SkinImage::Draw(QPainter& painter, const UiRect& target) const
{
    Draw(painter, target, QRect(QPoint(0, 0), m_size));
}

void SkinImage::Draw(QPainter& painter, const UiRect& target, const QRect& source) const
{
    if (IsNull() || target.IsEmpty())
        return;
    const QRect part = source.intersected(QRect(QPoint(0, 0), m_size));
    if (part.isEmpty())
        return;

    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const QSize deviceSize(static_cast<int>(std::lround(target.Width() * ratio)),
                           static_cast<int>(std::lround(target.Height() * ratio)));

    for (const CachedPart& cached : m_cache) {
        if (cached.source == part && cached.deviceSize == deviceSize) {
            DrawCachedPart(painter, target, cached);
            return;
        }
    }

    // At its own size a part is copied straight from the shared pixels: a cached copy
    // would only double the memory.
    if (deviceSize == part.size()) {
        m_drawnAtOwnSize = true;
        if (!Image().isNull())
            painter.drawImage(target.ToQRect(), m_image, part);
        return;
    }

    // Scaling up from the design size blurs; when the part is drawn larger than that,
    // the double-size variant (if there is one) is the source instead.
    QImage scaled;
    const bool enlarged = deviceSize.width() > part.width() || deviceSize.height() > part.height();
    if (enlarged && !HiResImage().isNull()) {
        const QRect hiResPart(part.topLeft() * kHiResFactor, part.size() * kHiResFactor);
        scaled = m_hiResImage.copy(hiResPart);
        // The double-size pixels are four design-size pictures large and needed only to
        // make a scaled copy: they are let go once it is made, and read again for the
        // next size.
        m_hiResImage = QImage();
        m_hiResLooked = false;
        ForgetUnusedPixels(HiResPath(m_path));
    } else if (!Image().isNull()) {
        scaled = m_image.copy(part);
        // A picture only ever drawn scaled (a panel's fill stretched over each section)
        // needs its pixels only to make the copies: they are let go as the double-size
        // ones are, and read again for the next size.
        if (!m_drawnAtOwnSize) {
            m_image = QImage();
            m_decoded = false;
            ForgetUnusedPixels(m_path);
        }
    } else {
        return;
    }
    if (scaled.size() != deviceSize)
        scaled = scaled.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    CachedPart cached{part, deviceSize, {}, {}};
    if (qFuzzyCompare(ratio, 1.0) && PackedPicture::SavesMemory(scaled.size()) && IsOpaque(scaled))
        cached.packed = PackedPicture(scaled);
    if (cached.packed.IsNull()) {
        cached.pixmap = QPixmap::fromImage(std::move(scaled));
        cached.pixmap.setDevicePixelRatio(ratio);
    }
    if (m_cache.size() >= kMaxCachedParts)
        m_cache.erase(m_cache.begin());
    m_cache.push_back(std::move(cached));
    DrawCachedPart(painter, target, m_cache.back());
}

void SkinImage::DrawCachedPart(QPainter& painter, const UiRect& target, const CachedPart& cached)
{
    if (!cached.packed.IsNull())
        cached.packed.Draw(painter, target.ToQRect().topLeft());
    else
        painter.drawPixmap(target.ToQRect(), cached.pixmap);
}

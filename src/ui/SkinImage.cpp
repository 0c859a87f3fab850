#include "ui/SkinImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include <cmath>

namespace {

QString& SkinFolderSetting()
{
    static QString folder;
    return folder;
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

bool SkinImage::Load(const QString& name)
{
    Release();
    const QString path = ResolvePath(name);
    QImage loaded(path);
    if (loaded.isNull())
        return false;
    m_image = loaded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_path = path;
    return true;
}

void SkinImage::Release()
{
    m_image = QImage();
    m_path.clear();
    m_hiResImage = QImage();
    m_hiResLooked = false;
    m_cache.clear();
}

const QImage& SkinImage::HiResImage() const
{
    if (!m_hiResLooked) {
        m_hiResLooked = true;
        const QString path = HiResPath(m_path);
        if (QFileInfo::exists(path)) {
            QImage loaded(path);
            // Only an exact double maps every design-size source rectangle onto the
            // same picture; anything else would shift frames of a strip.
            if (loaded.size() == m_image.size() * kHiResFactor) {
                m_hiResImage = loaded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
                // The reader marks "@2x" files with a pixel ratio of 2; here every
                // rectangle is in the file's own pixels.
                m_hiResImage.setDevicePixelRatio(1.0);
            }
        }
    }
    return m_hiResImage;
}

void SkinImage::Draw(QPainter& painter, const UiRect& target) const
{
    Draw(painter, target, m_image.rect());
}

void SkinImage::Draw(QPainter& painter, const UiRect& target, const QRect& source) const
{
    if (m_image.isNull() || target.IsEmpty())
        return;
    const QRect part = source.intersected(m_image.rect());
    if (part.isEmpty())
        return;

    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const QSize deviceSize(static_cast<int>(std::lround(target.Width() * ratio)),
                           static_cast<int>(std::lround(target.Height() * ratio)));

    for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
        if (it->source == part && it->deviceSize == deviceSize) {
            painter.drawPixmap(target.ToQRect(), it->pixmap);
            return;
        }
    }

    // Scaling up from the design size blurs; when the part is drawn larger than that,
    // the double-size variant (if there is one) is the source instead.
    QImage scaled;
    const bool enlarged = deviceSize.width() > part.width() || deviceSize.height() > part.height();
    if (enlarged && !HiResImage().isNull()) {
        const QRect hiResPart(part.topLeft() * kHiResFactor, part.size() * kHiResFactor);
        scaled = m_hiResImage.copy(hiResPart);
    } else {
        scaled = m_image.copy(part);
    }
    if (scaled.size() != deviceSize)
        scaled = scaled.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap pixmap = QPixmap::fromImage(std::move(scaled));
    pixmap.setDevicePixelRatio(ratio);
    if (m_cache.size() >= kMaxCachedParts)
        m_cache.erase(m_cache.begin());
    m_cache.push_back({part, deviceSize, pixmap});
    painter.drawPixmap(target.ToQRect(), pixmap);
}

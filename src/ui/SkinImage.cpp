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

bool SkinImage::Load(const QString& name)
{
    m_cache.clear();
    QImage loaded(ResolvePath(name));
    if (loaded.isNull()) {
        m_image = QImage();
        return false;
    }
    m_image = loaded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return true;
}

void SkinImage::Release()
{
    m_image = QImage();
    m_cache.clear();
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

    QImage scaled = m_image.copy(part);
    if (scaled.size() != deviceSize)
        scaled = scaled.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap pixmap = QPixmap::fromImage(std::move(scaled));
    pixmap.setDevicePixelRatio(ratio);
    if (m_cache.size() >= kMaxCachedParts)
        m_cache.erase(m_cache.begin());
    m_cache.push_back({part, deviceSize, pixmap});
    painter.drawPixmap(target.ToQRect(), pixmap);
}

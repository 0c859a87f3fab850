#pragma once

#include "ui/UiRect.h"

#include <QImage>
#include <QPixmap>
#include <QString>

#include <vector>

class QPainter;

// One skin image, loaded once and drawn stretched with smooth scaling. The scaled
// result is cached per (source part, device size), so a control that paints the same
// frame at the same size again only copies pixels. A missing image draws nothing.
class SkinImage {
public:
    // Loads a file of the skin folder ("check_nr.png", "skins\check_nr.png"), an absolute
    // path or a resource path (":/..."). Returns whether it loaded; on failure the image
    // is empty.
    bool Load(const QString& name);
    void Release();

    [[nodiscard]] bool IsNull() const { return m_image.isNull(); }
    [[nodiscard]] int Width() const { return m_image.width(); }
    [[nodiscard]] int Height() const { return m_image.height(); }
    [[nodiscard]] const QImage& Image() const { return m_image; }

    // Draws the whole image stretched over target.
    void Draw(QPainter& painter, const UiRect& target) const;
    // Draws the source part (image pixels) stretched over target.
    void Draw(QPainter& painter, const UiRect& target, const QRect& source) const;

    // Where skin files are looked up; defaults to "skins" beside the executable.
    static void SetSkinFolder(const QString& folder);
    [[nodiscard]] static QString SkinFolder();
    [[nodiscard]] static QString ResolvePath(const QString& name);

private:
    struct CachedPart {
        QRect source;
        QSize deviceSize;
        QPixmap pixmap;
    };
    static constexpr std::size_t kMaxCachedParts = 12;

    QImage m_image;
    mutable std::vector<CachedPart> m_cache;
};

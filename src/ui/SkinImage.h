#pragma once

#include "ui/PackedPicture.h"
#include "ui/UiRect.h"

#include <QImage>
#include <QPixmap>
#include <QString>

#include <vector>

class QImageReader;
class QPainter;

// One skin image, drawn stretched with smooth scaling. Loading reads only the file's
// header (its size); the pixels are decoded on the first draw and kept, so the hover,
// pressed and hidden pictures that a window loads but never shows cost neither start-up
// time nor memory. Images of the same file share one header read and one copy of the
// pixels. A part drawn at another size is scaled once and cached per (source part,
// device size), so a control that paints the same frame at the same size again only
// copies pixels (or, for an opaque part, unpacks the rows it repaints). A missing image draws nothing; so does a file whose pixels turn out
// unreadable.
//
// Width, Height, Image and every source rectangle are in design-size pixels, whatever
// is drawn. When a part is drawn larger than its design size (UiScale above 1, a HiDPI
// screen), the double-size variant "<name>@2x.<ext>" beside the file is the source that
// gets scaled, so the picture stays sharp. It is read for each such draw at a new size and
// let go after it; a missing one, or one that is not exactly twice the design size, is
// ignored.
class SkinImage {
public:
    // Loads a file of the skin folder ("check_nr.png", "skins\check_nr.png"), an absolute
    // path or a resource path (":/..."). Returns whether it is a readable image; on
    // failure the image is empty.
    bool Load(const QString& name);
    void Release();

    [[nodiscard]] bool IsNull() const { return m_size.isEmpty(); }
    [[nodiscard]] int Width() const { return m_size.width(); }
    [[nodiscard]] int Height() const { return m_size.height(); }
    // The pixels, decoded on the first call.
    [[nodiscard]] const QImage& Image() const;
    // Whether the pixels have been decoded (by a draw or Image()).
    [[nodiscard]] bool IsDecoded() const { return m_decoded; }
    // Whether the double-size variant's pixels are held (only while a scaled copy is made).
    [[nodiscard]] bool HoldsDoubleSizePixels() const { return !m_hiResImage.isNull(); }

    // Draws the whole image stretched over target.
    void Draw(QPainter& painter, const UiRect& target) const;
    // Draws the source part (image pixels) stretched over target.
    void Draw(QPainter& painter, const UiRect& target, const QRect& source) const;

    // Where skin files are looked up; defaults to "skins" beside the executable.
    static void SetSkinFolder(const QString& folder);
    [[nodiscard]] static QString SkinFolder();
    [[nodiscard]] static QString ResolvePath(const QString& name);
    // The path of the double-size variant of a resolved path: ".../check_nr@2x.png".
    [[nodiscard]] static QString HiResPath(const QString& path);
    // Reads a picture file whole, a null image when it cannot. The file's suffix names
    // the reader, so that Qt does not load every image plugin it has to ask each whether
    // it knows the file; a file that the suffix's reader cannot read is read by its
    // contents as before.
    [[nodiscard]] static QImage ReadFile(const QString& path);
    // Points reader at path the same way; returns whether the suffix's reader takes it.
    static bool OpenReader(QImageReader& reader, const QString& path);

private:
    struct CachedPart {
        QRect source;
        QSize deviceSize;
        // A large opaque part drawn at pixel ratio 1 is kept packed: a panel's fill scaled
        // to each open section is large and mostly one colour. Anything else is a pixmap.
        PackedPicture packed;
        QPixmap pixmap;
    };
    static constexpr std::size_t kMaxCachedParts = 12;
    static constexpr int kHiResFactor = 2;

    static void DrawCachedPart(QPainter& painter, const UiRect& target, const CachedPart& cached);
    // The double-size variant, read on first use; null when there is none.
    const QImage& HiResImage() const;

    // The size from the file's header, kept even before (and without) decoding.
    QSize m_size{0, 0};
    QString m_path;
    mutable QImage m_image;
    mutable bool m_decoded = false;
    mutable bool m_drawnAtOwnSize = false;
    mutable QImage m_hiResImage;
    mutable bool m_hiResLooked = false;
    mutable std::vector<CachedPart> m_cache;
};

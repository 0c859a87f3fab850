#include "TestDialog.h"

#include "ui/PackedPicture.h"

#include <QRandomGenerator>

#include <cstring>
#include <functional>
#include <vector>

namespace {

// Pixels that differ from their neighbours, so that a row or a column out of place shows.
QImage NoisyPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            row[x] = 0xFF000000u | (random.generate() & 0x00FFFFFFu);
    }
    return image;
}

// What draw leaves on a magenta canvas, clipped to clip (unclipped when it is null).
QImage Painted(QSize size, QRect clip, const std::function<void(QPainter&)>& draw)
{
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::magenta);
    QPainter painter(&canvas);
    if (!clip.isNull())
        painter.setClipRect(clip);
    draw(painter);
    return canvas;
}

TEST(PackedPictureTest, DrawsTheOriginalPixelsExactlyWhereverTheClipFalls)
{
    // Three strips of 32 rows and one of a single row; more pixels than a draw keeps.
    const QImage picture = NoisyPicture({201, 97});
    const PackedPicture packed(picture);
    ASSERT_FALSE(packed.IsNull());
    EXPECT_EQ(packed.Size(), picture.size());
    EXPECT_EQ(packed.Unpack(), picture);

    const QPoint origin(5, 3);
    const QSize canvas(220, 110);
    // In this order: the part drawn before is kept and drawn from when it holds the next.
    struct Case {
        const char* what;
        QRect clip;
    };
    const Case cases[] = {
        {"no clip", QRect()},
        {"the first row of the second strip", QRect(0, origin.y() + 32, 220, 1)},
        {"the last row of the first strip", QRect(0, origin.y() + 31, 220, 1)},
        {"across two strip borders", QRect(20, 30, 40, 50)},
        {"again", QRect(20, 30, 40, 50)},
        {"inside the part drawn before", QRect(25, 35, 10, 10)},
        {"partly outside the part drawn before", QRect(50, 70, 30, 30)},
        {"the one-row last strip and below", QRect(0, origin.y() + 90, 220, 20)},
        {"above the picture", QRect(0, 0, 220, origin.y())},
        {"right of the picture", QRect(origin.x() + 201, 0, 14, 110)},
        {"one pixel", QRect(origin.x() + 200, origin.y() + 96, 1, 1)},
        {"no clip again", QRect()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Painted(canvas, c.clip, [&](QPainter& painter) { packed.Draw(painter, origin); }),
                  Painted(canvas, c.clip, [&](QPainter& painter) { painter.drawImage(origin, picture); }))
            << c.what;
    }
}

TEST(PackedPictureTest, APictureOverOtherMemoryWithPaddedRowsPacksItsPixelsOnly)
{
    const QImage picture = NoisyPicture({13, 40});
    // Each row followed by 3 pixels of padding that is not part of the picture.
    const int stride = (13 + 3) * 4;
    std::vector<uchar> memory(static_cast<std::size_t>(stride) * 40, 0x5A);
    for (int y = 0; y < 40; ++y)
        std::memcpy(memory.data() + y * stride, picture.constScanLine(y), 13 * 4);
    const QImage padded(memory.data(), 13, 40, stride, QImage::Format_RGB32);
    EXPECT_EQ(PackedPicture(padded).Unpack(), picture);
}

TEST(PackedPictureTest, ANullPictureDrawsNothing)
{
    const PackedPicture packed{QImage()};
    EXPECT_TRUE(packed.IsNull());
    EXPECT_TRUE(packed.Unpack().isNull());
    const QImage blank = Painted({8, 8}, QRect(), [](QPainter&) {});
    EXPECT_EQ(Painted({8, 8}, QRect(), [&](QPainter& painter) { packed.Draw(painter, QPoint(0, 0)); }), blank);
}

// A dialog whose whole client area is its background, at the design size that is kept as
// the drawn copy itself.
class BackgroundDialog : public TestDialog {
public:
    BackgroundDialog() { SetFrameSize(kBackgroundSourceWidth, kBackgroundSourceHeight); }

protected:
    void DrawBackground(QPainter& painter, const UiRect& clip) override
    {
        DrawScaledBackground(painter);
        DrawControls(painter, clip);
    }
};

TEST(PackedBackgroundTest, AfterTheFirstPaintTheBackgroundIsPackedAndRepaintsTheSamePixels)
{
    UiState::Instance().Reset();
    BackgroundDialog dialog;
    dialog.InitDialog();
    const QImage picture = NoisyPicture({CDlgBase::kBackgroundSourceWidth, CDlgBase::kBackgroundSourceHeight});
    dialog.BuildBackground(picture);
    dialog.show();
    const QImage first = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(first, picture);
    QApplication::processEvents();
    ASSERT_TRUE(dialog.BackgroundIsPacked());

    EXPECT_EQ(dialog.grab().toImage().convertToFormat(QImage::Format_RGB32), picture);
    // A control's repaint: a part that straddles strips.
    const QRect part(300, 90, 57, 70);
    EXPECT_EQ(dialog.grab(part).toImage().convertToFormat(QImage::Format_RGB32), picture.copy(part));

    // A new picture replaces the packed one.
    const QImage second = NoisyPicture({CDlgBase::kBackgroundSourceWidth, CDlgBase::kBackgroundSourceHeight}).mirrored();
    dialog.BuildBackground(second);
    EXPECT_FALSE(dialog.BackgroundIsPacked());
    EXPECT_EQ(dialog.grab(part).toImage().convertToFormat(QImage::Format_RGB32), second.copy(part));
    UiState::Instance().Reset();
}

}  // namespace

#include "TestDialog.h"

#include "ui/CImageButton.h"
#include "ui/CStaticImage.h"
#include "ui/SkinImage.h"

#include <QTemporaryDir>

namespace {

// Skin files made for the test in a temporary skin folder.
class SkinImageTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        SkinImage::SetSkinFolder(folder.path());
        WriteImage(QStringLiteral("red_nr.png"), Qt::red, QSize(10, 10));
        WriteImage(QStringLiteral("green_ov.png"), Qt::green, QSize(10, 10));
        // A strip of three 4-pixel frames: blue, white, yellow.
        QImage strip(12, 4, QImage::Format_RGB32);
        strip.fill(Qt::blue);
        for (int y = 0; y < 4; ++y) {
            for (int x = 4; x < 8; ++x)
                strip.setPixelColor(x, y, Qt::white);
            for (int x = 8; x < 12; ++x)
                strip.setPixelColor(x, y, Qt::yellow);
        }
        ASSERT_TRUE(strip.save(folder.filePath(QStringLiteral("strip.png"))));
    }
    void TearDown() override
    {
        SkinImage::SetSkinFolder(QString());
        DialogTest::TearDown();
    }
    void WriteImage(const QString& name, QColor color, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(folder.filePath(name)));
    }
    QColor PixelAt(QPoint point) { return dialog.grab().toImage().pixelColor(point); }

    QTemporaryDir folder;
    const QColor background{30, 30, 30};
};

TEST_F(SkinImageTest, ImagesLoadByTheirSkinNameAndStretchOverTheControl)
{
    auto* image = Add<CStaticImage>(0, 1, UiRect{10, 10, 50, 30});
    EXPECT_TRUE(image->SetImage(QStringLiteral("skins\\red_nr.png")));
    EXPECT_EQ(PixelAt({12, 12}), QColor(Qt::red));
    EXPECT_EQ(PixelAt({48, 28}), QColor(Qt::red));
    EXPECT_EQ(PixelAt({55, 12}), background);
}

TEST_F(SkinImageTest, MissingImageDrawsNothingAndReportsFailure)
{
    auto* image = Add<CStaticImage>(0, 1, UiRect{10, 10, 50, 30});
    EXPECT_FALSE(image->SetImage(QStringLiteral("no_such_image.png")));
    EXPECT_EQ(PixelAt({20, 20}), background);
}

TEST_F(SkinImageTest, ReleasedImagesAreNoLongerDrawn)
{
    auto* image = Add<CStaticImage>(0, 1, UiRect{10, 10, 50, 30});
    image->SetImage(QStringLiteral("red_nr.png"));
    ASSERT_EQ(PixelAt({20, 20}), QColor(Qt::red));
    dialog.ReleaseAllImages();
    EXPECT_EQ(PixelAt({20, 20}), background);
}

TEST_F(SkinImageTest, ButtonShowsTheFrameOfItsState)
{
    auto* strip = Add<CImageButton>(0, 1, UiRect{10, 10, 30, 30}, 0u);
    strip->SetStripImage(QStringLiteral("strip.png"), 4);
    auto* text = Add<CImageButton>(0, 2, UiRect{60, 10, 80, 30}, 0u);
    text->SetTextImages(QStringLiteral("red_nr.png"), QStringLiteral("green_ov.png"));

    EXPECT_EQ(PixelAt({20, 20}), QColor(Qt::blue));
    EXPECT_EQ(PixelAt({70, 20}), QColor(Qt::red));
    mouse.Move({20, 20});
    EXPECT_EQ(PixelAt({20, 20}), QColor(Qt::white));
    mouse.Press({20, 20});
    EXPECT_EQ(PixelAt({20, 20}), QColor(Qt::yellow));
    mouse.Release({20, 20});
    mouse.Move({70, 20});
    EXPECT_EQ(PixelAt({20, 20}), QColor(Qt::blue));
    EXPECT_EQ(PixelAt({70, 20}), QColor(Qt::green));
}

}  // namespace

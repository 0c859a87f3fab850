#include "TestDialog.h"

#include "ui/CImageButton.h"
#include "ui/CStaticImage.h"
#include "ui/SkinFrameSet.h"
#include "ui/SkinImage.h"
#include "ui/UiScale.h"

#include <QFile>
#include <QPainter>
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

TEST_F(SkinImageTest, LoadingReadsTheSizeAndTheFirstDrawDecodesThePixelsOnce)
{
    SkinImage image;
    ASSERT_TRUE(image.Load(QStringLiteral("red_nr.png")));
    EXPECT_FALSE(image.IsDecoded());
    EXPECT_FALSE(image.IsNull());
    EXPECT_EQ(image.Width(), 10);
    EXPECT_EQ(image.Height(), 10);

    QImage device(20, 20, QImage::Format_ARGB32_Premultiplied);
    device.fill(Qt::black);
    {
        QPainter painter(&device);
        image.Draw(painter, UiRect{0, 0, 10, 10});
    }
    EXPECT_TRUE(image.IsDecoded());
    EXPECT_EQ(device.pixelColor(5, 5), QColor(Qt::red));

    // Once decoded, the pixels stay: a file removed afterwards changes nothing.
    ASSERT_TRUE(QFile::remove(folder.filePath(QStringLiteral("red_nr.png"))));
    EXPECT_EQ(image.Image().pixelColor(3, 3), QColor(Qt::red));

    image.Release();
    EXPECT_TRUE(image.IsNull());
    EXPECT_FALSE(image.IsDecoded());
}

TEST_F(SkinImageTest, APictureOnlyDrawnScaledLetsGoOfItsPixelsOnceEachCopyIsMade)
{
    SkinImage image;
    ASSERT_TRUE(image.Load(QStringLiteral("red_nr.png")));
    QImage device(40, 40, QImage::Format_ARGB32_Premultiplied);
    device.fill(Qt::black);
    QPainter painter(&device);
    image.Draw(painter, UiRect{0, 0, 5, 5});
    EXPECT_FALSE(image.IsDecoded());
    // Another size reads the file again; a size already made needs no pixels.
    image.Draw(painter, UiRect{10, 10, 17, 17});
    image.Draw(painter, UiRect{20, 20, 25, 25});
    EXPECT_FALSE(image.IsDecoded());
    EXPECT_EQ(device.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(device.pixelColor(13, 13), QColor(Qt::red));
    EXPECT_EQ(device.pixelColor(22, 22), QColor(Qt::red));

    // Once drawn at its own size, it is drawn so again and again: its pixels stay.
    image.Draw(painter, UiRect{30, 0, 40, 10});
    image.Draw(painter, UiRect{0, 30, 3, 33});
    EXPECT_TRUE(image.IsDecoded());
    EXPECT_EQ(device.pixelColor(1, 31), QColor(Qt::red));
}

TEST_F(SkinImageTest, ImagesOfOneFileShareItsPixelsUntilTheFileIsReplaced)
{
    SkinImage first;
    SkinImage second;
    ASSERT_TRUE(first.Load(QStringLiteral("red_nr.png")));
    ASSERT_TRUE(second.Load(QStringLiteral("skins\\red_nr.png")));
    ASSERT_FALSE(first.Image().isNull());
    EXPECT_EQ(first.Image().constBits(), second.Image().constBits());

    // Another size changes the file's length, which is how a replaced file is noticed.
    WriteImage(QStringLiteral("red_nr.png"), Qt::green, QSize(12, 12));
    SkinImage replaced;
    ASSERT_TRUE(replaced.Load(QStringLiteral("red_nr.png")));
    EXPECT_EQ(replaced.Width(), 12);
    EXPECT_EQ(replaced.Image().pixelColor(6, 6), QColor(Qt::green));
    // What was decoded before stays as it was.
    EXPECT_EQ(first.Image().pixelColor(5, 5), QColor(Qt::red));
}

// Files whose header reads but whose pixels cannot be used when they are first drawn.
struct UnusablePixels {
    const char* name;
    void (*spoil)(const QString& path);
};

class SkinImageUnusablePixelsTest : public SkinImageTest, public ::testing::WithParamInterface<UnusablePixels> {};

TEST_P(SkinImageUnusablePixelsTest, KeepsTheHeaderSizeAndDrawsNothing)
{
    auto* image = Add<CStaticImage>(0, 1, UiRect{10, 10, 50, 30});
    ASSERT_TRUE(image->SetImage(QStringLiteral("red_nr.png")));
    GetParam().spoil(folder.filePath(QStringLiteral("red_nr.png")));

    EXPECT_EQ(PixelAt({20, 20}), background);
    EXPECT_TRUE(image->HasImage());
}

const UnusablePixels kUnusablePixels[] = {
    {"TruncatedAfterTheHeader",
     [](const QString& path) {
         QFile file(path);
         ASSERT_TRUE(file.open(QIODevice::ReadWrite));
         // Signature and the IHDR chunk: what the size is read from, and no pixels.
         ASSERT_TRUE(file.resize(33));
     }},
    {"ReplacedByAnotherSize",
     [](const QString& path) {
         QImage other(20, 10, QImage::Format_RGB32);
         other.fill(Qt::green);
         ASSERT_TRUE(other.save(path));
     }},
    {"Removed", [](const QString& path) { ASSERT_TRUE(QFile::remove(path)); }},
};

INSTANTIATE_TEST_SUITE_P(Files, SkinImageUnusablePixelsTest, ::testing::ValuesIn(kUnusablePixels),
                         [](const ::testing::TestParamInfo<UnusablePixels>& spoilt) {
                             return std::string(spoilt.param.name);
                         });

TEST_F(SkinImageTest, AFileThatIsNoImageDoesNotLoad)
{
    QFile file(folder.filePath(QStringLiteral("text_nr.png")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();

    SkinImage image;
    EXPECT_FALSE(image.Load(QStringLiteral("text_nr.png")));
    EXPECT_TRUE(image.IsNull());
    EXPECT_EQ(image.Width(), 0);
}

// Each picture also has a double-size variant in colours of its own, so a pixel tells which
// file it was drawn from: red_nr@2x.png is blue, and the 2x strip's frames are cyan,
// magenta and dark green where the design-size strip has blue, white and yellow.
// A scaled part is drawn from its cached copy on every later paint (packed when it is
// opaque): a repaint of a small clip must give exactly the pixels of the first paint,
// and a part with see-through pixels must still blend over what lies beneath.
struct ScaledPartCase {
    const char* name;
    int alpha;  // of every pixel of the gradient
};

class SkinImageScaledPartTest : public SkinImageTest, public ::testing::WithParamInterface<ScaledPartCase> {};

TEST_P(SkinImageScaledPartTest, RepaintsOfAClipDrawTheScaledPixelsOfTheFirstPaint)
{
    // Large enough to be kept packed when opaque (see PackedPicture::SavesMemory).
    QImage gradient(200, 120, QImage::Format_ARGB32);
    for (int y = 0; y < gradient.height(); ++y) {
        for (int x = 0; x < gradient.width(); ++x)
            gradient.setPixel(x, y, qRgba(x % 256, (y * 2) % 256, (x * y) % 256, GetParam().alpha));
    }
    ASSERT_TRUE(gradient.save(folder.filePath(QStringLiteral("gradient.png"))));
    SkinImage image;
    ASSERT_TRUE(image.Load(QStringLiteral("gradient.png")));
    // Shrunk, so the design-size pixels are scaled (a double-size file is not looked for).
    const UiRect target{7, 5, 7 + 151, 5 + 113};
    ASSERT_TRUE(PackedPicture::SavesMemory(QSize(151, 113)));
    QImage expected(170, 130, QImage::Format_RGB32);
    expected.fill(background);
    {
        QPainter painter(&expected);
        painter.drawImage(QPoint(7, 5), gradient.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                            .scaled(151, 113, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QImage first(expected.size(), QImage::Format_RGB32);
    first.fill(background);
    {
        QPainter painter(&first);
        image.Draw(painter, target);
    }
    EXPECT_EQ(first, expected);

    for (const QRect& clip :
         {QRect(0, 0, 170, 130), QRect(10, 9, 5, 4), QRect(140, 100, 30, 30), QRect(7, 117, 151, 1), QRect(60, 30, 40, 50)}) {
        QImage repaint = first.copy();
        {
            QPainter painter(&repaint);
            painter.fillRect(clip, background);
            painter.setClipRect(clip);
            image.Draw(painter, target);
        }
        EXPECT_EQ(repaint, expected) << "clip " << clip.x() << "," << clip.y() << " " << clip.width() << "x"
                                     << clip.height();
    }
}

INSTANTIATE_TEST_SUITE_P(Alpha, SkinImageScaledPartTest,
                         ::testing::Values(ScaledPartCase{"Opaque", 255}, ScaledPartCase{"HalfSeeThrough", 128}),
                         [](const ::testing::TestParamInfo<ScaledPartCase>& paramInfo) { return paramInfo.param.name; });

class SkinImageHiResTest : public SkinImageTest {
protected:
    void SetUp() override
    {
        SkinImageTest::SetUp();
        WriteImage(QStringLiteral("red_nr@2x.png"), Qt::blue, QSize(20, 20));
        WriteStrip(QStringLiteral("strip@2x.png"), 8, {Qt::cyan, Qt::magenta, Qt::darkGreen});
    }
    void TearDown() override
    {
        UiScale::Set(1.0);
        SkinImageTest::TearDown();
    }
    void WriteStrip(const QString& name, int frameWidth, const std::vector<QColor>& colors)
    {
        QImage strip(frameWidth * static_cast<int>(colors.size()), frameWidth, QImage::Format_RGB32);
        for (int x = 0; x < strip.width(); ++x) {
            for (int y = 0; y < strip.height(); ++y)
                strip.setPixelColor(x, y, colors[static_cast<std::size_t>(x / frameWidth)]);
        }
        ASSERT_TRUE(strip.save(folder.filePath(name)));
    }
    // A square control of the design side length at (left, 10), at the current scale.
    static UiRect ScaledSquare(int design, int left = 10)
    {
        return UiRect{left, 10, left + UiScale::Scale(design), 10 + UiScale::Scale(design)};
    }
    // Every pixel of the rectangle, as the dialog shows it, has the colour.
    ::testing::AssertionResult Filled(const UiRect& rect, QColor color)
    {
        const QImage shot = dialog.grab().toImage();
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                if (shot.pixelColor(x, y) != color) {
                    return ::testing::AssertionFailure()
                           << "(" << x << ", " << y << ") is " << shot.pixelColor(x, y).name().toStdString()
                           << ", not " << color.name().toStdString();
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
};

TEST_F(SkinImageHiResTest, ScaleTwoDrawsFromTheDoubleSizeFileScaleOneFromTheDesignSize)
{
    auto* image = Add<CStaticImage>(0, 1, ScaledSquare(10));
    ASSERT_TRUE(image->SetImage(QStringLiteral("red_nr.png")));
    EXPECT_TRUE(Filled(image->GetRect(), Qt::red));

    UiScale::Set(2.0);
    auto* scaled = Add<CStaticImage>(0, 2, ScaledSquare(10, 50));
    ASSERT_TRUE(scaled->SetImage(QStringLiteral("red_nr.png")));
    EXPECT_TRUE(Filled(scaled->GetRect(), Qt::blue));
    // What layout sees is still the design size.
    SkinImage loaded;
    ASSERT_TRUE(loaded.Load(QStringLiteral("red_nr.png")));
    EXPECT_EQ(loaded.Width(), 10);
    EXPECT_EQ(loaded.Height(), 10);
}

TEST_F(SkinImageHiResTest, ScaleOneAndAHalfScalesDownFromTheDoubleSizeFile)
{
    UiScale::Set(1.5);
    auto* image = Add<CStaticImage>(0, 1, ScaledSquare(10));
    ASSERT_TRUE(image->SetImage(QStringLiteral("red_nr.png")));
    EXPECT_TRUE(Filled(image->GetRect(), Qt::blue));
}

TEST_F(SkinImageHiResTest, HiDpiScreenDrawsFromTheDoubleSizeFile)
{
    // A device pixel ratio of 2 at UiScale 1: the 10 x 10 target is 20 x 20 device pixels.
    SkinImage image;
    ASSERT_TRUE(image.Load(QStringLiteral("red_nr.png")));
    QImage device(40, 40, QImage::Format_ARGB32_Premultiplied);
    device.setDevicePixelRatio(2.0);
    device.fill(Qt::black);
    {
        QPainter painter(&device);
        image.Draw(painter, UiRect{0, 0, 10, 10});
    }
    EXPECT_EQ(device.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(device.pixelColor(19, 19), QColor(Qt::blue));
    EXPECT_EQ(device.pixelColor(20, 20), QColor(Qt::black));
}

TEST_F(SkinImageHiResTest, StripFramesKeepTheirDesignGeometryAndPickTheMatchingDoubleSizeFrame)
{
    SkinFrameSet frames;
    ASSERT_TRUE(frames.SetStrip(QStringLiteral("strip.png"), 4));
    EXPECT_EQ(frames.FrameWidth(), 4);
    EXPECT_EQ(frames.FrameHeight(), 4);
    EXPECT_TRUE(frames.HasFrame(2));
    EXPECT_FALSE(frames.HasFrame(3));
    SkinFrameSet whole;
    ASSERT_TRUE(whole.SetStrip(QStringLiteral("strip.png"), 0));
    EXPECT_EQ(whole.FrameWidth(), 12);

    // Each frame fills its whole target with its own colour: a frame cut at design-size
    // coordinates out of the 2x file would show a neighbour's colour at one edge.
    UiScale::Set(2.0);
    auto* button = Add<CImageButton>(0, 1, ScaledSquare(4), 0u);
    button->SetStripImage(QStringLiteral("strip.png"), 4);
    const UiRect rect = button->GetRect();
    ASSERT_EQ(rect.Width(), 8);
    EXPECT_TRUE(Filled(rect, Qt::cyan));
    mouse.Move({12, 12});
    EXPECT_TRUE(Filled(rect, Qt::magenta));
    mouse.Press({12, 12});
    EXPECT_TRUE(Filled(rect, Qt::darkGreen));
    mouse.Release({12, 12});
}

TEST_F(SkinImageHiResTest, MissingOrMisfitDoubleSizeFileFallsBackToTheDesignSize)
{
    UiScale::Set(2.0);
    // green_ov.png has no variant; yellow_nr@2x.png is not twice the design size.
    WriteImage(QStringLiteral("yellow_nr.png"), Qt::yellow, QSize(10, 10));
    WriteImage(QStringLiteral("yellow_nr@2x.png"), Qt::blue, QSize(15, 15));
    auto* green = Add<CStaticImage>(0, 1, ScaledSquare(10));
    ASSERT_TRUE(green->SetImage(QStringLiteral("green_ov.png")));
    auto* yellow = Add<CStaticImage>(0, 2, ScaledSquare(10, 50));
    ASSERT_TRUE(yellow->SetImage(QStringLiteral("yellow_nr.png")));
    EXPECT_TRUE(Filled(green->GetRect(), Qt::green));
    EXPECT_TRUE(Filled(yellow->GetRect(), Qt::yellow));
}

TEST_F(SkinImageHiResTest, TheDoubleSizePixelsAreLetGoOnceTheScaledCopyIsMade)
{
    SkinImage image;
    ASSERT_TRUE(image.Load(QStringLiteral("red_nr.png")));
    QImage target(60, 60, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        image.Draw(painter, UiRect{0, 0, 20, 20});
    }
    EXPECT_FALSE(image.HoldsDoubleSizePixels());
    EXPECT_EQ(target.pixelColor(10, 10), QColor(Qt::blue));
    // Another size reads the file again.
    {
        QPainter painter(&target);
        image.Draw(painter, UiRect{20, 20, 50, 50});
    }
    EXPECT_FALSE(image.HoldsDoubleSizePixels());
    EXPECT_EQ(target.pixelColor(35, 35), QColor(Qt::blue));
}

TEST_F(SkinImageHiResTest, ReloadingAnotherFileForgetsTheOldDoubleSizeFile)
{
    UiScale::Set(2.0);
    auto* image = Add<CStaticImage>(0, 1, ScaledSquare(10));
    ASSERT_TRUE(image->SetImage(QStringLiteral("red_nr.png")));
    ASSERT_TRUE(Filled(image->GetRect(), Qt::blue));
    ASSERT_TRUE(image->SetImage(QStringLiteral("green_ov.png")));
    EXPECT_TRUE(Filled(image->GetRect(), Qt::green));
}

}  // namespace

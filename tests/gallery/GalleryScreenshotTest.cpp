#include "CGalleryDlg.h"
#include "CGalleryPopup.h"

#include "ui/UiFont.h"
#include "ui/UiScale.h"
#include "ui/UiState.h"

#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace {

// Renders the gallery at each scale into <build>/screenshots for review, and checks what
// can be checked without eyes: the window's size, that the popup is composed in, and that
// the skin artwork actually reached the picture.
class GalleryScreenshotTest : public testing::TestWithParam<double> {
protected:
    void TearDown() override
    {
        UiScale::Set(1.0);
        UiFont::SetControlFont(ControlFont{});
        UiState::Instance().Reset();
    }
};

TEST_P(GalleryScreenshotTest, RendersEveryControlAtTheScale)
{
    const double scale = GetParam();
    UiScale::Set(scale);
    UiFont::SetControlFont(ControlFont{u"Tahoma", UiScale::Scale(16), 1});

    CGalleryDlg gallery;
    gallery.InitDialog();
    gallery.show();
    gallery.OpenPopup();
    ASSERT_NE(gallery.OpenedPopup(), nullptr);
    QApplication::processEvents();

    const QImage shot = gallery.RenderScreenshot();
    EXPECT_EQ(shot.size(), QSize(UiScale::Scale(CGalleryDlg::kDesignWidth),
                                 UiScale::Scale(CGalleryDlg::kDesignHeight)));
    EXPECT_GE(gallery.ControlCount(), 150);

    QDir().mkpath(QStringLiteral(CORVANE_SCREENSHOT_DIR));
    const QString file = QStringLiteral(CORVANE_SCREENSHOT_DIR "/gallery-%1.png")
                             .arg(QString::number(scale, 'f', 1));
    EXPECT_TRUE(shot.save(file)) << file.toStdString();
    // One pixel per pixel, the top-left quarter, for judging sharpness by eye.
    const QString detail = QStringLiteral(CORVANE_SCREENSHOT_DIR "/gallery-%1-detail.png")
                               .arg(QString::number(scale, 'f', 1));
    EXPECT_TRUE(shot.copy(0, 0, shot.width() / 2, shot.height() / 2).save(detail));

    // The popup's first entry sits under the opener; its area must not be the panel grey.
    const QPoint popupAt = gallery.mapFromGlobal(gallery.OpenedPopup()->pos());
    const QColor popupPixel = shot.pixelColor(popupAt + QPoint(UiScale::Scale(20), UiScale::Scale(12)));
    EXPECT_NE(popupPixel, QColor(0x26, 0x26, 0x26));
    gallery.ClosePopup(0);
    QApplication::processEvents();
}

INSTANTIATE_TEST_SUITE_P(Scales, GalleryScreenshotTest, testing::Values(1.0, 1.5, 2.0),
                         [](const testing::TestParamInfo<double>& scaleInfo) {
                             return "Scale" + std::to_string(static_cast<int>(scaleInfo.param * 10));
                         });

}  // namespace

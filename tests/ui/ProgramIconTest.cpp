#include "ui/ProgramIcon.h"

#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ProgramIconTest, KeepsTheDesktopSizesOfThePictureAndNotThePictureItself)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // Left half red, right half blue, so a wrongly placed or cut copy shows.
    QImage picture(256, 256, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < 256; ++y) {
        for (int x = 128; x < 256; ++x)
            picture.setPixelColor(x, y, Qt::blue);
    }
    const QString path = folder.filePath(QStringLiteral("icon.png"));
    ASSERT_TRUE(picture.save(path));

    const QIcon icon = ProgramIcon::MakeFrom(path);
    const QList<QSize> expected = {QSize(16, 16), QSize(24, 24), QSize(32, 32),
                                   QSize(48, 48), QSize(64, 64), QSize(128, 128)};
    EXPECT_EQ(icon.availableSizes(), expected);
    for (const QSize& size : expected) {
        const QImage drawn = icon.pixmap(size).toImage();
        ASSERT_EQ(drawn.size(), size);
        EXPECT_EQ(drawn.pixelColor(2, size.height() / 2), QColor(Qt::red)) << size.width();
        EXPECT_EQ(drawn.pixelColor(size.width() - 3, size.height() / 2), QColor(Qt::blue)) << size.width();
    }
}

TEST(ProgramIconTest, AMissingPictureGivesNoIcon)
{
    EXPECT_TRUE(ProgramIcon::MakeFrom(QStringLiteral(":/no/such/picture.png")).isNull());
}

}  // namespace

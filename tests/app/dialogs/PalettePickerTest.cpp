#include "app/dialogs/PalettePicker.h"

#include "ui/UiScale.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A 500 x 291 picture on the 0x0F0F0F background with one red square in the first
// area, one blue square in the second and a green one outside both.
QImage TestPicture()
{
    QImage picture(500, 291, QImage::Format_RGB32);
    picture.fill(QColor(0x0F, 0x0F, 0x0F));
    QPainter painter(&picture);
    painter.fillRect(QRect(30, 40, 20, 20), QColor(0xFF, 0x10, 0x20));
    painter.fillRect(QRect(300, 60, 20, 20), QColor(0x00, 0x40, 0xFF));
    painter.fillRect(QRect(300, 230, 20, 20), QColor(0x00, 0xFF, 0x00));
    return picture;
}

struct PickCase {
    double scale;
    QPoint client;
    std::optional<std::uint32_t> expected;
};

TEST(PalettePickerTest, PicksThePicturePixelUnderTheScaledPoint)
{
    const PalettePicker picker(TestPicture());
    const PickCase cases[] = {
        {1.0, {35, 45}, 0x2010FF},    // red, as 0x00BBGGRR
        {1.0, {305, 65}, 0xFF4000},   // blue
        {2.0, {70, 90}, 0x2010FF},    // (35, 45) of the picture
        {1.5, {459, 99}, 0xFF4000},   // (306, 66)
        {1.0, {20, 30}, std::nullopt},   // the background picks nothing
        {1.0, {305, 235}, std::nullopt}, // a colour outside both areas
        {2.0, {35, 45}, std::nullopt},   // (17, 22): left of and above the first area
    };
    for (const PickCase& c : cases) {
        UiScale::Set(c.scale);
        EXPECT_EQ(picker.ColorAt(c.client), c.expected) << c.scale << " " << c.client.x() << "," << c.client.y();
    }
    UiScale::Set(1.0);
}

}  // namespace

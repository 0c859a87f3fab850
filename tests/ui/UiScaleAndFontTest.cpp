#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

class UiScaleTest : public testing::Test {
protected:
    void TearDown() override { UiScale::Set(1.0); }
};

TEST_F(UiScaleTest, DesignCoordinatesAreMultipliedAndTruncated)
{
    struct Table {
        double scale;
        int design;
        int pixels;
    };
    const Table cases[] = {{1.0, 7, 7}, {1.5, 7, 10}, {1.5, 11, 16}, {1.5, 269, 403},
                           {2.0, 7, 14}, {1.5, -3, -4}};
    for (const Table& c : cases) {
        UiScale::Set(c.scale);
        EXPECT_EQ(UiScale::Scale(c.design), c.pixels) << c.design << " at " << c.scale;
    }
}

// The language names faces that a Linux machine rarely has; each must still come out as an
// installed face that can draw the language's text, at the requested line height.
TEST(UiFontTest, LanguageFacesFallBackToInstalledFontsOfTheSameRole)
{
    struct Table {
        ControlFont font;
        char16_t sample;
    };
    const Table cases[] = {{ControlFont{u"Tahoma", 16, 1}, u'W'},
                           {ControlFont{u"Tahoma", 24, 1}, u'W'},
                           {ControlFont{u"\u5B8B\u4F53", 12, 134}, u'\u4E2D'},
                           {ControlFont{u"\u5B8B\u4F53", 24, 134}, u'\u4E2D'}};
    for (const Table& c : cases) {
        const QFont font = UiFont::MakeFont(c.font);
        const QFontMetrics metrics(font);
        EXPECT_TRUE(metrics.inFont(QChar(c.sample)))
            << QFontInfo(font).family().toStdString() << " lacks the sample character";
        // The requested height is the line's cell height.
        EXPECT_NEAR(metrics.ascent() + metrics.descent(), c.font.height, 2)
            << QFontInfo(font).family().toStdString();
    }
}

}  // namespace

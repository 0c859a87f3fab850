#include "TestDialog.h"

#include "ui/CBattery.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticProgressBar.h"
#include "ui/CVScrollBar.h"
#include "ui/CVerticalSliderControl.h"
#include "ui/UiScale.h"

namespace {

class SliderTest : public DialogTest {};

TEST(SliderStepsTest, StepTableSpansThePaddedTrack)
{
    // 30 steps, pads 6 and 7, 300 pixels wide.
    CSliderControl slider(nullptr, 3533, UiRect{100, 50, 400, 63}, 30, 6, 7);
    const auto& steps = slider.Steps();
    ASSERT_EQ(steps.size(), 30u);
    EXPECT_EQ(steps.front(), 106);
    EXPECT_EQ(steps.back(), 400 - 7);
    // i * (300 - 13) / 29 + 106, integer division.
    EXPECT_EQ(steps[1], 106 + 287 / 29);
    EXPECT_EQ(steps[15], 106 + 15 * 287 / 29);
    EXPECT_EQ(steps[28], 106 + 28 * 287 / 29);
}

TEST(SliderStepsTest, NearestStepGoesUpOnTheMidpoint)
{
    CSliderControl slider(nullptr, 3220, UiRect{0, 0, 100, 10}, 4, 0, 0);
    // Steps 0, 33, 66, 100; midpoints 16, 49, 83.
    ASSERT_EQ(slider.Steps(), (std::vector<int>{0, 33, 66, 100}));
    struct Table {
        int x;
        int step;
    };
    const Table cases[] = {{-50, 0}, {0, 0}, {15, 0}, {16, 1}, {48, 1}, {49, 2},
                           {82, 2},  {83, 3}, {100, 3}, {500, 3}};
    for (const Table& c : cases)
        EXPECT_EQ(slider.NearestStep(c.x), c.step) << "x=" << c.x;
}

TEST(SliderStepsTest, FewerThanOneStepGivesIndexZero)
{
    CSliderControl slider(nullptr, 1, UiRect{0, 0, 100, 10}, 0, 0, 0);
    EXPECT_EQ(slider.NearestStep(50), 0);
    slider.SetStepCount(11);
    EXPECT_EQ(slider.StepCount(), 11);
    EXPECT_EQ(slider.Steps().back(), 100);
}

TEST_F(SliderTest, ClickOnTheTrackSnapsToTheNearestStep)
{
    auto* slider = Add<CSliderControl>(0, 3220, UiRect{0, 0, 100, 10}, 4, 0, 0);
    mouse.Click({60, 5});
    EXPECT_EQ(slider->GetPos(), 2);
    EXPECT_EQ(slider->ThumbRect(), (UiRect{66, 0, 66, 10}));
    const std::vector<ReceivedMessage> expected{{3220, 0, NotifyCode::kPress},
                                                {3220, 0, NotifyCode::kClick}};
    EXPECT_EQ(dialog.MessagesFor(3220), expected);
}

TEST_F(SliderTest, DraggingTheThumbReportsEveryMoveWithTheStep)
{
    auto* slider = Add<CSliderControl>(0, 3533, UiRect{10, 10, 310, 23}, 30, 6, 7);
    slider->SetPos(0);
    const QPoint thumb{14, 15};  // inside the thumb rectangle of step 0 (10..23)
    mouse.Move(thumb);
    mouse.Press(thumb);
    ASSERT_TRUE(slider->IsDragging());
    mouse.Move({150, 15});
    mouse.Move({160, 15});
    const auto messages = dialog.MessagesFor(3533);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[1], (ReceivedMessage{3533, static_cast<WParam>(slider->NearestStep(150)),
                                            NotifyCode::kDragValue}));
    EXPECT_EQ(messages[2].wParam, static_cast<WParam>(slider->NearestStep(160)));

    // Outside the slider the window carries the drag on; the value is clamped to the end.
    EXPECT_TRUE(slider->ContinueDrag(900, 200));
    EXPECT_EQ(slider->GetPos(), 29);
    EXPECT_EQ(slider->LastSentPos(), 29);
    mouse.Release({900, 200});
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_FALSE(slider->ContinueDrag(100, 15));
}

TEST(VerticalSliderTest, ValueOfAPointGrowsFromTheBottom)
{
    // 8 steps on a 100-pixel bar.
    CVerticalSliderControl bar(nullptr, 1, UiRect{0, 100, 20, 200}, 8, 0, 0);
    struct Table {
        int y;
        int value;
    };
    const Table cases[] = {{0, 7}, {100, 7}, {101, 7}, {150, 3}, {187, 0}, {188, 0}, {199, 0},
                           {200, 0}, {300, 0}, {187 - 1, 1}};
    for (const Table& c : cases)
        EXPECT_EQ(bar.ValueAt(c.y), c.value) << "y=" << c.y;
}

TEST_F(SliderTest, VerticalSliderDraggedToTheTopReportsSevenAndBottomZero)
{
    auto* bar = Add<CVerticalSliderControl>(0, 2500, UiRect{20, 20, 40, 120}, 8, 0, 0);
    mouse.Move({30, 60});
    mouse.Press({30, 60});
    mouse.Move({30, 20});  // the top row
    EXPECT_EQ(bar->Value(), 7);
    EXPECT_EQ(dialog.MessagesFor(2500).back(), (ReceivedMessage{2500, 7, NotifyCode::kDragValue}));
    mouse.Move({30, 119});  // the bottom row
    EXPECT_EQ(bar->Value(), 0);
    EXPECT_EQ(dialog.MessagesFor(2500).back(), (ReceivedMessage{2500, 0, NotifyCode::kDragValue}));
    mouse.Release({30, 119});
    EXPECT_FALSE(bar->IsDragging());
}

TEST_F(SliderTest, DisabledSlidersIgnoreTheMouse)
{
    const ControlFlags disabled{.disabled = true};
    auto* slider = Add<CSliderControl>(0, 3220, UiRect{0, 0, 100, 10}, 4, 0, 0, QString(), disabled);
    auto* bar = Add<CVerticalSliderControl>(0, 2500, UiRect{20, 20, 40, 120}, 8, 0, 0, QString(), disabled);
    auto* scroll = Add<CVScrollBar>(0, 2016, UiRect{100, 0, 112, 99}, QString(), disabled);
    bar->SetValue(3);
    mouse.Click({60, 5});
    mouse.Move({30, 60});
    mouse.Press({30, 60});
    mouse.Move({30, 21});
    mouse.Release({30, 21});
    mouse.Click({105, 50});
    EXPECT_EQ(slider->GetPos(), 0);
    EXPECT_EQ(bar->Value(), 3);
    EXPECT_FALSE(scroll->IsDragging());
    EXPECT_TRUE(dialog.messages.empty());
}

TEST(VerticalSliderTest, FillTopIsOnePixelHigherForOddFillsWhenScaled)
{
    CVerticalSliderControl bar(nullptr, 1, UiRect{0, 0, 20, 101}, 8, 0, 0);
    bar.SetValue(2);  // d = 101 * 3 / 8 = 37
    EXPECT_EQ(bar.FillTop(), 101 - 37);
    UiScale::Set(2.0);
    EXPECT_EQ(bar.FillTop(), 101 - 37 - 1);
    UiScale::Set(1.0);
}

TEST_F(SliderTest, DpiValueBarBehavesAsAButton)
{
    auto* bar = Add<CDPIValueShowControl>(0, 3301, UiRect{20, 20, 40, 120}, 8, 0, 0);
    bar->SetValue(5);
    mouse.Click({30, 30});
    EXPECT_EQ(bar->Value(), 5);
    const std::vector<ReceivedMessage> expected{{3301, 0, NotifyCode::kPress},
                                                {3301, 0, NotifyCode::kClick}};
    EXPECT_EQ(dialog.MessagesFor(3301), expected);
}

TEST(BatteryTest, FillTopFollowsTheLevelWithAtLeastOneUnit)
{
    CBattery battery(nullptr, UiRect{0, 10, 30, 80});
    EXPECT_TRUE(battery.IsDisabled());
    EXPECT_EQ(battery.GetId(), 3406);
    struct Table {
        int percent;
        int top;
    };
    // top + (7 + 50 - max(1, p * 50 / 100)).
    const Table cases[] = {{100, 10 + 7}, {50, 10 + 32}, {1, 10 + 56}, {0, 10 + 56}, {3, 10 + 56}, {4, 10 + 55}};
    for (const Table& c : cases)
        EXPECT_EQ(battery.FillTop(c.percent), c.top) << c.percent << "%";
}

TEST(BatteryTest, ScaledFillTopIsEvenAwayFromTheBottom)
{
    UiScale::Set(1.5);
    CBattery battery(nullptr, UiRect{0, 0, 45, 105});
    // Level 50: (7 + 50 - 25) * 1.5 = 48; 105 - 48 = 57 is odd, so one pixel higher.
    EXPECT_EQ(battery.FillTop(50), 47);
    // Level 0: 56 * 1.5 = 84; 105 - 84 = 21 is odd.
    EXPECT_EQ(battery.FillTop(0), 83);
    UiScale::Set(1.0);
}

TEST(ProgressBarTest, FillWidthIsProportionalToThePosition)
{
    CStaticProgressBar bar(nullptr, UiRect{0, 0, 200, 10});
    EXPECT_EQ(bar.GetId(), 3002);
    EXPECT_EQ(bar.GetPos(), 10);
    EXPECT_EQ(bar.FillWidth(), 0);  // no fill image: nothing to draw
}

class ScrollBarTest : public DialogTest {};

TEST(ScrollBarGeometryTest, ThumbFollowsPositionPageAndRange)
{
    // Without arrow images the track is the whole control: 0..99, L = 100.
    CVScrollBar bar(nullptr, 2016, UiRect{0, 0, 12, 99});
    bar.ReleaseImages();
    bar.SetRect(0, 0, 12, 99);
    ASSERT_EQ(bar.TrackTop(), 0);
    ASSERT_EQ(bar.TrackBottom(), 99);
    struct Table {
        int pos, page, range;
        int top, bottom;
    };
    const Table cases[] = {
        {0, 0, 0, 0, 99},          // range 0: the thumb fills the track
        {0, 10, 40, 0, 24},        // 10/40 of 100 = 25 long
        {30, 10, 40, 75, 99},      // at the end
        {0, 80, 40, 0, 99},        // page larger than range: clamped to the track
        {1, 1, 3, 33, 65},         // round(33.3) = 33, length 33
    };
    for (const Table& c : cases) {
        bar.SetScrollInfo(c.pos, c.page, c.range);
        EXPECT_EQ(bar.ThumbRect().top, c.top) << c.pos << "/" << c.page << "/" << c.range;
        EXPECT_EQ(bar.ThumbRect().bottom, c.bottom) << c.pos << "/" << c.page << "/" << c.range;
    }
}

TEST_F(ScrollBarTest, PressReportsThePartAndDragReportsPositionChanges)
{
    auto* bar = Add<CVScrollBar>(0, 2016, UiRect{100, 0, 112, 99});
    bar->ReleaseImages();  // no arrows: the track is the whole bar
    bar->SetRect(100, 0, 112, 99);
    bar->SetScrollInfo(20, 10, 40);  // thumb 50..74
    mouse.Click({105, 10});
    EXPECT_EQ(dialog.MessagesFor(2016).front(), (ReceivedMessage{2016, ScrollPart::kPageUp, NotifyCode::kPress}));
    dialog.messages.clear();
    mouse.Click({105, 90});
    EXPECT_EQ(dialog.MessagesFor(2016).front(), (ReceivedMessage{2016, ScrollPart::kPageDown, NotifyCode::kPress}));

    dialog.messages.clear();
    mouse.Move({105, 55});
    mouse.Press({105, 55});
    EXPECT_TRUE(bar->IsDragging());
    mouse.Move({105, 35});  // thumb top 30 -> position 30 * 40 / 100 = 12
    EXPECT_EQ(bar->GetPos(), 12);
    mouse.Release({105, 35});
    const std::vector<ReceivedMessage> expected{{2016, ScrollPart::kThumb, NotifyCode::kPress},
                                                {2016, 0, NotifyCode::kDragValue},
                                                {2016, 0, NotifyCode::kClick}};
    EXPECT_EQ(dialog.MessagesFor(2016), expected);
    EXPECT_EQ(bar->ThumbRect().top, 30);
}

}  // namespace

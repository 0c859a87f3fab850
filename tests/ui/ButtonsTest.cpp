#include "TestDialog.h"

#include "ui/CCheckButton.h"
#include "ui/CColorSelectCheckButton.h"
#include "ui/CComboButton.h"
#include "ui/CDPIRadioButton.h"
#include "ui/CImageButton.h"
#include "ui/CLinkButton.h"
#include "ui/CPowerManageButton.h"
#include "ui/CRadioButton.h"
#include "ui/CTabControl.h"
#include "ui/SkinPainter.h"
#include "ui/CStaticText.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

namespace {

class ButtonsTest : public DialogTest {};

TEST_F(ButtonsTest, RadioClickSelectsItsBitAndClearsOnlyItsGroup)
{
    UiState& state = UiState::Instance();
    state.RadioSelection = 0x1 | 0x80 | 0x20000;  // 3034, 2009 and 3031 selected
    auto* radio = Add<CRadioButton>(0, 3036, UiRect{10, 10, 30, 30});

    mouse.Click({15, 15});

    EXPECT_EQ(state.RadioSelection, 0x4u | 0x80u | 0x20000u);
    EXPECT_EQ(radio->FrameIndex(), 2);
    const std::vector<ReceivedMessage> expected{{3036, 0, NotifyCode::kPress},
                                                {3036, 0, NotifyCode::kClick}};
    EXPECT_EQ(dialog.MessagesFor(3036), expected);
}

TEST_F(ButtonsTest, RadioGroupsAreExclusiveWithinEveryGroup)
{
    struct Table {
        int selected;
        int other;  // another id of the same group
        std::uint32_t bit;
    };
    const Table cases[] = {{3040, 3034, 0x40},     {2010, 2009, 0x100},    {3502, 3501, 0x400},
                           {3250, 3240, 0x1000},   {2033, 2031, 0x8000},   {3033, 3030, 0x80000},
                           {3511, 3510, 0x200000}};
    UiState& state = UiState::Instance();
    for (const Table& c : cases) {
        state.RadioSelection = 0;
        ASSERT_TRUE(state.SelectRadio(c.other));
        ASSERT_TRUE(state.SelectRadio(c.selected));
        EXPECT_EQ(state.RadioSelection, c.bit) << c.selected;
    }
}

TEST_F(ButtonsTest, RadioOutsideTheGroupTableOnlyNotifies)
{
    UiState::Instance().RadioSelection = 0x4;
    Add<CRadioButton>(0, 4444, UiRect{10, 10, 30, 30});
    mouse.Click({15, 15});
    EXPECT_EQ(UiState::Instance().RadioSelection, 0x4u);
    EXPECT_EQ(dialog.MessagesFor(4444).size(), 2u);
}

TEST_F(ButtonsTest, DpiLevelButtonLightsLevelsUpToItsOwn)
{
    std::vector<CDPIRadioButton*> buttons;
    for (int level = 1; level <= 8; ++level) {
        buttons.push_back(Add<CDPIRadioButton>(0, 3289 + level,
                                               UiRect{level * 40, 10, level * 40 + 30, 40}));
    }
    mouse.Click({3 * 40 + 5, 20});
    EXPECT_EQ(UiState::Instance().DpiLevelMask, 0x07);
    for (int level = 1; level <= 8; ++level) {
        const int frame = buttons[static_cast<std::size_t>(level - 1)]->FrameIndex();
        if (level <= 3)
            EXPECT_EQ(frame, 2) << level;
        else
            EXPECT_NE(frame, 2) << level;
    }
    // Only the click is reported; press and hover are silent.
    const std::vector<ReceivedMessage> expected{{3292, 0, NotifyCode::kClick}};
    EXPECT_EQ(dialog.MessagesFor(3292), expected);

    mouse.Click({8 * 40 + 5, 20});
    EXPECT_EQ(UiState::Instance().DpiLevelMask, 0xFF);
}

TEST_F(ButtonsTest, ComboReportsFiveEntriesPerVisitThenLeaveThenFiveAgain)
{
    constexpr UiMessage kNotify = Msg::kUser + 4;
    constexpr int kId = 2013;
    Add<CComboButton>(0, kNotify, kId, UiRect{10, 10, 110, 40}, TextFormat::kLeft);

    for (int i = 0; i < 8; ++i)
        mouse.Move({20 + i, 20});
    const ReceivedMessage enter{kNotify, kId, NotifyCode::kEnter};
    EXPECT_EQ(dialog.MessagesFor(kNotify), std::vector<ReceivedMessage>(5, enter));

    dialog.messages.clear();
    mouse.Move({200, 200});
    const std::vector<ReceivedMessage> leave{{kNotify, kId, NotifyCode::kLeave}};
    EXPECT_EQ(dialog.MessagesFor(kNotify), leave);
    // Nothing more while the pointer stays away.
    mouse.Move({210, 200});
    EXPECT_EQ(dialog.MessagesFor(kNotify).size(), 1u);

    dialog.messages.clear();
    for (int i = 0; i < 6; ++i)
        mouse.Move({30 + i, 25});
    EXPECT_EQ(dialog.MessagesFor(kNotify), std::vector<ReceivedMessage>(5, enter));
}

TEST_F(ButtonsTest, ComboPressUsesItsIdAndClickUsesItsNotifyMessage)
{
    constexpr UiMessage kNotify = Msg::kUser + 100;
    constexpr int kId = 3100;
    auto* combo = Add<CComboButton>(0, kNotify, kId, UiRect{10, 10, 110, 40}, TextFormat::kLeft);
    mouse.Move({20, 20});
    dialog.messages.clear();
    mouse.Press({20, 20});
    mouse.Release({20, 20});
    const std::vector<ReceivedMessage> expected{{kId, 0, NotifyCode::kPress},
                                                {kNotify, kId, NotifyCode::kClick}};
    EXPECT_EQ(dialog.messages, expected);

    combo->SetLocked(true);
    dialog.messages.clear();
    mouse.Press({20, 20});
    mouse.Release({20, 20});
    EXPECT_TRUE(dialog.messages.empty());
    EXPECT_EQ(combo->FrameIndex(), 4);
}

TEST_F(ButtonsTest, OpenComboLooksHoveredAndDoesNotReportLeaving)
{
    constexpr UiMessage kNotify = Msg::kUser + 4;
    auto* combo = Add<CComboButton>(0, kNotify, 2014, UiRect{10, 10, 110, 40}, TextFormat::kLeft);
    mouse.Move({20, 20});
    combo->SetOpen(true);
    dialog.messages.clear();
    mouse.Move({200, 200});
    EXPECT_TRUE(dialog.MessagesFor(kNotify).empty());
    EXPECT_EQ(combo->FrameIndex(), 1);
}

TEST_F(ButtonsTest, CheckButtonTogglesOnEveryClick)
{
    auto* check = Add<CCheckButton>(0, 2008, UiRect{10, 10, 30, 30}, TextFormat::kLeft);
    mouse.Click({15, 15});
    EXPECT_TRUE(check->IsChecked());
    EXPECT_EQ(check->FrameIndex(), 2);
    mouse.Click({15, 15});
    EXPECT_FALSE(check->IsChecked());
    EXPECT_EQ(check->FrameIndex(), 1);
    EXPECT_EQ(dialog.MessagesFor(2008).size(), 4u);
}

TEST_F(ButtonsTest, ImageButton3502ReportsEveryMoveInside)
{
    Add<CImageButton>(0, 3502, UiRect{10, 10, 110, 40}, TextFormat::kLeft);
    mouse.Move({20, 20});
    mouse.Move({21, 20});
    mouse.Move({22, 20});
    EXPECT_EQ(dialog.MessagesFor(3502),
              std::vector<ReceivedMessage>(3, ReceivedMessage{3502, 0, NotifyCode::kHoverMove}));
}

TEST_F(ButtonsTest, LinkButtonReportsEnterAndLeaveOnce)
{
    Add<CLinkButton>(0, UiRect{10, 10, 110, 40}, TextFormat::kLeft);
    mouse.Move({20, 20});
    mouse.Move({25, 20});
    mouse.Move({200, 200});
    mouse.Move({210, 200});
    const std::vector<ReceivedMessage> expected{{3503, 0, NotifyCode::kEnter},
                                                {3503, 0, NotifyCode::kLeave}};
    EXPECT_EQ(dialog.MessagesFor(3503), expected);
}

TEST_F(ButtonsTest, TabsSelectProfileAndPage)
{
    auto* profile3 = Add<CTabControl>(0, 2051, UiRect{10, 10, 60, 30}, TextFormat::kLeft);
    Add<CTabControl>(0, 3008, UiRect{100, 10, 150, 30}, TextFormat::kLeft);
    mouse.Click({20, 20});
    EXPECT_EQ(UiState::Instance().CurrentProfileTab, 2);
    EXPECT_EQ(profile3->FrameIndex(), 3);  // selected and hovered
    mouse.Move({200, 200});
    EXPECT_EQ(profile3->FrameIndex(), 2);
    mouse.Click({120, 20});
    EXPECT_EQ(UiState::Instance().CurrentPage, 8);
}

TEST_F(ButtonsTest, ColorSlotDoubleClickReportsCode10)
{
    auto* slot = Add<CColorSelectCheckButton>(0, 3180, UiRect{10, 10, 40, 40}, UiRect{10, 10, 40, 40});
    EXPECT_EQ(slot->Swatch(), (UiRect{13, 13, 37, 37}));
    mouse.DoubleClick({20, 20});
    EXPECT_EQ(dialog.Count({3180, 0, NotifyCode::kDoubleClick}), 1);
    // Painting twice must not shrink the swatch.
    dialog.repaint();
    dialog.repaint();
    EXPECT_EQ(slot->Swatch(), (UiRect{13, 13, 37, 37}));
}

TEST_F(ButtonsTest, DisabledControlsOfEveryKindIgnoreTheMouse)
{
    const ControlFlags disabled{.disabled = true};
    const UiRect rects[] = {{10, 10, 40, 40},  {50, 10, 80, 40},  {90, 10, 120, 40},
                            {130, 10, 160, 40}, {170, 10, 200, 40}, {210, 10, 240, 40},
                            {250, 10, 280, 40}, {10, 50, 150, 130}, {290, 10, 320, 40}};
    std::vector<CControlBase*> controls{
        Add<CCheckButton>(0, 2008, rects[0], 0u, QString(), disabled),
        Add<CRadioButton>(0, 3035, rects[1], QString(), disabled),
        Add<CDPIRadioButton>(0, 3293, rects[2], QString(), disabled),
        Add<CComboButton>(0, Msg::kUser + 4, 2013, rects[3], 0u, QString(), disabled),
        Add<CTabControl>(0, 2052, rects[4], 0u, QString(), disabled),
        Add<CLinkButton>(0, rects[5], 0u, QString(), disabled),
        Add<CColorSelectCheckButton>(0, 3181, rects[6], rects[6], QString(), disabled),
        Add<CPowerManageButton>(0, rects[7], QString(), disabled),
        Add<CImageButton>(0, 3502, rects[8], 0u, QString(), disabled),
    };
    for (CControlBase* control : controls) {
        const QPoint inside(control->GetRect().left + 8, control->GetRect().top + 20);
        mouse.Move(inside);
        mouse.DoubleClick(inside);
        mouse.RightClick(inside);
        mouse.Move({390, 290});
        EXPECT_EQ(control->GetState(), ButtonState::Normal) << control->GetId();
    }
    EXPECT_TRUE(dialog.messages.empty());
    EXPECT_EQ(UiState::Instance().RadioSelection, 0u);
    EXPECT_EQ(UiState::Instance().DpiLevelMask, 0u);
    EXPECT_EQ(UiState::Instance().CurrentProfileTab, 0);
    EXPECT_FALSE(static_cast<CCheckButton*>(controls[0])->IsChecked());
    EXPECT_EQ(static_cast<CPowerManageButton*>(controls[7])->Selection(), 6);
}

class PowerDialTest : public DialogTest {
protected:
    // At scale 2 every wedge corner has even coordinates, so the midpoint of each shared
    // edge lies exactly on a pixel.
    void SetUp() override
    {
        DialogTest::SetUp();
        UiScale::Set(2.0);
        dial = Add<CPowerManageButton>(0, UiRect{20, 20, 300, 180});
    }
    void TearDown() override
    {
        UiScale::Set(1.0);
        DialogTest::TearDown();
    }
    CPowerManageButton* dial = nullptr;
};

TEST_F(PowerDialTest, ClickInsideAWedgeSelectsIt)
{
    // A point near the middle of each wedge: a third of the way from the apex to the
    // midpoint of its arc segment.
    for (int k = 0; k < CPowerManageButton::kWedgeCount; ++k) {
        const QPoint a = dial->WedgeCorner(k, 0);
        const QPoint b = dial->WedgeCorner(k, 1);
        const QPoint apex = dial->WedgeCorner(k, 2);
        const QPoint inside = apex + ((a + b) / 2 - apex) * 2 / 3;
        mouse.Click(inside);
        EXPECT_EQ(dial->Selection(), k + 1) << "wedge " << k;
    }
    EXPECT_EQ(dialog.MessagesFor(3500).back(), (ReceivedMessage{3500, 0, NotifyCode::kClick}));
}

TEST_F(PowerDialTest, PointOnTheEdgeBetweenTwoWedgesSelectsTheLowerOne)
{
    for (int k = 1; k < CPowerManageButton::kWedgeCount; ++k) {
        // Arc point k is shared by wedges k-1 and k; a point on the segment to the apex
        // lies on both.
        const QPoint arc = dial->WedgeCorner(k, 0);
        const QPoint apex = dial->WedgeCorner(k, 2);
        ASSERT_EQ((arc - apex).x() % 2, 0);
        ASSERT_EQ((arc - apex).y() % 2, 0);
        const QPoint onEdge = apex + (arc - apex) / 2;
        mouse.Click(onEdge);
        EXPECT_EQ(dial->Selection(), k) << "edge " << k;
    }
}

TEST_F(PowerDialTest, ClickInTheCornerOutsideEveryWedgeChangesNothing)
{
    dial->SetSelection(4);
    dialog.messages.clear();
    mouse.Click({dial->GetRect().left + 1, dial->GetRect().top + 1});
    EXPECT_EQ(dial->Selection(), 4);
    const std::vector<ReceivedMessage> pressOnly{{3500, 0, NotifyCode::kPress}};
    EXPECT_EQ(dialog.MessagesFor(3500), pressOnly);
}

TEST(PowerDialScaleTest, WedgesFollowTheScale)
{
    UiScale::Set(1.5);
    CPowerManageButton dial(nullptr, UiRect{100, 200, 310, 320});
    UiScale::Set(1.0);
    // Arc point 1 (7, 51) and the apex (70, 71) at 1.5, truncated.
    EXPECT_EQ(dial.WedgeCorner(1, 0), QPoint(110, 276));
    EXPECT_EQ(dial.WedgeCorner(1, 2), QPoint(205, 306));
}

}  // namespace

namespace {

// The text a control draws with its own face differs from the same text in the control
// font: the face reaches the drawing, for every control that shows a caption.
TEST(ControlFaceTest, DpiRadioLinkAndStaticTextDrawInTheFaceTheyAreGiven)
{
    auto render = [](CControlBase& control) {
        QImage image(220, 40, QImage::Format_ARGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        control.Draw(painter, UiRect{0, 0, 220, 40});
        return image;
    };
    const QFont large = UiFont::MakeFont(ControlFont{u"Tahoma", 30, 1});
    const UiRect rect{0, 0, 220, 40};
    const QString caption = QStringLiteral("XY Sync 800");

    CDPIRadioButton radio(nullptr, 3036, rect, caption);
    CLinkButton link(nullptr, rect, TextFormat::kLeft, caption);
    CStaticText text(nullptr, 2012, rect, 0xB4B4B4, TextFormat::kLeft, caption);
    for (CControlBase* control : std::initializer_list<CControlBase*>{&radio, &link, &text}) {
        const QImage before = render(*control);
        control->SetFont(large);
        EXPECT_EQ(control->Font().pixelSize(), large.pixelSize()) << control->GetId();
        EXPECT_NE(render(*control), before) << control->GetId();
    }
}

}  // namespace

#include "TestDialog.h"

#include "ui/CImageButton.h"
#include "ui/CStaticImage.h"
#include "ui/CTabControl.h"
#include "ui/SkinPainter.h"

#include <QImage>
#include <QTest>

namespace {

constexpr int kButtonA = 5001;
constexpr int kButtonB = 5002;

class RoutingTest : public DialogTest {};

TEST_F(RoutingTest, LaterOfTwoOverlappingControlsBecomesHotAndGetsTheClick)
{
    auto* lower = Add<CImageButton>(0, kButtonA, UiRect{10, 10, 110, 60}, TextFormat::kLeft);
    auto* upper = Add<CImageButton>(2, kButtonB, UiRect{50, 20, 150, 70}, TextFormat::kLeft);

    mouse.Click({80, 40});

    EXPECT_EQ(dialog.HotControl(), upper);
    EXPECT_EQ(dialog.PressedControl(), upper);
    EXPECT_TRUE(dialog.MessagesFor(kButtonA).empty());
    const std::vector<ReceivedMessage> expected{{kButtonB, 0, NotifyCode::kPress},
                                                {kButtonB, kButtonB, NotifyCode::kClick}};
    EXPECT_EQ(dialog.MessagesFor(kButtonB), expected);
    EXPECT_EQ(upper->GetState(), ButtonState::Hover);
    EXPECT_EQ(lower->GetState(), ButtonState::Hover);  // every control under the pointer hears the move
}

TEST_F(RoutingTest, PressThenReleaseOutsideClearsHotControlAndPositionWithoutClick)
{
    auto* button = Add<CImageButton>(0, kButtonA, UiRect{10, 10, 110, 60}, TextFormat::kLeft);

    mouse.Move({20, 20});
    mouse.Press({20, 20});
    EXPECT_TRUE(dialog.IsLeftButtonDown());
    EXPECT_EQ(dialog.PressRect(), (UiRect{10, 10, 110, 60}));
    // Moves outside while pressed are not routed anywhere.
    mouse.Move({300, 200});
    EXPECT_EQ(button->GetState(), ButtonState::Pressed);
    mouse.Release({300, 200});

    EXPECT_EQ(dialog.HotControl(), nullptr);
    EXPECT_EQ(dialog.LastMousePosition(), QPoint(-1, -1));
    EXPECT_EQ(dialog.PressRect(), UiRect::None());
    EXPECT_FALSE(dialog.IsLeftButtonDown());
    EXPECT_EQ(button->GetState(), ButtonState::Normal);
    const std::vector<ReceivedMessage> expected{{kButtonA, 0, NotifyCode::kPress}};
    EXPECT_EQ(dialog.MessagesFor(kButtonA), expected);
}

TEST_F(RoutingTest, ReleaseInsideKeepsHotControlAndRemembersPoint)
{
    Add<CImageButton>(0, kButtonA, UiRect{10, 10, 110, 60}, TextFormat::kLeft);
    mouse.Click({30, 30});
    ASSERT_NE(dialog.HotControl(), nullptr);
    EXPECT_EQ(dialog.LastMousePosition(), QPoint(30, 30));
}

TEST_F(RoutingTest, PressOnBackgroundMovesTheWindowWithThePointer)
{
    Add<CImageButton>(0, kButtonA, UiRect{10, 10, 110, 60}, TextFormat::kLeft);
    const QPoint start = dialog.pos();
    mouse.PinGlobalOrigin();

    mouse.Move({200, 200});
    mouse.Press({200, 200});
    EXPECT_EQ(dialog.windowMoves, 1);
    EXPECT_EQ(dialog.PressRect(), UiRect::None());
    mouse.Move({230, 215});
    mouse.Release({230, 215});

    // The offscreen platform has no system move, so the dialog follows the pointer itself.
    EXPECT_EQ(dialog.pos(), start + QPoint(30, 15));
    EXPECT_TRUE(dialog.messages.empty());
}

TEST_F(RoutingTest, PressOnControlDoesNotMoveTheWindow)
{
    Add<CImageButton>(0, kButtonA, UiRect{10, 10, 110, 60}, TextFormat::kLeft);
    mouse.Click({20, 20});
    EXPECT_EQ(dialog.windowMoves, 0);
}

TEST_F(RoutingTest, RightReleaseReachesOnlyControlsOfLayerZero)
{
    auto* tabLayer0 = Add<CTabControl>(0, 2049, UiRect{10, 10, 60, 30}, TextFormat::kLeft);
    Add<CTabControl>(1, 2050, UiRect{100, 10, 150, 30}, TextFormat::kLeft);
    ASSERT_NE(tabLayer0, nullptr);

    mouse.RightClick({120, 20});
    EXPECT_TRUE(dialog.MessagesFor(2050).empty());

    mouse.RightClick({20, 20});
    const std::vector<ReceivedMessage> expected{{2049, 2049, NotifyCode::kRightClick}};
    EXPECT_EQ(dialog.MessagesFor(2049), expected);
}

TEST_F(RoutingTest, DisabledControlNeitherChangesLookNorNotifies)
{
    auto* button = Add<CImageButton>(0, kButtonA, UiRect{10, 10, 110, 60}, TextFormat::kLeft,
                                     QString(), ControlFlags{.disabled = true});
    mouse.Click({20, 20});
    mouse.DoubleClick({20, 20});
    EXPECT_EQ(button->GetState(), ButtonState::Normal);
    EXPECT_TRUE(dialog.messages.empty());
    // Being hot still swallows the press: the window does not move.
    EXPECT_EQ(dialog.windowMoves, 0);
}

TEST_F(RoutingTest, HiddenControlsAreNeitherHitNorDrawn)
{
    auto* hidden = Add<CImageButton>(0, kButtonA, UiRect{10, 10, 110, 60}, TextFormat::kLeft,
                                     QString(), ControlFlags{.shown = false});
    mouse.Click({20, 20});
    EXPECT_EQ(dialog.HotControl(), nullptr);
    EXPECT_TRUE(dialog.messages.empty());
    EXPECT_EQ(dialog.windowMoves, 1);
    hidden->SetShown(true);
    mouse.Move({21, 21});
    EXPECT_EQ(dialog.HotControl(), hidden);
}

TEST_F(RoutingTest, LeavingTheWindowDropsTheHoverLook)
{
    auto* button = Add<CImageButton>(0, kButtonA, UiRect{10, 10, 110, 60}, TextFormat::kLeft);
    mouse.Move({20, 20});
    ASSERT_EQ(button->GetState(), ButtonState::Hover);
    mouse.Leave();
    EXPECT_EQ(button->GetState(), ButtonState::Normal);
    EXPECT_EQ(dialog.HotControl(), nullptr);
    EXPECT_EQ(dialog.LastMousePosition(), QPoint(-1, -1));
    EXPECT_FALSE(dialog.IsTracking());
}

TEST_F(RoutingTest, MovingFromOneControlToAnotherMovesTheHoverLook)
{
    auto* first = Add<CImageButton>(0, kButtonA, UiRect{10, 10, 60, 60}, TextFormat::kLeft);
    auto* second = Add<CImageButton>(0, kButtonB, UiRect{100, 10, 160, 60}, TextFormat::kLeft);
    mouse.Move({20, 20});
    mouse.Move({120, 20});
    EXPECT_EQ(first->GetState(), ButtonState::Normal);
    EXPECT_EQ(second->GetState(), ButtonState::Hover);
    EXPECT_EQ(dialog.HotControl(), second);
}

TEST_F(RoutingTest, GetControlSearchesLayerZeroFirst)
{
    auto* inLayer3 = Add<CImageButton>(3, kButtonA, UiRect{0, 0, 5, 5}, TextFormat::kLeft);
    auto* inLayer0 = Add<CImageButton>(0, kButtonA, UiRect{0, 0, 5, 5}, TextFormat::kLeft);
    EXPECT_EQ(dialog.GetControl(kButtonA), inLayer0);
    EXPECT_NE(dialog.GetControl(kButtonA), inLayer3);
    EXPECT_EQ(dialog.GetControl(9999), nullptr);
}

TEST_F(RoutingTest, DoubleClickGoesToTheHotControlAndIsClearedByTheRelease)
{
    auto* button = Add<CImageButton>(0, kButtonA, UiRect{10, 10, 110, 60}, TextFormat::kLeft);
    mouse.Click({20, 20});
    mouse.DoubleClickPress({20, 20});
    EXPECT_TRUE(dialog.IsDoubleClick());
    EXPECT_EQ(dialog.PressRect(), button->GetRect());
    mouse.Release({20, 20});
    EXPECT_FALSE(dialog.IsDoubleClick());
    EXPECT_EQ(dialog.PressRect(), UiRect::None());
}

// Counts how often the dialog asks it to draw itself.
class CountingControl : public CControlBase {
public:
    CountingControl(CMessageWindow* parent, const UiRect& rect)
        : CControlBase(parent, 7000, rect, QString(), ControlFlags{})
    {
    }
    int draws = 0;
    void Draw(QPainter&, const UiRect&) override { ++draws; }
};

TEST_F(RoutingTest, OnlyTabClicksRepaintTheWholeWindow)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* far = Add<CountingControl>(0, UiRect{300, 250, 320, 270});
    Add<CImageButton>(0, kButtonA, UiRect{10, 10, 60, 30}, TextFormat::kLeft);
    Add<CTabControl>(0, 2050, UiRect{100, 10, 150, 30}, TextFormat::kLeft);
    dialog.repaint();
    QApplication::processEvents();
    far->draws = 0;

    mouse.Click({20, 20});
    QApplication::processEvents();
    EXPECT_EQ(far->draws, 0) << "a button click repaints only its own rectangle";

    mouse.Click({120, 20});
    QApplication::processEvents();
    EXPECT_GT(far->draws, 0) << "a profile-tab click repaints everything";
}

TEST(BackgroundTest, SmallBitmapGetsAMarginThatShrinksTheScaledImage)
{
    struct Table {
        QSize bitmap;
        int margin;
    };
    const Table cases[] = {
        {{400, 300}, 0},    // as large as the frame
        {{399, 300}, 100},  // narrower: min(100, 399, 300)
        {{300, 80}, 80},    // the height is the smallest
    };
    for (const Table& c : cases) {
        TestDialog dialog;
        QImage bitmap(c.bitmap, QImage::Format_RGB32);
        bitmap.fill(QColor(0x10, 0x20, 0x30));
        dialog.BuildBackground(bitmap);
        EXPECT_EQ(dialog.BackgroundMargin(), c.margin) << c.bitmap.width() << "x" << c.bitmap.height();
        EXPECT_EQ(dialog.ScaledBackgroundSize(),
                  QSize(c.bitmap.width() - c.margin, c.bitmap.height() - c.margin));
        // The average colour is a 0x00BBGGRR value.
        EXPECT_EQ(dialog.AverageBackgroundColor(), 0x302010u);
    }
}

TEST(BackgroundTest, EmptyBitmapKeepsThePreviousBackground)
{
    TestDialog dialog;
    QImage bitmap(400, 300, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    dialog.BuildBackground(bitmap);
    dialog.BuildBackground(QImage());
    EXPECT_EQ(dialog.AverageBackgroundColor(), 0x0000FFu);
    EXPECT_FALSE(dialog.SetBackgroundFromFile(QStringLiteral("/nonexistent/background.png")));
}

}  // namespace

// A dialog that covered the pointer closes, and the pointer rests where it was: the next
// press comes without a move before it, and still clicks the control under it.
TEST_F(RoutingTest, APressWhereThePointerRestsAfterALeaveClicksTheControlUnderIt)
{
    Add<CImageButton>(0, kButtonA, UiRect{10, 10, 110, 60}, TextFormat::kLeft);
    mouse.Move({20, 20});
    mouse.Leave();

    mouse.Press({20, 20});
    mouse.Release({20, 20});

    const std::vector<ReceivedMessage> expected{{kButtonA, 0, NotifyCode::kPress},
                                                {kButtonA, kButtonA, NotifyCode::kClick}};
    EXPECT_EQ(dialog.MessagesFor(kButtonA), expected);
}

#include "TestDialog.h"

#include "ui/CImageButton.h"
#include "ui/CWndPopup.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QWindow>

namespace {

constexpr int kOwnerValue = 2013;
constexpr UiMessage kPopupResult = Msg::kUser + 6;

// A two-row list: hover marks a row, a release sends the row to the parent.
class TwoRowPopup : public CWndPopup {
public:
    explicit TwoRowPopup(int kind) { SetKind(kind); }
    int hotRow = -1;

protected:
    void OnInit() override { resize(120, 40); }
    void DrawItems(QPainter& painter, const UiRect& client) override
    {
        if (hotRow >= 0)
            painter.fillRect(QRect(client.left, hotRow * 20, client.Width(), 20), Qt::yellow);
    }
    bool OnHover(int /*x*/, int y) override
    {
        const int row = y / 20;
        if (row == hotRow)
            return false;
        hotRow = row;
        return true;
    }
    bool OnRelease(int /*x*/, int y) override
    {
        SendToParent(kPopupResult, static_cast<WParam>(y / 20), 0);
        return false;
    }
};

class PopupTest : public DialogTest {
protected:
    TwoRowPopup* Open(int kind)
    {
        auto* popup = new TwoRowPopup(kind);
        const QPoint at = dialog.mapToGlobal(QPoint(50, 50));
        EXPECT_EQ(popup->Create(&dialog, UiRect{at.x(), at.y(), at.x() + 120, at.y() + 40}, 0,
                                kOwnerValue),
                  0);
        dialog.SetPopup(0, popup);
        return popup;
    }
    static void ProcessPosted()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(PopupTest, PressOutsideSendsExactlyOneDismissalThenCloseReportsOnce)
{
    QPointer<TwoRowPopup> popup = Open(0);
    ASSERT_TRUE(popup->isVisible());
    MouseDriver popupMouse(popup);

    // A press outside that still reaches the popup (a press that started in it).
    popupMouse.Press({-30, 100});
    popupMouse.Release({-30, 100});
    popupMouse.Press({-40, 100});
    const std::vector<ReceivedMessage> dismissal{{Msg::kUser + 5, kOwnerValue, 0}};
    EXPECT_EQ(dialog.MessagesFor(Msg::kUser + 5), dismissal);
    EXPECT_FALSE(popup->isVisible());

    // The parent answers by closing the popup through its slot.
    dialog.ClosePopup(0);
    EXPECT_EQ(dialog.Popup(0), nullptr);
    ProcessPosted();
    const std::vector<ReceivedMessage> closed{{Msg::kPopupClosed, 0, 0}};
    EXPECT_EQ(dialog.MessagesFor(Msg::kPopupClosed), closed);
    EXPECT_TRUE(popup.isNull());
    EXPECT_EQ(dialog.MessagesFor(Msg::kUser + 5).size(), 1u);
}

TEST_F(PopupTest, ClickOnTheDialogThroughTheWindowSystemDismissesOnce)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QPointer<TwoRowPopup> popup = Open(3);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup.data()));

    // The press goes in as the platform delivers it, to the dialog's window: a press
    // outside every open popup.
    QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 250));
    QCoreApplication::processEvents();

    const std::vector<ReceivedMessage> dismissal{{Msg::kUser + 21, kOwnerValue, 3}};
    EXPECT_EQ(dialog.MessagesFor(Msg::kUser + 21), dismissal);
    ASSERT_FALSE(popup.isNull());
    EXPECT_FALSE(popup->isVisible());
    dialog.ClosePopup(0);
    ProcessPosted();
    EXPECT_EQ(dialog.MessagesFor(Msg::kUser + 21).size(), 1u);
    EXPECT_EQ(dialog.MessagesFor(Msg::kPopupClosed).size(), 1u);
}

TEST_F(PopupTest, DismissalMessageFollowsTheKindAndCarriesIt)
{
    struct Table {
        int kind;
        UiMessage message;
    };
    const Table cases[] = {{0, 1029}, {1, 1032}, {2, 1042}, {3, 1045}, {6, 1057},
                           {7, 1126}, {8, 1136}, {9, 1146}, {10, 1156}, {11, 1159},
                           {12, 1162}, {13, 1165}, {14, 1168}, {15, 1170}};
    for (const Table& c : cases) {
        dialog.messages.clear();
        QPointer<TwoRowPopup> popup = Open(c.kind);
        popup->close();  // the window system taking the popup away
        const std::vector<ReceivedMessage> expected{{c.message, kOwnerValue, c.kind}};
        EXPECT_EQ(dialog.messages, expected) << "kind " << c.kind;
        dialog.ClosePopup(0);
        ProcessPosted();
    }
}

TEST_F(PopupTest, KindOutsideTheTableDismissesSilently)
{
    for (const int kind : {4, 5, 16, -1}) {
        dialog.messages.clear();
        QPointer<TwoRowPopup> popup = Open(kind);
        MouseDriver(popup).Press({-10, -10});
        EXPECT_TRUE(dialog.messages.empty()) << "kind " << kind;
        dialog.ClosePopup(0);
        ProcessPosted();
        const std::vector<ReceivedMessage> closed{{Msg::kPopupClosed, 0, 0}};
        EXPECT_EQ(dialog.messages, closed);
    }
}

TEST_F(PopupTest, ChoosingAnItemSendsTheResultAndNoDismissal)
{
    QPointer<TwoRowPopup> popup = Open(0);
    MouseDriver popupMouse(popup);
    popupMouse.Move({10, 25});
    EXPECT_EQ(popup->hotRow, 1);
    popupMouse.Press({10, 25});
    // Moving with the button held does not change the hot row.
    popupMouse.Move({10, 5});
    EXPECT_EQ(popup->hotRow, 1);
    popupMouse.Release({10, 25});
    const std::vector<ReceivedMessage> result{{kPopupResult, 1, 0}};
    EXPECT_EQ(dialog.MessagesFor(kPopupResult), result);

    dialog.ClosePopup(0);
    ProcessPosted();
    EXPECT_TRUE(popup.isNull());
    EXPECT_TRUE(dialog.MessagesFor(Msg::kUser + 5).empty());
    EXPECT_EQ(dialog.MessagesFor(Msg::kPopupClosed).size(), 1u);
}

TEST_F(PopupTest, ClosePopupActsOnceAndIgnoresEmptySlots)
{
    Open(0);
    dialog.ClosePopup(5);  // an empty slot is left alone
    EXPECT_TRUE(dialog.MessagesFor(Msg::kPopupClosed).empty());
    dialog.ClosePopup(0);
    dialog.ClosePopup(0);  // already cleared: nothing more is posted
    ProcessPosted();
    EXPECT_EQ(dialog.MessagesFor(Msg::kPopupClosed).size(), 1u);
}

TEST_F(PopupTest, ClosingAPopupForgetsAPressThatEndedElsewhere)
{
    auto* button = Add<CImageButton>(0, 5001, UiRect{10, 10, 60, 40}, 0u);
    mouse.Move({20, 20});
    mouse.Press({20, 20});
    mouse.Release({300, 250});  // released outside: the button is no longer hot
    ASSERT_EQ(dialog.PressedControl(), button);
    ASSERT_EQ(dialog.HotControl(), nullptr);

    Open(0);
    dialog.ClosePopup(0);
    EXPECT_EQ(dialog.PressedControl(), nullptr);
    ProcessPosted();
}

}  // namespace

TEST_F(PopupTest, RestingPointerGetsOneHoverNoticeAtTheCursor)
{
    TwoRowPopup* popup = Open(0);
    const QPoint rowOne(60, 30);
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 5), popup->mapToGlobal(QPointF(10, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(popup, &move);
    ASSERT_EQ(popup->hotRow, 0);
    EXPECT_TRUE(popup->IsTracking());
    ASSERT_TRUE(popup->IsHoverPending());

    // The pointer has since moved to row 1 without a move event reaching the popup (as
    // when it arrives through another window); the hover notice catches up with it.
    QCursor::setPos(popup->mapToGlobal(rowOne));
    if (QCursor::pos() != popup->mapToGlobal(rowOne)) {
        GTEST_SKIP() << "this platform does not let tests place the pointer";
    }
    // Waits for the notice itself, however late the machine delivers it.
    ASSERT_TRUE(QTest::qWaitFor([popup] { return !popup->IsHoverPending(); }, 10000));
    EXPECT_EQ(popup->hotRow, 1);

    // Once per entry: further moves do not ask again; after leaving, the next entry does.
    QCoreApplication::sendEvent(popup, &move);
    EXPECT_FALSE(popup->IsHoverPending());
    MouseDriver(popup).Leave();
    EXPECT_FALSE(popup->IsTracking());
    QCoreApplication::sendEvent(popup, &move);
    EXPECT_TRUE(popup->IsHoverPending());
}

// The function list and its sub-list open together: each keeps its own pointer and
// clicks, and a press outside both dismisses each with its own message.
class TwoPopupsTest : public PopupTest {
protected:
    TwoRowPopup* OpenAt(int slot, int kind, int ownerValue, QPoint local)
    {
        auto* popup = new TwoRowPopup(kind);
        const QPoint at = dialog.mapToGlobal(local);
        EXPECT_EQ(popup->Create(&dialog, UiRect{at.x(), at.y(), at.x() + 120, at.y() + 40}, 0, ownerValue), 0);
        dialog.SetPopup(slot, popup);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(popup));
        return popup;
    }
};

TEST_F(TwoPopupsTest, BothListsTakeThePointerAndClicksWhileOpenTogether)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QPointer<TwoRowPopup> functions = OpenAt(0, 0, 2013, {20, 20});
    QPointer<TwoRowPopup> subList = OpenAt(1, 3, 2014, {150, 20});

    // Moves over the function list reach it, not the sub-list opened after it.
    QTest::mouseMove(functions->windowHandle(), QPoint(10, 25));
    EXPECT_EQ(functions->hotRow, 1);
    EXPECT_TRUE(functions->IsTracking());
    EXPECT_EQ(subList->hotRow, -1);
    QTest::mouseMove(subList->windowHandle(), QPoint(10, 5));
    EXPECT_EQ(subList->hotRow, 0);

    // A click on either list delivers that list's result and dismisses nothing.
    QTest::mouseClick(subList->windowHandle(), Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseClick(functions->windowHandle(), Qt::LeftButton, {}, QPoint(10, 25));
    const std::vector<ReceivedMessage> results{{kPopupResult, 0, 0}, {kPopupResult, 1, 0}};
    EXPECT_EQ(dialog.MessagesFor(kPopupResult), results);
    EXPECT_TRUE(dialog.MessagesFor(Msg::kUser + 5).empty());
    EXPECT_TRUE(dialog.MessagesFor(Msg::kUser + 21).empty());
    EXPECT_TRUE(functions->isVisible());
    EXPECT_TRUE(subList->isVisible());

    // A press on the dialog dismisses both, each with its own message and owner value.
    QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, QPoint(380, 280));
    const std::vector<ReceivedMessage> functionsDismissed{{Msg::kUser + 5, 2013, 0}};
    const std::vector<ReceivedMessage> subListDismissed{{Msg::kUser + 21, 2014, 3}};
    EXPECT_EQ(dialog.MessagesFor(Msg::kUser + 5), functionsDismissed);
    EXPECT_EQ(dialog.MessagesFor(Msg::kUser + 21), subListDismissed);
    dialog.ClosePopup(0);
    dialog.ClosePopup(1);
    ProcessPosted();
    EXPECT_TRUE(functions.isNull());
    EXPECT_TRUE(subList.isNull());
    EXPECT_EQ(dialog.MessagesFor(Msg::kPopupClosed).size(), 2U);
}

TEST_F(TwoPopupsTest, PopupsTakeNeitherFocusNorActivation)
{
    QPointer<TwoRowPopup> popup = OpenAt(0, 0, 2013, {20, 20});
    EXPECT_TRUE(popup->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_EQ(popup->windowType(), Qt::Tool);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    dialog.ClosePopup(0);
    ProcessPosted();
}

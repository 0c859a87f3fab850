#include "TestDialog.h"

#include "ui/CCheckButton.h"
#include "ui/CImageButton.h"
#include "ui/CImageShowList.h"
#include "ui/CRadioButton.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticText.h"
#include "ui/CEditBox.h"

#include <QKeyEvent>

namespace {

// Key presses delivered to a widget through the application.
void Press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
}

class Rows : public ListRowSource {
public:
    int RowCount() const override { return 5; }
    ListRow Row(int index) const override { return ListRow{QString::number(index), 0, false, false, -1}; }
};

class KeyboardTest : public DialogTest {
protected:
    // A window as a user reads it: a row of two buttons, a check box under them, a
    // label and a hidden and a disabled button that Tab passes over, then two radios.
    void SetUp() override
    {
        DialogTest::SetUp();
        ControlFlags hidden;
        hidden.shown = false;
        ControlFlags disabled;
        disabled.disabled = true;
        // Added out of reading order on purpose.
        check = Add<CCheckButton>(0, 3, UiRect{10, 50, 30, 70}, 0u, QStringLiteral("Sync"));
        right = Add<CImageButton>(1, 2, UiRect{100, 10, 150, 30}, 0u, QStringLiteral("Right"));
        left = Add<CImageButton>(0, 1, UiRect{10, 10, 60, 30}, 0u, QStringLiteral("Left"));
        Add<CStaticText>(0, 4, UiRect{10, 80, 100, 100}, 0xB4B4B4u, 0u, QStringLiteral("Label"));
        Add<CImageButton>(0, 5, UiRect{10, 110, 60, 130}, 0u, QStringLiteral("Hidden"), hidden);
        Add<CImageButton>(0, 6, UiRect{70, 110, 120, 130}, 0u, QStringLiteral("Off"), disabled);
        low = Add<CRadioButton>(0, 3510, UiRect{10, 140, 30, 160}, QStringLiteral("Low"));
        high = Add<CRadioButton>(0, 3511, UiRect{40, 140, 60, 160}, QStringLiteral("High"));
    }

    std::vector<CControlBase*> TabThrough(int presses, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        std::vector<CControlBase*> visited;
        for (int i = 0; i < presses; ++i) {
            Press(&dialog, Qt::Key_Tab, modifiers);
            visited.push_back(dialog.FocusControl());
        }
        return visited;
    }

    CCheckButton* check = nullptr;
    CImageButton* right = nullptr;
    CImageButton* left = nullptr;
    CRadioButton* low = nullptr;
    CRadioButton* high = nullptr;
};

TEST_F(KeyboardTest, TabVisitsTheShownEnabledControlsInReadingOrderAndWraps)
{
    const std::vector<CControlBase*> forward{left, right, check, low, high, left};
    EXPECT_EQ(TabThrough(6), forward);
    // Shift+Tab walks back, wrapping the other way.
    std::vector<CControlBase*> backward;
    for (int i = 0; i < 3; ++i) {
        Press(&dialog, Qt::Key_Backtab, Qt::ShiftModifier);
        backward.push_back(dialog.FocusControl());
    }
    EXPECT_EQ(backward, (std::vector<CControlBase*>{high, low, check}));
    // A control hidden meanwhile is passed over.
    check->SetShown(false);
    dialog.SetFocusControl(right);
    Press(&dialog, Qt::Key_Tab);
    EXPECT_EQ(dialog.FocusControl(), low);
}

TEST_F(KeyboardTest, SpacePressesTheFocusedControlAsAClick)
{
    dialog.SetFocusControl(check);
    Press(&dialog, Qt::Key_Space);
    EXPECT_TRUE(check->IsChecked());
    const std::vector<ReceivedMessage> expected{{3, 0, NotifyCode::kPress}, {3, 0, NotifyCode::kClick}};
    EXPECT_EQ(dialog.MessagesFor(3), expected);
    // Without a focused control Space does nothing.
    dialog.SetFocusControl(nullptr);
    Press(&dialog, Qt::Key_Space);
    EXPECT_TRUE(check->IsChecked());
}

TEST_F(KeyboardTest, ArrowsMoveWithinARadioGroupAndSelect)
{
    dialog.SetFocusControl(low);
    Press(&dialog, Qt::Key_Right);
    EXPECT_EQ(dialog.FocusControl(), high);
    EXPECT_TRUE(high->IsSelected());
    EXPECT_FALSE(low->IsSelected());
    Press(&dialog, Qt::Key_Left);
    EXPECT_EQ(dialog.FocusControl(), low);
    EXPECT_TRUE(low->IsSelected());
    // Not past the group: the control before it is no radio button.
    Press(&dialog, Qt::Key_Up);
    EXPECT_EQ(dialog.FocusControl(), low);
}

TEST_F(KeyboardTest, ArrowsStepASliderAndMoveAListsSelection)
{
    auto* slider = Add<CSliderControl>(0, 70, UiRect{10, 200, 200, 213}, 5, 6, 7);
    slider->SetPos(2);
    dialog.SetFocusControl(slider);
    struct Step {
        int key;
        int position;
    };
    const Step steps[] = {{Qt::Key_Right, 3}, {Qt::Key_Right, 4}, {Qt::Key_Right, 4}, {Qt::Key_Left, 3},
                          {Qt::Key_Down, 2},  {Qt::Key_Up, 3}};
    for (const Step& step : steps) {
        Press(&dialog, step.key);
        EXPECT_EQ(slider->GetPos(), step.position) << step.key;
    }
    EXPECT_EQ(dialog.Count({70, 0, NotifyCode::kClick}), 5);

    Rows rows;
    auto* list = dialog.AddControl(0, std::make_unique<CImageShowList>(&dialog, UiRect{220, 10, 320, 50}));
    list->SetSource(&rows);
    dialog.SetFocusControl(list);
    for (const int expected : {0, 1, 2, 3, 4, 4}) {
        Press(&dialog, Qt::Key_Down);
        EXPECT_EQ(list->Selection(), expected);
    }
    EXPECT_EQ(list->FirstVisible(), 3);  // the selection stays in view
    Press(&dialog, Qt::Key_Up);
    EXPECT_EQ(list->Selection(), 3);
    // Space presses the selected row, not whatever row is at the list's centre; with the
    // selection scrolled away, the first shown row.
    Press(&dialog, Qt::Key_Space);
    EXPECT_EQ(list->Selection(), 3);
    list->SetFirstVisible(0);
    Press(&dialog, Qt::Key_Space);
    EXPECT_EQ(list->Selection(), 0);
}

TEST_F(KeyboardTest, EditBoxesAreFocusStopsAndTabLeavesThemForTheControls)
{
    auto* edit = new CEditBox(&dialog, 80, UiRect{70, 50, 150, 70});
    edit->show();
    dialog.SetFocusControl(check);
    Press(&dialog, Qt::Key_Tab);
    EXPECT_EQ(dialog.FocusControl(), nullptr);
    EXPECT_EQ(dialog.focusWidget(), edit);
    // The box's own Tab passes through the dialog.
    Press(edit, Qt::Key_Tab);
    EXPECT_EQ(dialog.FocusControl(), low);
}

TEST_F(KeyboardTest, TheFocusRingIsDrawnAroundTheFocusedControlOnly)
{
    dialog.SetFocusControl(left);
    const QImage shown = dialog.grab().toImage();
    const UiRect rect = left->GetRect();
    // The ring lies just outside the control, on the dark background.
    const QColor ring = shown.pixelColor(rect.left - 2, rect.top - 2);
    EXPECT_NE(ring, QColor(30, 30, 30));
    const QColor elsewhere = shown.pixelColor(right->GetRect().left - 2, right->GetRect().top - 2);
    EXPECT_EQ(elsewhere, QColor(30, 30, 30));
}

// A secondary dialog keeps Enter and Escape: the navigation keys come before them only
// for the keys they use.
TEST_F(KeyboardTest, EnterStillEndsASecondaryDialog)
{
    dialog.SetFocusControl(check);
    Press(&dialog, Qt::Key_Return);
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.Result(), DialogResult::kOk);
    EXPECT_FALSE(check->IsChecked());
}

// Enter and Space press the push button the keyboard rests on; Enter ends the dialog
// with OK only while no push button has the focus.
TEST_F(KeyboardTest, EnterAndSpacePressTheFocusedButtonInsteadOfEndingTheDialog)
{
    mouse.Click(right->GetRect().ToQRect().center());
    const std::vector<ReceivedMessage> clicked = dialog.MessagesFor(2);
    ASSERT_EQ(clicked.size(), 2u);
    EXPECT_EQ(clicked.back().lParam, NotifyCode::kClick);
    for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        dialog.messages.clear();
        dialog.SetFocusControl(right);
        Press(&dialog, key);
        EXPECT_EQ(dialog.MessagesFor(2), clicked) << key;
        EXPECT_FALSE(dialog.IsEnded()) << key;
    }
    dialog.SetFocusControl(nullptr);
    Press(&dialog, Qt::Key_Return);
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.Result(), DialogResult::kOk);
}

}  // namespace

namespace {

// A dialog that keeps every key for itself, as the shortcut dialog does to capture one.
class KeyCapturingDialog : public TestDialog {
public:
    std::vector<int> captured;

protected:
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers /*modifiers*/) override
    {
        captured.push_back(key);
        return true;
    }
};

TEST(KeyboardRulesTest, ADialogThatKeepsEveryKeyKeepsTabAndSpaceToo)
{
    UiState::Instance().Reset();
    KeyCapturingDialog dialog;
    dialog.InitDialog();
    dialog.show();
    auto* check = dialog.AddControl(0, std::make_unique<CCheckButton>(&dialog, 3, UiRect{10, 10, 30, 30}, 0u));
    for (const int key : {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Right})
        Press(&dialog, key);
    EXPECT_EQ(dialog.captured, (std::vector<int>{Qt::Key_Tab, Qt::Key_Space, Qt::Key_Right}));
    EXPECT_EQ(dialog.FocusControl(), nullptr);
    EXPECT_FALSE(check->IsChecked());
}

}  // namespace

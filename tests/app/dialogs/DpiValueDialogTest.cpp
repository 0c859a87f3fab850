#include "AppDialogTestSupport.h"

#include "app/dialogs/CDPIValueSettingDlg.h"
#include "app/dialogs/CDPIValueSyncSettingDlg.h"
#include "app/dialogs/DpiPositions.h"
#include "device/DpiStepTable.h"
#include "ui/CCheckButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CEditBox.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticText.h"

#include <optional>
#include <vector>

namespace {

constexpr int kBarId = 3300;

class DpiDialogTest : public AppDialogTest {
protected:
    void UseSensor(std::uint16_t model) { ASSERT_TRUE(table.Build(model)); }

    // A new DPI bar of the level, carrying its X and Y positions. Every bar lives as long
    // as the test, since a dialog keeps the one it was opened for; `bar` is the newest.
    CDPIValueShowControl& Bar(int x, int y)
    {
        bars.push_back(std::make_unique<CDPIValueShowControl>(&owner, kBarId, UiRect{0, 0, 20, 100},
                                                              static_cast<int>(table.PositionCount()), 0, 0));
        bar = bars.back().get();
        bar->SetValue(x);
        bar->SetSecondValue(y);
        return *bar;
    }

    static void TypeInto(CEditBox* box, const QString& text)
    {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    // Everything that shows an axis' position agrees on it.
    static void ExpectShows(DpiAxisControls& axis, int position, const QString& dpi)
    {
        EXPECT_EQ(axis.Position(), position);
        EXPECT_EQ(axis.Slider()->GetPos(), position);
        EXPECT_EQ(axis.Edit()->GetText(), dpi);
        EXPECT_EQ(axis.ValueLabel()->Text(), dpi);
    }

    DpiStepTable table;
    std::vector<std::unique_ptr<CDPIValueShowControl>> bars;
    CDPIValueShowControl* bar = nullptr;
};

TEST_F(DpiDialogTest, EnterRoundsTheTypedValueUpToAStepOfTheSensor)
{
    UseSensor(0x3205);
    struct Case {
        const char* typed;
        int position;
        const char* shown;
    };
    const Case cases[] = {{"1234", 5, "1300"}, {"5000", 28, "3600"}, {"abc", 0, "800"}, {"", 0, "800"}};
    for (const Case& c : cases) {
        CDPIValueSettingDlg dialog(Bar(10, 10), table, texts, &owner);
        Open(dialog);
        CEditBox* box = dialog.XAxis().Edit();
        ASSERT_EQ(QApplication::focusWidget(), box);
        TypeInto(box, QString::fromLatin1(c.typed));
        QTest::keyClick(box, Qt::Key_Return);
        ExpectShows(dialog.XAxis(), c.position, QString::fromLatin1(c.shown));
        EXPECT_FALSE(dialog.IsEnded()) << c.typed;
        EXPECT_EQ(bar->Value(), 10) << "only OK writes the bar";
    }
}

TEST_F(DpiDialogTest, ArrowKeysStepWithinTheTableWhateverHasTheFocus)
{
    UseSensor(0x3205);
    struct Case {
        int start;
        Qt::Key key;
        int position;
    };
    const Case cases[] = {{0, Qt::Key_Left, 0}, {28, Qt::Key_Right, 28}, {5, Qt::Key_Left, 4}, {5, Qt::Key_Right, 6}};
    for (const Case& c : cases) {
        CDPIValueSettingDlg dialog(Bar(c.start, c.start), table, texts, &owner);
        Open(dialog);
        QTest::keyClick(dialog.XAxis().Edit(), c.key);
        ExpectShows(dialog.XAxis(), c.position, DpiPositions::DpiText(table, c.position));
        dialog.setFocus();  // the dialog itself, not the box
        QTest::keyClick(&dialog, c.key == Qt::Key_Left ? Qt::Key_Right : Qt::Key_Left);
        EXPECT_EQ(dialog.XPosition(), std::clamp(c.position + (c.key == Qt::Key_Left ? 1 : -1), 0, 28));
    }
}

TEST_F(DpiDialogTest, OkStoresTheTypedValueWithoutEnter)
{
    UseSensor(0x3205);
    CDPIValueSettingDlg dialog(Bar(2, 7), table, texts, &owner);
    Open(dialog);
    EXPECT_TRUE(OpenDialogList::Contains(&dialog));
    TypeInto(dialog.XAxis().Edit(), QStringLiteral("1234"));
    MouseDriver(&dialog).Click(CentreOf(dialog, CAppDialog::kIdOk));
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.Result(), DialogResult::kOk);
    EXPECT_EQ(bar->Value(), 5);
    EXPECT_EQ(bar->SecondValue(), 7);  // the one-value dialog writes X only
    EXPECT_FALSE(OpenDialogList::Contains(&dialog));
}

TEST_F(DpiDialogTest, EscapeKeepsEitherDialogOpenAndTheCrossCancels)
{
    UseSensor(0x3395);
    CDPIValueSettingDlg single(Bar(100, 100), table, texts, &owner);
    CDPIValueSyncSettingDlg both(Bar(100, 200), table, texts, &owner);
    for (CDPIValueDlgBase* dialog : {static_cast<CDPIValueDlgBase*>(&single), static_cast<CDPIValueDlgBase*>(&both)}) {
        bool stayedOpen = false;
        const int result = RunModal(*dialog, [&] {
            TypeInto(dialog->XAxis().Edit(), QStringLiteral("300"));
            QTest::keyClick(dialog->XAxis().Edit(), Qt::Key_Escape);
            QTest::keyClick(dialog, Qt::Key_Escape);
            stayedOpen = dialog->isVisible() && !dialog->IsEnded();
            MouseDriver(dialog).Click(CentreOf(*dialog, CAppDialog::kIdCloseCross));
        });
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(result, DialogResult::kCancel);
    }
    EXPECT_EQ(bar->Value(), 100);
    EXPECT_EQ(bar->SecondValue(), 200);
}

TEST_F(DpiDialogTest, DraggingTheThumbPastTheTrackEndsOnTheHighestStep)
{
    UseSensor(0x3205);
    CDPIValueSettingDlg dialog(Bar(0, 0), table, texts, &owner);
    Open(dialog);
    MouseDriver mouse(&dialog);
    const QPoint thumb = dialog.XAxis().Slider()->ThumbRect().ToQRect().center();
    mouse.Move(thumb);
    mouse.Press(thumb);
    mouse.Move(thumb + QPoint(150, 0));
    EXPECT_EQ(dialog.XAxis().Edit()->GetText(), DpiPositions::DpiText(table, dialog.XPosition()));
    EXPECT_GT(dialog.XPosition(), 10);
    mouse.Move(QPoint(420, 120));  // beyond the slider's right end, outside it
    EXPECT_EQ(dialog.XAxis().Edit()->GetText(), "3600");
    mouse.Release(QPoint(420, 120));
    EXPECT_EQ(dialog.XPosition(), 28);
    EXPECT_EQ(dialog.XAxis().ValueLabel()->Text(), "3600");
}

TEST_F(DpiDialogTest, SyncStartsCheckedOnlyForEqualAxesAndCheckingCopiesXToY)
{
    UseSensor(0x3395);
    {
        CDPIValueSyncSettingDlg dialog(Bar(31, 31), table, texts, &owner);
        Open(dialog);
        EXPECT_TRUE(dialog.IsSyncChecked());
    }
    CDPIValueSyncSettingDlg dialog(Bar(31, 63), table, texts, &owner);
    Open(dialog);
    EXPECT_EQ(QApplication::focusWidget(), dialog.YAxis().Edit());
    EXPECT_FALSE(dialog.IsSyncChecked());
    ExpectShows(dialog.YAxis(), 63, "3200");
    MouseDriver(&dialog).Click(CentreOf(dialog, CDPIValueSyncSettingDlg::kIdSync));
    EXPECT_TRUE(dialog.IsSyncChecked());
    ExpectShows(dialog.XAxis(), 31, "1600");
    ExpectShows(dialog.YAxis(), 31, "1600");
}

TEST_F(DpiDialogTest, KeysInOneBoxCarryTheOtherAxisOnlyWhenSynchronised)
{
    UseSensor(0x3395);
    CDPIValueSyncSettingDlg dialog(Bar(31, 63), table, texts, &owner);
    Open(dialog);
    CEditBox* xBox = dialog.XAxis().Edit();
    CEditBox* yBox = dialog.YAxis().Edit();

    xBox->setFocus();
    TypeInto(xBox, QStringLiteral("1234"));  // 50-DPI steps: 1250
    QTest::keyClick(xBox, Qt::Key_Return);
    ExpectShows(dialog.XAxis(), 24, "1250");
    ExpectShows(dialog.YAxis(), 63, "3200");
    yBox->setFocus();
    QTest::keyClick(yBox, Qt::Key_Right);
    ExpectShows(dialog.XAxis(), 24, "1250");
    ExpectShows(dialog.YAxis(), 64, "3250");

    MouseDriver(&dialog).Click(CentreOf(dialog, CDPIValueSyncSettingDlg::kIdSync));
    ExpectShows(dialog.YAxis(), 24, "1250");
    QTest::keyClick(yBox, Qt::Key_Left);
    ExpectShows(dialog.XAxis(), 23, "1200");
    ExpectShows(dialog.YAxis(), 23, "1200");
    TypeInto(yBox, QStringLiteral("26001"));
    QTest::keyClick(yBox, Qt::Key_Enter);
    ExpectShows(dialog.XAxis(), 519, "26000");
    ExpectShows(dialog.YAxis(), 519, "26000");
    EXPECT_FALSE(dialog.IsEnded());
}

TEST_F(DpiDialogTest, DraggingOneSliderWithSyncLeavesBothOnTheSameStep)
{
    UseSensor(0x3395);
    CDPIValueSyncSettingDlg dialog(Bar(0, 0), table, texts, &owner);
    Open(dialog);
    ASSERT_TRUE(dialog.IsSyncChecked());
    MouseDriver mouse(&dialog);
    const QPoint thumb = dialog.YAxis().Slider()->ThumbRect().ToQRect().center();
    mouse.Move(thumb);
    mouse.Press(thumb);
    EXPECT_EQ(QApplication::focusWidget(), dialog.YAxis().Edit());
    mouse.Move(thumb + QPoint(60, 0));
    mouse.Move(thumb + QPoint(145, 0));
    mouse.Release(thumb + QPoint(145, 0));
    EXPECT_GT(dialog.YPosition(), 200);
    EXPECT_EQ(dialog.XPosition(), dialog.YPosition());
    EXPECT_EQ(dialog.XAxis().Slider()->GetPos(), dialog.YPosition());
    EXPECT_EQ(dialog.XAxis().Edit()->GetText(), dialog.YAxis().Edit()->GetText());
}

// With "XY Sync" checked the axes stay equal however a slider moves: a click on its
// track away from the thumb, or the arrow keys on a slider the keyboard rests on.
TEST_F(DpiDialogTest, EveryWayASliderMovesKeepsSynchronisedAxesEqual)
{
    UseSensor(0x3395);
    enum class Axis { X, Y };
    struct Case {
        const char* what;
        Axis axis;
        std::optional<Qt::Key> key;  // none: a click on the track at three quarters
    };
    const Case cases[] = {
        {"click on the X track", Axis::X, std::nullopt},
        {"click on the Y track", Axis::Y, std::nullopt},
        {"Up on the X slider", Axis::X, Qt::Key_Up},
        {"Down on the Y slider", Axis::Y, Qt::Key_Down},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CDPIValueSyncSettingDlg dialog(Bar(100, 100), table, texts, &owner);
        Open(dialog);
        ASSERT_TRUE(dialog.IsSyncChecked());
        CSliderControl* slider = (c.axis == Axis::X ? dialog.XAxis() : dialog.YAxis()).Slider();
        if (c.key) {
            dialog.SetFocusControl(slider);
            QTest::keyClick(&dialog, *c.key);
        } else {
            const QRect track = slider->GetRect().ToQRect();
            MouseDriver(&dialog).Click(QPoint(track.left() + track.width() * 3 / 4, track.center().y()));
        }
        const int moved = c.axis == Axis::X ? dialog.XPosition() : dialog.YPosition();
        EXPECT_NE(moved, 100);
        const QString dpi = DpiPositions::DpiText(table, moved);
        ExpectShows(dialog.XAxis(), moved, dpi);
        ExpectShows(dialog.YAxis(), moved, dpi);
    }
}

TEST_F(DpiDialogTest, SyncOkStoresBothTypedValuesAsTheyStand)
{
    UseSensor(0x3395);
    CDPIValueSyncSettingDlg dialog(Bar(10, 10), table, texts, &owner);
    Open(dialog);
    ASSERT_TRUE(dialog.IsSyncChecked());
    TypeInto(dialog.XAxis().Edit(), QStringLiteral("800"));
    TypeInto(dialog.YAxis().Edit(), QStringLiteral("1601"));
    MouseDriver(&dialog).Click(CentreOf(dialog, CAppDialog::kIdOk));
    EXPECT_EQ(dialog.Result(), DialogResult::kOk);
    EXPECT_EQ(bar->Value(), 15);        // 800
    EXPECT_EQ(bar->SecondValue(), 32);  // 1650, the step above 1601
}

}  // namespace

#include "KeyDialogTestSupport.h"

#include "keyfunc/dialogs/CShortcutDlg.h"
#include "ui/CStaticText.h"

#include <QTimer>

namespace {

class ShortcutDlgTest : public KeyDialogTest {
protected:
    void SetUp() override
    {
        KeyDialogTest::SetUp();
        owner.InitDialog();
        owner.show();
        dialog = std::make_unique<CShortcutDlg>(&owner, texts);
        dialog->InitDialog();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    const std::vector<ReceivedResult>& Results() const { return owner.results; }

    LanguageTexts texts = LoadTexts(TestLanguage::English);
    ResultOwner owner{CShortcutDlg::kResultMessage};
    std::unique_ptr<CShortcutDlg> dialog;
};

}  // namespace

TEST_F(ShortcutDlgTest, CtrlAltAGivesItsNameAndBytes)
{
    EXPECT_TRUE(dialog->IsCapturing());
    ClickControl(*dialog, CShortcutDlg::kIdCtrl);
    ClickControl(*dialog, CShortcutDlg::kIdAlt);
    TypeKey(*dialog, Qt::Key_A);
    EXPECT_EQ(dialog->KeyNameText(), QStringLiteral("A"));
    ClickControl(*dialog, CShortcutDlg::kIdOk);

    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.name, u"Ctrl+Alt+A");
    EXPECT_EQ(Results()[0].record.value, (FunctionValue{0x70, 0x05, 0x04}));
    EXPECT_TRUE(Results()[0].record.path.empty());
    EXPECT_TRUE(dialog->IsEnded());
    EXPECT_EQ(dialog->Result(), DialogResult::kOk);
}

TEST_F(ShortcutDlgTest, ModifiersAloneNameThemselvesInTheFixedOrder)
{
    // Checked in another order than the name lists them.
    ClickControl(*dialog, CShortcutDlg::kIdWin);
    ClickControl(*dialog, CShortcutDlg::kIdShift);
    ClickControl(*dialog, CShortcutDlg::kIdCtrl);
    ClickControl(*dialog, CShortcutDlg::kIdOk);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.name, u"Ctrl+Shift+Win");
    EXPECT_EQ(Results()[0].record.value, (FunctionValue{0x70, 0x0B, 0x00}));
}

TEST_F(ShortcutDlgTest, ShiftWithoutAKey)
{
    ClickControl(*dialog, CShortcutDlg::kIdShift);
    ClickControl(*dialog, CShortcutDlg::kIdOk);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.name, u"Shift");
    EXPECT_EQ(Results()[0].record.value, (FunctionValue{0x70, 0x02, 0x00}));
}

TEST_F(ShortcutDlgTest, NothingChosenSendsNothingAndStillCloses)
{
    ClickControl(*dialog, CShortcutDlg::kIdOk);
    EXPECT_TRUE(Results().empty());
    EXPECT_TRUE(dialog->IsEnded());
}

TEST_F(ShortcutDlgTest, ModifierKeysLeaveTheKeyField)
{
    TypeKey(*dialog, Qt::Key_F5);
    for (const Qt::Key modifier : {Qt::Key_Control, Qt::Key_Shift, Qt::Key_Alt, Qt::Key_AltGr, Qt::Key_Super_L,
                                   Qt::Key_Super_R, Qt::Key_Meta}) {
        PressAndReleaseKey(*dialog, modifier);
        EXPECT_EQ(dialog->KeyNameText(), QStringLiteral("F5")) << modifier;
    }
    ClickControl(*dialog, CShortcutDlg::kIdOk);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.value, (FunctionValue{0x70, 0x00, 0x3E}));
}

// Keys without a usage in the key table (the media and browser keys) cannot be sent by
// the mouse: they leave the captured key as it was.
TEST_F(ShortcutDlgTest, KeysWithoutAUsageLeaveTheKeyField)
{
    TypeKey(*dialog, Qt::Key_F5);
    for (const Qt::Key key : {Qt::Key_VolumeUp, Qt::Key_VolumeMute, Qt::Key_MediaPlay, Qt::Key_MediaNext}) {
        PressAndReleaseKey(*dialog, key);
        EXPECT_EQ(dialog->KeyNameText(), QStringLiteral("F5")) << key;
    }
    ClickControl(*dialog, CShortcutDlg::kIdOk);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.name, u"F5");
    EXPECT_EQ(Results()[0].record.value, (FunctionValue{0x70, 0x00, 0x3E}));
}

// Nothing but a key without a usage is nothing chosen.
TEST_F(ShortcutDlgTest, OnlyAKeyWithoutAUsageSendsNothing)
{
    PressAndReleaseKey(*dialog, Qt::Key_VolumeDown);
    EXPECT_TRUE(dialog->KeyNameText().isEmpty());
    ClickControl(*dialog, CShortcutDlg::kIdOk);
    EXPECT_TRUE(Results().empty());
    EXPECT_TRUE(dialog->IsEnded());
}

TEST_F(ShortcutDlgTest, TheLastKeyEventWinsReleasesIncluded)
{
    QTest::keyPress(dialog->windowHandle(), Qt::Key_A);
    QTest::keyPress(dialog->windowHandle(), Qt::Key_B);
    QTest::keyRelease(dialog->windowHandle(), Qt::Key_A);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog->KeyNameText(), QStringLiteral("A"));
    QTest::keyRelease(dialog->windowHandle(), Qt::Key_B);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog->KeyNameText(), QStringLiteral("B"));
}

TEST_F(ShortcutDlgTest, EnterAndEscapeAreKeysToCaptureNotOkOrCancel)
{
    TypeKey(*dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog->IsEnded());
    EXPECT_EQ(dialog->KeyNameText(), QStringLiteral("Esc"));
    ClickControl(*dialog, CShortcutDlg::kIdCtrl);
    TypeKey(*dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog->IsEnded());
    ClickControl(*dialog, CShortcutDlg::kIdOk);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.name, u"Ctrl+Enter");
    EXPECT_EQ(Results()[0].record.value, (FunctionValue{0x70, 0x01, 0x28}));
}

TEST_F(ShortcutDlgTest, CancelAndExitCloseWithoutAResult)
{
    for (const int id : {CShortcutDlg::kIdCancel, CShortcutDlg::kIdExit}) {
        auto other = std::make_unique<CShortcutDlg>(&owner, texts);
        other->InitDialog();
        other->show();
        ClickControl(*other, CShortcutDlg::kIdShift);
        TypeKey(*other, Qt::Key_X);
        ClickControl(*other, id);
        EXPECT_TRUE(other->IsEnded()) << id;
        EXPECT_EQ(other->Result(), DialogResult::kCancel) << id;
    }
    EXPECT_TRUE(Results().empty());
}

TEST_F(ShortcutDlgTest, OpenWhileItExistsAndTheModalRunReturnsOk)
{
    EXPECT_TRUE(OpenDialogList::Contains(dialog.get()));
    dialog.reset();
    EXPECT_EQ(OpenDialogList::Count(), 0);
    // A key after the dialog is gone reaches no one.
    TypeKey(owner, Qt::Key_Q);

    CShortcutDlg modal(&owner, texts);
    QTimer::singleShot(0, &modal, [&modal] {
        TypeKey(modal, Qt::Key_Z);
        ClickControl(modal, CShortcutDlg::kIdOk);
    });
    EXPECT_EQ(modal.DoModal(), DialogResult::kOk);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.name, u"Z");
    EXPECT_EQ(Results()[0].record.value, (FunctionValue{0x70, 0x00, 0x1D}));
}

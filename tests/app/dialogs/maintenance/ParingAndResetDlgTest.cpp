#include "MaintenanceTestSupport.h"

#include "CFirmwareResetDlg.h"
#include "CParingDlg.h"
#include "CProgressBarDlg.h"

#include <QTest>

namespace {

class ParingDlgTest : public MaintenanceTest {
protected:
    void Open()
    {
        dialog.InitDialog();
        dialog.show();
    }
    void Tick() { dialog.SendMessage(Msg::kTimer, CParingDlg::kTickTimer, 0); }
    int PairingRequests() const
    {
        return static_cast<int>(owner.MessagesFor(CParingDlg::kPairingRequest).size());
    }

    bool mouseOnline = false;
    CParingDlg dialog{&owner, texts, [this] { return mouseOnline; }};
    MouseDriver mouse{&dialog};
};

TEST_F(ParingDlgTest, PairButtonAsksOnceThenCountsDotsEverySecond)
{
    Open();
    EXPECT_TRUE(OpenDialogList::Contains(&dialog));
    EXPECT_EQ(dialog.GetControl(CParingDlg::kIdInstruction)->GetCaption(), T(283));
    mouse.Click(CentreOf(dialog, CParingDlg::kIdPair));
    EXPECT_EQ(PairingRequests(), 1);
    EXPECT_EQ(dialog.State(), PairState::Pairing);
    EXPECT_EQ(dialog.StatusText(), T(278));
    EXPECT_TRUE(dialog.HasTimer(CParingDlg::kTickTimer));

    const int expected[] = {279, 280, 278, 279};
    for (const int text : expected) {
        Tick();
        EXPECT_EQ(dialog.StatusText(), T(text));
    }
    // Pressing while pairing does nothing.
    mouse.Click(CentreOf(dialog, CParingDlg::kIdPair));
    EXPECT_EQ(PairingRequests(), 1);
}

TEST_F(ParingDlgTest, MouseAlreadyOnLineIsReportedOnTheFirstTick)
{
    mouseOnline = true;
    Open();
    QTest::keyClick(&dialog, Qt::Key_Space);
    EXPECT_EQ(PairingRequests(), 1);
    Tick();
    EXPECT_EQ(dialog.State(), PairState::Paired);
    EXPECT_EQ(dialog.StatusText(), T(282));
    EXPECT_FALSE(dialog.HasTimer(CParingDlg::kTickTimer));
    QTest::keyClick(&dialog, Qt::Key_Space);
    EXPECT_EQ(dialog.State(), PairState::Paired);
    EXPECT_EQ(PairingRequests(), 1);
}

TEST_F(ParingDlgTest, TwentySixthTickFailsAndARetryWaitsAgainWithoutANewRequest)
{
    Open();
    mouse.Click(CentreOf(dialog, CParingDlg::kIdPair));
    for (int tick = 0; tick < 25; ++tick)
        Tick();
    EXPECT_EQ(dialog.State(), PairState::Pairing);
    Tick();
    EXPECT_EQ(dialog.State(), PairState::Failed);
    EXPECT_EQ(dialog.StatusText(), T(281));
    EXPECT_FALSE(dialog.HasTimer(CParingDlg::kTickTimer));

    mouse.Click(CentreOf(dialog, CParingDlg::kIdPair));
    EXPECT_EQ(dialog.State(), PairState::Pairing);
    EXPECT_EQ(dialog.StatusText(), T(278));
    EXPECT_TRUE(dialog.HasTimer(CParingDlg::kTickTimer));
    EXPECT_EQ(PairingRequests(), 1);
    mouseOnline = true;
    Tick();
    EXPECT_EQ(dialog.State(), PairState::Paired);
}

TEST_F(ParingDlgTest, EnterIsSwallowedEscapeClosesAndStopsTheTick)
{
    Open();
    mouse.Click(CentreOf(dialog, CParingDlg::kIdPair));
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.IsEnded());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.Result(), DialogResult::kCancel);
    EXPECT_FALSE(dialog.HasTimer(CParingDlg::kTickTimer));
    EXPECT_FALSE(OpenDialogList::Contains(&dialog));
}

TEST_F(ParingDlgTest, CloseButtonAndCrossEndTheDialog)
{
    for (const int id : {CParingDlg::kIdClose, CFramedDlg::kIdCloseCross}) {
        CParingDlg paring(&owner, texts, [] { return false; });
        paring.InitDialog();
        paring.show();
        MouseDriver(&paring).Click(CentreOf(paring, id));
        EXPECT_TRUE(paring.IsEnded()) << id;
        EXPECT_EQ(paring.Result(), DialogResult::kCancel);
    }
}

TEST_F(MaintenanceTest, ResetQuestionConfirmsWithOkOrEnterAndCannotBeEscaped)
{
    struct Case {
        const char* what;
        std::function<void(CFirmwareResetDlg&)> act;
        bool ends;
        int result;
    };
    const Case cases[] = {
        {"OK", [](CFirmwareResetDlg& d) { MouseDriver(&d).Click(CentreOf(d, CFramedDlg::kIdOk)); }, true,
         DialogResult::kOk},
        {"Enter", [](CFirmwareResetDlg& d) { QTest::keyClick(&d, Qt::Key_Return); }, true, DialogResult::kOk},
        {"cancel", [](CFirmwareResetDlg& d) { MouseDriver(&d).Click(CentreOf(d, CFramedDlg::kIdCancel)); }, true,
         DialogResult::kCancel},
        {"cross", [](CFirmwareResetDlg& d) { MouseDriver(&d).Click(CentreOf(d, CFramedDlg::kIdCloseCross)); },
         true, DialogResult::kCancel},
        {"Escape", [](CFirmwareResetDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }, false, 0},
    };
    for (const Case& c : cases) {
        CFirmwareResetDlg question(&owner, texts);
        question.InitDialog();
        question.show();
        EXPECT_EQ(question.GetControl(CFirmwareResetDlg::kIdQuestion)->GetCaption(), T(140));
        EXPECT_EQ(question.GetControl(CFramedDlg::kIdOk)->GetCaption(), T(4));
        c.act(question);
        EXPECT_EQ(question.IsEnded(), c.ends) << c.what;
        if (c.ends) {
            EXPECT_EQ(question.Result(), c.result) << c.what;
        }
    }
}

// Tab until the keyboard rests on the control with this id.
void FocusByTab(CDlgBase& dialog, int id)
{
    for (int presses = 0; presses < 10; ++presses) {
        if (dialog.FocusControl() != nullptr && dialog.FocusControl()->GetId() == id)
            return;
        QTest::keyClick(&dialog, Qt::Key_Tab);
    }
    ADD_FAILURE() << "Tab never reached control " << id;
}

// Enter and Space press the button the keyboard rests on, whatever the window does with
// them otherwise: Enter on the reset question's Cancel cancels.
TEST_F(MaintenanceTest, EnterAndSpacePressTheFocusedButton)
{
    enum class Window { Reset, Pairing };
    struct Case {
        Window window;
        int focus;
        Qt::Key key;
        bool ends;
        int result;
        int pairingRequests;
    };
    const Case cases[] = {
        {Window::Reset, CFramedDlg::kIdCancel, Qt::Key_Return, true, DialogResult::kCancel, 0},
        {Window::Reset, CFramedDlg::kIdCancel, Qt::Key_Space, true, DialogResult::kCancel, 0},
        {Window::Reset, CFramedDlg::kIdCloseCross, Qt::Key_Enter, true, DialogResult::kCancel, 0},
        {Window::Reset, CFramedDlg::kIdOk, Qt::Key_Return, true, DialogResult::kOk, 0},
        {Window::Pairing, CParingDlg::kIdClose, Qt::Key_Space, true, DialogResult::kCancel, 0},
        {Window::Pairing, CParingDlg::kIdClose, Qt::Key_Return, true, DialogResult::kCancel, 0},
        {Window::Pairing, CParingDlg::kIdPair, Qt::Key_Return, false, 0, 1},
        {Window::Pairing, CParingDlg::kIdPair, Qt::Key_Space, false, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.window == Window::Reset ? "reset" : "pairing") << " focus " << c.focus
                                        << " key " << c.key);
        owner.messages.clear();
        std::unique_ptr<CFramedDlg> dialog;
        if (c.window == Window::Reset)
            dialog = std::make_unique<CFirmwareResetDlg>(&owner, texts);
        else
            dialog = std::make_unique<CParingDlg>(&owner, texts, [] { return false; });
        dialog->InitDialog();
        dialog->show();
        FocusByTab(*dialog, c.focus);
        QTest::keyClick(dialog.get(), c.key);
        EXPECT_EQ(dialog->IsEnded(), c.ends);
        if (c.ends) {
            EXPECT_EQ(dialog->Result(), c.result);
        }
        EXPECT_EQ(owner.MessagesFor(CParingDlg::kPairingRequest).size(), static_cast<std::size_t>(c.pairingRequests));
    }
}

TEST_F(MaintenanceTest, ProgressGrowsByTwoPerTickToFullThenEndsOnTheSecondTimer)
{
    CProgressBarDlg progress(&owner, texts, T(146));
    progress.InitDialog();
    progress.show();
    EXPECT_EQ(progress.GetControl(CProgressBarDlg::kIdMessage)->GetCaption(), T(146));
    EXPECT_TRUE(progress.HasTimer(CProgressBarDlg::kGrowTimer));
    for (int tick = 1; tick < 50; ++tick)
        progress.SendMessage(Msg::kTimer, CProgressBarDlg::kGrowTimer, 0);
    EXPECT_EQ(progress.Fill(), 98);
    EXPECT_EQ(progress.BarDesignWidth(), 98 * 429 / 100);
    EXPECT_FALSE(progress.HasTimer(CProgressBarDlg::kEndTimer));
    progress.SendMessage(Msg::kTimer, CProgressBarDlg::kGrowTimer, 0);
    EXPECT_EQ(progress.Fill(), 100);
    EXPECT_EQ(progress.BarDesignWidth(), 429);
    EXPECT_FALSE(progress.HasTimer(CProgressBarDlg::kGrowTimer));
    EXPECT_TRUE(progress.HasTimer(CProgressBarDlg::kEndTimer));
    EXPECT_FALSE(progress.IsEnded());
    progress.SendMessage(Msg::kTimer, CProgressBarDlg::kEndTimer, 0);
    EXPECT_TRUE(progress.IsEnded());
    EXPECT_EQ(progress.Result(), DialogResult::kOk);
}

TEST_F(MaintenanceTest, ShowProgressReturnsOnceTheBarIsFull)
{
    // The real timers run inside the modal loop; the call returns when they are done.
    EXPECT_EQ(CProgressBarDlg::ShowProgress(&owner, texts, T(146)), DialogResult::kOk);
    EXPECT_EQ(OpenDialogList::Count(), 0);
}

TEST_F(MaintenanceTest, ProgressOkAndCrossEndItAtOnce)
{
    for (const int id : {CFramedDlg::kIdOk, CFramedDlg::kIdCloseCross}) {
        CProgressBarDlg progress(&owner, texts, T(146));
        progress.InitDialog();
        progress.show();
        MouseDriver(&progress).Click(CentreOf(progress, id));
        EXPECT_TRUE(progress.IsEnded()) << id;
        EXPECT_LT(progress.Fill(), 100);
        EXPECT_FALSE(progress.HasTimer(CProgressBarDlg::kGrowTimer));
    }
}

}  // namespace

#include "TestDialog.h"

#include "ui/CImageButton.h"
#include "ui/OpenDialogList.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWheelEvent>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// Runs `task` on the UI thread's event loop, as the device layer's poster does.
void PostToUi(std::function<void()> task)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

// A secondary dialog with an owner; what it does on initialisation, keys and the wheel
// is up to each test.
class ModalDialog : public CDlgBase {
public:
    explicit ModalDialog(QWidget* owner) : CDlgBase(owner) { SetFrameSize(200, 120); }

    std::function<void()> onInit;
    bool swallowEscape = false;
    std::vector<std::pair<int, QPoint>> wheel;
    int paints = 0;
    bool painting = false;

    using CDlgBase::OnCancel;
    using CDlgBase::OnOK;

protected:
    bool OnInitDialog() override
    {
        CDlgBase::OnInitDialog();
        if (onInit)
            onInit();
        return true;
    }
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers /*modifiers*/) override
    {
        return swallowEscape && key == Qt::Key_Escape;
    }
    bool OnMouseWheel(unsigned /*flags*/, int delta, QPoint point) override
    {
        wheel.emplace_back(delta, point);
        return true;
    }
    void DrawBackground(QPainter& painter, const UiRect& clip) override
    {
        painting = true;
        ++paints;
        painter.fillRect(rect(), Qt::darkGray);
        DrawControls(painter, clip);
        painting = false;
    }
    void CreateControls(int, int, int, int) override {}
};

using ModalDialogTest = OwnerTest;

TEST_F(ModalDialogTest, PostedTasksRunWhileTheDialogRunsAndItsResultComesBack)
{
    ModalDialog dialog(&owner);
    std::vector<std::string> order;
    bool modalWhileRunning = false;
    dialog.onInit = [&] {
        // A device result arriving from another thread, then a status report that ends
        // the dialog: both are processed by the dialog's own loop, in posting order.
        std::thread device([&] {
            PostToUi([&] {
                order.push_back("result");
                modalWhileRunning = dialog.IsModalRunning() &&
                                    QApplication::activeModalWidget() == &dialog &&
                                    dialog.windowModality() == Qt::WindowModal;
            });
            PostToUi([&] {
                order.push_back("report");
                dialog.EndDialog(DialogResult::kOk);
            });
        });
        device.join();
    };

    EXPECT_EQ(dialog.DoModal(), DialogResult::kOk);
    EXPECT_EQ(order, (std::vector<std::string>{"result", "report"}));
    EXPECT_TRUE(modalWhileRunning);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.IsModalRunning());
}

TEST_F(ModalDialogTest, OwnerTimersKeepRunningDuringTheDialog)
{
    ModalDialog dialog(&owner);
    int ticks = 0;
    QTimer ownerTimer;
    QObject::connect(&ownerTimer, &QTimer::timeout, [&] {
        if (++ticks == 3)
            dialog.OnCancel();
    });
    ownerTimer.start(1);
    EXPECT_EQ(dialog.DoModal(), DialogResult::kCancel);
    EXPECT_EQ(ticks, 3);
}

TEST_F(ModalDialogTest, OwnerGetsNoPointerInputWhileTheDialogRuns)
{
    owner.AddControl(0, std::make_unique<CImageButton>(&owner, 5001, UiRect{10, 10, 110, 60}, 0u));
    ModalDialog dialog(&owner);
    dialog.onInit = [&] {
        PostToUi([&] {
            // Through the window system, where modality is enforced.
            QTest::mouseMove(owner.windowHandle(), QPoint(40, 30));
            QTest::mouseClick(owner.windowHandle(), Qt::LeftButton, {}, QPoint(40, 30));
            dialog.OnOK();
        });
    };
    EXPECT_EQ(dialog.DoModal(), DialogResult::kOk);
    EXPECT_TRUE(owner.MessagesFor(5001).empty());

    // Without the dialog the same click reaches the button.
    QTest::mouseMove(owner.windowHandle(), QPoint(41, 30));
    QTest::mouseClick(owner.windowHandle(), Qt::LeftButton, {}, QPoint(40, 30));
    EXPECT_FALSE(owner.MessagesFor(5001).empty());
}

TEST_F(ModalDialogTest, EnterIsOkEscapeIsCancelUnlessTheDialogSwallowsIt)
{
    struct Case {
        int key;
        bool swallowEscape;
        int expected;
    };
    const Case cases[] = {{Qt::Key_Return, false, DialogResult::kOk},
                          {Qt::Key_Enter, false, DialogResult::kOk},
                          {Qt::Key_Escape, false, DialogResult::kCancel},
                          // Escape swallowed: the dialog stays until the close message.
                          {Qt::Key_Escape, true, -1}};
    for (const Case& c : cases) {
        ModalDialog dialog(&owner);
        dialog.swallowEscape = c.swallowEscape;
        bool stillRunningAfterKey = false;
        dialog.onInit = [&] {
            PostToUi([&] {
                QTest::keyClick(&dialog, static_cast<Qt::Key>(c.key));
                stillRunningAfterKey = !dialog.IsEnded();
                if (stillRunningAfterKey)
                    dialog.SendMessage(Msg::kClose, 0, 0);
            });
        };
        const int result = dialog.DoModal();
        if (c.expected < 0) {
            EXPECT_TRUE(stillRunningAfterKey);
            EXPECT_EQ(result, DialogResult::kCancel);
        } else {
            EXPECT_FALSE(stillRunningAfterKey) << c.key;
            EXPECT_EQ(result, c.expected) << c.key;
        }
    }
}

TEST_F(ModalDialogTest, MainWindowIsNotEndedByEnterOrEscape)
{
    QTest::keyClick(&owner, Qt::Key_Escape);
    QTest::keyClick(&owner, Qt::Key_Return);
    EXPECT_FALSE(owner.IsEnded());
    EXPECT_TRUE(owner.isVisible());
}

TEST_F(ModalDialogTest, CloseAllEndsNestedDialogsAndEmptiesTheList)
{
    ModalDialog outer(&owner);
    ModalDialog inner(&outer);
    int innerResult = 0;
    std::vector<CDlgBase*> listedWhileBothRan;
    outer.onInit = [&] { PostToUi([&] { innerResult = inner.DoModal(); }); };
    inner.onInit = [&] {
        PostToUi([&] {
            listedWhileBothRan = OpenDialogList::Entries();
            OpenDialogList::CloseAll();
        });
    };

    EXPECT_EQ(outer.DoModal(), DialogResult::kCancel);
    EXPECT_EQ(innerResult, DialogResult::kCancel);
    EXPECT_EQ(listedWhileBothRan, (std::vector<CDlgBase*>{&outer, &inner}));
    EXPECT_EQ(OpenDialogList::Count(), 0);
}

TEST_F(ModalDialogTest, DialogDestroyedWhileRunningEndsItsRunAsCancel)
{
    auto* dialog = new ModalDialog(&owner);
    dialog->onInit = [dialog] { PostToUi([dialog] { delete dialog; }); };
    EXPECT_EQ(dialog->DoModal(), DialogResult::kCancel);
    EXPECT_EQ(OpenDialogList::Count(), 0);
}

TEST_F(ModalDialogTest, DialogEndedDuringInitialisationNeverShows)
{
    ModalDialog dialog(&owner);
    dialog.onInit = [&] { dialog.EndDialog(DialogResult::kOk); };
    EXPECT_EQ(dialog.DoModal(), DialogResult::kOk);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(OpenDialogList::Contains(&dialog));
}

TEST_F(ModalDialogTest, EleventhDialogIsNotListedAndLeavingClosesTheGap)
{
    std::vector<std::unique_ptr<ModalDialog>> dialogs;
    for (int i = 0; i < OpenDialogList::kSlotCount + 1; ++i) {
        dialogs.push_back(std::make_unique<ModalDialog>(&owner));
        dialogs.back()->InitDialog();
    }
    EXPECT_EQ(OpenDialogList::Count(), OpenDialogList::kSlotCount);
    EXPECT_FALSE(OpenDialogList::Contains(dialogs.back().get()));

    dialogs[3].reset();         // destroyed in the middle
    dialogs[0]->EndDialog(1);   // ended first
    std::vector<CDlgBase*> expected;
    for (int i = 1; i < OpenDialogList::kSlotCount; ++i) {
        if (i != 3)
            expected.push_back(dialogs[static_cast<std::size_t>(i)].get());
    }
    EXPECT_EQ(OpenDialogList::Entries(), expected);

    // A main window never enters.
    ModalDialog main(nullptr);
    main.SetDialogRole(DialogRole::Main);
    main.InitDialog();
    EXPECT_FALSE(OpenDialogList::Contains(&main));
}

TEST_F(ModalDialogTest, CommandsPostedFromTheDrawingStepRunAfterThePaintInOrder)
{
    ModalDialog dialog(&owner);
    dialog.InitDialog();
    dialog.show();
    QCoreApplication::processEvents();
    std::vector<std::pair<int, bool>> runs;  // paints so far, and whether inside a paint
    const int paintsBefore = dialog.paints;
    dialog.PostAfterNextPaint([&] { runs.emplace_back(dialog.paints, dialog.painting); });
    dialog.PostAfterNextPaint([&] { runs.emplace_back(-dialog.paints, dialog.painting); });
    EXPECT_TRUE(runs.empty());
    dialog.repaint();  // the paint that follows the popup closing
    EXPECT_TRUE(runs.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(runs.size(), 2U);
    EXPECT_GT(runs[0].first, paintsBefore);
    EXPECT_FALSE(runs[0].second);
    EXPECT_LT(runs[1].first, 0);  // second command second
    EXPECT_FALSE(runs[1].second);
}

TEST_F(ModalDialogTest, WheelReachesTheDialogHandlerWithDeltaAndClientPoint)
{
    ModalDialog dialog(&owner);
    dialog.InitDialog();
    dialog.show();
    for (int delta : {120, -240}) {
        QWheelEvent event(QPointF(30, 40), QPointF(dialog.mapToGlobal(QPoint(30, 40))), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&dialog, &event);
    }
    const std::vector<std::pair<int, QPoint>> expected{{120, QPoint(30, 40)}, {-240, QPoint(30, 40)}};
    EXPECT_EQ(dialog.wheel, expected);
}

}  // namespace

#include "MainWindowFixture.h"

#include "app/MainWindowIds.h"
#include "device/MacroEventEncoder.h"
#include "macros/MacroLibrary.h"
#include "macros/windows/CMacroManagerDlg.h"
#include "macros/windows/MacroManagerIds.h"
#include "ui/CRowList.h"

#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

namespace {

class MacroManagerWindowTest : public MainWindowFixture {
protected:
    // A library of one macro, "Burst", number 1, written before the program starts.
    void WriteLibrary()
    {
        const DataPaths paths{data.Path(), {}};
        std::filesystem::create_directories(paths.ConfigFolder());
        MacroLibrary library;
        MacroItemLocation at;
        ASSERT_EQ(library.CreateMacroAtSelection(u"Burst", at), MacroLibrary::CreateResult::Created);
        ASSERT_TRUE(library.Save(paths.MacroLibraryFile(), MacroItemLocation::None()));
    }

    static CMacroManagerDlg* OpenManager()
    {
        for (CDlgBase* dialog : OpenDialogList::Entries()) {
            if (auto* manager = dynamic_cast<CMacroManagerDlg*>(dialog); manager && manager->IsModalRunning())
                return manager;
        }
        return nullptr;
    }

    // A key as the window system delivers it, with the time stamp the test chooses. It
    // carries no text, so the manager's typing notice stays shut.
    static void Key(CMacroManagerDlg& manager, QEvent::Type type, std::uint64_t timeMs)
    {
        QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, QString());
        event.setTimestamp(timeMs);
        QApplication::sendEvent(static_cast<QObject*>(manager.windowHandle()), &event);
        QApplication::processEvents();
    }
};

TEST_F(MacroManagerWindowTest, ARecordedMacroOnAButtonReachesTheMouseWhenTheManagerCloses)
{
    WriteLibrary();
    StartConfirmed();
    // Button 3 plays macro 1, whose copy is still empty.
    KeyAssignment& button = *Current().GetKey(2);
    button.Value = {static_cast<std::uint8_t>(FunctionType::Macro), 0, 0};
    button.Name = u"Macro-Burst";
    button.MacroKeyIndex = 1;

    bool ranInside = false;
    QTimer::singleShot(0, window, [&] {
        CMacroManagerDlg* manager = OpenManager();
        ASSERT_NE(manager, nullptr);
        ranInside = true;
        MouseDriver pointer(manager);
        const auto click = [&](int id) { pointer.Click(manager->GetControl(id)->GetRect().ToQRect().center()); };
        pointer.Click(manager->TreeList().RowRect(0).ToQRect().center());
        click(MacroManagerId::kRecord);
        Key(*manager, QEvent::KeyPress, 5000);
        Key(*manager, QEvent::KeyRelease, 5080);
        click(MacroManagerId::kRecord);
        click(MacroManagerId::kExit);
    });
    Click(MainId::kMacroManager);
    ASSERT_TRUE(ranInside);
    EXPECT_TRUE(notices.empty());

    // The library came back from the file the manager wrote...
    const MacroKey* recorded = window->Model().macros.FindByNumber(1);
    ASSERT_NE(recorded, nullptr);
    ASSERT_EQ(recorded->MacroActionNum, 3u);
    // ...and the button's copy, and the mouse, got the recording.
    WaitForExchanges();
    EXPECT_EQ(Current().GetKey(2)->Macro.MacroActionNum, 3u);
    const MacroEvent press = EncodeMacroEvent(MacroAction::FromBytes(0x41, 0x00, 0, 0), 80);
    const MacroEvent release = EncodeMacroEvent(MacroAction::FromBytes(0x41, 0x80, 0, 0), 0);
    const std::vector<std::uint8_t> expected{press[0], press[1], press[2], release[0], release[1], release[2]};
    bool found = false;
    for (const SimMacroSlot& slot : mouse->State().settings.macros) {
        if (slot.Complete() && slot.events.size() >= expected.size() &&
            std::equal(expected.begin(), expected.end(), slot.events.begin()))
            found = true;
    }
    EXPECT_TRUE(found);
    EXPECT_FALSE(Sent(CommandCode::MacroData).empty());
}

TEST_F(MacroManagerWindowTest, WithoutAMacroButtonTheProfileIsNotSentAgain)
{
    WriteLibrary();
    StartConfirmed();
    QTimer::singleShot(0, window, [&] {
        CMacroManagerDlg* manager = OpenManager();
        ASSERT_NE(manager, nullptr);
        MouseDriver(manager).Click(manager->GetControl(MacroManagerId::kExit)->GetRect().ToQRect().center());
    });
    Click(MainId::kMacroManager);
    WaitForExchanges();
    for (const SimReceivedReport& report : mouse->Received())
        EXPECT_NE(report.operation, SimReportOperation::SetFeature);
    EXPECT_TRUE(Link().Macros().copyMacros);
}

}  // namespace

#include "MainWindowFixture.h"

#include "app/MainWindowIds.h"
#include "ui/dialogs/CAttentionDlg.h"
#include "keyfunc/popups/CMenuPopup.h"
#include "profiles/LanguageTexts.h"
#include "profiles/OfferedFileCheck.h"
#include "profiles/ProfileFile.h"
#include "ui/CCheckButton.h"
#include "ui/CSliderControl.h"
#include "app/dialogs/CDPIValueSettingDlg.h"
#include "app/dialogs/COSDDialog.h"
#include "app/dialogs/OnScreenDisplay.h"
#include "device/MacroEventEncoder.h"
#include "device/SensorCodes.h"
#include "macros/MacroLibrary.h"
#include "macros/windows/CMacroSelectDlg.h"
#include "ui/CComboButton.h"
#include "ui/CEditShowList.h"
#include "ui/dialogs/CFramedDlg.h"
#include "sim/SimHidBackend.h"
#include "support/AccessibleTree.h"

#include <QAccessible>
#include <QMessageBox>

#include <QTimer>

#include <QTest>

#include <algorithm>

#include <fstream>
#include <set>

namespace {

constexpr std::size_t kPayload = CommandLayout::kPayload;

class MainWindowTest : public MainWindowFixture {
protected:
    // Opens the profile list, the action menu of the first shown profile, and picks the
    // action whose caption is this language text.
    void RunProfileAction(int textNumber)
    {
        Click(MainId::kProfileList);
        ASSERT_TRUE(RunUntil([this] { return window->Popup(1) != nullptr; }));
        auto* list = dynamic_cast<CMenuPopup*>(window->Popup(1));
        ASSERT_NE(list, nullptr);
        const QPoint entry = list->EntryRect(1).ToQRect().center();  // after the heading
        MouseDriver(list).Move(entry);
        RunFor(80);
        MouseDriver(list).RightClick(entry);
        ASSERT_TRUE(RunUntil([this] { return window->Popup(2) != nullptr; }));
        ClickEntry(window->Popup(2), textNumber);
        // The action runs from timer 60 once the lists have closed.
        RunFor(250);
    }

    // Clicks the entry of an open list whose caption is this language text.
    void ClickEntry(CWndPopup* popup, int textNumber, Qt::MouseButton button = Qt::LeftButton)
    {
        auto* list = dynamic_cast<CMenuPopup*>(popup);
        ASSERT_NE(list, nullptr);
        const std::u16string& caption = window->Model().texts.Text(static_cast<std::size_t>(textNumber));
        const auto& entries = list->Entries();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].caption != caption)
                continue;
            const QPoint centre = list->EntryRect(static_cast<int>(i)).ToQRect().center();
            MouseDriver driver(list);
            driver.Move(centre);
            RunFor(80);  // the list's hover time
            if (button == Qt::LeftButton)
                driver.Click(centre);
            else
                driver.RightClick(centre);
            return;
        }
        FAIL() << "no entry with text " << textNumber;
    }
};

TEST_F(MainWindowTest, StartsShownWithTheDpiAndRateSectionsOpenAndTheProfileInItsControls)
{
    StartConfirmed();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->IsSectionOpen(MainId::kHeaderDpi));
    EXPECT_TRUE(window->IsSectionOpen(MainId::kHeaderRate));
    EXPECT_FALSE(window->IsSectionOpen(MainId::kHeaderLighting));
    const CControlBase* lightingSpeed = window->GetControl(MainId::kSpeedSlider);
    ASSERT_NE(lightingSpeed, nullptr);
    EXPECT_FALSE(lightingSpeed->IsVisible());
    EXPECT_EQ(window->width(), UiScale::Scale(CCorvaneDlg::kDesignWidth));
    EXPECT_EQ(window->height(), UiScale::Scale(CCorvaneDlg::kDesignHeight));
}

TEST_F(MainWindowTest, The500HzRadioStoresTheRateAndSendsTheReportRateCommand)
{
    StartConfirmed();
    Click(MainId::kFirstRateRadio + 2);
    WaitForExchanges();
    EXPECT_EQ(Current().PollingRateName, u"500HZ");
    EXPECT_EQ(Current().PollingRateValue, (std::array<std::uint8_t, 3>{2, 0, 0}));
    const auto frames = Sent(CommandCode::PollingRate);
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0][kPayload], 0x02);  // 500 Hz: one report every 2 ms
    EXPECT_EQ(mouse->State().settings.pollingCode, 0x02);
}

TEST_F(MainWindowTest, UncheckingTheOnlyEnabledDpiLevelKeepsItAndSendsNothing)
{
    StartConfirmed();
    Current().DPIOffOnFlag = 0x01;
    Current().CurrentDPILevel = 0;
    window->RefreshUi();
    Click(MainId::kFirstDpiCheck);
    WaitForExchanges();
    const auto* check = dynamic_cast<const CCheckButton*>(window->GetControl(MainId::kFirstDpiCheck));
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->IsChecked());
    EXPECT_EQ(Current().DPIOffOnFlag, 0x01);
    EXPECT_TRUE(Sent(CommandCode::DpiLevels).empty());
}

TEST_F(MainWindowTest, UncheckingTheCurrentLevelMakesTheNextEnabledOneCurrent)
{
    StartConfirmed();
    Current().DPIOffOnFlag = 0x07;
    Current().CurrentDPILevel = 2;
    window->RefreshUi();
    Click(MainId::kFirstDpiCheck + 2);
    WaitForExchanges();
    EXPECT_EQ(Current().DPIOffOnFlag, 0x03);
    EXPECT_EQ(Current().CurrentDPILevel, 0);
    EXPECT_FALSE(Sent(CommandCode::DpiLevels).empty());
    EXPECT_EQ(mouse->State().settings.dpiOnOffFlags, 0x03);
    EXPECT_EQ(mouse->State().settings.currentDpiLevel, 0);
}

TEST_F(MainWindowTest, OpeningLightingOverDpiAndRateClosesRateAndMovesItDown)
{
    StartConfirmed();
    const int rateTop = window->HeaderTop(MainId::kHeaderRate);
    Click(MainId::kHeaderLighting);
    EXPECT_TRUE(window->IsSectionOpen(MainId::kHeaderDpi));
    EXPECT_TRUE(window->IsSectionOpen(MainId::kHeaderLighting));
    EXPECT_FALSE(window->IsSectionOpen(MainId::kHeaderRate));
    EXPECT_FALSE(window->GetControl(MainId::kFirstRateRadio)->IsVisible());
    window->repaint();  // the column is laid out with the background
    EXPECT_EQ(window->HeaderTop(MainId::kHeaderRate) - rateTop, 170);
}

TEST_F(MainWindowTest, RightClickForTheOnlyLeftClickButtonIsUndoneWithAWarning)
{
    StartConfirmed();
    const FunctionValue leftClick = Current().Keys[0].Value;
    Click(MainId::kFirstButtonDropDown);
    ASSERT_TRUE(RunUntil([this] { return window->Popup(0) != nullptr; }));
    ClickEntry(window->Popup(0), 21);  // "Right Click"
    ASSERT_TRUE(RunUntil([this] { return !notices.empty(); }, 2000));
    EXPECT_EQ(notices, std::vector<int>{ProfileMessages::kKeepOneLeftClick});
    EXPECT_EQ(Current().Keys[0].Value, leftClick);
    WaitForExchanges();
    EXPECT_TRUE(Sent(CommandCode::KeyAssignments).empty());
}

TEST_F(MainWindowTest, ChoosingAFunctionForAButtonSendsTheKeys)
{
    StartConfirmed();
    Click(MainId::kFirstButtonDropDown + 2);
    ASSERT_TRUE(RunUntil([this] { return window->Popup(0) != nullptr; }));
    ClickEntry(window->Popup(0), 21);  // "Right Click" on the middle button
    WaitForExchanges();
    EXPECT_EQ(Current().Keys[2].Value, (FunctionValue{0x10, 0x02, 0x00}));
    EXPECT_FALSE(Sent(CommandCode::KeyAssignments).empty());
    EXPECT_EQ(mouse->State().settings.KeysInButtonOrder()[2], (SimMouseSettings::ButtonValue{0x10, 0x02, 0x00}));
}

TEST_F(MainWindowTest, PowerSliderReleasedOutsideItIsSentAtTheNextMove)
{
    StartConfirmed();
    auto* slider = dynamic_cast<CSliderControl*>(window->GetControl(MainId::kPowerSlider));
    ASSERT_NE(slider, nullptr);
    const QPoint thumb = slider->ThumbRect().ToQRect().center();
    const QPoint outside(slider->GetRect().right + 120, thumb.y() + 60);
    MouseDriver driver(window);
    driver.Move(thumb);
    driver.Press(thumb);
    driver.Move(QPoint(thumb.x() + 20, thumb.y()));
    driver.Move(outside);
    driver.Release(outside);
    EXPECT_EQ(slider->GetPos(), slider->StepCount() - 1);
    WaitForExchanges();
    driver.Move(QPoint(outside.x() + 1, outside.y()));
    WaitForExchanges();
    const auto frames = Sent(CommandCode::PowerSaving);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back()[kPayload], 30);
    EXPECT_EQ(Current().GetIntSetting(ProfileSetting::PowerDownTime), 30);
}

TEST_F(MainWindowTest, DeletingTheCurrentProfileIsRefusedAndChangesNothing)
{
    StartConfirmed();
    AppSettings& settings = window->Model().settings;
    const int shown = settings.ProfileShowCount();
    RunProfileAction(93);  // "Delete" on the current profile, the first shown one
    ASSERT_TRUE(RunUntil([this] { return !notices.empty(); }, 2000));
    EXPECT_EQ(notices, std::vector<int>{ProfileMessages::kCannotDeleteCurrent});
    EXPECT_EQ(settings.ProfileShowCount(), shown);
}

TEST_F(MainWindowTest, ExportThenImportRestoresTheProfileAndABrokenFileChangesNothing)
{
    StartConfirmed();
    const std::filesystem::path file = data / "exported.psf";
    fileToPick = QString::fromStdString(file.string());
    Current().SetSetting(ProfileSetting::ProfileName, u"Exported");
    RunProfileAction(91);  // "Export"
    ASSERT_TRUE(RunUntil([&] { return std::filesystem::exists(file); }, 2000));

    Current().SetSetting(ProfileSetting::ProfileName, u"Renamed");
    RunProfileAction(90);  // "Import"
    ASSERT_TRUE(RunUntil([this] { return Current().GetSetting(ProfileSetting::ProfileName) == u"Exported"; }, 2000));
    // The import is saved at once.
    Profile saved;
    ASSERT_TRUE(
        ParseProfileFile(saved, window->Model().settings.ProfileSlotPath(window->Model().settings.CurrentProfile()))
            .ok);
    EXPECT_EQ(saved.GetSetting(ProfileSetting::ProfileName), u"Exported");

    std::ofstream(data / "broken.psf") << "not a profile";
    fileToPick = QString::fromStdString((data / "broken.psf").string());
    const Profile before = Current();
    RunProfileAction(90);
    ASSERT_TRUE(RunUntil([this] { return !messages.empty(); }, 2000));
    EXPECT_EQ(Current(), before);
}

TEST_F(MainWindowTest, AFileFarLargerThanAProfileIsRefusedBeforeItIsRead)
{
    StartConfirmed();
    const std::filesystem::path file = data / "grown.psf";
    fileToPick = QString::fromStdString(file.string());
    Current().SetSetting(ProfileSetting::ProfileName, u"Exported");
    RunProfileAction(91);  // "Export"
    ASSERT_TRUE(RunUntil([&] { return std::filesystem::exists(file); }, 2000));
    // A whole profile followed by zeros (sparse: nothing is written): its reader would
    // stop after the last record and take it.
    std::filesystem::resize_file(file, OfferedFileLimit::kProfile + 1);

    Current().SetSetting(ProfileSetting::ProfileName, u"Renamed");
    const Profile before = Current();
    RunProfileAction(90);  // "Import"
    ASSERT_TRUE(RunUntil([this] { return !messages.empty(); }, 2000));
    EXPECT_EQ(Current(), before);
    EXPECT_TRUE(messages.front().contains(QStringLiteral("not a profile file"))) << messages.front().toStdString();
}

TEST_F(MainWindowTest, ChoosingAnotherProfileSendsItsKeysAndSettingsButNotItsPowerSaving)
{
    StartConfirmed();
    AppSettings& settings = window->Model().settings;
    settings.SetProfileShowCount(2);
    const int other = settings.ProfileShowList(1);
    Profile& next = window->Model().profiles.At(other);
    next.PollingRateValue = {2, 0, 0};
    next.Keys[2].Value = {0x10, 0x02, 0x00};
    next.SetIntSetting(ProfileSetting::PowerDownTime, 3);

    Click(MainId::kProfileList);
    ASSERT_TRUE(RunUntil([this] { return window->Popup(1) != nullptr; }));
    auto* list = dynamic_cast<CMenuPopup*>(window->Popup(1));
    ASSERT_NE(list, nullptr);
    const QPoint entry = list->EntryRect(2).ToQRect().center();  // the second shown profile
    MouseDriver(list).Move(entry);
    RunFor(80);
    MouseDriver(list).Click(entry);
    WaitForExchanges();
    EXPECT_EQ(settings.CurrentProfile(), other);
    EXPECT_EQ(Sent(CommandCode::PollingRate).size(), 1U);
    EXPECT_EQ(Sent(CommandCode::KeyAssignments).size(), 1U);
    EXPECT_TRUE(Sent(CommandCode::PowerSaving).empty());
}

TEST_F(MainWindowTest, EndingBeforeTheSaveDelayStillWritesTheChangeToTheProfileFile)
{
    StartConfirmed();
    Click(MainId::kFirstRateRadio + 1);
    WaitForExchanges();  // sent; the save waits for its ten seconds
    const std::filesystem::path file =
        window->Model().settings.ProfileSlotPath(window->Model().settings.CurrentProfile());
    app->Shutdown();
    Profile saved;
    ASSERT_TRUE(ParseProfileFile(saved, file).ok);
    EXPECT_EQ(saved.PollingRateValue, (std::array<std::uint8_t, 3>{1, 0, 0}));
    EXPECT_EQ(saved.PollingRateName, u"250HZ");
}

TEST_F(MainWindowTest, UnpluggingTheOnlyMouseEndsTheProgram)
{
    StartConfirmed();
    EXPECT_FALSE(app->QuitRequested());
    mouse->Unplug(LinkKind::Wired);
    EXPECT_TRUE(RunUntil([this] { return app->QuitRequested(); }));
}

TEST_F(MainWindowTest, NeedPasswordOneNeverShowsTheWindowBeforeTheMouseAnswers)
{
    TrayIcon::AssumeDesktopHasTray(true);
    WriteNeedPassword(1);
    Start();
    // The window stays in the tray; a restore request asks the mouse, whose presence reply
    // confirms it and then shows the window.
    EXPECT_FALSE(window->isVisible());
    app->Restore();
    bool shownUnconfirmed = false;
    EXPECT_TRUE(RunUntil([&] {
        shownUnconfirmed = shownUnconfirmed || (window->isVisible() && !Link().Connection().deviceConfirmed);
        return window->isVisible();
    }));
    EXPECT_FALSE(shownUnconfirmed);
    EXPECT_TRUE(Link().Connection().deviceConfirmed);
    EXPECT_TRUE(Link().Connection().shownByPresence);
}

TEST_F(MainWindowTest, EnterAndEscapeNeverCloseTheWindowAndTheHiddenSequenceShowsTheSupportText)
{
    StartConfirmed();
    for (int key : {Qt::Key_Return, Qt::Key_Escape})
        QTest::keyClick(window, static_cast<Qt::Key>(key));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(app->QuitRequested());
    for (char letter : std::string("ABOUTABOUT"))
        QTest::keyClick(window, static_cast<Qt::Key>(letter));
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("corvane --simulate")));
}

TEST_F(MainWindowTest, FactoryResetAsksFirstAndResetsTheMouseOnOk)
{
    StartConfirmed();
    // The question is a modal dialog; it is answered as soon as its run has started.
    QTimer::singleShot(100, [] {
        for (CDlgBase* dialog : OpenDialogList::Entries())
            dialog->EndDialog(DialogResult::kOk);
    });
    Click(MainId::kFactoryReset);
    WaitForExchanges();
    EXPECT_EQ(mouse->State().factoryResets, 1U);
    EXPECT_EQ(Sent(CommandCode::FactoryReset).size(), 1U);
}

TEST_F(MainWindowTest, AnswerNoToTheFactoryResetSendsNothing)
{
    StartConfirmed();
    QTimer::singleShot(100, [] {
        for (CDlgBase* dialog : OpenDialogList::Entries())
            dialog->EndDialog(DialogResult::kCancel);
    });
    Click(MainId::kFactoryReset);
    WaitForExchanges();
    EXPECT_EQ(mouse->State().factoryResets, 0U);
}

TEST_F(MainWindowTest, TheSensorWithoutLightingSwitchesTheLayoutAndBack)
{
    StartConfirmed();
    Click(MainId::kHeaderLighting);
    ASSERT_TRUE(window->IsSectionOpen(MainId::kHeaderLighting));
    mouse->SetSensorCode(SensorCode::k3205);
    ASSERT_TRUE(RunUntil([this] { return window->Sensor3205Mode(); }));
    EXPECT_FALSE(window->GetControl(MainId::kHeaderLighting)->IsShown());
    EXPECT_FALSE(window->IsSectionOpen(MainId::kHeaderLighting));
    EXPECT_FALSE(window->GetControl(MainId::kMacroManager)->IsShown());
    window->repaint();
    EXPECT_EQ(window->HeaderTop(MainId::kHeaderRate), window->IsSectionOpen(MainId::kHeaderDpi) ? 67 + 196 : 67);
    // The left column's panel of the macro manager goes with it; the other three stay.
    const UiRect macroPanel{36, 311, 36 + 230, 311 + 43};
    const auto hasMacroPanel = [this, macroPanel] {
        const std::vector<UiRect> panels = window->PanelRects();
        return std::find(panels.begin(), panels.end(), macroPanel) != panels.end();
    };
    EXPECT_FALSE(hasMacroPanel());
    EXPECT_EQ(window->PanelRects().front(), (UiRect{36, 62, 36 + 230, 62 + 205}));

    mouse->SetSensorCode(SensorCode::k3311);
    ASSERT_TRUE(RunUntil([this] { return !window->Sensor3205Mode(); }));
    EXPECT_TRUE(window->GetControl(MainId::kHeaderLighting)->IsShown());
    EXPECT_TRUE(window->GetControl(MainId::kMacroManager)->IsShown());
    EXPECT_TRUE(hasMacroPanel());
}

TEST_F(MainWindowTest, TheBatteryReachesTheGaugeAndTheTraysTip)
{
    StartConfirmed();
    mouse->SetBattery(57, 0);
    ASSERT_TRUE(RunUntil([this] { return app->TrayToolTip().endsWith(QStringLiteral("57%")); }, 4000));
    EXPECT_TRUE(app->TrayToolTip().startsWith(QStringLiteral("Gaming Mouse")));
}

// The mouse tells its listener its state when it starts reading, so the battery of a
// mouse that never changed is shown as it is, not as 0 %.
TEST_F(MainWindowTest, TheBatteryIsTrueFromTheStartWithoutAnyChange)
{
    StartConfirmed();
    ASSERT_EQ(mouse->State().live.battery, 100);
    EXPECT_TRUE(RunUntil([this] { return app->TrayToolTip().endsWith(QStringLiteral("100%")); }, 4000))
        << app->TrayToolTip().toStdString();
    EXPECT_EQ(Link().Battery().batteryLevel, 100);
}

TEST_F(MainWindowTest, TheMousesDpiButtonShowsTheOnScreenDisplay)
{
    StartConfirmed();
    EXPECT_EQ(window->Osd().Display(), nullptr);
    mouse->PressDpiButton();
    EXPECT_TRUE(RunUntil([this] { return window->Osd().Display() != nullptr; }));
}

TEST_F(MainWindowTest, ALaunchButtonOfTheMouseStartsItsProgramOnce)
{
    StartConfirmed();
    const std::u16string program = u"/opt/tools/run; $(touch x).sh";
    (void)window->Model().profiles.AssignFunction(window->Model().settings, MainId::kFirstButtonDropDown + 3,
                                                  u"run.sh", program, FunctionValue{0x60, 0x05, 0x00}, nullptr);
    mouse->PressLaunchButton(4);
    mouse->PressLaunchButton(4);  // the same button again without a release launches nothing
    mouse->ReleaseLaunchButton();
    ASSERT_TRUE(RunUntil([this] { return !launched.empty(); }));
    RunFor(200);
    EXPECT_EQ(launched, std::vector<std::u16string>{program});
}

TEST_F(MainWindowTest, ALaunchTargetThatIsRefusedIsSaidWithoutStoppingTheWindow)
{
    realLaunches = true;
    StartConfirmed();
    // What a relative path names depends on the folder the program was started from.
    const std::u16string program = u"tools/run.sh";
    (void)window->Model().profiles.AssignFunction(window->Model().settings, MainId::kFirstButtonDropDown + 3,
                                                  u"run.sh", program, FunctionValue{0x60, 0x05, 0x00}, nullptr);
    mouse->PressLaunchButton(4);
    const auto shownNotice = [] {
        for (CDlgBase* open : OpenDialogList::Entries()) {
            if (auto* attention = dynamic_cast<CAttentionDlg*>(open); attention != nullptr && attention->isVisible())
                return attention->Message();
        }
        return QString();
    };
    ASSERT_TRUE(RunUntil([&] { return !shownNotice().isEmpty(); }));
    EXPECT_TRUE(shownNotice().contains(QStringLiteral("\"tools/run.sh\" is not named by its full path")))
        << shownNotice().toStdString();
}

TEST_F(MainWindowTest, ADpiBarSetThroughItsDialogWritesTheSamePositionToXAndYAndSendsIt)
{
    StartConfirmed();
    ASSERT_FALSE(Link().DpiTable().DpiSyncDialog());
    const int wanted = Current().XYSettingX[1] + 3;
    // The dialog runs modally over the window; it is answered once its run has started.
    QTimer::singleShot(150, [wanted] {
        for (CDlgBase* dialog : OpenDialogList::Entries()) {
            if (auto* dpi = dynamic_cast<CDPIValueSettingDlg*>(dialog)) {
                dpi->XAxis().SetPosition(wanted);
                MouseDriver(dpi).Click(dpi->GetControl(CFramedDlg::kIdOk)->GetRect().ToQRect().center());
            }
        }
    });
    Click(MainId::kFirstDpiBar + 1);
    WaitForExchanges();
    EXPECT_EQ(Current().XYSettingX[1], wanted);
    EXPECT_EQ(Current().XYSettingY[1], wanted);
    EXPECT_FALSE(Sent(CommandCode::DpiLevels).empty());
}

// A DPI dialog open while the mouse reports another sensor holds positions of the old
// table: it is cancelled, so that its OK cannot write one over the levels just reset.
TEST_F(MainWindowTest, ASensorChangeCancelsAnOpenDpiDialog)
{
    StartConfirmed();
    ASSERT_EQ(Link().DpiTable().Model(), 0x3311);
    bool endedBySensor = false;
    std::uint16_t reset = 0;
    QTimer::singleShot(150, [this, &endedBySensor, &reset] {
        for (CDlgBase* dialog : OpenDialogList::Entries()) {
            auto* dpi = dynamic_cast<CDPIValueSettingDlg*>(dialog);
            if (dpi == nullptr)
                continue;
            dpi->XAxis().SetPosition(dpi->XAxis().LastPosition());
            mouse->SetSensorCode(SensorCode::k3395);
            ASSERT_TRUE(RunUntil([this] { return Link().DpiTable().Model() == 0x3395; }));
            RunFor(50);
            reset = Current().XYSettingX[1];
            endedBySensor = dpi->IsEnded();
            // A user who did not see it go would press OK now.
            if (!dpi->IsEnded())
                MouseDriver(dpi).Click(dpi->GetControl(CFramedDlg::kIdOk)->GetRect().ToQRect().center());
        }
    });
    Click(MainId::kFirstDpiBar + 1);
    WaitForExchanges();
    EXPECT_TRUE(endedBySensor);
    EXPECT_EQ(Current().XYSettingX[1], reset);
    EXPECT_EQ(Current().XYSettingY[1], reset);
    EXPECT_EQ(OpenDialogList::Count(), 0);
}

TEST_F(MainWindowTest, AMouseThisUserMayNotOpenIsReportedOnceWithTheCommandThatFixesIt)
{
    StartConfirmed();
    auto* backend = dynamic_cast<SimHidBackend*>(app->Backend());
    ASSERT_NE(backend, nullptr);
    backend->DenyAccess(LinkKind::Ble);
    const auto boxes = [] {
        std::vector<QMessageBox*> shown;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible())
                shown.push_back(box);
        }
        return shown;
    };
    mouse->Plug(LinkKind::Ble);
    ASSERT_TRUE(RunUntil([&] { return !boxes().empty(); }));
    EXPECT_TRUE(boxes().front()->informativeText().contains(QStringLiteral("udevadm trigger")));
    // Every later enumeration finds the same problem and stays quiet.
    mouse->Unplug(LinkKind::Ble);
    RunFor(200);
    mouse->Plug(LinkKind::Ble);
    RunFor(500);
    EXPECT_EQ(boxes().size(), 1U);
}

// Screenshots for review: the lighting section open in mode 1, the pointer on the second
// button's drop-down, at the three scales.
class MainWindowScreenshotTest : public MainWindowTest, public testing::WithParamInterface<float> {};

TEST_P(MainWindowScreenshotTest, LightingOpenAndAButtonHighlighted)
{
    scale = GetParam();
    StartConfirmed();
    Current().Lighting1ModeValue[0] = 1;
    Click(MainId::kHeaderLighting);
    MouseDriver(window).Move(CentreOf(MainId::kFirstButtonDropDown + 1));
    RunFor(100);
    EXPECT_EQ(window->HoveredButton(), 2);
    EXPECT_TRUE(window->GetControl(MainId::kDirectionUp)->IsVisible());
    EXPECT_FALSE(window->GetControl(MainId::kBrightnessSlider)->IsVisible());
    const QImage image = window->grab().toImage();
    EXPECT_EQ(image.width(), UiScale::Scale(CCorvaneDlg::kDesignWidth) * static_cast<int>(window->devicePixelRatio()));
    std::filesystem::create_directories(CORVANE_SCREENSHOT_DIR);
    EXPECT_TRUE(
        image.save(QStringLiteral(CORVANE_SCREENSHOT_DIR "/main-window-%1.png").arg(static_cast<double>(scale))));
}

INSTANTIATE_TEST_SUITE_P(Scales, MainWindowScreenshotTest, testing::Values(1.0F, 1.5F, 2.0F),
                         [](const testing::TestParamInfo<float>& param) {
                             return "Scale" + std::to_string(static_cast<int>(param.param * 10));
                         });

}  // namespace

namespace {

// The caption of the function list's macro entry.
constexpr int kTextMacroEntry = 28;

class MainWindowMacroTest : public MainWindowTest {
protected:
    // A library file in the data folder before the start: [Games] with "Reload" (A
    // pressed, 50 ms, A released, played twice) and a top-level macro "Jump".
    std::uint32_t WriteLibrary()
    {
        MacroLibrary library;
        Location games = Location::None();
        EXPECT_EQ(library.CreateFolderAtSelection(u"Games", games), MacroLibrary::CreateResult::Created);
        Location reload = games;
        EXPECT_EQ(library.CreateMacroAtSelection(u"Reload", reload), MacroLibrary::CreateResult::Created);
        MacroKey& macro = *library.MutableItem(reload)->macro;
        for (const MacroAction action : {MacroAction::FromBytes(0x41, 0x00, 0, 0), MacroAction::Delay(50),
                                         MacroAction::FromBytes(0x41, 0x80, 0, 0)})
            macro.Insert(macro.MacroActionNum, action);
        macro.MacroCommandActionNum = 2;
        macro.MacroKeyLoopNum = 2;
        Location jump = Location::None();
        EXPECT_EQ(library.CreateMacroAtSelection(u"Jump", jump), MacroLibrary::CreateResult::Created);
        const DataPaths paths{data.Path(), {}};
        std::filesystem::create_directories(paths.ConfigFolder());
        EXPECT_TRUE(library.Save(paths.MacroLibraryFile(), Location::None()));
        reloadActions = macro;
        return macro.MacroKeyIndex;
    }

    using Location = MacroItemLocation;
    MacroKey reloadActions;
};

TEST_F(MainWindowMacroTest, TheFunctionListsMacroEntryAssignsTheChosenMacroAndSendsIt)
{
    const std::uint32_t number = WriteLibrary();
    StartConfirmed();
    const int dropDown = MainId::kFirstButtonDropDown + 2;
    Click(dropDown);
    ASSERT_TRUE(RunUntil([this] { return window->Popup(0) != nullptr; }));

    // The selection runs modally: it is driven from inside its own loop.
    bool chosen = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        CMacroSelectDlg* selection = nullptr;
        for (CDlgBase* open : OpenDialogList::Entries()) {
            if (auto* found = dynamic_cast<CMacroSelectDlg*>(open); found && found->IsModalRunning())
                selection = found;
        }
        if (selection == nullptr || chosen)
            return;
        chosen = true;
        EXPECT_EQ(selection->Tree()->RowCount(), 2);
        MouseDriver pointer(selection);
        const UiRect folderRow = selection->Tree()->RowRect(0);
        pointer.Click(QPoint(folderRow.left + 4, (folderRow.top + folderRow.bottom) / 2));  // opens Games
        const UiRect macroRow = selection->Tree()->RowRect(1);
        pointer.Click(QPoint(macroRow.left + 60, (macroRow.top + macroRow.bottom) / 2));
        EXPECT_EQ(selection->Tree()->Source()->Row(1).text, QStringLiteral("Reload"));
        pointer.Click(selection->GetControl(CAppDialog::kIdOk)->GetRect().ToQRect().center());
    });
    driver.start(10);
    ClickEntry(window->Popup(0), kTextMacroEntry);
    ASSERT_TRUE(RunUntil([&] { return chosen && OpenDialogList::Entries().empty(); }));
    driver.stop();
    WaitForExchanges();

    const std::u16string name = window->Model().texts.Text(CMacroSelectDlg::kTextMacroNamePrefix) + u"Reload";
    const KeyAssignment& key = Current().Keys[2];
    EXPECT_EQ(key.Name, name);
    EXPECT_EQ(key.Value[0], 0x90);
    EXPECT_EQ(key.MacroKeyIndex, number);
    EXPECT_EQ(dynamic_cast<CComboButton*>(window->GetControl(dropDown))->Text(), QString::fromStdU16String(name));

    // The button's key command: the macro function, loop type 2 with the slot, two runs;
    // and the macro's events in that slot.
    const SimMouseState sent = mouse->State();
    const auto sentKey = sent.settings.KeysInButtonOrder()[2];
    EXPECT_EQ(sentKey[0], 0x90);
    EXPECT_EQ(sentKey[1] & 0xF0, 0x20);
    EXPECT_EQ(sentKey[2], 2);
    const std::uint8_t slot = sentKey[1] & 0x0F;
    const SimMacroSlot& sentMacro = sent.settings.macros[slot];
    EXPECT_TRUE(sentMacro.Complete());
    ASSERT_GE(sentMacro.events.size(), 6u);
    const BuiltMacroImage image = BuildMacroImage(reloadActions, slot);
    ASSERT_EQ(image.eventBytes, 6u);
    EXPECT_EQ(std::vector<std::uint8_t>(sentMacro.events.begin(), sentMacro.events.begin() + 6),
              std::vector<std::uint8_t>(image.bytes.begin() + MacroImageLayout::kEvents,
                                        image.bytes.begin() + MacroImageLayout::kEvents + 6));
}

TEST_F(MainWindowTest, EveryShownControlIsNamedAndTheKeyboardReachesEachOnceAndPressesIt)
{
    StartConfirmed();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window);
    ASSERT_NE(iface, nullptr);
    const QStringList unnamed = AccessibleTree::UnnamedControls(iface, QStringLiteral("main"));
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral(", ")).toStdString();

    // One round of Tab visits every focus stop once and comes back to the first.
    const std::vector<CDlgBase::FocusStop> stops = window->FocusStops();
    ASSERT_GT(stops.size(), 10U);
    std::set<CControlBase*> visited;
    for (std::size_t i = 0; i < stops.size(); ++i) {
        QTest::keyClick(window, Qt::Key_Tab);
        ASSERT_NE(window->FocusControl(), nullptr);
        EXPECT_TRUE(visited.insert(window->FocusControl()).second) << window->FocusControl()->GetId();
    }
    QTest::keyClick(window, Qt::Key_Tab);
    EXPECT_EQ(window->FocusControl(), stops.front().control);

    // Space on the 500 Hz radio is the click that sends the rate; Enter and Escape stay
    // swallowed and end nothing.
    window->SetFocusControl(window->GetControl(MainId::kFirstRateRadio + 2));
    QTest::keyClick(window, Qt::Key_Return);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(Sent(CommandCode::PollingRate).empty());
    QTest::keyClick(window, Qt::Key_Space);
    WaitForExchanges();
    const auto frames = Sent(CommandCode::PollingRate);
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0][kPayload], 0x02);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(app->QuitRequested());
}

}  // namespace

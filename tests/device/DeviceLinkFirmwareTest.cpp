#include "DeviceLinkFixture.h"
#include "FlashTestDoubles.h"

#include "device/DeviceIoThread.h"
#include "device/FirmwareCheckValue.h"
#include "device/FirmwareText.h"
#include "device/FirmwareUpdateEvents.h"
#include "device/FlashMap.h"
#include "profiles/ProfileFile.h"

#include "HeldJobRunner.h"

namespace {

class DialogRecorder final : public FirmwareUpdateEvents {
public:
    std::vector<FirmwareText> texts;
    std::vector<FirmwareUpdateOutcome> outcomes;
    int lastProgress = 0;
    bool sawUpdateActive = false;
    bool flagSetBeforeNotice = false;
    const ConnectionState* connection = nullptr;

    void ShowText(const FirmwareText& text) override { texts.push_back(text); }
    void SetProgress(int value, int) override { lastProgress = value; }
    void UpdateActive() override
    {
        sawUpdateActive = true;
        flagSetBeforeNotice = connection != nullptr && connection->firmwareUpdateActive;
    }
    void Finished(FirmwareUpdateOutcome outcome) override { outcomes.push_back(outcome); }
};

constexpr std::uint16_t kUpdatableVersion = 0x0201;

}  // namespace

// The update runs on the real device thread against the simulated mouse, whose wired
// link restarts in the middle; the test thread plays the UI thread and reopens the wired
// interface when the mouse comes back, as discovery would.
class DeviceLinkFirmwareTest : public DeviceLinkFixture {
protected:
    DeviceLinkFirmwareTest()
    {
        link.Connection().wiredVersion = kUpdatableVersion;
        // The mouse's return reaches the UI thread as a posted task, as a hot-plug
        // notification would, and the wired interface is opened again there.
        mouse.SetPlugListener([this](LinkKind kind, bool plugged) {
            if (kind == LinkKind::Wired && plugged)
                ui.Post([this] {
                    m_target->SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
                });
        });
        dialog->connection = &link.Connection();
    }

    // Runs posted tasks until the dialog heard `count` outcomes.
    bool RunUntilOutcomes(DeviceLink& target, std::size_t count)
    {
        m_target = &target;
        return ui.RunUntil([&] { return dialog->outcomes.size() >= count; }, std::chrono::seconds(60));
    }

    std::shared_ptr<DialogRecorder> dialog = std::make_shared<DialogRecorder>();
    DeviceLink* m_target = &link;
};

TEST_F(DeviceLinkFirmwareTest, UpdateWritesVerifiesAndInstallsAndTheMouseHoldsTheImage)
{
    const Bytes app = MakeAppImage(101'568);
    auto image = FirmwareImage::LoadApp(app);
    ASSERT_TRUE(image.has_value());
    DeviceIoThread deviceThread;
    DeviceLink threaded(DeviceModel{profiles, settings, macros, texts, paths}, deviceThread, ui, clock, events);
    threaded.Connection().wiredVersion = kUpdatableVersion;
    dialog->connection = &threaded.Connection();
    threaded.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));

    const Bytes base = RandomBytes(FlashMap::kBaseAreaEnd, 8);
    ASSERT_EQ(threaded.StartFirmwareUpdate(*image, FirmwareImage::LoadBase(base), dialog), DeviceLink::FirmwareStart::Started);
    ASSERT_TRUE(RunUntilOutcomes(threaded, 2));

    EXPECT_EQ(dialog->outcomes,
              (std::vector<FirmwareUpdateOutcome>{FirmwareUpdateOutcome::Restarted, FirmwareUpdateOutcome::Installed}));
    EXPECT_TRUE(dialog->sawUpdateActive);
    EXPECT_GT(dialog->lastProgress, 0);
    EXPECT_TRUE(dialog->flagSetBeforeNotice);
    const auto flash = mouse.Flash().Contents();
    EXPECT_TRUE(std::equal(app.begin(), app.end(), flash.begin() + FlashMap::kUpdateAreaStart));
    EXPECT_TRUE(std::equal(base.begin(), base.end(), flash.begin()));
    EXPECT_EQ(dialog->texts.back(), FirmwareText::Status(FirmwareTextNumber::kUpToDate));
    EXPECT_EQ(FormatFirmwareText(dialog->texts.back(), texts), u"T293");
}

TEST_F(DeviceLinkFirmwareTest, WithoutTheWiredLinkTheAttentionWindowAsksForTheCable)
{
    link.CloseCommandInterface(LinkKind::Wired);
    Connect(LinkKind::Wireless);
    EXPECT_EQ(link.StartFirmwareUpdate(*FirmwareImage::LoadApp(MakeAppImage(1024)), FirmwareImage::LoadBase({}), dialog),
              DeviceLink::FirmwareStart::NoWiredInterface);
    EXPECT_EQ(events.log, (std::vector<std::string>{"attention 150 291"}));
    EXPECT_TRUE(mouse.Received().empty());
}

TEST_F(DeviceLinkFirmwareTest, RejectedWritesEndTheUpdateWithItsTextAndNeverHang)
{
    const Bytes app = MakeAppImage(4096);
    mouse.Flash().FailWrites(FlashMap::kUpdateAreaStart + 1024, 4);
    ASSERT_EQ(link.StartFirmwareUpdate(*FirmwareImage::LoadApp(app), FirmwareImage::LoadBase({}), dialog),
              DeviceLink::FirmwareStart::Started);
    ASSERT_TRUE(RunUntilOutcomes(link, 1));
    EXPECT_EQ(dialog->outcomes, (std::vector<FirmwareUpdateOutcome>{FirmwareUpdateOutcome::ImageWriteFailed}));
    EXPECT_EQ(dialog->texts.back(), FirmwareText::Status(FirmwareTextNumber::kImageWriteFailed));
    EXPECT_FALSE(link.Connection().firmwareUpdateActive);
}

// The update's steps run on a device thread the test holds, so the test sees what the UI
// thread has done between two steps.
class DeviceLinkFirmwareStepsTest : public DeviceLinkFirmwareTest {
protected:
    DeviceLinkFirmwareStepsTest()
    {
        held.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
        held.Connection().wiredVersion = kUpdatableVersion;
        held.Connection().deviceConfirmed = true;
        held.BuildDpiTable();
        held.PrimeLastSent();
        m_target = &held;
    }

    DeviceLink::FirmwareStart Start()
    {
        return held.StartFirmwareUpdate(*FirmwareImage::LoadApp(MakeAppImage(4096)), FirmwareImage::LoadBase({}),
                                        dialog);
    }
    [[nodiscard]] std::size_t FlashFramesReceived() const
    {
        return static_cast<std::size_t>(std::count_if(mouse.Received().begin(), mouse.Received().end(),
                                                      [](const SimReceivedReport& report) {
                                                          return !report.bytes.empty() && report.bytes[0] == 0xBF;
                                                      }));
    }

    HeldJobRunner jobs;
    DeviceLink held{DeviceModel{profiles, settings, macros, texts, paths}, jobs, ui, clock, events};
};

TEST_F(DeviceLinkFirmwareStepsTest, UpdateIsMarkedActiveBeforeTheRestartFrameIsWritten)
{
    std::vector<bool> activeWhenTheMouseLeft;
    mouse.SetPlugListener([&](LinkKind kind, bool plugged) {
        if (kind == LinkKind::Wired && !plugged)
            activeWhenTheMouseLeft.push_back(held.Connection().firmwareUpdateActive);
        if (kind == LinkKind::Wired && plugged)
            ui.Post([this] { held.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired)); });
    });
    ASSERT_EQ(Start(), DeviceLink::FirmwareStart::Started);
    EXPECT_EQ(jobs.RunAll(), 1);
    EXPECT_TRUE(activeWhenTheMouseLeft.empty()) << "the update stops before the restart";
    EXPECT_FALSE(held.Connection().firmwareUpdateActive);

    ui.RunPending();
    EXPECT_TRUE(held.Connection().firmwareUpdateActive);
    EXPECT_EQ(jobs.RunAll(), 1);
    EXPECT_EQ(activeWhenTheMouseLeft, std::vector<bool>{true});
    ui.RunPending();  // the mouse's return is posted; the final check is queued after it
    (void)jobs.RunAll();
    ui.RunPending();
    EXPECT_FALSE(held.FirmwareUpdateRunning());
    EXPECT_EQ(dialog->outcomes,
              (std::vector<FirmwareUpdateOutcome>{FirmwareUpdateOutcome::Restarted, FirmwareUpdateOutcome::Installed}));
}

TEST_F(DeviceLinkFirmwareStepsTest, SecondUpdateIsRefusedAndAppliesWaitForTheEnd)
{
    ASSERT_EQ(Start(), DeviceLink::FirmwareStart::Started);
    EXPECT_EQ(Start(), DeviceLink::FirmwareStart::AlreadyRunning);

    Current().PollingRateValue[0] = 1;
    held.Flags().settingsChanged = true;
    EXPECT_EQ(held.ApplyToDevice().result, ApplyResult::Deferred);
    EXPECT_EQ(jobs.Held(), 1u) << "nothing queued behind the update";
    EXPECT_TRUE(held.Flags().settingsChanged);

    events.log.clear();
    for (int step = 0; step < 3; ++step) {
        (void)jobs.RunAll();
        ui.RunPending();
    }
    EXPECT_FALSE(held.FirmwareUpdateRunning());
    EXPECT_EQ(events.log, std::vector<std::string>{"apply-timer 20"});
    mouse.ClearReceived();
    EXPECT_EQ(held.ApplyToDevice().result, ApplyResult::Applied);
    (void)jobs.RunAll();
    EXPECT_EQ(WrittenCommands(), std::vector<int>{0x04});
}

// The program ends while an update runs and an edit waits behind it: the files keep the
// edit and the next start is told that the mouse lacks it.
TEST_F(DeviceLinkFirmwareStepsTest, AnEditWaitingBehindTheUpdateIsSavedAndRecordedAtTheEnd)
{
    ASSERT_EQ(Start(), DeviceLink::FirmwareStart::Started);
    Current().PollingRateValue[0] = 2;
    held.Flags().settingsChanged = true;
    EXPECT_EQ(held.ApplyToDevice().result, ApplyResult::Deferred);
    EXPECT_TRUE(held.SavePending());

    EXPECT_FALSE(held.FinishPendingWork());
    Profile saved;
    ASSERT_TRUE(ParseProfileFile(saved, settings.ProfileSlotPath(settings.CurrentProfile())).ok);
    EXPECT_EQ(saved.PollingRateValue[0], 2);
    EXPECT_TRUE(std::filesystem::exists(paths.UnsentMarkerFile()));
}

TEST_F(DeviceLinkFirmwareStepsTest, ClosedDialogStopsTheUpdateAndHearsNothingMore)
{
    ASSERT_EQ(Start(), DeviceLink::FirmwareStart::Started);
    held.StopFirmwareUpdate();
    const std::weak_ptr<DialogRecorder> gone = dialog;
    dialog.reset();
    EXPECT_TRUE(gone.expired());
    (void)jobs.RunAll();
    ui.RunPending();
    EXPECT_EQ(FlashFramesReceived(), 0u);
    EXPECT_FALSE(held.FirmwareUpdateRunning());
    EXPECT_FALSE(held.Connection().firmwareUpdateActive);

    dialog = std::make_shared<DialogRecorder>();
    EXPECT_EQ(Start(), DeviceLink::FirmwareStart::Started);
}

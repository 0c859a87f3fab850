#include "DeviceLinkFixture.h"
#include "FlashTestDoubles.h"

#include "device/DeviceIoThread.h"
#include "device/FirmwareCheckValue.h"
#include "device/FirmwareText.h"
#include "device/FirmwareUpdateEvents.h"
#include "device/FlashMap.h"

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
        dialog.connection = &link.Connection();
    }

    // Runs posted tasks until the dialog heard `count` outcomes.
    bool RunUntilOutcomes(DeviceLink& target, std::size_t count)
    {
        m_target = &target;
        return ui.RunUntil([&] { return dialog.outcomes.size() >= count; }, std::chrono::seconds(60));
    }

    DialogRecorder dialog;
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
    dialog.connection = &threaded.Connection();
    threaded.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));

    const Bytes base = RandomBytes(FlashMap::kBaseAreaEnd, 8);
    ASSERT_TRUE(threaded.StartFirmwareUpdate(*image, FirmwareImage::LoadBase(base), dialog));
    ASSERT_TRUE(RunUntilOutcomes(threaded, 2));

    EXPECT_EQ(dialog.outcomes,
              (std::vector<FirmwareUpdateOutcome>{FirmwareUpdateOutcome::Restarted, FirmwareUpdateOutcome::Installed}));
    EXPECT_TRUE(dialog.sawUpdateActive);
    EXPECT_GT(dialog.lastProgress, 0);
    EXPECT_TRUE(dialog.flagSetBeforeNotice);
    const auto flash = mouse.Flash().Contents();
    EXPECT_TRUE(std::equal(app.begin(), app.end(), flash.begin() + FlashMap::kUpdateAreaStart));
    EXPECT_TRUE(std::equal(base.begin(), base.end(), flash.begin()));
    EXPECT_EQ(dialog.texts.back(), FirmwareText::Status(FirmwareTextNumber::kUpToDate));
    EXPECT_EQ(FormatFirmwareText(dialog.texts.back(), texts), u"T293");
}

TEST_F(DeviceLinkFirmwareTest, WithoutTheWiredLinkTheAttentionWindowAsksForTheCable)
{
    link.CloseCommandInterface(LinkKind::Wired);
    Connect(LinkKind::Wireless);
    EXPECT_FALSE(link.StartFirmwareUpdate(*FirmwareImage::LoadApp(MakeAppImage(1024)),
                                          FirmwareImage::LoadBase({}), dialog));
    EXPECT_EQ(events.log, (std::vector<std::string>{"attention 150 291"}));
    EXPECT_TRUE(mouse.Received().empty());
}

TEST_F(DeviceLinkFirmwareTest, RejectedWritesEndTheUpdateWithItsTextAndNeverHang)
{
    const Bytes app = MakeAppImage(4096);
    mouse.Flash().FailWrites(FlashMap::kUpdateAreaStart + 1024, 4);
    ASSERT_TRUE(link.StartFirmwareUpdate(*FirmwareImage::LoadApp(app), FirmwareImage::LoadBase({}), dialog));
    ASSERT_TRUE(RunUntilOutcomes(link, 1));
    EXPECT_EQ(dialog.outcomes, (std::vector<FirmwareUpdateOutcome>{FirmwareUpdateOutcome::ImageWriteFailed}));
    EXPECT_EQ(dialog.texts.back(), FirmwareText::Status(FirmwareTextNumber::kImageWriteFailed));
    EXPECT_FALSE(link.Connection().firmwareUpdateActive);
}

#include "MaintenanceTestSupport.h"

#include "CCheckFWDlg.h"
#include "DeviceLinkFirmwareUpdater.h"
#include "QtUiPoster.h"

#include "device/DeviceIoThread.h"
#include "device/DeviceLink.h"
#include "device/DeviceLinkEvents.h"
#include "device/StandaloneDeviceModel.h"
#include "device/FirmwareCheckValue.h"
#include "device/FlashFrame.h"
#include "device/FlashMap.h"
#include "device/VirtualClock.h"
#include "sim/SimulatedMouse.h"

#include <QTest>

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr auto kProtection = static_cast<std::uint8_t>(FlashOp::Protection);

Bytes RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (std::uint8_t& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

// A program image whose header starts with the check value of its body.
Bytes MakeAppImage(std::size_t size, unsigned seed = 1)
{
    Bytes image = RandomBytes(size, seed);
    const std::uint32_t check = FirmwareCheckValue(image);
    for (std::size_t i = 0; i < 4; ++i)
        image[i] = static_cast<std::uint8_t>(check >> (8 * i));
    return image;
}

QString Hex8(std::uint32_t value)
{
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0'));
}

class IgnoredEvents final : public FirmwareUpdateEvents {
public:
    void ShowText(const FirmwareText&) override {}
    void SetProgress(int, int) override {}
    void UpdateActive() override {}
    void Finished(FirmwareUpdateOutcome) override {}
};

class RecordedEvents final : public FirmwareUpdateEvents {
public:
    void ShowText(const FirmwareText&) override {}
    void SetProgress(int, int) override {}
    void UpdateActive() override {}
    void Finished(FirmwareUpdateOutcome outcome) override { finished.push_back(outcome); }

    std::vector<FirmwareUpdateOutcome> finished;
};

// Virtual time whose sleeps can be held: while closed, the device thread stops at its
// next pause, so a test can act in the middle of an update.
class GateClock final : public Clock {
public:
    std::chrono::microseconds Now() const override { return m_time.Now(); }
    void Sleep(std::chrono::milliseconds duration) override
    {
        std::unique_lock lock(m_mutex);
        if (m_closeWhen && m_closeWhen()) {
            m_closeWhen = nullptr;
            m_open = false;
        }
        ++m_sleepers;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_open; });
        --m_sleepers;
        lock.unlock();
        m_time.Sleep(duration);
    }
    void Close()
    {
        std::lock_guard lock(m_mutex);
        m_open = false;
    }
    void Open()
    {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }
    // Closes at the first pause at which `condition` holds.
    void CloseWhen(std::function<bool()> condition)
    {
        std::lock_guard lock(m_mutex);
        m_closeWhen = std::move(condition);
    }
    bool WaitForSleeper()
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(30), [this] { return m_sleepers > 0; });
    }

private:
    VirtualClock m_time;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = true;
    int m_sleepers = 0;
    std::function<bool()> m_closeWhen;
};

// The firmware window over the simulated mouse on a real device thread. The mouse's
// return after its restart reopens the wired interface on the UI thread, as discovery
// would.
class CheckFWDlgTest : public MaintenanceTest {
protected:
    CheckFWDlgTest()
    {
        mouse.Plug(LinkKind::Wired);
        link.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
        link.Connection().wiredVersion = 0x0201;
        mouse.SetPlugListener([this](LinkKind kind, bool plugged) {
            if (kind == LinkKind::Wired && plugged)
                poster.Post([this] { link.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired)); });
        });
    }
    void TearDown() override
    {
        deviceThread.WaitIdle();
        QCoreApplication::processEvents();
        mouse.SetPlugListener({});
        OwnerTest::TearDown();
    }

    std::unique_ptr<CCheckFWDlg> Open(const Bytes& app, const Bytes& base)
    {
        auto dialog = std::make_unique<CCheckFWDlg>(&owner, texts, updater, app, base,
                                                    [this](const QString& text) { imageErrors.push_back(text); });
        dialog->InitDialog();
        dialog->show();
        return dialog;
    }
    std::vector<std::uint8_t> FlashFrameOperations() const
    {
        std::vector<std::uint8_t> operations;
        for (const SimReceivedReport& report : mouse.Received()) {
            if (report.operation == SimReportOperation::SetFeature && report.bytes.size() > 3 &&
                report.bytes[0] == 0xBF)
                operations.push_back(report.bytes[3]);
        }
        return operations;
    }

    GateClock clock;
    SimulatedMouse mouse{clock};
    QtUiPoster poster;
    DeviceIoThread deviceThread;
    StandaloneDeviceModel model;
    DeviceLinkEvents linkEvents;
    DeviceLink link{model.Model(), deviceThread, poster, clock, linkEvents};
    DeviceLinkFirmwareUpdater updater{link};
    std::vector<QString> imageErrors;
};

TEST_F(CheckFWDlgTest, UpdateRunsToTheInstalledImageAndShowsEveryLabel)
{
    // 101 568 bytes: the last frame carries 64 bytes and the percentage ends at 100.1%.
    const Bytes app = MakeAppImage(101'568);
    const Bytes base = RandomBytes(FlashMap::kBaseAreaEnd, 8);
    auto dialog = Open(app, base);
    const std::uint32_t check = FirmwareCheckValue(app);
    EXPECT_EQ(dialog->ImageCheckValueText(), QStringLiteral("CS1:") + Hex8(check));

    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->Outcomes().size() >= 2; }, 120000));
    EXPECT_EQ(dialog->Outcomes(),
              (std::vector<FirmwareUpdateOutcome>{FirmwareUpdateOutcome::Restarted, FirmwareUpdateOutcome::Installed}));
    EXPECT_EQ(dialog->StatusText(), T(293));
    EXPECT_EQ(dialog->DeviceCheckValueText(), QStringLiteral("Device CS:") + Hex8(check));
    EXPECT_EQ(dialog->PercentageText(), QStringLiteral("100.1%"));
    // Four steps per written frame and one per read frame, 794 frames each way.
    EXPECT_EQ(dialog->ProgressPosition(), 794 * 5);
    EXPECT_TRUE(link.Connection().firmwareUpdateActive);
    EXPECT_TRUE(imageErrors.empty());
    const auto flash = mouse.Flash().Contents();
    EXPECT_TRUE(std::equal(app.begin(), app.end(), flash.begin() + FlashMap::kUpdateAreaStart));
    EXPECT_TRUE(std::equal(base.begin(), base.end(), flash.begin()));
}

TEST_F(CheckFWDlgTest, MouseThatTakesNoUpdatesGetsItsTextAndNoFrame)
{
    link.Connection().wiredVersion = 0x0101;
    auto dialog = Open(MakeAppImage(4096), {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->Outcomes().empty(); }, 30000));
    EXPECT_EQ(dialog->Outcomes(), (std::vector<FirmwareUpdateOutcome>{FirmwareUpdateOutcome::Unsupported}));
    EXPECT_EQ(dialog->StatusText(), T(292));
    EXPECT_TRUE(dialog->DeviceCheckValueText().isEmpty());
    EXPECT_TRUE(FlashFrameOperations().empty());
}

TEST_F(CheckFWDlgTest, MissingOrOversizedImageIsReportedAndNothingIsSent)
{
    for (const Bytes& app : {Bytes{}, MakeAppImage(159'617)}) {
        imageErrors.clear();
        auto dialog = Open(app, {});
        EXPECT_EQ(imageErrors, (std::vector<QString>{QStringLiteral("App File is Error!")})) << app.size();
        EXPECT_EQ(dialog->StatusText(), QStringLiteral("App File is Error!"));
        EXPECT_FALSE(dialog->HasTimer(CCheckFWDlg::kStartTimer));
        EXPECT_FALSE(dialog->IsUpdateHeld());
    }
    EXPECT_FALSE(link.FirmwareUpdateRunning());
    EXPECT_TRUE(mouse.Received().empty());
}

// The program's end drops the run without the window's consent: the update then stops
// before its next frame, and no event reaches the sink after that.
TEST_F(CheckFWDlgTest, DroppingTheRunStopsTheUpdateBeforeTheNextFrame)
{
    clock.Close();
    RecordedEvents first;
    auto run = updater.Start(*FirmwareImage::LoadApp(MakeAppImage(4096)),
                             FirmwareImage::LoadBase(RandomBytes(FlashMap::kBaseAreaEnd, 8)), first);
    ASSERT_NE(run, nullptr);
    ASSERT_TRUE(clock.WaitForSleeper());  // the device thread is in its first pause
    const std::size_t framesBeforeStop = FlashFrameOperations().size();

    run.reset();
    // A second update is refused while the first is still finishing.
    IgnoredEvents other;
    const auto image = *FirmwareImage::LoadApp(MakeAppImage(4096));
    EXPECT_EQ(updater.Start(image, FirmwareImage::LoadBase({}), other), nullptr);
    clock.Open();
    deviceThread.WaitIdle();
    QCoreApplication::processEvents();

    EXPECT_FALSE(link.FirmwareUpdateRunning());
    EXPECT_TRUE(first.finished.empty());  // the sink heard nothing after it was let go
    EXPECT_EQ(FlashFrameOperations().size(), framesBeforeStop);
    EXPECT_FALSE(link.Connection().firmwareUpdateActive);
    // Once it has finished, the next update may start.
    auto next = updater.Start(image, FirmwareImage::LoadBase({}), other);
    EXPECT_NE(next, nullptr);
    next.reset();
    deviceThread.WaitIdle();
}

// Every way of closing the window while the update runs is kept until the update has
// ended: the first pause of this update falls right after the base area was unlocked,
// and the mouse must come out of it with its base area written and locked again.
TEST_F(CheckFWDlgTest, AClosingAskedForMidUpdateWaitsUntilTheMouseIsWhole)
{
    struct Case {
        const char* what;
        std::function<void(CCheckFWDlg&)> close;
        int result;
    };
    const Case cases[] = {
        {"cross", [](CCheckFWDlg& d) { MouseDriver(&d).Click(CentreOf(d, CFramedDlg::kIdCloseCross)); },
         DialogResult::kCancel},
        {"close button", [](CCheckFWDlg& d) { MouseDriver(&d).Click(CentreOf(d, CFramedDlg::kIdCancel)); },
         DialogResult::kCancel},
        {"Enter", [](CCheckFWDlg& d) { QTest::keyClick(&d, Qt::Key_Return); }, DialogResult::kOk},
        {"Escape", [](CCheckFWDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }, DialogResult::kCancel},
        {"close message", [](CCheckFWDlg& d) { d.SendMessage(Msg::kClose, 0, 0); }, DialogResult::kCancel},
    };
    mouse.SetReceivedLimit(100'000);  // every frame of a whole update, the unlock included
    unsigned seed = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Images the mouse does not hold yet, so that each run rewrites the base area.
        const Bytes app = MakeAppImage(4096, ++seed);
        const Bytes base = RandomBytes(FlashMap::kBaseAreaEnd, ++seed);
        mouse.ClearReceived();
        clock.CloseWhen([this] {
            const auto operations = FlashFrameOperations();
            return !operations.empty() && operations.back() == kProtection;
        });
        auto dialog = Open(app, base);
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->IsUpdateHeld(); }, 30000));
        ASSERT_TRUE(clock.WaitForSleeper());  // in the pause after the unlock

        c.close(*dialog);
        EXPECT_FALSE(dialog->IsEnded());
        EXPECT_TRUE(dialog->IsClosePending());
        EXPECT_TRUE(dialog->IsUpdateRunning());
        clock.Open();

        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->IsEnded(); }, 120000));
        EXPECT_EQ(dialog->Result(), c.result);
        EXPECT_EQ(dialog->Outcomes(), (std::vector<FirmwareUpdateOutcome>{FirmwareUpdateOutcome::Restarted,
                                                                         FirmwareUpdateOutcome::Installed}));
        const auto operations = FlashFrameOperations();
        EXPECT_EQ(std::count(operations.begin(), operations.end(), kProtection), 2);  // unlocked, locked again
        const auto flash = mouse.Flash().Contents();
        EXPECT_TRUE(std::equal(base.begin(), base.end(), flash.begin()));
        EXPECT_TRUE(std::equal(app.begin(), app.end(), flash.begin() + FlashMap::kUpdateAreaStart));
        deviceThread.WaitIdle();
        QCoreApplication::processEvents();
        EXPECT_FALSE(link.FirmwareUpdateRunning());
    }
}

// Before the update starts and after it has ended the window closes at once.
TEST_F(CheckFWDlgTest, TheWindowClosesAtOnceWhenNoUpdateRuns)
{
    auto waiting = Open(MakeAppImage(4096), {});
    QTest::keyClick(waiting.get(), Qt::Key_Escape);
    EXPECT_TRUE(waiting->IsEnded());
    EXPECT_FALSE(waiting->IsUpdateHeld());

    link.Connection().wiredVersion = 0x0101;
    auto ended = Open(MakeAppImage(4096), {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ended->Outcomes().empty(); }, 30000));
    MouseDriver(ended.get()).Click(CentreOf(*ended, CFramedDlg::kIdCloseCross));
    EXPECT_TRUE(ended->IsEnded());
    EXPECT_EQ(ended->Result(), DialogResult::kCancel);
}

}  // namespace

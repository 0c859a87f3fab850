#include "app/sim/SimulatedMouseWindow.h"

#include "device/PostedTaskQueue.h"
#include "device/SensorCodes.h"
#include "device/StatusReport.h"
#include "device/VirtualClock.h"
#include "sim/SimHidBackend.h"
#include "sim/SimulatedMouse.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <future>
#include <map>
#include <optional>
#include <stdexcept>

namespace {

using namespace std::chrono_literals;

constexpr auto kFollowTimeout = 2s;

// The status reports of one link as the program's listener reads them. A report that
// does not come within the time-out ends the link, so a missing report fails the test
// instead of blocking it.
class StatusReader {
public:
    StatusReader(SimulatedMouse& mouse, LinkKind link)
        : m_mouse(mouse), m_link(link), m_handle(mouse.OpenStatusInterface(link))
    {
        if (!m_handle)
            throw std::logic_error("the link is unplugged");
        // The interface starts with the mouse's state; the tests read what follows it.
        if (!Next())
            throw std::logic_error("no opening status report");
    }

    [[nodiscard]] std::optional<StatusReport> Next()
    {
        auto read = std::async(std::launch::async, [this]() -> std::optional<StatusReport> {
            SimStatusReport bytes{};
            if (!m_handle->ReadInput(bytes))
                return std::nullopt;
            return StatusReport(bytes);
        });
        if (read.wait_for(kFollowTimeout) == std::future_status::timeout)
            m_mouse.Unplug(m_link);
        return read.get();
    }

private:
    SimulatedMouse& m_mouse;
    LinkKind m_link;
    std::unique_ptr<HidHandle> m_handle;
};

class SimulatedMouseWindowTest : public ::testing::Test {
protected:
    template <typename Control>
    Control& Find(const char* objectName)
    {
        auto* control = window.findChild<Control*>(QString::fromLatin1(objectName));
        if (control == nullptr)
            throw std::logic_error(std::string("no control named ") + objectName);
        return *control;
    }

    // Plugs the cable through the window and listens on it.
    StatusReader PlugCableAndListen()
    {
        Find<QCheckBox>(SimWindowControl::kWiredLink).click();
        return StatusReader(mouse, LinkKind::Wired);
    }

    [[nodiscard]] std::size_t InterfacesOf(LinkKind link)
    {
        std::size_t count = 0;
        for (const HidInterfaceInfo& info : backend.ListInterfaces())
            count += info.productId == ProductIdOf(link) ? 1 : 0;
        return count;
    }

    VirtualClock clock;
    SimulatedMouse mouse{clock};
    PostedTaskQueue poster;
    SimHidBackend backend{mouse, poster};
    SimulatedMouseWindow window{mouse};
};

TEST_F(SimulatedMouseWindowTest, LinkBoxesPlugAndUnplugTheirLinks)
{
    const std::map<const char*, LinkKind> boxes = {
        {SimWindowControl::kWiredLink, LinkKind::Wired},
        {SimWindowControl::kReceiverLink, LinkKind::Wireless},
        {SimWindowControl::kBleLink, LinkKind::Ble},
    };
    for (const auto& [name, link] : boxes) {
        SCOPED_TRACE(name);
        auto& box = Find<QCheckBox>(name);
        ASSERT_FALSE(box.isChecked());

        box.click();
        EXPECT_TRUE(mouse.IsPlugged(link));
        EXPECT_EQ(InterfacesOf(link), 3u);  // pointer, status and command collections

        box.click();
        EXPECT_FALSE(mouse.IsPlugged(link));
        EXPECT_EQ(InterfacesOf(link), 0u);
    }
    // The backend heard every change.
    EXPECT_EQ(poster.RunPending(), 6u);
}

TEST_F(SimulatedMouseWindowTest, MnemonicsWorkFromTheKeyboard)
{
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return mouse.IsPlugged(LinkKind::Wired); }, 2000));

    // A label's mnemonic gives its control the focus.
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(Find<QSpinBox>(SimWindowControl::kLaunchButtonNumber).hasFocus());
}

TEST_F(SimulatedMouseWindowTest, ControlsFollowTheMouseWithoutCallingItBack)
{
    window.show();
    auto& cable = Find<QCheckBox>(SimWindowControl::kWiredLink);
    auto& online = Find<QCheckBox>(SimWindowControl::kReceiverMouseOnline);
    auto& battery = Find<QSpinBox>(SimWindowControl::kBatteryLevel);
    auto& charge = Find<QComboBox>(SimWindowControl::kChargeState);
    auto& sensor = Find<QComboBox>(SimWindowControl::kSensor);

    mouse.Plug(LinkKind::Wired);
    EXPECT_TRUE(QTest::qWaitFor([&] { return cable.isChecked(); }, 2000));
    StatusReader status(mouse, LinkKind::Wired);

    mouse.SetReceiverMouseOnline(false);
    mouse.SetBattery(42, SimChargeState::kCharging);
    mouse.SetSensorCode(SensorCode::k3395);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return !online.isChecked() && battery.value() == 42 && charge.currentText() == QStringLiteral("Charging") &&
                   sensor.currentData().toUInt() == SensorCode::k3395;
        },
        2000));

    // What the test sent, then the marker: a control that passed its new value back to
    // the mouse would have sent a report in between.
    mouse.SetLightingMode(7);
    ASSERT_TRUE(status.Next().has_value());  // battery
    ASSERT_TRUE(status.Next().has_value());  // sensor
    const std::optional<StatusReport> marker = status.Next();
    ASSERT_TRUE(marker.has_value());
    EXPECT_EQ(marker->LightingMode(), 7);

    // A link that goes away by itself shows as unplugged.
    mouse.DisconnectAfterReports(1);
    auto command = mouse.OpenCommandInterface(LinkKind::Wired);
    std::array<std::uint8_t, ReportLength::kCommand> read{ReportId::kCommand};
    (void)command->GetFeature(read);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !cable.isChecked(); }, 2000));
    EXPECT_FALSE(mouse.IsPlugged(LinkKind::Wired));
}

TEST_F(SimulatedMouseWindowTest, ReceiverOnlineBoxTakesTheReceiversMouseOffAndOnLine)
{
    Find<QCheckBox>(SimWindowControl::kReceiverLink).click();
    StatusReader status(mouse, LinkKind::Wireless);
    auto& online = Find<QCheckBox>(SimWindowControl::kReceiverMouseOnline);
    ASSERT_TRUE(online.isChecked());

    online.click();
    std::optional<StatusReport> report = status.Next();
    ASSERT_TRUE(report.has_value());
    EXPECT_FALSE(report->ReceiverMouseOnline());
    EXPECT_FALSE(mouse.State().receiverMouseOnline);

    online.click();
    report = status.Next();
    ASSERT_TRUE(report.has_value());
    EXPECT_TRUE(report->ReceiverMouseOnline());
}

TEST_F(SimulatedMouseWindowTest, DpiButtonStepsToTheNextLevel)
{
    StatusReader status = PlugCableAndListen();
    const std::uint8_t before = mouse.State().live.dpiLevel;

    Find<QPushButton>(SimWindowControl::kDpiButton).click();

    const std::optional<StatusReport> report = status.Next();
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->DpiLevel(), before + 1);
}

TEST_F(SimulatedMouseWindowTest, ReportRateButtonCyclesFrom125To1000Hz)
{
    StatusReader status = PlugCableAndListen();
    auto& button = Find<QPushButton>(SimWindowControl::kReportRateButton);
    ASSERT_EQ(mouse.State().live.pollingCode, ReportedPollingCode::k1000Hz);

    for (const std::uint8_t expected : {ReportedPollingCode::k125Hz, ReportedPollingCode::k250Hz,
                                        ReportedPollingCode::k500Hz, ReportedPollingCode::k1000Hz}) {
        button.click();
        const std::optional<StatusReport> report = status.Next();
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->PollingCode(), expected);
    }

    // From a rate the button does not offer it starts again at 125 Hz.
    mouse.SetPollingCode(ReportedPollingCode::k2000Hz);
    ASSERT_TRUE(status.Next().has_value());
    button.click();
    const std::optional<StatusReport> report = status.Next();
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->PollingCode(), ReportedPollingCode::k125Hz);
}

TEST_F(SimulatedMouseWindowTest, LaunchButtonIsPressedThenReleased)
{
    StatusReader status = PlugCableAndListen();
    auto& number = Find<QSpinBox>(SimWindowControl::kLaunchButtonNumber);
    number.setFocus();
    for (int step = 0; step < 3; ++step)
        QTest::keyClick(&number, Qt::Key_Up);
    ASSERT_EQ(number.value(), 4);

    Find<QPushButton>(SimWindowControl::kLaunchButton).click();

    const std::optional<StatusReport> pressed = status.Next();
    const std::optional<StatusReport> released = status.Next();
    ASSERT_TRUE(pressed.has_value());
    ASSERT_TRUE(released.has_value());
    EXPECT_EQ(pressed->LaunchButton(), 4);
    EXPECT_EQ(released->LaunchButton(), 0);
}

TEST_F(SimulatedMouseWindowTest, TypedBatteryLevelAndChosenChargeStateReachTheNextReport)
{
    window.show();
    StatusReader status = PlugCableAndListen();
    auto& level = Find<QSpinBox>(SimWindowControl::kBatteryLevel);
    level.setFocus();
    QTest::keyClick(&level, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&level, Qt::Key_3);
    // The mouse changes while the user pauses in typing: the window follows it and loses
    // nothing of what was typed.
    auto& online = Find<QCheckBox>(SimWindowControl::kReceiverMouseOnline);
    const bool wasOnline = online.isChecked();
    mouse.SetReceiverMouseOnline(!wasOnline);
    ASSERT_TRUE(QTest::qWaitFor([&] { return online.isChecked() != wasOnline; }, 2000));
    QTest::keyClick(&level, Qt::Key_7);
    QTest::keyClick(&level, Qt::Key_Return);

    // One report for the whole number, none for the "3" typed on the way.
    std::optional<StatusReport> report = status.Next();
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->BatteryLevel(), 37);
    EXPECT_EQ(report->ChargeCode(), SimChargeState::kOnBattery);

    auto& charge = Find<QComboBox>(SimWindowControl::kChargeState);
    charge.setFocus();
    QTest::keyClick(&charge, Qt::Key_Down);
    report = status.Next();
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->BatteryLevel(), 37);
    EXPECT_EQ(report->ChargeCode(), ReportedChargeCode::kCharging);
}

TEST_F(SimulatedMouseWindowTest, SensorChoicesSendEveryCodeTheProgramKnows)
{
    StatusReader status = PlugCableAndListen();
    auto& sensor = Find<QComboBox>(SimWindowControl::kSensor);
    ASSERT_EQ(sensor.count(), static_cast<int>(kSensorCodes.size()));
    sensor.setFocus();

    // Home goes to the first entry (the mouse starts on another), then Down through the rest.
    for (std::size_t index = 0; index < kSensorCodes.size(); ++index) {
        QTest::keyClick(&sensor, index == 0 ? Qt::Key_Home : Qt::Key_Down);
        const std::optional<StatusReport> report = status.Next();
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->SensorCode(), kSensorCodes[index].code);
        EXPECT_EQ(SensorModelOfCode(report->SensorCode()), kSensorCodes[index].model);
    }
}

// The mnemonic letter of a text ("&Cable" gives 'c'); "&&" is a plain ampersand.
std::optional<QChar> Mnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toLower();
        ++i;
    }
    return std::nullopt;
}

TEST_F(SimulatedMouseWindowTest, EveryControlHasANameAndItsOwnMnemonic)
{
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Simulated mouse"));

    std::map<QChar, QString> mnemonics;
    const auto claim = [&mnemonics](const QString& text) {
        const std::optional<QChar> letter = Mnemonic(text);
        if (!letter)
            return;
        const auto [taken, inserted] = mnemonics.emplace(*letter, text);
        EXPECT_TRUE(inserted) << text.toStdString() << " and " << taken->second.toStdString() << " share Alt+"
                              << QString(*letter).toStdString();
    };
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        claim(button->text());
    for (const QLabel* label : window.findChildren<QLabel*>())
        claim(label->text());
    for (const QGroupBox* group : window.findChildren<QGroupBox*>())
        claim(group->title());

    QList<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
            qobject_cast<QComboBox*>(widget))
            controls.append(widget);
    }
    EXPECT_EQ(controls.size(), 11);
    for (QWidget* control : controls) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty()) << control->objectName().toStdString();
        EXPECT_NE(control->focusPolicy() & Qt::TabFocus, 0) << control->objectName().toStdString();
    }

    // For review: how the window looks.
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(CORVANE_SCREENSHOT_DIR)));
    EXPECT_TRUE(window.grab().save(QStringLiteral(CORVANE_SCREENSHOT_DIR "/simulated-mouse-window.png")));
}

TEST(SimulatedMouseWindowPlacementTest, GoesRightOfTheMainWindowElseLeftAndStaysOnTheScreen)
{
    struct Case {
        const char* what;
        QRect available;
        QRect mainFrame;
        QPoint expected;
    };
    const QSize size(300, 400);
    const std::vector<Case> cases = {
        {"room on the right", {0, 0, 1920, 1040}, {100, 100, 800, 600}, {908, 100}},
        {"right edge: goes left", {0, 0, 1920, 1040}, {1100, 100, 800, 600}, {792, 100}},
        {"no room either side", {0, 0, 1920, 1040}, {0, 0, 1920, 1040}, {1620, 0}},
        {"low main window: raised", {0, 0, 1920, 1040}, {100, 900, 400, 100}, {508, 640}},
        {"main window above the area", {0, 30, 1920, 1010}, {100, -50, 400, 300}, {508, 30}},
        {"second screen", {1920, 0, 1280, 1024}, {2000, 50, 800, 600}, {2808, 50}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        EXPECT_EQ(SimulatedMouseWindow::PlaceBeside(test.mainFrame, size, test.available), test.expected);
    }
}

}  // namespace

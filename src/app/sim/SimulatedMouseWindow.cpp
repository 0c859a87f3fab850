#include "app/sim/SimulatedMouseWindow.h"

#include "app/sim/GroupFrameStyle.h"

#include "device/SensorCodes.h"
#include "device/StatusReport.h"
#include "sim/SimulatedMouse.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The rates the mouse's report-rate button steps through, in its order; from any other
// rate the button starts again at the first.
constexpr std::array<std::uint8_t, 4> kReportRateButtonCycle = {
    ReportedPollingCode::k125Hz, ReportedPollingCode::k250Hz, ReportedPollingCode::k500Hz,
    ReportedPollingCode::k1000Hz};

constexpr int kFirstLaunchButton = 1;
constexpr int kLastLaunchButton = 6;
constexpr int kFullBattery = 100;
constexpr int kBesideGap = 8;  // pixels between the main window and this one

struct ChargeChoice {
    const char* text;
    std::uint8_t code;
};

static_assert(SimChargeState::kCharging == ReportedChargeCode::kCharging &&
                  SimChargeState::kFull == ReportedChargeCode::kFull,
              "the simulated mouse reports the charge codes the device layer reads");
constexpr std::array<ChargeChoice, 3> kChargeChoices = {{
    {"Discharging", SimChargeState::kOnBattery},
    {"Charging", SimChargeState::kCharging},
    {"Full", SimChargeState::kFull},
}};

struct LinkChoice {
    LinkKind link;
    const char* objectName;
    const char* text;
};

constexpr std::array<LinkChoice, kLinkKindCount> kLinkChoices = {{
    {LinkKind::Wired, SimWindowControl::kWiredLink, "&Cable (wired link)"},
    {LinkKind::Wireless, SimWindowControl::kReceiverLink, "&Receiver (wireless link)"},
    {LinkKind::Ble, SimWindowControl::kBleLink, "&Bluetooth LE link"},
}};

[[nodiscard]] std::uint8_t NextReportRate(std::uint8_t current)
{
    const auto* found = std::find(kReportRateButtonCycle.begin(), kReportRateButtonCycle.end(), current);
    if (found == kReportRateButtonCycle.end() || std::next(found) == kReportRateButtonCycle.end())
        return kReportRateButtonCycle.front();
    return *std::next(found);
}

[[nodiscard]] QString SensorText(const SensorCodeEntry& entry)
{
    return QStringLiteral("%1 (code 0x%2)")
        .arg(QStringLiteral("%1").arg(entry.model, 4, 16, QLatin1Char('0')).toUpper(),
             QStringLiteral("%1").arg(entry.code, 2, 16, QLatin1Char('0')).toUpper());
}

void SetCheckedQuietly(QCheckBox& box, bool checked)
{
    const QSignalBlocker quiet(box);
    box.setChecked(checked);
}

// An entry whose data is not listed leaves the combo showing nothing, rather than a wrong value.
void SelectDataQuietly(QComboBox& combo, std::uint8_t data)
{
    const QSignalBlocker quiet(combo);
    combo.setCurrentIndex(combo.findData(data));
}

[[nodiscard]] QLabel* BuddyLabel(const QString& text, QWidget& buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(&buddy);
    return label;
}

}  // namespace

SimulatedMouseWindow::SimulatedMouseWindow(SimulatedMouse& mouse, QWidget* parent)
    : QWidget(parent, Qt::Window), m_mouse(mouse)
{
    setWindowTitle(QStringLiteral("Simulated mouse"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildLinks());
    layout->addWidget(BuildButtons());
    layout->addWidget(BuildBattery());
    layout->addWidget(BuildSensor());
    layout->addStretch();
    // The frames of the group boxes are the window's only use of Fusion's pictures; see
    // GroupFrameStyle for what reading them the usual way costs.
    auto* groupStyle = new GroupFrameStyle;
    groupStyle->setParent(this);
    for (QGroupBox* group : findChildren<QGroupBox*>())
        group->setStyle(groupStyle);

    FollowMouse();
    m_mouse.SetStateListener([this] { MouseChanged(); });
}

SimulatedMouseWindow::~SimulatedMouseWindow()
{
    // Waits for a listener call in progress, which holds the mouse's lock.
    m_mouse.SetStateListener(nullptr);
}

void SimulatedMouseWindow::MouseChanged()
{
    if (m_followPosted.exchange(true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_followPosted = false;
            if (isVisible())
                FollowMouse();
        },
        Qt::QueuedConnection);
}

QGroupBox* SimulatedMouseWindow::BuildLinks()
{
    auto* group = new QGroupBox(QStringLiteral("Links"));
    auto* layout = new QVBoxLayout(group);
    for (const LinkChoice& choice : kLinkChoices) {
        auto* box = new QCheckBox(QString::fromLatin1(choice.text));
        box->setObjectName(QString::fromLatin1(choice.objectName));
        box->setToolTip(QStringLiteral("Checked while the link is plugged in"));
        connect(box, &QCheckBox::toggled, this, [this, link = choice.link](bool plugged) { SetLinkPlugged(link, plugged); });
        m_linkBoxes[LinkIndex(choice.link)] = box;
        layout->addWidget(box);
    }
    m_receiverMouseOnline = new QCheckBox(QStringLiteral("Receiver's mouse &on line"));
    m_receiverMouseOnline->setObjectName(QString::fromLatin1(SimWindowControl::kReceiverMouseOnline));
    m_receiverMouseOnline->setToolTip(QStringLiteral("Whether the receiver reaches its mouse"));
    connect(m_receiverMouseOnline, &QCheckBox::toggled, this,
            [this](bool online) { m_mouse.SetReceiverMouseOnline(online); });
    layout->addWidget(m_receiverMouseOnline);
    return group;
}

QGroupBox* SimulatedMouseWindow::BuildButtons()
{
    auto* group = new QGroupBox(QStringLiteral("Buttons"));
    auto* layout = new QGridLayout(group);

    auto* dpi = new QPushButton(QStringLiteral("Press &DPI button"));
    dpi->setObjectName(QString::fromLatin1(SimWindowControl::kDpiButton));
    connect(dpi, &QPushButton::clicked, this, [this] { m_mouse.PressDpiButton(); });
    layout->addWidget(dpi, 0, 0, 1, 2);

    auto* reportRate = new QPushButton(QStringLiteral("Press re&port-rate button"));
    reportRate->setObjectName(QString::fromLatin1(SimWindowControl::kReportRateButton));
    reportRate->setToolTip(QStringLiteral("Steps through 125, 250, 500 and 1000 Hz"));
    connect(reportRate, &QPushButton::clicked, this, [this] { PressReportRateButton(); });
    layout->addWidget(reportRate, 1, 0, 1, 2);

    m_launchButtonNumber = new QSpinBox;
    m_launchButtonNumber->setObjectName(QString::fromLatin1(SimWindowControl::kLaunchButtonNumber));
    m_launchButtonNumber->setRange(kFirstLaunchButton, kLastLaunchButton);
    m_launchButtonNumber->setAccessibleName(QStringLiteral("Launch button number"));
    layout->addWidget(BuddyLabel(QStringLiteral("Launch butto&n:"), *m_launchButtonNumber), 2, 0);
    layout->addWidget(m_launchButtonNumber, 2, 1);

    auto* launch = new QPushButton(QStringLiteral("Press &launch button"));
    launch->setObjectName(QString::fromLatin1(SimWindowControl::kLaunchButton));
    launch->setToolTip(QStringLiteral("Presses and releases the numbered button, which launches its program"));
    connect(launch, &QPushButton::clicked, this, [this] { PressLaunchButton(); });
    layout->addWidget(launch, 3, 0, 1, 2);
    return group;
}

QGroupBox* SimulatedMouseWindow::BuildBattery()
{
    auto* group = new QGroupBox(QStringLiteral("Battery"));
    auto* layout = new QFormLayout(group);

    m_batteryLevel = new QSpinBox;
    m_batteryLevel->setObjectName(QString::fromLatin1(SimWindowControl::kBatteryLevel));
    m_batteryLevel->setRange(0, kFullBattery);
    m_batteryLevel->setSuffix(QStringLiteral(" %"));
    m_batteryLevel->setAccessibleName(QStringLiteral("Battery level in percent"));
    // Typing "57" sends one status report for 57, not one for 5 first.
    m_batteryLevel->setKeyboardTracking(false);
    connect(m_batteryLevel, &QSpinBox::valueChanged, this, [this] { ApplyBattery(); });
    layout->addRow(BuddyLabel(QStringLiteral("Battery le&vel:"), *m_batteryLevel), m_batteryLevel);

    m_chargeState = new QComboBox;
    m_chargeState->setObjectName(QString::fromLatin1(SimWindowControl::kChargeState));
    m_chargeState->setAccessibleName(QStringLiteral("Charging state"));
    for (const ChargeChoice& choice : kChargeChoices)
        m_chargeState->addItem(QString::fromLatin1(choice.text), choice.code);
    connect(m_chargeState, &QComboBox::currentIndexChanged, this, [this] { ApplyBattery(); });
    layout->addRow(BuddyLabel(QStringLiteral("C&harging state:"), *m_chargeState), m_chargeState);
    return group;
}

QGroupBox* SimulatedMouseWindow::BuildSensor()
{
    auto* group = new QGroupBox(QStringLiteral("Sensor"));
    auto* layout = new QFormLayout(group);
    m_sensor = new QComboBox;
    m_sensor->setObjectName(QString::fromLatin1(SimWindowControl::kSensor));
    m_sensor->setAccessibleName(QStringLiteral("Sensor model"));
    for (const SensorCodeEntry& entry : kSensorCodes)
        m_sensor->addItem(SensorText(entry), entry.code);
    connect(m_sensor, &QComboBox::currentIndexChanged, this, [this] { ApplySensor(); });
    layout->addRow(BuddyLabel(QStringLiteral("&Sensor model:"), *m_sensor), m_sensor);
    return group;
}

void SimulatedMouseWindow::SetLinkPlugged(LinkKind link, bool plugged)
{
    if (plugged)
        m_mouse.Plug(link);
    else
        m_mouse.Unplug(link);
}

void SimulatedMouseWindow::PressReportRateButton()
{
    // Only this window moves the live rate by itself, so reading and setting in two
    // steps loses nothing.
    m_mouse.SetPollingCode(NextReportRate(m_mouse.State().live.pollingCode));
}

void SimulatedMouseWindow::PressLaunchButton()
{
    m_mouse.PressLaunchButton(static_cast<std::uint8_t>(m_launchButtonNumber->value()));
    m_mouse.ReleaseLaunchButton();
}

void SimulatedMouseWindow::ApplyBattery()
{
    const QVariant chosen = m_chargeState->currentData();
    const std::uint8_t chargeState =
        chosen.isValid() ? static_cast<std::uint8_t>(chosen.toUInt()) : m_mouse.State().live.chargeState;
    m_mouse.SetBattery(static_cast<std::uint8_t>(m_batteryLevel->value()), chargeState);
}

void SimulatedMouseWindow::ApplySensor()
{
    const QVariant chosen = m_sensor->currentData();
    if (chosen.isValid())
        m_mouse.SetSensorCode(static_cast<std::uint8_t>(chosen.toUInt()));
}

void SimulatedMouseWindow::FollowMouse()
{
    for (const LinkChoice& choice : kLinkChoices)
        SetCheckedQuietly(*m_linkBoxes[LinkIndex(choice.link)], m_mouse.IsPlugged(choice.link));
    const SimMouseState state = m_mouse.State();
    SetCheckedQuietly(*m_receiverMouseOnline, state.receiverMouseOnline);
    // A level being typed is not overwritten under the user's fingers. Setting the same
    // value would still rewrite and repaint the box at every poll.
    if (!m_batteryLevel->hasFocus() && m_batteryLevel->value() != state.live.battery) {
        const QSignalBlocker quiet(m_batteryLevel);
        m_batteryLevel->setValue(state.live.battery);
    }
    SelectDataQuietly(*m_chargeState, state.live.chargeState);
    SelectDataQuietly(*m_sensor, state.live.sensorCode);
}

void SimulatedMouseWindow::showEvent(QShowEvent* event)
{
    // Changes while hidden were not followed.
    FollowMouse();
    QWidget::showEvent(event);
}

void SimulatedMouseWindow::ShowBeside(const QWidget& mainWindow)
{
    adjustSize();
    const QScreen* screen = mainWindow.screen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : mainWindow.frameGeometry();
    move(PlaceBeside(mainWindow.frameGeometry(), frameGeometry().size(), available));
    show();
}

QPoint SimulatedMouseWindow::PlaceBeside(const QRect& mainFrame, const QSize& size, const QRect& available)
{
    const int availableEnd = available.left() + available.width();
    int x = mainFrame.left() + mainFrame.width() + kBesideGap;
    if (x + size.width() > availableEnd) {
        const int left = mainFrame.left() - kBesideGap - size.width();
        x = left >= available.left() ? left : availableEnd - size.width();
    }
    const int lastX = std::max(available.left(), availableEnd - size.width());
    const int lastY = std::max(available.top(), available.top() + available.height() - size.height());
    return {std::clamp(x, available.left(), lastX), std::clamp(mainFrame.top(), available.top(), lastY)};
}

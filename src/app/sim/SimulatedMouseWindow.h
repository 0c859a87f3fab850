#pragma once

#include "device/LinkKind.h"

#include <QWidget>

#include <array>
#include <atomic>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QSpinBox;
class SimulatedMouse;

// The object names of the window's controls, for tests and for finding them in the tree.
namespace SimWindowControl {
inline constexpr char kWiredLink[] = "wiredLink";
inline constexpr char kReceiverLink[] = "receiverLink";
inline constexpr char kBleLink[] = "bleLink";
inline constexpr char kReceiverMouseOnline[] = "receiverMouseOnline";
inline constexpr char kDpiButton[] = "pressDpiButton";
inline constexpr char kReportRateButton[] = "pressReportRateButton";
inline constexpr char kLaunchButtonNumber[] = "launchButtonNumber";
inline constexpr char kLaunchButton[] = "pressLaunchButton";
inline constexpr char kBatteryLevel[] = "batteryLevel";
inline constexpr char kChargeState[] = "chargeState";
inline constexpr char kSensor[] = "sensor";
}  // namespace SimWindowControl

// The "Simulated mouse" window that --simulate opens beside the main window: plugs and
// unplugs the mouse's three links, takes the receiver's mouse on and off line, presses
// its DPI, report-rate and launch buttons, and sets its battery and sensor. Every control
// calls the mouse directly; the controls follow the mouse's changes while the window is
// shown, so a link the program or a fault unplugs shows as unplugged. The mouse must
// outlive the window, whose state listener it is.
class SimulatedMouseWindow : public QWidget {
public:
    explicit SimulatedMouseWindow(SimulatedMouse& mouse, QWidget* parent = nullptr);
    ~SimulatedMouseWindow() override;
    SimulatedMouseWindow(const SimulatedMouseWindow&) = delete;
    SimulatedMouseWindow& operator=(const SimulatedMouseWindow&) = delete;

    // Shows the window next to the main window: to its right when that fits on the main
    // window's screen, else to its left, kept inside the screen's available area.
    void ShowBeside(const QWidget& mainWindow);
    // Where a window of `size` goes beside `mainFrame` within `available`.
    [[nodiscard]] static QPoint PlaceBeside(const QRect& mainFrame, const QSize& size, const QRect& available);

protected:
    void showEvent(QShowEvent* event) override;

private:
    [[nodiscard]] QGroupBox* BuildLinks();
    [[nodiscard]] QGroupBox* BuildButtons();
    [[nodiscard]] QGroupBox* BuildBattery();
    [[nodiscard]] QGroupBox* BuildSensor();

    void SetLinkPlugged(LinkKind link, bool plugged);
    void PressReportRateButton();
    void PressLaunchButton();
    void ApplyBattery();
    void ApplySensor();
    // Puts the mouse's state into the controls without calling the mouse back.
    void FollowMouse();
    // The mouse changed (on any thread): the controls follow once the window's thread
    // gets to it; several changes before then are followed once.
    void MouseChanged();

    SimulatedMouse& m_mouse;
    std::array<QCheckBox*, kLinkKindCount> m_linkBoxes{};
    QCheckBox* m_receiverMouseOnline = nullptr;
    QSpinBox* m_launchButtonNumber = nullptr;
    QSpinBox* m_batteryLevel = nullptr;
    QComboBox* m_chargeState = nullptr;
    QComboBox* m_sensor = nullptr;
    std::atomic<bool> m_followPosted{false};
};

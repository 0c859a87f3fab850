#include "app/bus/WindowBusControl.h"

#include "app/CCorvaneDlg.h"
#include "app/MainWindowIds.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/DpiStepTable.h"
#include "keyfunc/popups/CComboProfilePopup.h"
#include "profiles/AppSettings.h"
#include "profiles/Profile.h"
#include "profiles/ProfileTable.h"
#include "ui/CControlBase.h"
#include "ui/UiMessages.h"
#include "ui/UiState.h"

#include <algorithm>
#include <array>

namespace {

// The rates of the window's four rate buttons, by PollingRateValue index.
constexpr std::array<std::uint32_t, MainId::kRateRadioCount> kWindowRates{125, 250, 500, 1000};
constexpr std::uint32_t kLowestRate = 125;
constexpr std::uint8_t kHighestRateIndex = 6;  // 8000 Hz
constexpr std::uint32_t kDpiStep = 50;

std::string BusLinkName(std::optional<LinkKind> link)
{
    if (!link)
        return {};
    switch (*link) {
    case LinkKind::Wired:
        return "wired";
    case LinkKind::Wireless:
        return "receiver";
    case LinkKind::Ble:
        return "ble";
    }
    return {};
}

}  // namespace

WindowBusControl::WindowBusControl(std::function<CCorvaneDlg*()> window, std::function<void()> restore)
    : m_window(std::move(window)), m_restore(std::move(restore))
{
}

std::optional<ProgramState> WindowBusControl::State() const
{
    const CCorvaneDlg* window = m_window();
    if (window == nullptr)
        return std::nullopt;
    const MainWindowModel& model = window->Model();
    const DeviceLink& link = model.link;
    const AppSettings& settings = model.settings;
    const Profile& profile = model.profiles.Current(settings);
    ProgramState state;

    // As the battery gauge shows it: a level above 100 reads 0.
    const BatteryState& battery = link.Battery();
    state.batteryLevel = BatteryDisplay::ShownLevel(battery.batteryLevel);
    state.charging = static_cast<std::uint32_t>(battery.chargeState);
    if (link.Connection().deviceConfirmed)
        state.link = BusLinkName(model.discovery.LinkInCharge());

    state.profile = static_cast<std::uint32_t>(settings.CurrentProfile());
    state.profileName = profile.GetSetting(ProfileSetting::ProfileName);
    const std::uint8_t level = link.LastDpiLevel();
    state.dpiLevel = level + 1U;
    const std::size_t position = profile.XYSettingX[std::min<std::size_t>(level, Profile::kDpiLevelCount - 1)];
    state.dpi = position < link.DpiTable().PositionCount() ? link.DpiTable().DpiDividedBy50(position) * kDpiStep : 0;
    state.pollingRate = kLowestRate << std::min(profile.PollingRateValue[0], kHighestRateIndex);

    for (int shown = 0; shown < settings.ProfileShowCount(); ++shown)
        state.listedProfiles.push_back(static_cast<std::uint32_t>(settings.ProfileShowList(shown)));
    for (std::uint32_t k = 0; k < Profile::kDpiLevelCount; ++k) {
        if ((profile.DPIOffOnFlag & (1U << k)) != 0)
            state.enabledDpiLevels.push_back(k + 1);
    }
    // The rate section cannot be opened while its header is disabled (Bluetooth).
    const CControlBase* rateHeader = window->GetControl(MainId::kHeaderRate);
    if (rateHeader != nullptr && !rateHeader->IsDisabled())
        state.pollingRates.assign(kWindowRates.begin(), kWindowRates.end());
    return state;
}

void WindowBusControl::Activate()
{
    m_restore();
}

void WindowBusControl::SwitchProfile(std::uint32_t profile)
{
    CCorvaneDlg* window = m_window();
    if (window == nullptr)
        return;
    // A click on the profile's entry of the profile list.
    const AppSettings& settings = window->Model().settings;
    for (int position = 0; position < settings.ProfileShowCount(); ++position) {
        if (settings.ProfileShowList(position) == static_cast<int>(profile)) {
            (void)window->SendMessage(CComboProfilePopup::kResultMessage, CComboProfilePopup::kClicked,
                                      CComboProfilePopup::kFirstProfileEntry + position);
            return;
        }
    }
}

void WindowBusControl::SetDpiLevel(std::uint32_t level)
{
    CCorvaneDlg* window = m_window();
    if (window == nullptr || level < 1 || level > Profile::kDpiLevelCount)
        return;
    // What the level's button does on a click: the buttons up to it are lit, then it
    // notifies the window.
    UiState::Instance().DpiLevelMask = static_cast<std::uint8_t>((1U << level) - 1U);
    (void)window->SendMessage(MainId::kFirstDpiLevel + static_cast<int>(level) - 1, 0, NotifyCode::kClick);
}

void WindowBusControl::SetPollingRate(std::uint32_t hertz)
{
    CCorvaneDlg* window = m_window();
    const auto found = std::find(kWindowRates.begin(), kWindowRates.end(), hertz);
    if (window == nullptr || found == kWindowRates.end())
        return;
    // The rate's radio button: selected, then it notifies the window.
    const int id = MainId::kFirstRateRadio + static_cast<int>(found - kWindowRates.begin());
    (void)UiState::Instance().SelectRadio(id);
    (void)window->SendMessage(id, 0, NotifyCode::kClick);
}

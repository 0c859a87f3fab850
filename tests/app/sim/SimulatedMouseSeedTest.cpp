#include "app/sim/SimulatedMouseSeed.h"

#include "device/BatteryState.h"
#include "device/ConnectionState.h"
#include "device/ListenerMemory.h"
#include "device/StatusReportProcessor.h"
#include "device/VirtualClock.h"
#include "profiles/Profile.h"
#include "profiles/ProfileDefaults.h"
#include "sim/SimulatedMouse.h"
#include "support/TestTexts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr std::uint16_t kSensor = 0x3311;

struct SeedCase {
    std::string name;
    std::function<void(Profile&)> edit;
};

}  // namespace

// The state the mouse reports when the program starts listening is taken into the
// current profile; a mouse that reported its factory state would undo the user's last
// changes at every start under --simulate.
TEST(SimulatedMouseSeed, TheStateReportedAtStartLeavesTheCurrentProfileAsItIs)
{
    const LanguageTexts texts = NumberedTexts();
    const SeedCase cases[] = {
        {"fresh profile", [](Profile&) {}},
        {"500 Hz", [](Profile& profile) { profile.PollingRateValue = {2, 0, 0}; }},
        {"125 Hz and DPI level 4",
         [](Profile& profile) {
             profile.PollingRateValue = {0, 0, 0};
             profile.CurrentDPILevel = 3;
         }},
        {"power times and movement lighting",
         [](Profile& profile) {
             profile.SetIntSetting(ProfileSetting::PowerDownTime, 5);
             profile.SetIntSetting(ProfileSetting::RgbOffTime, 3);
             profile.SetBoolSetting(ProfileSetting::MoveLightingOnOffMode, true);
         }},
    };
    for (const SeedCase& c : cases) {
        SCOPED_TRACE(c.name);
        Profile profile;
        ResetProfile(profile, 0, texts, kSensor);
        c.edit(profile);

        VirtualClock clock;
        SimulatedMouse mouse(clock);
        mouse.Plug(LinkKind::Wired);
        SeedSimulatedMouse(mouse, profile, kSensor);
        EXPECT_TRUE(mouse.Received().empty());

        const std::unique_ptr<HidHandle> status = mouse.OpenStatusInterface(LinkKind::Wired);
        ASSERT_NE(status, nullptr);
        StatusReport::Bytes bytes{};
        ASSERT_TRUE(status->ReadInput(bytes));

        ConnectionState connection;
        BatteryState battery;
        ListenerMemory memory;
        StatusReportProcessor processor(connection, battery, memory, texts);
        LinkPresence presence{};
        presence[static_cast<std::size_t>(LinkKind::Wired)] = true;
        Profile afterStart = profile;
        (void)processor.Process(StatusReport(bytes), LinkKind::Wired, presence, afterStart, kSensor);
        EXPECT_EQ(afterStart, profile);
    }
}

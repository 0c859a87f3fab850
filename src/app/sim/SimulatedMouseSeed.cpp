#include "app/sim/SimulatedMouseSeed.h"

#include "device/CommandExchanger.h"
#include "device/DpiStepTable.h"
#include "device/HidHandle.h"
#include "device/LastSentCopies.h"
#include "device/SettingsCommands.h"
#include "device/VirtualClock.h"
#include "sim/SimulatedMouse.h"

#include <memory>
#include <vector>

void SeedSimulatedMouse(SimulatedMouse& mouse, const Profile& profile, std::uint16_t sensorModel)
{
    DpiStepTable table;
    if (!table.Build(sensorModel))
        return;
    const std::unique_ptr<HidHandle> handle = mouse.OpenCommandInterface(LinkKind::Wired);
    if (!handle)
        return;
    // Empty copies: every settings command goes, as to a mouse whose state is unknown.
    LastSentCopies copies;
    std::vector<CommandRequest> commands = SettingsCommands::SendSettings(profile, table, copies);
    if (auto power = SettingsCommands::SendPowerSaving(profile, copies))
        commands.push_back(*power);
    if (auto sensor = SettingsCommands::SendSensorOptions(profile, copies))
        commands.push_back(*sensor);
    // A virtual clock: the settle pauses cost nothing before the window shows.
    VirtualClock clock;
    CommandExchanger exchanger(clock);
    for (const CommandRequest& command : commands)
        (void)exchanger.Exchange(handle.get(), command);
    mouse.ClearReceived();
}

#pragma once

#include <cstdint>

class SimulatedMouse;
struct Profile;

// A real mouse keeps what it was last sent from one run to the next; the simulated one
// starts each run at its factory settings. Under --simulate it is given, before the
// program opens it, the settings commands the program would send for its current profile
// on the cable, so that the state it reports at start agrees with the files instead of
// writing factory values over the user's last changes. Needs the cable plugged; the
// commands are not kept among the mouse's received reports.
void SeedSimulatedMouse(SimulatedMouse& mouse, const Profile& profile, std::uint16_t sensorModel);

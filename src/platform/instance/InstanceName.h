#pragma once

#include <QString>

#include <filesystem>

// The program's front door on the session bus, and the name a run answers to.
namespace CorvaneBus {
// Owned by the program that drives the user's real mouse: one per user session.
inline constexpr char kServiceName[] = "org.corvane.Corvane";
inline constexpr char kObjectPath[] = "/org/corvane/Corvane";
inline constexpr char kInterface[] = "org.corvane.Corvane1";
inline constexpr char kActivate[] = "Activate";
// A run on the simulated mouse owns kServiceName + "." + kSimulatedElement + the first kFolderHashLength
// hex digits of the SHA-256 of its canonical data folder, so tests and the user's real
// program run side by side and every data folder has one run of its own.
inline constexpr char kSimulatedElement[] = "Sim_";
inline constexpr int kFolderHashLength = 16;
}  // namespace CorvaneBus

// The name one run of the program answers to: its bus name, and the stem of the lock
// and socket files that stand in for the bus where there is none.
struct InstanceName {
    QString busName;
    QString fileKey;

    // The run on the real mouse has one name whatever its data folder; a run on the
    // simulated mouse has one per canonical data folder.
    [[nodiscard]] static InstanceName ForRun(bool simulate, const std::filesystem::path& dataFolder);
};

// The folder as one path whatever way it was written: absolute, with links, "." and ".."
// resolved as far as the folder exists, and without a trailing separator. "D", "D/",
// "./D" and a link to D give the same path.
[[nodiscard]] std::filesystem::path CanonicalFolder(const std::filesystem::path& folder);

#pragma once

#include "profiles/Profile.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

struct DataPaths;

// Positions of the 17 application settings pairs (config.ini), used by position only.
enum class AppSetting : std::size_t {
    NeedPassword = 0,
    Sensor,
    PreST,
    MacId,
    DataChange,
    CurrentProfile,
    ProfileShowCount,
    ProfileShowList0,  // ..ProfileShowList4 at 7..11
    ProfileSlot0URL = 12,  // ..ProfileSlot4URL at 12..16
};

// The program's application-wide settings: 17 ordered key/value texts. Numbers are
// parsed at each use. Values that index tables are read within bounds: a current
// profile outside 0..4 reads as 0 and a show count outside 1..5 is clamped into it. The
// show list always reads as an order of the five profiles: entries that are out of range
// or repeat an earlier one are replaced by the missing profiles in ascending order, so a
// damaged file can neither select a missing profile nor make adding a profile reset one
// that is already shown.
class AppSettings {
public:
    static constexpr std::size_t kPairCount = 17;
    static constexpr int kProfileCount = 5;
    static constexpr std::uint16_t kDefaultSensor = 0x3311;

    [[nodiscard]] const SettingPair& Pair(std::size_t k) const { return m_pairs[k]; }
    [[nodiscard]] SettingPair& Pair(std::size_t k) { return m_pairs[k]; }
    // The value of pair k; an empty text for k above 16.
    [[nodiscard]] const std::u16string& Value(std::size_t k) const;
    [[nodiscard]] const std::u16string& Value(AppSetting k) const;
    void SetValue(AppSetting k, std::u16string value);

    // NeedPassword as a decimal number: 1 starts the program hidden until the mouse answers.
    [[nodiscard]] int NeedPassword() const;
    [[nodiscard]] int CurrentProfile() const;
    void SetCurrentProfile(int index);
    [[nodiscard]] int ProfileShowCount() const;
    void SetProfileShowCount(int count);
    [[nodiscard]] int ProfileShowList(int position) const;
    [[nodiscard]] std::array<int, kProfileCount> ProfileShowOrder() const;
    void SetProfileShowList(int position, int index);
    // The file of profile `slot`. A relative path is taken from the data folder (see
    // UseDataFolder); without one, as it is.
    [[nodiscard]] std::filesystem::path ProfileSlotPath(int slot) const;

    // Ties the settings to the data folder they were read from. A slot path that names
    // the default profile file of another data folder (".../config/default3.psf" of a
    // copied or moved folder) is taken as the same file of this one, so a copy never
    // writes into the original's files and a moved folder finds its profiles.
    void UseDataFolder(const DataPaths& paths);

    // "Sensor", "PreST" and "Mac_ID" are written "0x" plus at least four upper-case
    // hexadecimal digits.
    void SetSensorText(std::uint16_t sensor);
    void SetPreSTText(std::uint16_t value);
    void SetMacIdText(std::uint32_t value);
    [[nodiscard]] std::uint16_t ParseSensorText() const;
    [[nodiscard]] std::uint16_t ParsePreSTText() const;

    // The mouse's sensor as the program currently knows it: parsed from "Sensor" at
    // start-up, replaced when the mouse reports another sensor.
    [[nodiscard]] std::uint16_t SensorId() const { return m_sensorId; }
    void SetSensorId(std::uint16_t sensor) { m_sensorId = sensor; }

    // Sets all 17 pairs, keys and values, to their defaults, and uses the data folder.
    // The slot paths are full paths, except where the data folder's own path could not
    // stand in one line of the file (a line break in it): then they are the paths
    // relative to the data folder ("config/default0.psf").
    void WriteSettingDefaults(const DataPaths& paths);
    // Empties every pair (the state before anything is loaded).
    void Clear();

private:
    [[nodiscard]] int ValueAsInt(std::size_t k) const;

    std::array<SettingPair, kPairCount> m_pairs;
    std::uint16_t m_sensorId = kDefaultSensor;
    std::filesystem::path m_dataFolder;
};

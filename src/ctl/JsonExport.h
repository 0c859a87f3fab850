#pragma once

#include <nlohmann/json.hpp>

class AppSettings;
class MacroLibrary;
struct MacroItemLocation;
struct MacroKey;
struct Profile;

// JSON views of the model's records, keyed by the records' own field names. Texts are
// UTF-8, byte fields arrays of integers, colours integers 0x00BBGGRR, macro actions
// arrays of the four bytes b0..b3.
namespace JsonExport {

[[nodiscard]] nlohmann::ordered_json ProfileJson(const Profile& profile);
[[nodiscard]] nlohmann::ordered_json SettingsJson(const AppSettings& settings);
[[nodiscard]] nlohmann::ordered_json MacroKeyJson(const MacroKey& macro);
[[nodiscard]] nlohmann::ordered_json LocationJson(const MacroItemLocation& location);
// The macro tree as nested items, with the next number and the file's marker.
[[nodiscard]] nlohmann::ordered_json MacroLibraryJson(const MacroLibrary& library, const MacroItemLocation& marker);

}  // namespace JsonExport

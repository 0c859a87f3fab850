#include "ctl/JsonExport.h"

#include "macros/MacroLibrary.h"
#include "profiles/AppSettings.h"
#include "profiles/Profile.h"
#include "profiles/TextNumbers.h"

namespace JsonExport {
namespace {

using Json = nlohmann::ordered_json;

std::string Utf8(std::u16string_view text)
{
    return TextNumbers::ToUtf8(text);
}

template <typename Container>
Json Numbers(const Container& values)
{
    Json array = Json::array();
    for (const auto value : values) {
        array.push_back(static_cast<std::uint64_t>(value));
    }
    return array;
}

template <typename Grid>
Json NumberGrid(const Grid& rows)
{
    Json array = Json::array();
    for (const auto& row : rows) {
        array.push_back(Numbers(row));
    }
    return array;
}

template <typename Pairs>
Json PairsJson(const Pairs& pairs)
{
    Json array = Json::array();
    for (const SettingPair& pair : pairs) {
        array.push_back(Json::array({Utf8(pair.key), Utf8(pair.value)}));
    }
    return array;
}

Json ItemJson(const MacroLibrary& library, const MacroItemLocation& location);

Json ChildrenJson(const MacroLibrary& library, const MacroItemLocation& parent)
{
    Json children = Json::array();
    if (parent.stage >= 2) {
        return children;
    }
    for (std::int32_t slot = 0; slot < MacroLibrary::kBlockSize; ++slot) {
        const MacroItemLocation child = parent.stage == 0
                                            ? MacroItemLocation::Level1(parent.stage0Index, slot)
                                            : MacroItemLocation::Level2(parent.stage0Index, parent.stage1Index, slot);
        const MacroItem* item = library.Item(child);
        if (item != nullptr && item->IsUsed()) {
            children.push_back(ItemJson(library, child));
        }
    }
    return children;
}

Json ItemJson(const MacroLibrary& library, const MacroItemLocation& location)
{
    const MacroItem& item = *library.Item(location);
    Json json;
    json["name"] = Utf8(item.name);
    json["location"] = LocationJson(location);
    json["isFolder"] = item.isFolder ? 1 : 0;
    json["folderIsOpen"] = static_cast<std::int32_t>(item.folderIsOpen);
    if (item.macro) {
        json["macro"] = MacroKeyJson(*item.macro);
    }
    Json children = ChildrenJson(library, location);
    if (!children.empty()) {
        json["children"] = std::move(children);
    }
    return json;
}

}  // namespace

Json MacroKeyJson(const MacroKey& macro)
{
    Json json;
    json["name"] = Utf8(macro.name);
    json["MacroKeyIndex"] = macro.MacroKeyIndex;
    json["MacroActionNum"] = macro.MacroActionNum;
    Json actions = Json::array();
    for (const MacroAction action : macro.actions) {
        actions.push_back(Json::array({action.Byte(0), action.Byte(1), action.Byte(2), action.Byte(3)}));
    }
    json["actions"] = std::move(actions);
    json["MacroKeyLoopType"] = macro.MacroKeyLoopType;
    json["MacroKeyLoopNum"] = macro.MacroKeyLoopNum;
    json["MacroCommandActionNum"] = macro.MacroCommandActionNum;
    return json;
}

Json ProfileJson(const Profile& p)
{
    Json json;
    json["Settings"] = PairsJson(p.Settings);
    Json keys = Json::array();
    for (const KeyAssignment& key : p.Keys) {
        Json entry;
        entry["Name"] = Utf8(key.Name);
        entry["URL"] = Utf8(key.URL);
        entry["Value"] = Numbers(key.Value);
        entry["MacroKeyIndex"] = key.MacroKeyIndex;
        entry["Macro"] = MacroKeyJson(key.Macro);
        keys.push_back(std::move(entry));
    }
    json["Keys"] = std::move(keys);
    json["PollingRateName"] = Utf8(p.PollingRateName);
    json["PollingRateValue"] = Numbers(p.PollingRateValue);
    json["Lighting1OffOn"] = p.Lighting1OffOn;
    json["Lighting1Name"] = Utf8(p.Lighting1Name);
    json["Lighting1ModeValue"] = Numbers(p.Lighting1ModeValue);
    json["Lighting1Speed"] = Numbers(p.Lighting1Speed);
    json["Lighting1Brightness"] = Numbers(p.Lighting1Brightness);
    json["Lighting1ColorSelected"] = NumberGrid(p.Lighting1ColorSelected);
    json["Lighting1FixedColor"] = NumberGrid(p.Lighting1FixedColor);
    json["Lighting1Direction"] = Numbers(p.Lighting1Direction);
    json["Lighting2OffOn"] = p.Lighting2OffOn;
    json["Lighting2Name"] = Utf8(p.Lighting2Name);
    json["Lighting2ModeValue"] = Numbers(p.Lighting2ModeValue);
    json["Lighting2Speed"] = p.Lighting2Speed;
    json["Lighting2Brightness"] = p.Lighting2Brightness;
    json["Lighting2FixedColor"] = p.Lighting2FixedColor;
    json["DPIOffOnFlag"] = p.DPIOffOnFlag;
    json["XYSettingX"] = Numbers(p.XYSettingX);
    json["XYSettingY"] = Numbers(p.XYSettingY);
    json["CurrentDPILevel"] = p.CurrentDPILevel;
    json["DPILevelIndication"] = Numbers(p.DPILevelIndication);
    json["AngleSnapValue"] = p.AngleSnapValue;
    json["LiftDetectionValue"] = p.LiftDetectionValue;
    return json;
}

Json SettingsJson(const AppSettings& settings)
{
    Json pairs = Json::array();
    for (std::size_t k = 0; k < AppSettings::kPairCount; ++k) {
        pairs.push_back(Json::array({Utf8(settings.Pair(k).key), Utf8(settings.Pair(k).value)}));
    }
    Json json;
    json["Settings"] = std::move(pairs);
    return json;
}

Json LocationJson(const MacroItemLocation& location)
{
    Json json;
    json["stage"] = location.stage;
    json["stage0Index"] = location.stage0Index;
    json["stage1Index"] = location.stage1Index;
    json["stage2Index"] = location.stage2Index;
    return json;
}

Json MacroLibraryJson(const MacroLibrary& library, const MacroItemLocation& marker)
{
    Json json;
    json["MacroKeyIndex"] = library.NextNumber();
    json["SelectLocation"] = LocationJson(marker);
    Json items = Json::array();
    for (std::int32_t slot = 0; slot < MacroLibrary::kBlockSize; ++slot) {
        const MacroItemLocation location = MacroItemLocation::Level0(slot);
        const MacroItem* item = library.Item(location);
        if (item != nullptr && item->IsUsed()) {
            items.push_back(ItemJson(library, location));
        }
    }
    json["Items"] = std::move(items);
    return json;
}

}  // namespace JsonExport

#include "PopupTestSupport.h"

#include "keyfunc/popups/CComboActionInsertPopup.h"
#include "keyfunc/popups/CComboLightingPopup.h"
#include "keyfunc/popups/CComboPollingRatePopup.h"
#include "keyfunc/popups/CDPILockPopup.h"
#include "keyfunc/popups/CDPIPopup.h"
#include "keyfunc/popups/CMacroListPopup.h"
#include "keyfunc/popups/CMultimediaPopup.h"
#include "keyfunc/popups/COfficePopup.h"
#include "keyfunc/popups/CProfileRKeyPopup.h"
#include "keyfunc/popups/CWindowsManagePopup.h"

namespace {

// One entry as the user sees it and what clicking it must deliver.
struct ExpectedEntry {
    int id;
    std::u16string caption;
    FunctionValue value;
    std::u16string name;  // the record's name
};

struct ListCase {
    const char* label;
    PopupFactory factory;
    UiMessage resultMessage;
    std::vector<ExpectedEntry> entries;
};

// Entries whose name is their caption, a language text.
std::vector<ExpectedEntry> Captioned(std::initializer_list<std::pair<int, FunctionValue>> idsAndBytes, int firstText)
{
    std::vector<ExpectedEntry> entries;
    int text = firstText;
    for (const auto& [id, value] : idsAndBytes) {
        entries.push_back({id, Text(text), value, Text(text)});
        ++text;
    }
    return entries;
}

std::vector<ListCase> Cases()
{
    std::vector<ListCase> cases;
    cases.push_back({"DPI functions", [] { return new CDPIPopup(ShippedTexts(Lang::English)); }, Msg::kUser + 17,
                     Captioned({{1, {0x40, 0x02, 0x00}}, {2, {0x40, 0x03, 0x00}}, {3, {0x40, 0x01, 0x00}}}, 40)});
    cases.push_back({"multimedia", [] { return new CMultimediaPopup(ShippedTexts(Lang::English)); }, Msg::kUser + 20,
                     Captioned({{1, {0x80, 0x83, 0x01}},
                                {2, {0x80, 0xB6, 0x00}},
                                {3, {0x80, 0xB5, 0x00}},
                                {4, {0x80, 0xB7, 0x00}},
                                {5, {0x80, 0xCD, 0x00}},
                                {6, {0x80, 0xE2, 0x00}},
                                {7, {0x80, 0xE9, 0x00}},
                                {8, {0x80, 0xEA, 0x00}},
                                {9, {0x80, 0x8A, 0x01}},
                                {10, {0x80, 0x92, 0x01}}},
                               45)});
    cases.push_back({"office", [] { return new COfficePopup(ShippedTexts(Lang::English)); }, Msg::kUser + 137,
                     Captioned({{1, {0x70, 0x01, 0x06}},
                                {2, {0x70, 0x01, 0x19}},
                                {3, {0x70, 0x01, 0x1B}},
                                {4, {0x70, 0x01, 0x04}},
                                {5, {0x70, 0x01, 0x11}},
                                {6, {0x70, 0x01, 0x16}},
                                {7, {0x70, 0x01, 0x13}},
                                {8, {0x70, 0x08, 0x08}},
                                {9, {0x70, 0x01, 0x1D}}},
                               60)});
    cases.push_back({"Windows functions", [] { return new CWindowsManagePopup(ShippedTexts(Lang::English)); }, Msg::kUser + 134,
                     Captioned({{1, {0x80, 0x94, 0x01}},
                                {2, {0x70, 0x04, 0x3D}},
                                {3, {0x70, 0x08, 0x07}},
                                {4, {0x70, 0x08, 0x15}},
                                {5, {0x70, 0x08, 0x51}},
                                {6, {0x70, 0x08, 0x52}}},
                               75)});
    cases.push_back({"profile actions", [] { return new CProfileRKeyPopup(ShippedTexts(Lang::English)); }, Msg::kUser + 140,
                     Captioned({{1, {0, 0, 0}}, {2, {1, 0, 0}}, {3, {2, 0, 0}}, {4, {3, 0, 0}}}, 90)});

    std::vector<ExpectedEntry> insert = Captioned({{1, {0, 0, 0}}, {2, {1, 0, 0}}, {3, {2, 0, 0}}}, 20);
    const std::vector<ExpectedEntry> insertRest = Captioned(
        {{4, {3, 0, 0}}, {5, {4, 0, 0}}, {6, {5, 0, 0}}, {7, {6, 0, 0}}, {8, {7, 0, 0}}, {9, {8, 0, 0}}}, 205);
    insert.insert(insert.end(), insertRest.begin(), insertRest.end());
    cases.push_back({"insert action", [] { return new CComboActionInsertPopup(ShippedTexts(Lang::English)); }, Msg::kUser + 143, insert});

    // Lighting: entries 1..7 are modes 1..7; entry 10 (text 109) is mode 0.
    std::vector<ExpectedEntry> lighting = Captioned({{1, {1, 0, 0}},
                                                     {2, {2, 0, 0}},
                                                     {3, {3, 0, 0}},
                                                     {4, {4, 0, 0}},
                                                     {5, {5, 0, 0}},
                                                     {6, {6, 0, 0}},
                                                     {7, {7, 0, 0}}},
                                                    100);
    lighting.push_back({10, Text(109), {0, 0, 0}, Text(109)});
    cases.push_back({"lighting", [] { return new CComboLightingPopup(ShippedTexts(Lang::English)); }, Msg::kUser + 121, lighting});

    cases.push_back({"report rate", [] { return new CComboPollingRatePopup(); }, Msg::kUser + 111,
                     {{1, u"125Hz", {0, 0, 0}, u"125Hz"},
                      {2, u"250Hz", {1, 0, 0}, u"250Hz"},
                      {3, u"500Hz", {2, 0, 0}, u"500Hz"},
                      {4, u"1000Hz", {3, 0, 0}, u"1000Hz"}}});

    // The macro list sends no name; every command keeps its number whatever is offered.
    const auto macroEntries = [](std::initializer_list<int> ids) {
        std::vector<ExpectedEntry> entries;
        for (const int id : ids)
            entries.push_back({id, Text(244 + id), {static_cast<std::uint8_t>(id - 1), 0, 0}, u""});
        return entries;
    };
    cases.push_back({"macro list, nothing selected", [] { return new CMacroListPopup(ShippedTexts(Lang::English), 0); },
                     Msg::kUser + 145, macroEntries({1, 2, 4, 7, 8})});
    cases.push_back({"macro list, macro selected", [] { return new CMacroListPopup(ShippedTexts(Lang::English), 1); },
                     Msg::kUser + 145, macroEntries({1, 2, 3, 4, 5, 6, 7, 8})});
    cases.push_back({"macro list, folder selected", [] { return new CMacroListPopup(ShippedTexts(Lang::English), 2); },
                     Msg::kUser + 145, macroEntries({1, 2, 4, 5, 6, 7, 8})});
    cases.push_back({"macro list, another mode", [] { return new CMacroListPopup(ShippedTexts(Lang::English), 7); },
                     Msg::kUser + 145, macroEntries({1, 2, 3, 4, 5, 6, 7, 8})});
    return cases;
}

class FunctionListsTest : public PopupFixture {};

TEST_F(FunctionListsTest, EveryEntryInOrderDeliversItsRecordToTheOpener)
{
    for (const ListCase& c : Cases()) {
        SCOPED_TRACE(c.label);
        owner.records.clear();
        CMenuPopup* popup = Open(c.factory, c.resultMessage);

        std::vector<std::pair<int, std::u16string>> shown;
        for (const MenuEntry& entry : popup->Entries()) {
            shown.emplace_back(entry.id, entry.caption);
            EXPECT_FALSE(entry.sub);
        }
        std::vector<std::pair<int, std::u16string>> wanted;
        std::vector<ReceivedRecord> expectedRecords;
        for (const ExpectedEntry& entry : c.entries) {
            wanted.emplace_back(entry.id, entry.caption);
            expectedRecords.push_back({c.resultMessage, kOpener, entry.value, entry.name});
        }
        EXPECT_EQ(shown, wanted);

        // Each click goes through the pointer: onto the entry, press, release.
        for (const ExpectedEntry& entry : c.entries)
            ClickEntry(popup, entry.id);
        EXPECT_EQ(owner.records, expectedRecords);
    }
}

TEST_F(FunctionListsTest, DpiLockCodeFollowsTheSensorAndTheNameCarriesTheDpi)
{
    struct SensorCase {
        std::uint16_t sensor;
        std::array<std::uint8_t, 11> codes;
    };
    const SensorCase cases[] = {
        {0x3212, {0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06}},
        {0x3311, {0x04, 0x06, 0x09, 0x0B, 0x0E, 0x10, 0x12, 0x15, 0x17, 0x19, 0x1C}},
        {0x3325, {0x04, 0x06, 0x08, 0x0B, 0x0D, 0x0F, 0x12, 0x14, 0x16, 0x19, 0x1B}},
        {0x3335, {0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x09, 0x0A, 0x0B, 0x0C, 0x0D}},
        {0x0205, {0x04, 0x06, 0x08, 0x0A, 0x0C, 0x0E, 0x10, 0x12, 0x14, 0x16, 0x18}},
        {0x3205, {0x01, 0x03, 0x05, 0x07, 0x09, 0x0B, 0x0D, 0x0F, 0x11, 0x13, 0x15}},
        {0x3395, {0x01, 0x03, 0x05, 0x07, 0x09, 0x0B, 0x0D, 0x0F, 0x11, 0x13, 0x15}},
        {0x3950, {0x01, 0x03, 0x05, 0x07, 0x09, 0x0B, 0x0D, 0x0F, 0x11, 0x13, 0x15}},
    };
    const std::u16string dpis[] = {u"200", u"300", u"400", u"500", u"600", u"700",
                                   u"800", u"900", u"1000", u"1100", u"1200"};
    const LanguageTexts& texts = ShippedTexts(Lang::English);
    for (const SensorCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "sensor 0x" << std::hex << c.sensor);
        owner.records.clear();
        CMenuPopup* popup = Open([&] { return new CDPILockPopup(texts, c.sensor); }, Msg::kUser + 131);
        ASSERT_EQ(popup->Entries().size(), 11u);
        std::vector<ReceivedRecord> expected;
        for (int id = 1; id <= 11; ++id) {
            EXPECT_EQ(popup->Entries()[static_cast<std::size_t>(id - 1)].caption, dpis[id - 1]);
            ClickEntry(popup, id);
            expected.push_back({Msg::kUser + 131, kOpener, {0x50, c.codes[static_cast<std::size_t>(id - 1)], 0x00},
                                u"DPI Lock-" + dpis[id - 1]});
        }
        EXPECT_EQ(owner.records, expected);
    }
}

TEST_F(FunctionListsTest, NamesFollowTheChosenLanguage)
{
    const LanguageTexts& chinese = ShippedTexts(Lang::Chinese);
    CMenuPopup* lock = Open([&] { return new CDPILockPopup(chinese, 0x3311); }, Msg::kUser + 131);
    ClickEntry(lock, 7);
    CMenuPopup* office = Open([&] { return new COfficePopup(chinese); }, Msg::kUser + 137, 1);
    ClickEntry(office, 6);
    const std::vector<ReceivedRecord> expected{
        {Msg::kUser + 131, kOpener, {0x50, 0x12, 0x00}, chinese.Text(36) + u"-800"},
        {Msg::kUser + 137, kOpener, {0x70, 0x01, 0x16}, chinese.Text(65)},
    };
    EXPECT_EQ(owner.records, expected);
    EXPECT_EQ(chinese.Text(65), u"保存");
}

}  // namespace

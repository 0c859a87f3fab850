#include "profiles/ProfileFile.h"

#include "profiles/AppSettings.h"
#include "profiles/DataPaths.h"
#include "profiles/Profile.h"
#include "profiles/ProfileDefaults.h"
#include "support/TempFolder.h"
#include "support/TestTexts.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

std::vector<std::u16string> SplitLines(const std::u16string& text)
{
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(u'\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::u16string JoinLines(const std::vector<std::u16string>& lines)
{
    std::u16string text;
    for (const auto& line : lines) {
        text += line + u"\n";
    }
    return text;
}

// A profile in which every field differs from the defaults and from its neighbours.
Profile PatternedProfile()
{
    Profile p;
    ResetProfile(p, 1, NumberedTexts(), SensorIds::k3311);
    std::uint8_t n = 1;
    for (auto& pair : p.Settings) {
        pair.value = u"v\u00E9" + TextNumbers::Decimal(n++);
    }
    p.PollingRateName = u"500HZ";
    p.PollingRateValue = {2, 0xAB, 0xCD};
    p.Lighting1ModeValue = {9, 0x12, 0x34};
    for (std::size_t m = 0; m < 10; ++m) {
        p.Lighting1Speed[m] = n++;
        p.Lighting1Brightness[m] = n++;
        p.Lighting1Direction[m] = static_cast<std::uint8_t>(m % 2);
        for (std::size_t s = 0; s < 10; ++s) {
            p.Lighting1ColorSelected[m][s] = static_cast<std::uint8_t>((m + s) % 2);
            p.Lighting1FixedColor[m][s] = 0x010203u * static_cast<std::uint32_t>(m * 10 + s + 1);
        }
    }
    p.Lighting2Name = u"\u4E2D\u6587";
    p.Lighting2FixedColor = 0x00C0FFEE;
    p.DPIOffOnFlag = 0x81;
    for (std::size_t l = 0; l < 8; ++l) {
        p.XYSettingX[l] = static_cast<std::uint16_t>(0x1000 + l);
        p.XYSettingY[l] = static_cast<std::uint16_t>(0xF000 + l);
        p.DPILevelIndication[l] = 0x00ABCDEFu - static_cast<std::uint32_t>(l);
    }
    p.CurrentDPILevel = 7;
    p.AngleSnapValue = 0xFE;
    for (std::size_t b = 0; b < 6; ++b) {
        KeyAssignment& key = p.Keys[b];
        key.URL = u"C:\\Games\\run" + TextNumbers::Decimal(static_cast<std::int64_t>(b)) + u".exe";
        key.Value = {0x90, static_cast<std::uint8_t>(b), 0x7F};
        key.MacroKeyIndex = 4000000000u + static_cast<std::uint32_t>(b);
        key.Macro.name = b == 0 ? u"" : u"macro=" + TextNumbers::Decimal(static_cast<std::int64_t>(b));
        key.Macro.MacroActionNum = static_cast<std::uint32_t>(b * 3);
        for (std::uint32_t s = 0; s < MacroKey::kMaxActions; ++s) {
            key.Macro.actions[s].raw = 0x01020304u * (s + 1) + static_cast<std::uint32_t>(b);
        }
    }
    return p;
}

class ProfileFileTest : public ::testing::Test {
protected:
    ProfileFileTest()
    {
        std::filesystem::create_directories(paths.ConfigFolder());
        settings.WriteSettingDefaults(paths);
        ResetProfile(defaults, 3, texts, SensorIds::k3311);
        EXPECT_TRUE(WriteProfileFile(defaults, folder / "p.psf"));
        lines = SplitLines(ReadUtf16File(folder / "p.psf"));
    }

    // Writes the default profile's lines after `edit` and reads them with the plain parser.
    FileCheck ParseEdited(const std::function<void(std::vector<std::u16string>&)>& edit, Profile& into)
    {
        std::vector<std::u16string> edited = lines;
        edit(edited);
        WriteUtf16File(folder / "edited.psf", JoinLines(edited));
        return ParseProfileFile(into, folder / "edited.psf");
    }

    TempFolder folder;
    DataPaths paths{folder.Path(), {}};
    LanguageTexts texts = NumberedTexts();
    AppSettings settings;
    Profile defaults;
    std::vector<std::u16string> lines;
};

}  // namespace

TEST_F(ProfileFileTest, WrittenAndReadBackIsTheSameRecord)
{
    const Profile original = PatternedProfile();
    ASSERT_TRUE(WriteProfileFile(original, folder / "round.psf"));
    Profile read;
    const FileCheck check = ParseProfileFile(read, folder / "round.psf");
    ASSERT_TRUE(check.ok) << check.failingLine;
    EXPECT_EQ(read, original);
}

TEST_F(ProfileFileTest, LinesHaveTheFixedLayout)
{
    ASSERT_EQ(lines.size(), 111u);
    EXPECT_EQ(lines[0], u"[Setting]");
    EXPECT_EQ(lines[1], u"ProfileName=T88");
    EXPECT_EQ(lines[25], u"DPIOffOnFlagValue=3F");
    EXPECT_EQ(lines[26], u"\tXYSetting1ValueX=0009");
    EXPECT_EQ(lines[41], u"\tXYSetting8ValueY=0077");
    EXPECT_EQ(lines[42], u"\tCurrentDPILevelValue=01");
    EXPECT_EQ(lines[43], u"\tDPILevelIndication0Valuer=FF0000");
    EXPECT_EQ(lines[44], u"\tDPILevelIndication1Valuer=0000FF");
    EXPECT_EQ(lines[53], u"PollingRateName=1000HZ");
    EXPECT_EQ(lines[54], u"\tPollingRateValue=030000");
    EXPECT_EQ(lines[58], u"\tLighting1Speed=01|01|01|01|01|01|01|01|01|01");
    EXPECT_EQ(lines[60].substr(0, 24 + 30), u"\tLighting1ColorSelected=00|00|00|00|00|00|00|00|00|00;");
    EXPECT_EQ(lines[61].size(), 21u + 100 * 7);
    EXPECT_EQ(lines[61].substr(21 + 30 * 7, 14), u"FF0000|00FF00|");
    EXPECT_EQ(lines[62], u"\tLighting1Direction=00|01|00|00|00|00|00|00|00|00");
    EXPECT_EQ(lines[68], u"\tLighting2FixedColor=000000");
    EXPECT_EQ(lines[69], u"Key0Name=T20");
    EXPECT_EQ(lines[71], u"\tKey0Value=100100");
    EXPECT_EQ(lines[72], u"\tMacroKeyIndex=0");
    EXPECT_EQ(lines[73], u"\tMacroKey0Name=");
    EXPECT_EQ(lines[74], u"\t\tMacroActionNum=0");
    EXPECT_EQ(lines[75], u"\t\tAllAction=" + std::u16string(2000, u'0'));
    EXPECT_EQ(lines[110].substr(0, 12), u"\t\tAllAction=");
}

TEST_F(ProfileFileTest, ReaderChecksEachLineByItsShape)
{
    struct Case {
        const char* what;
        std::function<void(std::vector<std::u16string>&)> edit;
        std::size_t failingLine;  // 0 = the file is read completely
    };
    const Case cases[] = {
        {"wrong first line", [](auto& l) { l[0] = u"[setting]"; }, 1},
        {"empty settings value", [](auto& l) { l[2] = u"GameFile0="; }, 0},
        {"settings line without key", [](auto& l) { l[2] = u"=x"; }, 3},
        {"fixed line without =", [](auto& l) { l[25] = u"DPIOffOnFlagValue"; }, 26},
        {"short field", [](auto& l) { l[26] = u"\tXYSetting1ValueX=12"; }, 0},
        {"name line without key", [](auto& l) { l[53] = u"=1000HZ"; }, 54},
        {"macro name line without key", [](auto& l) { l[73] = u"=x"; }, 0},
        {"empty macro index", [](auto& l) { l[72] = u"\tMacroKeyIndex="; }, 73},
        {"1999 action digits", [](auto& l) { l[75].pop_back(); }, 76},
        {"2001 action digits", [](auto& l) { l[75].push_back(u'0'); }, 76},
        {"ends after button 4", [](auto& l) { l.resize(104); }, 105},
        {"empty line inside", [](auto& l) { l[80] = u""; }, 81},
        {"anything after button 5 is ignored", [](auto& l) { l.push_back(u"garbage"); }, 0},
    };
    for (const Case& c : cases) {
        Profile read;
        const FileCheck check = ParseEdited(c.edit, read);
        EXPECT_EQ(check.ok, c.failingLine == 0) << c.what;
        EXPECT_EQ(check.failingLine, c.failingLine) << c.what;
    }
}

TEST_F(ProfileFileTest, ShortFieldReadsTheDigitsThatAreThere)
{
    Profile read;
    ASSERT_TRUE(ParseEdited([](auto& l) { l[26] = u"\tXYSetting1ValueX=12"; }, read).ok);
    EXPECT_EQ(read.XYSettingX[0], 0x12);
}

TEST_F(ProfileFileTest, SwappedPairLinesSwapKeysAndValues)
{
    Profile read;
    ASSERT_TRUE(ParseEdited([](auto& l) { std::swap(l[5], l[6]); }, read).ok);
    EXPECT_EQ(read.Settings[4].key, u"PointerSpeed");
    EXPECT_EQ(read.Settings[4].value, u"5");
    EXPECT_EQ(read.GetIntSetting(ProfileSetting::DoubleClickSpeed), 5);
}

TEST_F(ProfileFileTest, ValuesThatIndexTablesAreKeptWithinBounds)
{
    Profile read;
    ASSERT_TRUE(ParseEdited(
                    [](auto& l) {
                        l[42] = u"\tCurrentDPILevelValue=08";
                        l[54] = u"\tPollingRateValue=07ABCD";
                        l[56] = u"\tLighting1ModeValue=0A0000";
                        l[74] = u"\t\tMacroActionNum=300";
                    },
                    read)
                    .ok);
    EXPECT_EQ(read.CurrentDPILevel, 1);
    EXPECT_EQ(read.PollingRateValue, (std::array<std::uint8_t, 3>{3, 0xAB, 0xCD}));
    EXPECT_EQ(read.Lighting1ModeValue[0], 1);
    EXPECT_EQ(read.Keys[0].Macro.MacroActionNum, 250u);
}

TEST_F(ProfileFileTest, FailedReadResetsTheProfileAndRewritesItsOwnSlot)
{
    std::vector<std::u16string> truncated = lines;
    truncated.resize(104);
    WriteUtf16File(folder / "import.psf", JoinLines(truncated));

    Profile target = PatternedProfile();
    const FileCheck check = ReadProfileFile(target, 2, folder / "import.psf", settings, texts);
    EXPECT_FALSE(check.ok);
    Profile expected;
    ResetProfile(expected, 2, texts, SensorIds::k3311);
    EXPECT_EQ(target, expected);
    Profile slot;
    ASSERT_TRUE(ParseProfileFile(slot, paths.DefaultProfileFile(2)).ok);
    EXPECT_EQ(slot, expected);
    EXPECT_EQ(ReadUtf16File(folder / "import.psf"), JoinLines(truncated)) << "the source is not touched";
}

TEST_F(ProfileFileTest, UnwritableFolderReportsFailure)
{
    EXPECT_FALSE(WriteProfileFile(defaults, folder / "missing" / "p.psf"));
}

TEST_F(ProfileFileTest, TextsThatWouldBreakTheirLineAreNotWritten)
{
    struct Case {
        const char* what;
        std::function<void(Profile&)> spoil;
    };
    const std::u16string bad[] = {u"Work\nX=1", u"Work\r", u"a\u2028b", std::u16string(u"a\0b", 3), u"\u0085"};
    std::vector<Case> cases;
    for (const std::u16string& text : bad) {
        cases.push_back({"profile name", [text](Profile& p) { p.Settings[0].value = text; }});
        cases.push_back({"button name", [text](Profile& p) { p.Keys[4].Name = text; }});
        cases.push_back({"program path", [text](Profile& p) { p.Keys[1].URL = text; }});
        cases.push_back({"macro name", [text](Profile& p) { p.Keys[5].Macro.name = text; }});
        cases.push_back({"lighting name", [text](Profile& p) { p.Lighting2Name = text; }});
    }
    cases.push_back({"key with =", [](Profile& p) { p.Settings[3].key = u"Game=File2"; }});
    cases.push_back({"empty key", [](Profile& p) { p.Settings[7].key.clear(); }});

    const std::filesystem::path path = folder / "p.psf";
    const Profile good = PatternedProfile();
    ASSERT_TRUE(WriteProfileFile(good, path));
    const std::string goodBytes = ReadBytes(path);
    for (const Case& c : cases) {
        Profile spoiled = good;
        c.spoil(spoiled);
        EXPECT_FALSE(WriteProfileFile(spoiled, path)) << c.what;
        EXPECT_EQ(ReadBytes(path), goodBytes) << c.what << ": the file keeps its last good state";
    }
    Profile read;
    EXPECT_TRUE(ParseProfileFile(read, path).ok);
}

TEST_F(ProfileFileTest, ANameWithALineBreakKeepsTheLastGoodName)
{
    Profile profile = PatternedProfile();
    profile.SetSetting(ProfileSetting::ProfileName, u"Work");
    for (const std::u16string& bad : {std::u16string(u"Work\nX=1"), std::u16string(u"Tab\tand\rreturn")}) {
        profile.SetSetting(ProfileSetting::ProfileName, bad);
        EXPECT_EQ(profile.GetSetting(ProfileSetting::ProfileName), u"Work");
    }
    profile.SetSetting(ProfileSetting::ProfileName, u"Home\twith a tab");
    EXPECT_EQ(profile.GetSetting(ProfileSetting::ProfileName), u"Home\twith a tab") << "a tab reads back as it is";
    ASSERT_TRUE(WriteProfileFile(profile, folder / "p.psf"));
    Profile read;
    ASSERT_TRUE(ParseProfileFile(read, folder / "p.psf").ok);
    EXPECT_EQ(read.GetSetting(ProfileSetting::ProfileName), u"Home\twith a tab");
}

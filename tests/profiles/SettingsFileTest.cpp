#include "profiles/SettingsFile.h"

#include "profiles/AppSettings.h"
#include "profiles/DataPaths.h"
#include "profiles/TextNumbers.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::u16string DefaultsText(const std::u16string& configFolder)
{
    std::u16string text =
        u"[Setting]\nNeedPassword=0\nSensor=0x3311\nPreST=0xCCEE\nMac_ID=0xFFFFFFFF\nDataChange=0x1234\n"
        u"CurrentProfile=0\nProfileShowCount=3\nProfileShowList0=0\nProfileShowList1=1\nProfileShowList2=2\n"
        u"ProfileShowList3=3\nProfileShowList4=4\n";
    for (int i = 0; i < 5; ++i) {
        // The folder's own separator: a backslash on Windows.
        text += u"ProfileSlot" + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u"URL=" + configFolder +
                std::u16string(1, std::filesystem::path::preferred_separator) + u"default" + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u".psf\n";
    }
    return text;
}

}  // namespace

TEST(SettingsFile, DefaultsAreWrittenExactly)
{
    TempFolder folder;
    const DataPaths paths{folder.Path(), {}};
    AppSettings settings;
    settings.WriteSettingDefaults(paths);
    ASSERT_TRUE(WriteSettingsFile(settings, folder / "config.ini"));
    EXPECT_EQ(ReadUtf16File(folder / "config.ini"), DefaultsText(paths.ConfigFolder().u16string()));
}

TEST(SettingsFile, ValidityRules)
{
    struct Case {
        const char* what;
        std::u16string text;
        bool valid;
        std::size_t failingLine;
    };
    std::u16string eighteen = u"[Setting]\n";
    for (int i = 0; i < 18; ++i) {
        eighteen += u"K=V\n";
    }
    const Case cases[] = {
        {"only the header", u"[Setting]\n", true, 0},
        {"wrong header", u"[Settings]\nA=1\n", false, 1},
        {"line without =", u"[Setting]\nA=1\nB\n", false, 3},
        {"empty key", u"[Setting]\n=1\n", false, 2},
        {"empty value", u"[Setting]\nA=\n", false, 2},
        {"value may hold =", u"[Setting]\nA==\n", true, 0},
        {"eighteen pair lines", eighteen, false, 19},
        {"empty line ends the file", u"[Setting]\nA=1\n\nbroken\n", true, 0},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        WriteUtf16File(folder / "config.ini", c.text);
        AppSettings settings;
        const FileCheck check = ReadSettingsFile(settings, folder / "config.ini");
        EXPECT_EQ(check.ok, c.valid) << c.what;
        EXPECT_EQ(check.failingLine, c.failingLine) << c.what;
    }
}

TEST(SettingsFile, PairsAreFilledByPositionWithTheFilesKeys)
{
    TempFolder folder;
    WriteUtf16File(folder / "config.ini", u"[Setting]\nCurrentProfile=4\nWhatever=0x3395\n");
    AppSettings settings;
    ASSERT_TRUE(ReadSettingsFile(settings, folder / "config.ini").ok);
    EXPECT_EQ(settings.Pair(0).key, u"CurrentProfile");
    EXPECT_EQ(settings.Value(AppSetting::NeedPassword), u"4");
    EXPECT_EQ(settings.ParseSensorText(), 0x3395);
    EXPECT_EQ(settings.Value(AppSetting::CurrentProfile), u"") << "pairs not reached stay as they were";
}

TEST(SettingsFile, MissingFileIsInvalid)
{
    TempFolder folder;
    AppSettings settings;
    EXPECT_FALSE(ReadSettingsFile(settings, folder / "config.ini").ok);
}

TEST(AppSettings, HexWritersPadToFourDigits)
{
    AppSettings settings;
    settings.SetSensorText(0x0205);
    EXPECT_EQ(settings.Value(AppSetting::Sensor), u"0x0205");
    EXPECT_EQ(settings.ParseSensorText(), 0x0205);
    settings.SetMacIdText(0xABCDEF12);
    EXPECT_EQ(settings.Value(AppSetting::MacId), u"0xABCDEF12");
}

TEST(AppSettings, IndexValuesFromFilesStayWithinTheProfileTable)
{
    AppSettings settings;
    settings.SetValue(AppSetting::CurrentProfile, u"7");
    settings.SetValue(AppSetting::ProfileShowCount, u"9");
    settings.Pair(7).value = u"-1";
    EXPECT_EQ(settings.CurrentProfile(), 0);
    EXPECT_EQ(settings.ProfileShowCount(), 5);
    settings.SetValue(AppSetting::ProfileShowCount, u"0");
    EXPECT_EQ(settings.ProfileShowCount(), 1);
}

TEST(AppSettings, ShowListAlwaysReadsAsAnOrderOfTheFiveProfiles)
{
    struct Case {
        std::array<std::u16string_view, 5> entries;
        std::array<int, 5> order;
    };
    const Case cases[] = {
        {{u"0", u"1", u"2", u"3", u"4"}, {0, 1, 2, 3, 4}},
        {{u"4", u"2", u"0", u"3", u"1"}, {4, 2, 0, 3, 1}},
        {{u"-1", u"1", u"2", u"9", u"4"}, {0, 1, 2, 3, 4}},
        {{u"2", u"2", u"x", u"0", u"0"}, {2, 1, 0, 3, 4}},  // "x" reads as 0
        {{u"", u"", u"", u"", u""}, {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        AppSettings settings;
        for (std::size_t p = 0; p < 5; ++p) {
            settings.Pair(7 + p).value = c.entries[p];
        }
        EXPECT_EQ(settings.ProfileShowOrder(), c.order);
        for (int p = 0; p < 5; ++p) {
            EXPECT_EQ(settings.ProfileShowList(p), c.order[static_cast<std::size_t>(p)]);
        }
    }
}

TEST(SettingsFile, SaveStoresTheCurrentProfileFirst)
{
    TempFolder folder;
    AppSettings settings;
    settings.WriteSettingDefaults(DataPaths{folder.Path(), {}});
    ASSERT_TRUE(SaveSettings(settings, 2, folder / "config.ini"));
    AppSettings reread;
    ASSERT_TRUE(ReadSettingsFile(reread, folder / "config.ini").ok);
    EXPECT_EQ(reread.CurrentProfile(), 2);
}

TEST(SettingsFile, PairsTheReaderWouldRejectAreNotWritten)
{
    TempFolder folder;
    AppSettings good;
    good.WriteSettingDefaults(DataPaths{folder.Path(), {}});
    ASSERT_TRUE(WriteSettingsFile(good, folder / "config.ini"));
    const std::string goodBytes = ReadBytes(folder / "config.ini");
    struct Case {
        const char* what;
        std::size_t pair;
        SettingPair replacement;
    };
    const Case cases[] = {
        {"line break in a path", 12, {u"ProfileSlot0URL", u"/home/a\nb/config/default0.psf"}},
        {"carriage return", 0, {u"NeedPassword", u"0\r"}},
        {"empty value (a file that ended early)", 9, {u"ProfileShowList2", u""}},
        {"empty key and value", 16, {u"", u""}},
        {"key with =", 5, {u"Current=Profile", u"0"}},
    };
    for (const Case& c : cases) {
        AppSettings spoiled = good;
        spoiled.Pair(c.pair) = c.replacement;
        EXPECT_FALSE(WriteSettingsFile(spoiled, folder / "config.ini")) << c.what;
        EXPECT_EQ(ReadBytes(folder / "config.ini"), goodBytes) << c.what;
    }
}

TEST(AppSettings, DefaultSlotPathsOfAFolderWithALineBreakAreRelativeToIt)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows file names cannot hold a line break";
#endif
    TempFolder folder;
    const DataPaths paths{folder / "a\nb", {}};
    AppSettings settings;
    settings.WriteSettingDefaults(paths);
    EXPECT_EQ(settings.Value(AppSetting::ProfileSlot0URL), u"config/default0.psf");
    EXPECT_EQ(settings.ProfileSlotPath(3), paths.DefaultProfileFile(3));
    EXPECT_TRUE(WriteSettingsFile(settings, folder / "config.ini"));
}

TEST(AppSettings, SlotPathsNamingAnotherFoldersDefaultFileNameThisFoldersFile)
{
    TempFolder folder;
    const DataPaths paths{folder / "here", {}};
    // A path from the root: on Windows, on the data folder's drive.
    const auto rooted = [&folder](const char* path) {
        return std::filesystem::path(folder.Path().root_name().string() + path);
    };
    struct Case {
        std::u16string text;
        std::filesystem::path expected;
    };
    const Case cases[] = {
        {u"/elsewhere/PelmoraData20251125A/config/default3.psf", paths.DefaultProfileFile(3)},
        {u"C:\\Users\\me\\AppData\\Roaming\\PelmoraData20251125A\\config\\default0.psf", paths.DefaultProfileFile(0)},
        {u"config/default4.psf", paths.DefaultProfileFile(4)},
        {u"/elsewhere/mine/profile.psf", rooted("/elsewhere/mine/profile.psf")},
        {u"/elsewhere/config/default7.psf", rooted("/elsewhere/config/default7.psf")},
        {u"/elsewhere/backup/default1.psf", rooted("/elsewhere/backup/default1.psf")},
    };
    for (const Case& c : cases) {
        AppSettings settings;
        settings.WriteSettingDefaults(paths);
        settings.Pair(13).value = c.text;
        settings.UseDataFolder(paths);
        EXPECT_EQ(settings.ProfileSlotPath(1), c.expected) << TextNumbers::ToUtf8(c.text);
    }
}

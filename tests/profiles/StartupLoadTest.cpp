#include "profiles/StartupLoad.h"

#include "profiles/AppSettings.h"
#include "profiles/DataPaths.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileTable.h"
#include "profiles/PathText.h"
#include "profiles/SettingsFile.h"
#include "support/TempFolder.h"
#include "support/TestTexts.h"

#include <gtest/gtest.h>

#include <fstream>
#include "support/FileRights.h"

namespace {

using Positions = std::array<std::uint16_t, 8>;

class StartupLoadTest : public ::testing::Test {
protected:
    StartupLoadTest() { std::filesystem::create_directories(paths.ConfigFolder()); }

    StartupReport Load() { return LoadSettingsAndProfiles(settings, table, texts, paths); }

    TempFolder folder;
    DataPaths paths{folder.Path(), {}};
    LanguageTexts texts = NumberedTexts();
    AppSettings settings;
    ProfileTable table;
};

}  // namespace

TEST_F(StartupLoadTest, FreshFolderGetsDefaultsAndFiveProfileFiles)
{
    const StartupReport report = Load();
    EXPECT_FALSE(report.settingsValid);
    EXPECT_FALSE(report.dpiDefaultsRewritten);
    EXPECT_EQ(settings.CurrentProfile(), 0);
    EXPECT_EQ(settings.ProfileShowCount(), 3);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(std::filesystem::exists(paths.DefaultProfileFile(i))) << i;
        EXPECT_EQ(table.At(i).GetSetting(ProfileSetting::ProfileName), u"T" + TextNumbers::Decimal(85 + i));
    }
    EXPECT_EQ(table.At(0).XYSettingX, (Positions{9, 15, 23, 31, 49, 119, 119, 119}));
    AppSettings reread;
    EXPECT_TRUE(ReadSettingsFile(reread, paths.SettingsFile()).ok);
}

TEST_F(StartupLoadTest, SecondStartReadsWhatTheFirstWrote)
{
    Load();
    table.At(1).Keys[3].Name = u"edited";
    ASSERT_TRUE(table.SaveAllProfiles(settings));
    ProfileTable second;
    AppSettings secondSettings;
    EXPECT_TRUE(LoadSettingsAndProfiles(secondSettings, second, texts, paths).settingsValid);
    EXPECT_EQ(second.At(1).Keys[3].Name, u"edited");
}

TEST_F(StartupLoadTest, DamagedSettingsLineResetsEverything)
{
    Load();
    table.At(2).Keys[0].Name = u"edited";
    ASSERT_TRUE(table.SaveAllProfiles(settings));
    std::u16string text = ReadUtf16File(paths.SettingsFile());
    const std::size_t at = text.find(u"ProfileShowList1=1");
    text.replace(at, 18, u"ProfileShowList1");
    WriteUtf16File(paths.SettingsFile(), text);

    ProfileTable second;
    AppSettings secondSettings;
    EXPECT_FALSE(LoadSettingsAndProfiles(secondSettings, second, texts, paths).settingsValid);
    EXPECT_EQ(second.At(2).Keys[0].Name, u"T20");
    EXPECT_EQ(secondSettings.Value(AppSetting::ProfileShowList0), u"0");
}

TEST_F(StartupLoadTest, SettingsThatEndEarlyKeepTheirPairsAndGetTheMissingOnesFromTheDefaults)
{
    Load();
    table.At(2).Keys[0].Name = u"edited";
    ASSERT_TRUE(table.SaveAllProfiles(settings));
    std::u16string text = ReadUtf16File(paths.SettingsFile());
    text.replace(text.find(u"CurrentProfile=0"), 16, u"CurrentProfile=2");
    text.erase(text.find(u"ProfileShowCount="));
    WriteUtf16File(paths.SettingsFile(), text);

    ProfileTable second;
    AppSettings secondSettings;
    EXPECT_TRUE(LoadSettingsAndProfiles(secondSettings, second, texts, paths).settingsValid);
    EXPECT_EQ(secondSettings.CurrentProfile(), 2);
    EXPECT_EQ(secondSettings.ProfileShowCount(), 3);
    EXPECT_EQ(second.At(2).Keys[0].Name, u"edited");
    ASSERT_TRUE(SaveSettings(secondSettings, 2, paths.SettingsFile()));
    AppSettings reread;
    EXPECT_TRUE(ReadSettingsFile(reread, paths.SettingsFile()).ok);
}

TEST_F(StartupLoadTest, NewSensorRewritesPreSTAndEveryProfilesDpiPositions)
{
    Load();
    settings.SetSensorText(0x3395);
    ASSERT_TRUE(WriteSettingsFile(settings, paths.SettingsFile()));

    ProfileTable second;
    AppSettings secondSettings;
    EXPECT_TRUE(LoadSettingsAndProfiles(secondSettings, second, texts, paths).dpiDefaultsRewritten);
    EXPECT_EQ(secondSettings.Value(AppSetting::PreST), u"0xCC6A");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(second.At(i).XYSettingX, (Positions{7, 15, 31, 63, 127, 519, 519, 519})) << i;
    }
    Profile onDisk;
    ASSERT_TRUE(ParseProfileFile(onDisk, paths.DefaultProfileFile(4)).ok);
    EXPECT_EQ(onDisk.XYSettingY[5], 519);
}

TEST_F(StartupLoadTest, DamagedProfileIsResetWithTheRecordedSensorsDefaults)
{
    Load();
    settings.SetSensorText(0x3395);
    settings.SetPreSTText(static_cast<std::uint16_t>(~0x3395));
    ASSERT_TRUE(WriteSettingsFile(settings, paths.SettingsFile()));
    WriteUtf16File(paths.DefaultProfileFile(1), u"[Setting]\n");

    ProfileTable second;
    AppSettings secondSettings;
    const StartupReport report = LoadSettingsAndProfiles(secondSettings, second, texts, paths);
    EXPECT_TRUE(report.settingsValid);
    EXPECT_FALSE(report.profileRead[1]);
    EXPECT_TRUE(report.profileRead[0]);
    EXPECT_EQ(second.At(1).XYSettingX, (Positions{7, 15, 31, 63, 127, 519, 519, 519}));
    Profile onDisk;
    EXPECT_TRUE(ParseProfileFile(onDisk, paths.DefaultProfileFile(1)).ok) << "the slot file is rewritten";
}

TEST_F(StartupLoadTest, ProfilePathThatIsAFolderResetsThatProfileOnly)
{
    Load();
    std::filesystem::create_directories(folder / "not-a-file");
    settings.Pair(12).value = (folder / "not-a-file").u16string();
    ASSERT_TRUE(WriteSettingsFile(settings, paths.SettingsFile()));

    ProfileTable second;
    AppSettings secondSettings;
    const StartupReport report = LoadSettingsAndProfiles(secondSettings, second, texts, paths);
    EXPECT_TRUE(report.settingsValid);
    EXPECT_FALSE(report.profileRead[0]);
    EXPECT_TRUE(report.profileRead[1]);
    EXPECT_EQ(second.At(0).Keys[0].Name, u"T20");
}

namespace {

[[nodiscard]] std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST_F(StartupLoadTest, FilesReplacedByDefaultsKeepTheirOldBytesAndASecondResetKeepsTheBackups)
{
    Load();
    table.At(2).Keys[0].Name = u"edited";
    ASSERT_TRUE(table.SaveAllProfiles(settings));
    const std::string editedProfile = FileBytes(paths.DefaultProfileFile(2));
    std::u16string text = ReadUtf16File(paths.SettingsFile());
    text.replace(text.find(u"ProfileShowList1=1"), 18, u"ProfileShowList1");
    WriteUtf16File(paths.SettingsFile(), text);
    const std::string damagedSettings = FileBytes(paths.SettingsFile());

    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE("start " + std::to_string(start));
        ProfileTable again;
        AppSettings againSettings;
        EXPECT_FALSE(LoadSettingsAndProfiles(againSettings, again, texts, paths).settingsValid);
        EXPECT_EQ(FileBytes(CStdioFileEx::BackupPathFor(paths.SettingsFile())), damagedSettings);
        EXPECT_EQ(FileBytes(CStdioFileEx::BackupPathFor(paths.DefaultProfileFile(2))), editedProfile);
        // The same damage once more: the profile files already hold the defaults, so
        // their backups keep the user's profiles.
        WriteUtf16File(paths.SettingsFile(), text);
    }
}

TEST_F(StartupLoadTest, DamagedProfileKeepsItsOldBytesAsBackup)
{
    Load();
    WriteUtf16File(paths.DefaultProfileFile(3), u"[Setting]\nbroken\n");
    const std::string damaged = FileBytes(paths.DefaultProfileFile(3));
    ProfileTable again;
    AppSettings againSettings;
    EXPECT_FALSE(LoadSettingsAndProfiles(againSettings, again, texts, paths).profileRead[3]);
    EXPECT_EQ(FileBytes(CStdioFileEx::BackupPathFor(paths.DefaultProfileFile(3))), damaged);
    EXPECT_FALSE(std::filesystem::exists(CStdioFileEx::BackupPathFor(paths.DefaultProfileFile(2))));
}

TEST_F(StartupLoadTest, ReadOnlySettingsAreUsedAsReadAndTheProfilesStay)
{
    if (WritesAnyFile()) {
        GTEST_SKIP() << "root can write any file";
    }
    Load();
    table.At(1).Keys[2].Name = u"mine";
    ASSERT_TRUE(table.SaveAllProfiles(settings));
    std::filesystem::permissions(paths.SettingsFile(), std::filesystem::perms::owner_read);
    for (int start = 0; start < 2; ++start) {
        ProfileTable again;
        AppSettings againSettings;
        EXPECT_TRUE(LoadSettingsAndProfiles(againSettings, again, texts, paths).settingsValid) << start;
        EXPECT_EQ(again.At(1).Keys[2].Name, u"mine") << start;
    }
    EXPECT_FALSE(std::filesystem::exists(CStdioFileEx::BackupPathFor(paths.SettingsFile())));
}

TEST_F(StartupLoadTest, ProfilePathWithAnUnpairedSurrogateResetsThatProfileInsteadOfAborting)
{
    Load();
    settings.Pair(12).value = TextFromPath(paths.ConfigFolder()) + u"/odd" + char16_t{0xD83D} + u".psf";
    ASSERT_TRUE(WriteSettingsFile(settings, paths.SettingsFile()));

    ProfileTable second;
    AppSettings secondSettings;
    StartupReport report;
    ASSERT_NO_THROW(report = LoadSettingsAndProfiles(secondSettings, second, texts, paths));
    EXPECT_TRUE(report.settingsValid);
    EXPECT_FALSE(report.profileRead[0]);
    EXPECT_TRUE(report.profileRead[1]);
#ifdef _WIN32
    // Windows names are UTF-16: the profile is written under a name of its own that starts
    // as the text does (the surrogate itself, where the file system keeps it).
    bool written = false;
    for (const auto& entry : std::filesystem::directory_iterator(paths.ConfigFolder()))
        written = written || (entry.path().filename().wstring().rfind(L"odd", 0) == 0 && entry.path().extension() == ".psf");
    EXPECT_TRUE(written);
#else
    EXPECT_TRUE(std::filesystem::exists(paths.ConfigFolder() / "odd\xef\xbf\xbd.psf"));
#endif
}

TEST_F(StartupLoadTest, DataFolderWhoseNameIsNotUtf8KeepsItsProfiles)
{
    const DataPaths odd{folder / "caf\xe9", {}};
    std::filesystem::create_directories(odd.ConfigFolder());
    ASSERT_NO_THROW(LoadSettingsAndProfiles(settings, table, texts, odd));
    EXPECT_EQ(settings.ProfileSlotPath(2), odd.DefaultProfileFile(2));
    EXPECT_TRUE(std::filesystem::exists(odd.DefaultProfileFile(2)));

    ProfileTable second;
    AppSettings secondSettings;
    const StartupReport report = LoadSettingsAndProfiles(secondSettings, second, texts, odd);
    EXPECT_TRUE(report.settingsValid);
    EXPECT_EQ(report.profileRead, (std::array<bool, 5>{true, true, true, true, true}));
}

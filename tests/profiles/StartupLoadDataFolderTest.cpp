#include "profiles/StartupLoad.h"

#include "profiles/AppSettings.h"
#include "profiles/CStdioFileEx.h"
#include "profiles/DataPaths.h"
#include "profiles/ProfileTable.h"
#include "profiles/SaveFailures.h"
#include "profiles/SettingsFile.h"
#include "support/TempFolder.h"
#include "support/TestTexts.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include "support/FileRights.h"
#include <vector>

// Start-up on a data folder that is not as the program left it: settings that cannot be
// read or replaced, a copied or moved folder, leftovers of a killed save.
namespace {

struct Start {
    StartupReport report;
    AppSettings settings;
    ProfileTable profiles;
};

class DataFolderStart {
public:
    explicit DataFolderStart(std::filesystem::path dataFolder) : m_paths{std::move(dataFolder), {}}
    {
        std::filesystem::create_directories(m_paths.ConfigFolder());
    }

    [[nodiscard]] const DataPaths& Paths() const { return m_paths; }

    std::unique_ptr<Start> Run(const LanguageTexts& texts) const
    {
        auto start = std::make_unique<Start>();
        start->report = LoadSettingsAndProfiles(start->settings, start->profiles, texts, m_paths);
        return start;
    }

    // A first start, then the user names button 2 of profile 1 and the program saves.
    void StartAndEdit(const LanguageTexts& texts, std::u16string_view name) const
    {
        auto start = Run(texts);
        start->profiles.At(1).Keys[2].Name = std::u16string(name);
        ASSERT_TRUE(start->profiles.SaveAllProfiles(start->settings));
        ASSERT_TRUE(SaveSettings(start->settings, 0, m_paths.SettingsFile()));
    }

private:
    DataPaths m_paths;
};

struct ReportedFailures {
    ReportedFailures()
    {
        observer.Set([this](const SaveFailure& failure) { failures.push_back(failure); });
    }
    std::vector<SaveFailure> failures;
    SaveFailures::ScopedObserver observer;
};

struct SettingsFault {
    const char* name;
    bool needsOrdinaryUser;  // root reads and writes whatever the fault forbids
    std::function<void(const DataPaths&)> spoil;
    std::function<void(const DataPaths&)> undo;
};

void Malform(const DataPaths& paths)
{
    std::u16string text = ReadUtf16File(paths.SettingsFile());
    text.replace(text.find(u"ProfileShowList1=1"), 18, u"ProfileShowList1");
    WriteUtf16File(paths.SettingsFile(), text);
}

const std::vector<SettingsFault>& SettingsFaults()
{
    using std::filesystem::perms;
    static const std::vector<SettingsFault> faults{
        {"FolderInItsPlace", false,
         [](const DataPaths& paths) {
             std::filesystem::remove(paths.SettingsFile());
             std::filesystem::create_directories(paths.SettingsFile() / "inside");
         },
         {}},
        {"Unreadable", true,
         [](const DataPaths& paths) { std::filesystem::permissions(paths.SettingsFile(), perms::none); },
         [](const DataPaths& paths) { std::filesystem::permissions(paths.SettingsFile(), perms::owner_all); }},
        {"MalformedAndReadOnly", true,
         [](const DataPaths& paths) {
             Malform(paths);
             std::filesystem::permissions(paths.SettingsFile(), perms::owner_read);
         },
         [](const DataPaths& paths) { std::filesystem::permissions(paths.SettingsFile(), perms::owner_all); }},
        {"MalformedInAReadOnlyFolder", true,
         [](const DataPaths& paths) {
             Malform(paths);
             std::filesystem::permissions(paths.ConfigFolder(), perms::owner_read | perms::owner_exec);
         },
         [](const DataPaths& paths) { std::filesystem::permissions(paths.ConfigFolder(), perms::owner_all); }},
    };
    return faults;
}

class SettingsFaultTest : public ::testing::TestWithParam<std::size_t> {};

}  // namespace

TEST_P(SettingsFaultTest, SettingsThatCannotBeReadOrReplacedLeaveTheProfilesAsTheyAre)
{
    const SettingsFault& fault = SettingsFaults()[GetParam()];
    if (fault.needsOrdinaryUser && !ModeBitsKeepThisProcessOut()) {
        GTEST_SKIP() << "file modes do not keep this process out (root, or Windows)";
    }
    TempFolder folder;
    const DataFolderStart data(folder.Path());
    const LanguageTexts texts = NumberedTexts();
    data.StartAndEdit(texts, u"mine");
    const std::string profileBytes = ReadBytes(data.Paths().DefaultProfileFile(1));
    fault.spoil(data.Paths());
    // Undone whatever the outcome, so the temporary folder can be removed.
    const std::unique_ptr<const DataPaths, std::function<void(const DataPaths*)>> undo(
        &data.Paths(), [&fault](const DataPaths* paths) {
            if (fault.undo) {
                fault.undo(*paths);
            }
        });

    ReportedFailures reported;
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE("start " + std::to_string(start));
        const auto again = data.Run(texts);
        EXPECT_FALSE(again->report.settingsReplaced);
        EXPECT_EQ(again->profiles.At(1).Keys[2].Name, u"mine");
        EXPECT_EQ(ReadBytes(data.Paths().DefaultProfileFile(1)), profileBytes);
        EXPECT_FALSE(std::filesystem::exists(CStdioFileEx::BackupPathFor(data.Paths().DefaultProfileFile(1))));
    }
    ASSERT_FALSE(reported.failures.empty()) << "the user is told why changes cannot be saved";
    EXPECT_EQ(reported.failures[0].file, data.Paths().SettingsFile());
    EXPECT_FALSE(reported.failures[0].reason.empty());
}

INSTANTIATE_TEST_SUITE_P(StartupLoad, SettingsFaultTest, ::testing::Range<std::size_t>(0, 4),
                         [](const ::testing::TestParamInfo<std::size_t>& testCase) {
                             return std::string(SettingsFaults()[testCase.param].name);
                         });

TEST(StartupLoadDataFolder, DataFolderWithALineBreakInItsPathKeepsItsProfilesFromStartToStart)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows file names cannot hold a line break";
#endif
    TempFolder folder;
    const DataFolderStart data(folder / "Pelmora\nData");
    const LanguageTexts texts = NumberedTexts();
    data.StartAndEdit(texts, u"mine");

    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE("start " + std::to_string(start));
        const auto again = data.Run(texts);
        EXPECT_TRUE(again->report.settingsValid);
        EXPECT_EQ(again->profiles.At(1).Keys[2].Name, u"mine");
        EXPECT_EQ(again->settings.ProfileSlotPath(1), data.Paths().DefaultProfileFile(1));
    }
}

TEST(StartupLoadDataFolder, MovedFolderReadsItsOwnProfiles)
{
    TempFolder folder;
    const LanguageTexts texts = NumberedTexts();
    DataFolderStart(folder / "before").StartAndEdit(texts, u"mine");
    std::filesystem::rename(folder / "before", folder / "after");

    const DataFolderStart moved(folder / "after");
    const auto start = moved.Run(texts);
    EXPECT_TRUE(start->report.settingsValid);
    EXPECT_EQ(start->report.profileRead, (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_EQ(start->profiles.At(1).Keys[2].Name, u"mine");
    EXPECT_EQ(start->settings.ProfileSlotPath(1), moved.Paths().DefaultProfileFile(1));
}

TEST(StartupLoadDataFolder, CopiedFolderSavesIntoItsOwnFilesNotTheOriginals)
{
    TempFolder folder;
    const LanguageTexts texts = NumberedTexts();
    const DataFolderStart original(folder / "original");
    original.StartAndEdit(texts, u"mine");
    const std::string originalBytes = ReadBytes(original.Paths().DefaultProfileFile(1));
    std::filesystem::copy(folder / "original", folder / "copy", std::filesystem::copy_options::recursive);

    const DataFolderStart copy(folder / "copy");
    auto start = copy.Run(texts);
    EXPECT_EQ(start->profiles.At(1).Keys[2].Name, u"mine");
    start->profiles.At(1).Keys[2].Name = u"the copy's";
    ASSERT_TRUE(start->profiles.SaveAllProfiles(start->settings));
    ASSERT_TRUE(SaveSettings(start->settings, 0, copy.Paths().SettingsFile()));

    EXPECT_EQ(ReadBytes(original.Paths().DefaultProfileFile(1)), originalBytes);
    EXPECT_EQ(copy.Run(texts)->profiles.At(1).Keys[2].Name, u"the copy's");
    AppSettings written;
    ASSERT_TRUE(ReadSettingsFile(written, copy.Paths().SettingsFile()).ok);
    EXPECT_EQ(written.Value(AppSetting::ProfileSlot0URL), copy.Paths().DefaultProfileFile(0).u16string())
        << "the copy's settings name its own files from the first save on";
}

TEST(StartupLoadDataFolder, StartRemovesAbandonedSavesFromTheConfigFolder)
{
    TempFolder folder;
    const DataFolderStart data(folder.Path());
    const LanguageTexts texts = NumberedTexts();
    data.StartAndEdit(texts, u"mine");
    const std::filesystem::path abandoned = data.Paths().ConfigFolder() / "default1.psf.saving~4000000000-3";
    WriteBytes(abandoned, "half a save");

    (void)data.Run(texts);
    EXPECT_FALSE(std::filesystem::exists(abandoned));
}

TEST(StartupLoadDataFolder, WithoutLanguageTextsNoProfileFileIsWrittenAndALaterStartNamesThem)
{
    TempFolder folder;
    const DataFolderStart data(folder.Path());
    const LanguageTexts none;

    const auto bare = data.Run(none);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bare->profiles.At(i).GetSetting(ProfileSetting::ProfileName), u"Profile" + TextNumbers::Decimal(i + 1))
            << "a name that can be chosen in the list";
        EXPECT_FALSE(std::filesystem::exists(data.Paths().DefaultProfileFile(i))) << i;
    }

    const auto named = data.Run(NumberedTexts());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(named->profiles.At(i).GetSetting(ProfileSetting::ProfileName), u"T" + TextNumbers::Decimal(85 + i));
        EXPECT_EQ(named->profiles.At(i).Keys[0].Name, u"T20");
    }
}

TEST(StartupLoadDataFolder, EmptyNamesOfAProfileFileAreFilledFromTheTexts)
{
    TempFolder folder;
    const DataFolderStart data(folder.Path());
    const LanguageTexts texts = NumberedTexts();
    data.StartAndEdit(texts, u"mine");
    // What a program without language texts used to write: no names at all.
    std::u16string text = ReadUtf16File(data.Paths().DefaultProfileFile(3));
    text.replace(text.find(u"ProfileName=T88"), 15, u"ProfileName=");
    text.replace(text.find(u"Key0Name=T20"), 12, u"Key0Name=");
    text.replace(text.find(u"Key5Name=T42"), 12, u"Key5Name=");
    WriteUtf16File(data.Paths().DefaultProfileFile(3), text);

    const auto start = data.Run(texts);
    EXPECT_TRUE(start->report.profileRead[3]);
    EXPECT_EQ(start->profiles.At(3).GetSetting(ProfileSetting::ProfileName), u"T88");
    EXPECT_EQ(start->profiles.At(3).Keys[0].Name, u"T20");
    EXPECT_EQ(start->profiles.At(3).Keys[5].Name, u"T42");
}

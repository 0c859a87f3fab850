#include "ctl/CtlCommands.h"

#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "profiles/DataPaths.h"
#include "profiles/OfferedFileCheck.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

struct CtlRun {
    int exitCode = 0;
    std::string out;
    std::string err;
};

class CtlCommandsTest : public ::testing::Test {
protected:
    CtlCommandsTest()
    {
        std::filesystem::create_directories(languageFolder);
        WriteUtf16File(languageFolder / "Lan_EN.txt",
                       u"[Setting]\n0=English\n20=Left\n21=Right\n22=Middle\n23=Forward\n24=Back\n42=DPI\n85=Game\n"
                       u"86=Work\n87=Web\n88=Four\n89=Five\n100=Wave\n");
    }

    CtlRun Run(const std::vector<std::string>& arguments)
    {
        std::ostringstream out;
        std::ostringstream err;
        CtlEnvironment environment;
        environment.defaultDataFolder = folder / "home-data";
        environment.programLanguageFolder = languageFolder;
        environment.userLocale = "en_GB.UTF-8";
        const int code = RunCtl(arguments, environment, out, err);
        return {code, out.str(), err.str()};
    }

    TempFolder folder;
    std::filesystem::path languageFolder = folder / "lang";
    std::filesystem::path dataFolder = folder / "data";
};

}  // namespace

TEST_F(CtlCommandsTest, InitPreparesAFreshDataFolderAndThenLeavesItAlone)
{
    const CtlRun first = Run({"init", "--data-dir", dataFolder.string()});
    ASSERT_EQ(first.exitCode, CtlExit::kDone) << first.err;
    EXPECT_NE(first.out.find("replaced by defaults"), std::string::npos);
    const DataPaths paths{dataFolder, {}};
    EXPECT_TRUE(std::filesystem::exists(paths.SettingsFile()));
    const std::string profileBytes = ReadBytes(paths.DefaultProfileFile(0));
    EXPECT_NE(ReadUtf16File(paths.DefaultProfileFile(1)).find(u"ProfileName=Work\n"), std::u16string::npos);

    const CtlRun second = Run({"init", "--data-dir", dataFolder.string()});
    EXPECT_EQ(second.exitCode, CtlExit::kDone);
    EXPECT_NE(second.out.find("settings: read"), std::string::npos);
    EXPECT_EQ(second.out.find("reset"), std::string::npos);
    EXPECT_EQ(ReadBytes(paths.DefaultProfileFile(0)), profileBytes);
}

TEST_F(CtlCommandsTest, InitKeepsTheProfilesOfSettingsItCannotReadAndSaysWhyOnce)
{
    ASSERT_EQ(Run({"init", "--data-dir", dataFolder.string()}).exitCode, CtlExit::kDone);
    const DataPaths paths{dataFolder, {}};
    std::u16string profile = ReadUtf16File(paths.DefaultProfileFile(1));
    profile.replace(profile.find(u"ProfileName=Work"), 16, u"ProfileName=Mine");
    WriteUtf16File(paths.DefaultProfileFile(1), profile);
    const std::string profileBytes = ReadBytes(paths.DefaultProfileFile(1));
    std::filesystem::remove(paths.SettingsFile());
    std::filesystem::create_directories(paths.SettingsFile() / "inside");

    const CtlRun run = Run({"init", "--data-dir", dataFolder.string()});
    EXPECT_EQ(run.exitCode, CtlExit::kDone) << run.err;
    EXPECT_NE(run.out.find("cannot be read or replaced"), std::string::npos) << run.out;
    EXPECT_EQ(ReadBytes(paths.DefaultProfileFile(1)), profileBytes);
    const std::string told = "corvanectl: changes cannot be saved in " + paths.ConfigFolder().string() + ": " +
                             std::make_error_code(std::errc::is_a_directory).message() + "\n";
    EXPECT_EQ(run.err, told);
}

TEST_F(CtlCommandsTest, InitWithoutDataDirUsesTheUsersFolder)
{
    EXPECT_EQ(Run({"init"}).exitCode, CtlExit::kDone);
    EXPECT_TRUE(std::filesystem::exists(folder / "home-data" / "config" / "config.ini"));
}

TEST_F(CtlCommandsTest, ShowPrintsRecordsAsJsonWithTheirFieldNames)
{
    ASSERT_EQ(Run({"init", "--data-dir", dataFolder.string()}).exitCode, CtlExit::kDone);
    const DataPaths paths{dataFolder, {}};

    const CtlRun profile = Run({"show", "profile", paths.DefaultProfileFile(2).string()});
    ASSERT_EQ(profile.exitCode, CtlExit::kDone) << profile.err;
    const auto json = nlohmann::json::parse(profile.out);
    EXPECT_EQ(json["Settings"][0], nlohmann::json::array({"ProfileName", "Web"}));
    EXPECT_EQ(json["Keys"][0]["Name"], "Left");
    EXPECT_EQ(json["Keys"][5]["Value"], nlohmann::json::array({0x40, 1, 0}));
    EXPECT_EQ(json["Keys"][0]["Macro"]["actions"].size(), 250u);
    EXPECT_EQ(json["DPILevelIndication"][1], 0xFF0000);
    EXPECT_EQ(json["Lighting1FixedColor"][8][1], 0x6A00FA);
    EXPECT_EQ(json["XYSettingX"][5], 119);

    const CtlRun settings = Run({"show", "settings", paths.SettingsFile().string()});
    ASSERT_EQ(settings.exitCode, CtlExit::kDone) << settings.err;
    const auto settingsJson = nlohmann::json::parse(settings.out);
    EXPECT_EQ(settingsJson["Settings"].size(), 17u);
    EXPECT_EQ(settingsJson["Settings"][1], nlohmann::json::array({"Sensor", "0x3311"}));
}

TEST_F(CtlCommandsTest, ShowMacrosNestsTheTree)
{
    MacroLibrary library;
    MacroItemLocation selection;
    ASSERT_EQ(library.CreateFolderAtSelection(u"FPS", selection), MacroLibrary::CreateResult::Created);
    ASSERT_EQ(library.CreateMacroAtSelection(u"Reload", selection), MacroLibrary::CreateResult::Created);
    ASSERT_TRUE(MacroLibraryFile::Save(library, folder / "lib.mlf", MacroItemLocation::None()));

    const CtlRun run = Run({"show", "macros", (folder / "lib.mlf").string()});
    ASSERT_EQ(run.exitCode, CtlExit::kDone) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["MacroKeyIndex"], 2);
    EXPECT_EQ(json["Items"][0]["name"], "FPS");
    EXPECT_EQ(json["Items"][0]["isFolder"], 1);
    EXPECT_EQ(json["Items"][0]["children"][0]["name"], "Reload");
    EXPECT_EQ(json["Items"][0]["children"][0]["location"]["stage"], 1);
    EXPECT_EQ(json["Items"][0]["children"][0]["macro"]["MacroKeyIndex"], 1);
}

TEST_F(CtlCommandsTest, FailingFileNamesItsLineAndPrintsNothing)
{
    struct Case {
        const char* kind;
        std::u16string text;
        const char* line;
    };
    const Case cases[] = {
        {"profile", u"[Setting]\nProfileName=x\n", "line 3 "},
        {"settings", u"[Setting]\nA=1\nbroken\n", "line 3 "},
        {"macros", u"[MacroLibrary]\nMacroKeyIndex=\n", "line 2 "},
    };
    for (const Case& c : cases) {
        const auto path = folder / "bad.txt";
        WriteUtf16File(path, c.text);
        const auto before = ReadBytes(path);
        const CtlRun run = Run({"show", c.kind, path.string()});
        EXPECT_EQ(run.exitCode, CtlExit::kRefused) << c.kind;
        EXPECT_EQ(run.out, "") << c.kind;
        EXPECT_NE(run.err.find(c.line), std::string::npos) << c.kind << ": " << run.err;
        EXPECT_EQ(ReadBytes(path), before) << "show never writes";
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2) << c.kind;
    }
}

TEST_F(CtlCommandsTest, FilesFarLargerThanTheirKindAreRefusedUnread)
{
    ASSERT_EQ(Run({"init", "--data-dir", dataFolder.string()}).exitCode, CtlExit::kDone);
    const DataPaths paths{dataFolder, {}};
    MacroLibrary library;
    MacroItemLocation selection;
    ASSERT_EQ(library.CreateMacroAtSelection(u"Reload", selection), MacroLibrary::CreateResult::Created);
    ASSERT_TRUE(MacroLibraryFile::Save(library, folder / "lib.mlf", MacroItemLocation::None()));

    struct Case {
        const char* kind;
        std::filesystem::path source;
        std::uintmax_t limit;
    };
    const Case cases[] = {
        {"profile", paths.DefaultProfileFile(0), OfferedFileLimit::kProfile},
        {"settings", paths.SettingsFile(), OfferedFileLimit::kSettings},
        {"macros", folder / "lib.mlf", OfferedFileLimit::kMacros},
    };
    const auto path = folder / "offered";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        // A good file grown past the limit by zeros after its records (a sparse file, so
        // nothing is written): refused from its size alone.
        // Removed first: MinGW's copy_file takes any two files for the same one, and refuses.
        std::filesystem::remove(path);
        std::filesystem::copy_file(c.source, path);
        std::filesystem::resize_file(path, c.limit + 1);
        const CtlRun run = Run({"show", c.kind, path.string()});
        EXPECT_EQ(run.exitCode, CtlExit::kRefused);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("too large"), std::string::npos) << run.err;
    }

    // A profile's reader stops after its last record, so at the limit it is still read.
    std::filesystem::remove(path);
    std::filesystem::copy_file(paths.DefaultProfileFile(0), path);
    std::filesystem::resize_file(path, OfferedFileLimit::kProfile);
    EXPECT_EQ(Run({"show", "profile", path.string()}).exitCode, CtlExit::kDone);
}

#ifndef _WIN32
TEST_F(CtlCommandsTest, PipesAndDevicesAreRefusedWithoutBeingOpened)
{
    // Opening a pipe for reading waits for a writer that never comes.
    const auto pipe = folder / "pipe.psf";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::filesystem::path& path : {pipe, std::filesystem::path("/dev/zero")}) {
        SCOPED_TRACE(path.string());
        const CtlRun run = Run({"show", "profile", path.string()});
        EXPECT_EQ(run.exitCode, CtlExit::kUsage);
        EXPECT_NE(run.err.find("not a regular file"), std::string::npos) << run.err;
    }
}
#endif

TEST_F(CtlCommandsTest, UsageErrorsAndMissingFiles)
{
    EXPECT_EQ(Run({}).exitCode, CtlExit::kUsage);
    EXPECT_EQ(Run({"frobnicate"}).exitCode, CtlExit::kUsage);
    EXPECT_EQ(Run({"show", "profile"}).exitCode, CtlExit::kUsage);
    EXPECT_EQ(Run({"show", "colours", "x"}).exitCode, CtlExit::kUsage);
    EXPECT_EQ(Run({"init", "--verbose"}).exitCode, CtlExit::kUsage);

    const CtlRun missing = Run({"show", "profile", (folder / "none.psf").string()});
    EXPECT_EQ(missing.exitCode, CtlExit::kUsage);
    EXPECT_NE(missing.err.find("no such file"), std::string::npos);

    for (const auto& help : {std::vector<std::string>{"--help"}, {"init", "--help"}, {"show", "--help"}}) {
        const CtlRun run = Run(help);
        EXPECT_EQ(run.exitCode, CtlExit::kDone);
        EXPECT_NE(run.out.find("usage: corvanectl"), std::string::npos);
    }
}

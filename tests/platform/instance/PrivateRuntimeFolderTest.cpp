#include "platform/instance/PrivateRuntimeFolder.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

mode_t ModeOf(const std::filesystem::path& folder)
{
    struct stat status {};
    EXPECT_EQ(::stat(folder.c_str(), &status), 0) << folder;
    return status.st_mode & 0777;
}

}  // namespace

TEST(PrivateRuntimeFolderTest, TheSessionsRuntimeFolderIsTakenOnlyWhenPrivate)
{
    TempFolder root;
    const std::filesystem::path runtime = root / "runtime";
    std::filesystem::create_directory(runtime);
    const std::filesystem::path cache = root / "cache";
    std::string problem;

    ASSERT_EQ(::chmod(runtime.c_str(), 0700), 0);
    EXPECT_EQ(PrivateRuntimeFolder({runtime.string(), cache.string(), ""}, problem), runtime) << problem;
    EXPECT_FALSE(std::filesystem::exists(cache));

    // Others may enter it, or it is relative: a folder of the program's own below the
    // cache folder, that no one else may enter.
    struct Case {
        const char* what;
        std::string runtimeDir;
        mode_t mode;
    };
    const Case cases[] = {
        {"open to all, as /tmp", runtime.string(), 01777},
        {"readable by the group", runtime.string(), 0750},
        {"unset", "", 0700},
        {"relative", "runtime", 0700},
    };
    for (const Case& test : cases) {
        ASSERT_EQ(::chmod(runtime.c_str(), test.mode), 0);
        const auto folder = PrivateRuntimeFolder({test.runtimeDir, cache.string(), ""}, problem);
        ASSERT_TRUE(folder.has_value()) << test.what << ": " << problem;
        EXPECT_EQ(*folder, cache / "corvane" / "runtime") << test.what;
        EXPECT_EQ(ModeOf(*folder), 0700U) << test.what;
        EXPECT_EQ(ModeOf(cache / "corvane"), 0700U) << test.what;
        EXPECT_TRUE(IsPrivateFolder(*folder)) << test.what;
    }
}

TEST(PrivateRuntimeFolderTest, TheProgramsOwnFolderIsNarrowedAndALinkIsRefused)
{
    TempFolder root;
    std::string problem;
    // Without a cache folder: below the home folder.
    const std::filesystem::path own = root / ".cache" / "corvane" / "runtime";
    std::filesystem::create_directories(own);
    ASSERT_EQ(::chmod(own.c_str(), 0777), 0);
    EXPECT_EQ(PrivateRuntimeFolder({"", "", root.Path().string()}, problem), own) << problem;
    EXPECT_EQ(ModeOf(own), 0700U);

    // A link in its place could lead anywhere: refused, with the reason.
    TempFolder elsewhere;
    const std::filesystem::path linked = root / "linked";
    std::filesystem::create_directories(linked / "corvane");
    std::filesystem::create_directory_symlink(elsewhere.Path(), linked / "corvane" / "runtime");
    EXPECT_FALSE(PrivateRuntimeFolder({"", linked.string(), ""}, problem).has_value());
    EXPECT_NE(problem.find("runtime"), std::string::npos) << problem;

    EXPECT_FALSE(PrivateRuntimeFolder({"", "", ""}, problem).has_value());
    EXPECT_FALSE(problem.empty());
}

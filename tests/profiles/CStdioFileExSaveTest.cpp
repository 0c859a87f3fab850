#include "profiles/CStdioFileEx.h"
#include "profiles/SaveFailures.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

bool Save(const std::filesystem::path& path, std::u16string_view text)
{
    CStdioFileEx file;
    if (!file.OpenForWrite(path)) {
        return false;
    }
    file.WriteLine(text);
    return file.Close();
}

// Collects what SaveFailures reports while it lives.
struct ReportedFailures {
    ReportedFailures()
    {
        observer.Set([this](const SaveFailure& failure) { failures.push_back(failure); });
    }
    std::vector<SaveFailure> failures;
    SaveFailures::ScopedObserver observer;
};

// The id of a process that has ended (until the system gives it to another one).
pid_t EndedProcessId()
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

struct DanglingLinkCase {
    const char* name;
    // Makes the link `link` (to a file that does not exist yet) and returns that file.
    std::filesystem::path (*make)(const std::filesystem::path& folder, const std::filesystem::path& link);
};

class DanglingLinkTest : public ::testing::TestWithParam<DanglingLinkCase> {};

}  // namespace

TEST_P(DanglingLinkTest, SaveWritesTheFileTheLinkNamesAndKeepsTheLink)
{
    TempFolder folder;
    std::filesystem::create_directories(folder / "config");
    std::filesystem::create_directories(folder / "elsewhere");
    const std::filesystem::path link = folder / "config" / "default2.psf";
    const std::filesystem::path target = GetParam().make(folder.Path(), link);
    ASSERT_FALSE(std::filesystem::exists(target));

    ASSERT_TRUE(Save(link, u"saved"));

    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(target)));
    EXPECT_EQ(ReadUtf16File(target), u"saved\n");
}

INSTANTIATE_TEST_SUITE_P(
    CStdioFileEx, DanglingLinkTest,
    ::testing::Values(
        DanglingLinkCase{"absolute",
                         [](const std::filesystem::path& folder, const std::filesystem::path& link) {
                             std::filesystem::create_symlink(folder / "elsewhere" / "p2.psf", link);
                             return folder / "elsewhere" / "p2.psf";
                         }},
        DanglingLinkCase{"relative",
                         [](const std::filesystem::path& folder, const std::filesystem::path& link) {
                             std::filesystem::create_symlink("../elsewhere/p2.psf", link);
                             return folder / "elsewhere" / "p2.psf";
                         }},
        DanglingLinkCase{"chain",
                         [](const std::filesystem::path& folder, const std::filesystem::path& link) {
                             std::filesystem::create_symlink("second.psf", folder / "elsewhere" / "first.psf");
                             std::filesystem::create_symlink(folder / "elsewhere" / "first.psf", link);
                             return folder / "elsewhere" / "second.psf";
                         }}),
    [](const ::testing::TestParamInfo<DanglingLinkCase>& testCase) { return std::string(testCase.param.name); });

TEST(CStdioFileEx, AnotherUsersLinkInASharedStickyFolderIsNotFollowed)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "planting another user's link needs root";
    }
    constexpr uid_t kOtherUser = 65534;
    TempFolder folder;
    const std::filesystem::path shared = folder / "shared";
    std::filesystem::create_directories(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    WriteUtf16File(folder / "mine.psf", u"precious\n");
    const std::filesystem::path planted = shared / "export.psf";
    std::filesystem::create_symlink(folder / "mine.psf", planted);
    ASSERT_EQ(::lchown(planted.c_str(), kOtherUser, kOtherUser), 0);
    const std::filesystem::path own = shared / "own.psf";
    std::filesystem::create_symlink(folder / "mine-too.psf", own);

    ReportedFailures reported;
    EXPECT_FALSE(Save(planted, u"overwritten"));
    EXPECT_EQ(ReadUtf16File(folder / "mine.psf"), u"precious\n");
    EXPECT_TRUE(std::filesystem::is_symlink(planted));
    ASSERT_EQ(reported.failures.size(), 1u);
    EXPECT_NE(reported.failures[0].reason.find("symbolic link of another user"), std::string::npos)
        << reported.failures[0].reason;

    // The user's own link in the same folder is followed as anywhere else.
    EXPECT_TRUE(Save(own, u"saved"));
    EXPECT_EQ(ReadUtf16File(folder / "mine-too.psf"), u"saved\n");
}

TEST(CStdioFileEx, AbandonedSavesOfEndedProcessesAreRemovedAndNothingElse)
{
    TempFolder folder;
    const std::filesystem::path config = folder / "config";
    std::filesystem::create_directories(config);
    const std::string ended = std::to_string(EndedProcessId());
    const std::string running = std::to_string(::getpid());
    const std::vector<std::string> removed{
        "default0.psf.saving~" + ended + "-7",
        "config.ini.bak.saving~" + ended + "-2",
        "default1.psf.saving~4000000000-1",  // no process has such an id
    };
    const std::vector<std::string> kept{
        "config.ini.saving~" + running + "-99",  // a save still being written
        "notes.saving~draft",                     // not a name of ours
        "default3.psf",
    };
    for (const auto& name : removed) {
        WriteBytes(config / name, "x");
    }
    for (const auto& name : kept) {
        WriteBytes(config / name, "x");
    }
    WriteBytes(folder / ("outside.psf.saving~" + ended + "-1"), "x");

    CStdioFileEx::RemoveAbandonedSaves(config);

    for (const auto& name : removed) {
        EXPECT_FALSE(std::filesystem::exists(config / name)) << name;
    }
    for (const auto& name : kept) {
        EXPECT_TRUE(std::filesystem::exists(config / name)) << name;
    }
    EXPECT_TRUE(std::filesystem::exists(folder / ("outside.psf.saving~" + ended + "-1")))
        << "only the given folder is cleaned";
}

TEST(CStdioFileEx, SaveThatRunsOutOfRoomKeepsTheOldFileAndReportsWhy)
{
    TempFolder folder;
    const std::filesystem::path target = folder / "a.txt";
    WriteUtf16File(target, u"old\n");
    ReportedFailures reported;

    // A file size limit fails the write as a full disk does, also for root.
    struct rlimit previous {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = previous;
    limited.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool saved = Save(target, std::u16string(200, u'n'));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadUtf16File(target), u"old\n");
    ASSERT_EQ(reported.failures.size(), 1u);
    EXPECT_EQ(reported.failures[0].file, target);
    EXPECT_EQ(reported.failures[0].reason, std::strerror(EFBIG));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "no temporary file stays";
}

TEST(CStdioFileEx, SaveIntoAFolderThatTakesNoFileReportsTheFolderAndWhy)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root can write into any folder";
    }
    TempFolder folder;
    const std::filesystem::path locked = folder / "locked";
    std::filesystem::create_directories(locked);
    WriteUtf16File(locked / "a.txt", u"old\n");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    ReportedFailures reported;

    const bool saved = Save(locked / "a.txt", u"new");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadUtf16File(locked / "a.txt"), u"old\n");
    ASSERT_EQ(reported.failures.size(), 1u);
    EXPECT_EQ(reported.failures[0].file.parent_path(), locked);
    EXPECT_EQ(reported.failures[0].reason, std::strerror(EACCES));
}

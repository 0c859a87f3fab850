#include "platform/shell/ProgramLauncher.h"

#include "ShellTestSupport.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Writes its own path into "marker" beside itself, using only the shell's built-ins.
constexpr std::string_view kMarkerScript = "#!/bin/sh\nprintf '%s\\n' \"$0\" > \"${0%/*}/marker\"\n";

// Runs in a temporary folder that is also the current one, so that a shell that read a
// target's name would leave its "pwned" file where the test looks.
class ProgramLauncherTest : public ::testing::Test {
protected:
    ProgramLauncherTest() : current(folder.Path()) {}

    [[nodiscard]] bool Pwned() const
    {
        return std::filesystem::exists(folder / "pwned") || std::filesystem::exists(folder / "pwned2");
    }

    TempFolder folder;
    ScopedCurrentFolder current;
};

std::u16string Utf16(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string()).toStdU16String();
}

TEST_F(ProgramLauncherTest, RunsExactlyTheExecutableFileWhateverItsNameHolds)
{
    const std::filesystem::path script = folder / "launch me; $(touch pwned) `touch pwned2` \"q\" 'q' &.sh";
    WriteFileWithMode(script, kMarkerScript, kExecutableMode);

    EXPECT_EQ(ProgramLauncher::Open(Utf16(script)), LaunchOutcome::StartedProgram);

    const std::optional<std::string> marker = WaitForFile(folder / "marker");
    EXPECT_FALSE(Pwned());
    ASSERT_TRUE(marker.has_value()) << "the script did not run";
    EXPECT_EQ(*marker, script.string() + "\n");
}

TEST_F(ProgramLauncherTest, EmptyMissingAndRelativeTargetsStartNothing)
{
    // A program in the current folder, which a relative name would reach from here only.
    WriteFileWithMode(folder / "writer", kMarkerScript, kExecutableMode);
    struct Case {
        std::u16string target;
        LaunchOutcome outcome;
    };
    const std::vector<Case> cases = {
        {u"", LaunchOutcome::EmptyTarget},
        {Utf16(folder / "missing; touch pwned"), LaunchOutcome::NotFound},
        {u"$(touch pwned)", LaunchOutcome::RelativePath},
        {u"touch pwned", LaunchOutcome::RelativePath},
        {u"writer", LaunchOutcome::RelativePath},
        {u"./writer", LaunchOutcome::RelativePath},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(QString::fromStdU16String(test.target).toStdString());
        EXPECT_EQ(ProgramLauncher::Open(test.target), test.outcome);
    }
    EXPECT_FALSE(Pwned());
    EXPECT_FALSE(WaitForFile(folder / "marker", std::chrono::milliseconds(500)).has_value());
}

TEST_F(ProgramLauncherTest, ApplicationEntryStartsTheProgramItNames)
{
    if (QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty())
        GTEST_SKIP() << "gio (Debian: libglib2.0-bin) is not installed";
    const std::filesystem::path program = folder / "writer";
    WriteFileWithMode(program, kMarkerScript, kExecutableMode);
    const std::filesystem::path entry = folder / "writer.desktop";
    // Marked executable: the user trusts it.
    WriteFileWithMode(entry,
                      "[Desktop Entry]\nType=Application\nName=Writer\nExec=\"" + program.string() + "\"\n",
                      kExecutableMode);

    EXPECT_EQ(ProgramLauncher::Open(Utf16(entry)), LaunchOutcome::StartedProgram);

    const std::optional<std::string> marker = WaitForFile(folder / "marker");
    ASSERT_TRUE(marker.has_value()) << "the entry's program did not run";
    EXPECT_EQ(*marker, program.string() + "\n");
}

TEST_F(ProgramLauncherTest, AnApplicationEntryNotMarkedExecutableIsNotRun)
{
    const ScopedEnvironmentVariable systemData("XDG_DATA_DIRS", QByteArray::fromStdString((folder / "none").string()));
    const ScopedEnvironmentVariable userData("XDG_DATA_HOME", QByteArray::fromStdString((folder / "none").string()));
    const std::filesystem::path program = folder / "writer";
    WriteFileWithMode(program, kMarkerScript, kExecutableMode);
    // As a download leaves it: readable, not executable.
    const std::filesystem::path entry = folder / "writer.desktop";
    WriteFileWithMode(entry,
                      "[Desktop Entry]\nType=Application\nName=Writer\nExec=\"" + program.string() + "\"\n",
                      kDocumentMode);

    EXPECT_EQ(ProgramLauncher::Open(Utf16(entry)), LaunchOutcome::UntrustedEntry);

    EXPECT_FALSE(WaitForFile(folder / "marker", std::chrono::seconds(2)).has_value()) << "the entry's program ran";
}

}  // namespace

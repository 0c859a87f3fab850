#include "platform/shell/MouseSettingsOpener.h"

#include "ShellTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Writes its name and arguments, one a line, into "ran" beside itself.
constexpr std::string_view kRecordingProgram =
    "#!/bin/sh\nprintf '%s\\n' \"${0##*/}\" \"$@\" > \"${0%/*}/ran\"\n";

// A PATH of one temporary folder, so the test decides which settings programs exist.
class MouseSettingsOpenerTest : public ::testing::Test {
protected:
    MouseSettingsOpenerTest() : path("PATH", QByteArray::fromStdString(folder.Path().string())) {}

    TempFolder folder;
    ScopedEnvironmentVariable path;
};

TEST_F(MouseSettingsOpenerTest, StartsTheDesktopsProgramWithItsArguments)
{
    const ScopedEnvironmentVariable desktop("XDG_CURRENT_DESKTOP", "KDE");
    WriteFileWithMode(folder / "kcmshell5", kRecordingProgram, kExecutableMode);
    WriteFileWithMode(folder / "xfce4-mouse-settings", kRecordingProgram, kExecutableMode);

    const MouseSettingsOutcome outcome = MouseSettingsOpener::Open();

    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(outcome.command, "kcmshell5 mouse");
    EXPECT_EQ(WaitForFile(folder / "ran"), "kcmshell5\nmouse\n");
}

TEST_F(MouseSettingsOpenerTest, SaysWhenNoneIsFoundOrItCannotStart)
{
    const ScopedEnvironmentVariable desktop("XDG_CURRENT_DESKTOP", "XFCE");
    EXPECT_FALSE(MouseSettingsOpener::Open().started);
    EXPECT_EQ(MouseSettingsOpener::Open().command, "");

    // Marked executable, but neither a binary nor a script.
    WriteFileWithMode(folder / "xfce4-mouse-settings", "not a program\n", kExecutableMode);
    const MouseSettingsOutcome broken = MouseSettingsOpener::Open();
    EXPECT_FALSE(broken.started);
    EXPECT_EQ(broken.command, "xfce4-mouse-settings");
}

}  // namespace

#include "platform/shell/linux/LaunchTarget.h"

#include "ShellTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QString Native(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

// A folder with one thing of each kind a launch button may hold.
class LaunchTargetTest : public ::testing::Test {
protected:
    LaunchTargetTest()
    {
        WriteFileWithMode(folder / "tool", "#!/bin/sh\n", kExecutableMode);
        WriteFileWithMode(folder / "notes.txt", "notes\n", kDocumentMode);
        WriteFileWithMode(folder / "script.sh", "#!/bin/sh\n", kDocumentMode);
        WriteFileWithMode(folder / "editor.desktop", "[Desktop Entry]\n", kDocumentMode);
        WriteFileWithMode(folder / "trusted.desktop", "[Desktop Entry]\n", kExecutableMode);
        WriteFileWithMode(folder / "notes:old", "notes\n", kDocumentMode);
        std::filesystem::create_directory(folder / "folder");
    }

    TempFolder folder;
};

struct TargetCase {
    QString target;
    LaunchTarget::Kind kind;
    QString path;  // expected for Program and ApplicationEntry
    QUrl url;      // expected for DesktopItem
};

TEST_F(LaunchTargetTest, SortsTargetsIntoProgramsEntriesDesktopItemsAndMissing)
{
    using Kind = LaunchTarget::Kind;
    const QString tool = Native(folder / "tool");
    const QString notes = Native(folder / "notes.txt");
    const std::vector<TargetCase> cases = {
        {QString(), Kind::Empty, {}, {}},
        {tool, Kind::Program, tool, {}},
        {QUrl::fromLocalFile(tool).toString(), Kind::Program, tool, {}},
        // Only the execute bit makes a program: a script without it is opened, never run.
        {Native(folder / "script.sh"), Kind::DesktopItem, {}, QUrl::fromLocalFile(Native(folder / "script.sh"))},
        {notes, Kind::DesktopItem, {}, QUrl::fromLocalFile(notes)},
        {Native(folder / "folder"), Kind::DesktopItem, {}, QUrl::fromLocalFile(Native(folder / "folder"))},
        // An application entry is started even when it carries the execute bit, which
        // some desktops ask for before they trust it.
        {Native(folder / "editor.desktop"), Kind::ApplicationEntry, Native(folder / "editor.desktop"), {}},
        {Native(folder / "trusted.desktop"), Kind::ApplicationEntry, Native(folder / "trusted.desktop"), {}},
        {QStringLiteral("https://example.org/a%20b?c=d"), Kind::DesktopItem, {},
         QUrl(QStringLiteral("https://example.org/a%20b?c=d"))},
        {QStringLiteral("mailto:someone@example.org"), Kind::DesktopItem, {},
         QUrl(QStringLiteral("mailto:someone@example.org"))},
        {Native(folder / "missing"), Kind::Missing, {}, {}},
        {QUrl::fromLocalFile(Native(folder / "missing")).toString(), Kind::Missing, {}, {}},
        {QStringLiteral("C:\\Tools\\app.exe"), Kind::Missing, {}, {}},
        {QStringLiteral("not a url"), Kind::Missing, {}, {}},
    };
    for (const TargetCase& test : cases) {
        SCOPED_TRACE(test.target.toStdString());
        const LaunchTarget launch = LaunchTarget::Of(test.target);
        EXPECT_EQ(launch.kind, test.kind);
        EXPECT_EQ(launch.path, test.path);
        EXPECT_EQ(launch.url, test.url);
    }
}

TEST_F(LaunchTargetTest, RelativeTargetsAreTakenFromTheCurrentFolder)
{
    const ScopedCurrentFolder current(folder.Path());
    const LaunchTarget tool = LaunchTarget::Of(QStringLiteral("tool"));
    EXPECT_EQ(tool.kind, LaunchTarget::Kind::Program);
    EXPECT_EQ(tool.path, Native(folder / "tool"));
    // A file whose name reads like a URL is the file.
    const LaunchTarget notes = LaunchTarget::Of(QStringLiteral("notes:old"));
    EXPECT_EQ(notes.kind, LaunchTarget::Kind::DesktopItem);
    EXPECT_EQ(notes.url, QUrl::fromLocalFile(Native(folder / "notes:old")));
}

}  // namespace

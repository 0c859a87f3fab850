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
        // An application entry from elsewhere is trusted only once it is marked executable.
        {Native(folder / "editor.desktop"), Kind::UntrustedEntry, Native(folder / "editor.desktop"), {}},
        {Native(folder / "trusted.desktop"), Kind::ApplicationEntry, Native(folder / "trusted.desktop"), {}},
        {QStringLiteral("https://example.org/a%20b?c=d"), Kind::DesktopItem, {},
         QUrl(QStringLiteral("https://example.org/a%20b?c=d"))},
        {QStringLiteral("mailto:someone@example.org"), Kind::DesktopItem, {},
         QUrl(QStringLiteral("mailto:someone@example.org"))},
        {Native(folder / "missing"), Kind::Missing, {}, {}},
        {QUrl::fromLocalFile(Native(folder / "missing")).toString(), Kind::Missing, {}, {}},
        {QStringLiteral("C:\\Tools\\app.exe"), Kind::Missing, {}, {}},
        {QStringLiteral("not a url"), Kind::RelativePath, {}, {}},
    };
    for (const TargetCase& test : cases) {
        SCOPED_TRACE(test.target.toStdString());
        const LaunchTarget launch = LaunchTarget::Of(test.target);
        EXPECT_EQ(launch.kind, test.kind);
        EXPECT_EQ(launch.path, test.path);
        EXPECT_EQ(launch.url, test.url);
    }
}

TEST_F(LaunchTargetTest, RelativePathsAreRefusedWhateverTheCurrentFolderHolds)
{
    // What a relative path names depends on the folder the program was started from.
    const ScopedCurrentFolder current(folder.Path());
    for (const QString& target : {QStringLiteral("tool"), QStringLiteral("./tool"), QStringLiteral("../tool"),
                                  QStringLiteral("trusted.desktop"), QStringLiteral("folder"),
                                  QStringLiteral("file:tool")}) {
        SCOPED_TRACE(target.toStdString());
        const LaunchTarget launch = LaunchTarget::Of(target);
        EXPECT_EQ(launch.kind, LaunchTarget::Kind::RelativePath);
        EXPECT_TRUE(launch.path.isEmpty());
    }
}

TEST_F(LaunchTargetTest, EntriesAmongTheInstalledApplicationsAreTrustedWithoutTheExecuteBit)
{
    // The desktop's menus list the "applications" folders of these.
    std::filesystem::create_directories(folder / "system/applications/vendor");
    std::filesystem::create_directories(folder / "user/applications");
    const ScopedEnvironmentVariable systemData("XDG_DATA_DIRS",
                                               QByteArray::fromStdString((folder / "system").string()));
    const ScopedEnvironmentVariable userData("XDG_DATA_HOME", QByteArray::fromStdString((folder / "user").string()));
    WriteFileWithMode(folder / "system/applications/vendor/viewer.desktop", "[Desktop Entry]\n", kDocumentMode);
    WriteFileWithMode(folder / "user/applications/mine.desktop", "[Desktop Entry]\n", kDocumentMode);
    // A link placed there does not lend its trust to a file elsewhere.
    std::filesystem::create_symlink(folder / "editor.desktop", folder / "user/applications/linked.desktop");

    using Kind = LaunchTarget::Kind;
    const std::vector<std::pair<std::filesystem::path, Kind>> cases = {
        {folder / "system/applications/vendor/viewer.desktop", Kind::ApplicationEntry},
        {folder / "user/applications/mine.desktop", Kind::ApplicationEntry},
        {folder / "user/applications/linked.desktop", Kind::UntrustedEntry},
        {folder / "editor.desktop", Kind::UntrustedEntry},
    };
    for (const auto& [path, kind] : cases) {
        SCOPED_TRACE(path.string());
        EXPECT_EQ(LaunchTarget::Of(Native(path)).kind, kind);
    }
}

}  // namespace

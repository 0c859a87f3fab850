#include "platform/instance/InstanceName.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <filesystem>
#include <unistd.h>

namespace {

// Runs a test with the working folder in `folder`, so that relative spellings resolve there.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder) : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(m_previous); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path m_previous;
};

QString SimulatedName(const std::filesystem::path& folder)
{
    return InstanceName::ForRun(true, folder).busName;
}

}  // namespace

TEST(InstanceNameTest, EverySpellingOfOneDataFolderGivesOneName)
{
    TempFolder root;
    std::filesystem::create_directories(root / "D");
    std::filesystem::create_directories(root / "other");
    std::filesystem::create_directory_symlink(root / "D", root / "link");
    const WorkingFolder working(root.Path());

    const QString name = SimulatedName(root / "D");
    struct Spelling {
        const char* what;
        std::filesystem::path folder;
    };
    const Spelling same[] = {
        {"relative", "D"},
        {"trailing separator", "D/"},
        {"dot first", "./D"},
        {"dot first, trailing separator", "./D/"},
        {"through another folder", "other/../D"},
        {"doubled separators", root.Path().string() + "//D"},
        {"a link to it", "link"},
        {"a link to it, trailing separator", root / "link/"},
    };
    for (const Spelling& spelling : same)
        EXPECT_EQ(SimulatedName(spelling.folder), name) << spelling.what;

    const Spelling different[] = {
        {"another folder", "other"},
        {"a folder inside it", "D/config"},
        {"the parent", "."},
    };
    for (const Spelling& spelling : different)
        EXPECT_NE(SimulatedName(spelling.folder), name) << spelling.what;
}

TEST(InstanceNameTest, AFolderNotYetMadeIsNamedAsItWillBe)
{
    TempFolder root;
    const WorkingFolder working(root.Path());
    const QString before = SimulatedName("new/");
    std::filesystem::create_directories(root / "new");
    EXPECT_EQ(SimulatedName("new"), before);
    EXPECT_EQ(SimulatedName(root / "new"), before);
}

TEST(InstanceNameTest, SimulatedNamesAreValidBusNamesOfTheirOwn)
{
    TempFolder root;
    // Whatever the folder's name holds, the name is letters, digits and underscores, and
    // its last element does not start with a digit.
    const QRegularExpression valid(QStringLiteral("^org\\.corvane\\.Corvane\\.Sim_[0-9a-f]{16}$"));
    for (const char* folder : {"plain", "9starts with a digit", "dots.and-dashes", "ünïcödé", "space d"}) {
        const QString name = SimulatedName(root / folder);
        EXPECT_TRUE(valid.match(name).hasMatch()) << name.toStdString();
        EXPECT_LE(name.size(), 255);
    }
    // Stable from run to run: the start of the SHA-256 of the canonical path
    // (printf %s /nonexistent-corvane-folder | sha256sum).
    EXPECT_EQ(SimulatedName("/nonexistent-corvane-folder/"), QStringLiteral("org.corvane.Corvane.Sim_0e4dfced3c26a0f7"));
}

TEST(InstanceNameTest, TheRunOnTheRealMouseHasOneNameWhateverItsDataFolder)
{
    TempFolder one;
    TempFolder other;
    EXPECT_EQ(InstanceName::ForRun(false, one.Path()).busName, QStringLiteral("org.corvane.Corvane"));
    EXPECT_EQ(InstanceName::ForRun(false, other.Path()).busName, QStringLiteral("org.corvane.Corvane"));
    EXPECT_EQ(InstanceName::ForRun(false, one.Path()).fileKey, InstanceName::ForRun(false, other.Path()).fileKey);
    // The files of the fallback name the user by number, never by a name from the
    // environment.
    EXPECT_EQ(InstanceName::ForRun(false, one.Path()).fileKey,
              QStringLiteral("corvane-") + QString::number(::getuid()));
    EXPECT_NE(InstanceName::ForRun(true, one.Path()).fileKey, InstanceName::ForRun(true, other.Path()).fileKey);
}

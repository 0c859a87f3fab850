#include "platform/ResourceFolder.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct LayoutCase {
    const char* name;
    std::vector<std::string> folders;  // made under the temporary root
    const char* expected;              // relative to the root
};

void PrintTo(const LayoutCase& layout, std::ostream* out)
{
    *out << layout.name;
}

class ResourceFolderLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(ResourceFolderLayout, PicksTheFolderThatHoldsTheFiles)
{
    const LayoutCase& layout = GetParam();
    TempFolder root;
    std::filesystem::create_directories(root / "prefix/bin");
    for (const std::string& folder : layout.folders)
        std::filesystem::create_directories(root / folder);

    EXPECT_EQ(ResourceFolder(root / "prefix/bin", "../share/corvane"), root / layout.expected);
}

const LayoutCase kLayouts[] = {
    {"BuildTreeWithBoth", {"prefix/bin/skins", "prefix/bin/lang"}, "prefix/bin"},
    {"BuildTreeWithoutQt", {"prefix/bin/lang"}, "prefix/bin"},
    {"Installed", {"prefix/share/corvane/skins", "prefix/share/corvane/lang"}, "prefix/share/corvane"},
    {"BesideWinsOverInstalled", {"prefix/bin/skins", "prefix/share/corvane/lang"}, "prefix/bin"},
    {"NeitherFallsBackBeside", {"prefix/share/other"}, "prefix/bin"},
    {"OtherProgramsDataIsNotOurs", {"prefix/share/corvane-old/lang"}, "prefix/bin"},
};

INSTANTIATE_TEST_SUITE_P(Layouts, ResourceFolderLayout, testing::ValuesIn(kLayouts),
                         [](const testing::TestParamInfo<LayoutCase>& layout) { return std::string(layout.param.name); });

TEST(ResourceFolder, AFileNamedLikeTheFolderIsNotTheFolder)
{
    TempFolder root;
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "share/corvane");
    WriteBytes(root / "bin/lang", "not a folder");

    EXPECT_EQ(ResourceFolder(root / "bin", "../share/corvane"), root / "share/corvane");
}

TEST(ResourceFolder, BuildDefaultIsTheInstallLayoutsDataFolder)
{
    TempFolder root;
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "share/corvane/skins");

#ifdef _WIN32
    // The Windows folder is flat, skins/ and lang/ beside the programs: an installed
    // program never reaches into another share folder.
    EXPECT_EQ((ResourceFolder(root / "bin") / "skins").lexically_normal(), (root / "bin" / "skins").lexically_normal());
#else
    EXPECT_EQ(ResourceFolder(root / "bin"), root / "share/corvane");
#endif
}

}  // namespace

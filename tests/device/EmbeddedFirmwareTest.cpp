#include "device/EmbeddedFirmware.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> FileBytes(const std::string& path)
{
    if (path.empty())
        return {};
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << path;
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> span)
{
    return {span.begin(), span.end()};
}

}  // namespace

// The default build gives no files, so both images are empty; a build given files
// carries exactly their bytes.
TEST(EmbeddedFirmwareTest, ImagesAreTheFilesGivenToTheBuild)
{
    EXPECT_EQ(Bytes(EmbeddedAppImage()), FileBytes(CORVANE_TEST_APP_IMAGE_FILE));
    EXPECT_EQ(Bytes(EmbeddedBaseImage()), FileBytes(CORVANE_TEST_BASE_IMAGE_FILE));
}

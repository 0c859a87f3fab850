#include "profiles/PathText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PathCase {
    const char* name;
    std::u16string text;
    std::string bytes;  // the path's bytes on a system whose paths are bytes
    bool roundTrips;    // the text comes back unchanged from the path
};

const PathCase kPathCases[] = {
    {"Ascii", u"/home/me/config/default0.psf", "/home/me/config/default0.psf", true},
    {"AccentsAndCjk", u"/home/J\u00f6rg/\u914d\u7f6e.psf", "/home/J\xc3\xb6rg/\xe9\x85\x8d\xe7\xbd\xae.psf", true},
    {"PairedSurrogates", u"/tmp/\U0001F5B1.psf", "/tmp/\xf0\x9f\x96\xb1.psf", true},
    {"UnpairedHighSurrogate", std::u16string(u"/tmp/a") + char16_t{0xD800} + u".psf", "/tmp/a\xef\xbf\xbd.psf", false},
    {"LowSurrogateOutsideTheEscapes", std::u16string(u"/tmp/") + char16_t{0xDE00}, "/tmp/\xef\xbf\xbd", false},
    {"EscapedNonUtf8Byte", std::u16string(u"/tmp/caf") + char16_t{0xDCE9}, "/tmp/caf\xe9", true},
};

class PathTextTest : public testing::TestWithParam<PathCase> {};

}  // namespace

TEST_P(PathTextTest, ConvertsWithoutThrowing)
{
    const PathCase& c = GetParam();
    std::filesystem::path path;
    ASSERT_NO_THROW(path = PathFromText(c.text));
#ifndef _WIN32
    EXPECT_EQ(path.native(), c.bytes);
    EXPECT_EQ(TextFromPath(std::filesystem::path(c.bytes)) == c.text, c.roundTrips);
    EXPECT_EQ(TextFromPath(path) == c.text, c.roundTrips);
#else
    // Windows names are UTF-16 as they stand: every text comes back, a lone surrogate too.
    EXPECT_TRUE(TextFromPath(path) == c.text);
#endif
}

INSTANTIATE_TEST_SUITE_P(Texts, PathTextTest, testing::ValuesIn(kPathCases),
                         [](const testing::TestParamInfo<PathCase>& param) { return std::string(param.param.name); });

#ifndef _WIN32
TEST(PathText, EveryByteOfANonUtf8PathComesBack)
{
    std::string bytes = "/tmp/";
    for (int byte = 1; byte < 256; ++byte)
        bytes.push_back(static_cast<char>(byte));
    EXPECT_EQ(PathFromText(TextFromPath(std::filesystem::path(bytes))).native(), bytes);
}
#endif

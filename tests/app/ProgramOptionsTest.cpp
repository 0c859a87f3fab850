#include "app/ProgramOptions.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <cstring>
#include <fstream>

namespace {

struct Refusal {
    const char* name;
    std::vector<std::string> arguments;
    const char* errorPart;  // what the message must name
};

}  // namespace

TEST(ProgramOptionsTest, ArgumentsThatNameNothingUsableAreRefused)
{
    const std::vector<Refusal> cases{
        {"empty data folder", {"--data-dir", ""}, "--data-dir"},
        {"empty data folder after =", {"--data-dir="}, "--data-dir"},
        {"empty traffic log", {"--simulate", "--hid-log", ""}, "--hid-log"},
        {"data folder without a value", {"--data-dir"}, "--data-dir"},
        {"scale not offered", {"--scale", "1.25"}, "--scale"},
        {"unknown option", {"--simulated"}, "--simulated"},
        {"stray argument", {"profile.psf"}, "profile.psf"},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        EXPECT_FALSE(ProgramOptions::Parse(c.arguments, error).has_value());
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
    }
}

#if !defined(_WIN32)
TEST(ProgramOptionsTest, NamesAreTakenByteForByte)
{
    // Latin-1 "café", which is not UTF-8: the folder a user made under another locale.
    const std::string folder = "/tmp/caf\xE9-data";
    std::string error;
    const auto options =
        ProgramOptions::Parse({"--simulate", "--data-dir", folder, "--hid-log=/tmp/\xFF.log", "--scale", "1.5"}, error);
    ASSERT_TRUE(options.has_value()) << error;
    EXPECT_EQ(options->dataDir.native(), folder);
    EXPECT_EQ(options->hidLog.native(), "/tmp/\xFF.log");
    EXPECT_TRUE(options->simulate);
    EXPECT_EQ(options->scale, 1.5F);
}

#endif

TEST(ProgramOptionsTest, HelpIsAskedWithoutAnError)
{
    std::string error = "stale";
    EXPECT_FALSE(ProgramOptions::Parse({"--simulate", "--help"}, error).has_value());
    EXPECT_TRUE(error.empty());
}

#if !defined(_WIN32)
// Opening a FIFO for writing waits for a reader; the check must refuse it without
// opening it, so the start neither blocks nor holds the instance meanwhile.
TEST(ProgramOptionsTest, TheTrafficLogIsARegularFileOrANewOne)
{
    TempFolder folder;
    const std::filesystem::path fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path socketFile = folder / "socket";
    const int socketHandle = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(socketHandle, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketFile.native().size(), sizeof(address.sun_path));
    std::strncpy(address.sun_path, socketFile.c_str(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(socketHandle, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    const std::filesystem::path regular = folder / "old.log";
    std::ofstream(regular) << "0.000 wired get-feature 0\n";
    std::filesystem::create_symlink(fifo, folder / "to-fifo");
    std::filesystem::create_symlink(regular, folder / "to-regular");

    struct Case {
        std::filesystem::path log;
        bool accepted;
    };
    const std::vector<Case> cases{
        {regular, true},
        {folder / "new.log", true},
        {folder / "to-regular", true},
        {fifo, false},
        {folder / "to-fifo", false},
        {socketFile, false},
        {folder.Path(), false},
        {"/dev/null", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.log.string());
        std::string error;
        const auto options = ProgramOptions::Parse({"--hid-log", c.log.string()}, error);
        EXPECT_EQ(options.has_value(), c.accepted) << error;
        if (!c.accepted) {
            EXPECT_NE(error.find(c.log.string()), std::string::npos) << error;
        }
    }
    ::close(socketHandle);
}
#endif

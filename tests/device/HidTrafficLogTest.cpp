#include "device/HidTrafficLog.h"
#include "device/VirtualClock.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

TEST(HidTrafficLogTest, LinesCarryTimeLinkOperationCountAndUpperCaseHex)
{
    const std::array<std::uint8_t, 4> bytes = {0x09, 0x04, 0xAB, 0x0F};
    struct Case {
        std::chrono::microseconds time;
        LinkKind link;
        HidOperation operation;
        bool succeeded;
        const char* expected;
    };
    const Case cases[] = {
        {61'999us, LinkKind::Wired, HidOperation::SetFeature, true, "0.061 wired set-feature 4 09 04 AB 0F"},
        {0us, LinkKind::Ble, HidOperation::GetFeature, true, "0.000 ble get-feature 4 09 04 AB 0F"},
        {12'345'678us, LinkKind::Wireless, HidOperation::Input, false,
         "12.345 wireless input 4 09 04 AB 0F failed"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HidTrafficLog::FormatLine(c.time, c.link, c.operation, bytes, c.succeeded), c.expected);
}

TEST(HidTrafficLogTest, AppendsWholeLinesFromSeveralThreads)
{
    TempFolder folder;
    VirtualClock clock;
    std::string error;
    {
        std::ofstream(folder / "hid.log") << "earlier line\n";
        auto log = HidTrafficLog::Open(folder / "hid.log", clock, error);
        ASSERT_NE(log, nullptr) << error;
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&log, t] {
                const std::array<std::uint8_t, 32> report{static_cast<std::uint8_t>(t)};
                for (int i = 0; i < 200; ++i)
                    log->Record(LinkKind::Wired, HidOperation::SetFeature, report, true);
            });
        for (auto& thread : threads)
            thread.join();
    }
    std::ifstream in(folder / "hid.log");
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "earlier line");
    int count = 0;
    while (std::getline(in, line)) {
        ++count;
        ASSERT_EQ(line.size(), std::string("0.000 wired set-feature 32").size() + 32 * 3) << line;
    }
    EXPECT_EQ(count, 800);
}

TEST(HidTrafficLogTest, UnwritablePathIsReportedWithTheReason)
{
    TempFolder folder;
    VirtualClock clock;
    std::string error;
    EXPECT_EQ(HidTrafficLog::Open(folder / "missing" / "hid.log", clock, error), nullptr);
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
}

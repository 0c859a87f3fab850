#include "sim/SimMouseFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using SimCommandBuilder::Make;

class SimReceivedRecordTest : public SimMouseFixture {
protected:
    // Writes `count` commands whose payload byte counts on from `first`.
    void WriteNumbered(std::size_t first, std::size_t count)
    {
        for (std::size_t i = first; i < first + count; ++i)
            ASSERT_TRUE(wired->SetFeature(Make(0x09, 0x01, {Number(i)})));
    }
    static std::uint8_t Number(std::size_t i) { return static_cast<std::uint8_t>(i); }
    static std::uint8_t NumberOf(const SimReceivedReport& report) { return report.bytes[SimCommandBuilder::kPayloadByte]; }
};

TEST_F(SimReceivedRecordTest, RecordKeepsTheNewestReportsUpToItsLimit)
{
    constexpr std::size_t kLimit = SimulatedMouse::kDefaultReceivedLimit;
    WriteNumbered(0, kLimit + 10);
    std::vector<SimReceivedReport> received = mouse.Received();
    ASSERT_EQ(received.size(), kLimit);
    EXPECT_EQ(NumberOf(received.front()), Number(10));
    EXPECT_EQ(NumberOf(received.back()), Number(kLimit + 9));
    EXPECT_TRUE(received.back().succeeded);
    EXPECT_EQ(mouse.ReceivedDropped(), 10u);

    // A lower limit drops the oldest at once, and the newest entry still gets its result.
    mouse.SetReceivedLimit(1);
    EXPECT_EQ(mouse.ReceivedDropped(), kLimit + 9);
    (void)ReadReply(*wired);
    received = mouse.Received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].operation, SimReportOperation::GetFeature);
    EXPECT_TRUE(received[0].succeeded);
    EXPECT_EQ(received[0].reply[1], 0x09);

    // A test that needs a longer record raises the limit; clearing starts the count anew.
    mouse.ClearReceived();
    EXPECT_EQ(mouse.ReceivedDropped(), 0u);
    mouse.SetReceivedLimit(3 * kLimit);
    WriteNumbered(0, 2 * kLimit);
    EXPECT_EQ(mouse.Received().size(), 2 * kLimit);
    EXPECT_EQ(mouse.ReceivedDropped(), 0u);
}

#include "device/CommandExchanger.h"
#include "device/HidHandle.h"
#include "device/VirtualClock.h"
#include "sim/SimulatedMouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

// An exchanger and the simulated mouse on its wired link.
class CommandExchangerTest : public testing::Test {
protected:
    CommandExchangerTest()
    {
        mouse.Plug(LinkKind::Wired);
        handle = mouse.OpenCommandInterface(LinkKind::Wired);
    }

    // The reports the mouse received by writes, in order.
    [[nodiscard]] std::vector<SimReceivedReport> Writes() const
    {
        std::vector<SimReceivedReport> writes;
        for (const SimReceivedReport& report : mouse.Received())
            if (report.operation == SimReportOperation::SetFeature)
                writes.push_back(report);
        return writes;
    }

    VirtualClock clock;
    SimulatedMouse mouse{clock};
    std::unique_ptr<HidHandle> handle;
    CommandExchanger exchanger{clock};
};

TEST_F(CommandExchangerTest, SequenceNumberStartsAtOneAndWrapsAfter255)
{
    CommandRequest request;
    request.code = CommandCode::KeyDebounce;
    std::vector<int> sequence;
    for (int i = 0; i < 257; ++i) {
        request.At(5) = static_cast<std::uint8_t>(i);
        EXPECT_EQ(exchanger.Exchange(handle.get(), request), ExchangeResult::Accepted);
    }
    for (const SimReceivedReport& report : Writes())
        sequence.push_back(report.bytes[2]);
    ASSERT_EQ(sequence.size(), 257u);
    EXPECT_EQ(sequence[0], 1);
    EXPECT_EQ(sequence[254], 255);
    EXPECT_EQ(sequence[255], 0);
    EXPECT_EQ(sequence[256], 1);
}

TEST_F(CommandExchangerTest, WithoutAnInterfaceEveryAttemptStillPauses)
{
    CommandRequest request;
    EXPECT_EQ(exchanger.Exchange(nullptr, request), ExchangeResult::NotWritten);
    EXPECT_EQ(clock.Now(), std::chrono::milliseconds(4 * 120));
    EXPECT_EQ(exchanger.NextSequence(), 5);
}

TEST_F(CommandExchangerTest, MacroPacketRetryResendsTheSavedBytesWithAFreshSequenceAndChecksum)
{
    CommandRequest packet;
    packet.code = CommandCode::MacroData;
    packet.packet = 0x01;
    packet.At(5) = 4;
    packet.At(6) = 1;
    packet.At(7) = 0x30;
    packet.settle = CommandRequest::kMacroSettle;
    packet.retry = RetryMode::ResendSaved;
    mouse.RejectNextCommands(1);
    EXPECT_EQ(exchanger.Exchange(handle.get(), packet), ExchangeResult::Accepted);

    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[1].time - writes[0].time, std::chrono::milliseconds(180));
    auto first = writes[0].bytes;
    auto second = writes[1].bytes;
    EXPECT_EQ(second[2], static_cast<std::uint8_t>(first[2] + 1));
    EXPECT_EQ(second[4], CommandChecksum(second));
    first[2] = second[2] = 0;
    first[4] = second[4] = 0;
    EXPECT_EQ(first, second);
}

namespace {

// Passes calls to the mouse and changes one byte of every feature reply on the way back.
class ReplyTamperer final : public HidHandle {
public:
    ReplyTamperer(std::unique_ptr<HidHandle> inner, std::size_t index, std::uint8_t value)
        : m_inner(std::move(inner)), m_index(index), m_value(value)
    {
    }
    bool SetFeature(std::span<const std::uint8_t> report) override { return m_inner->SetFeature(report); }
    bool GetFeature(std::span<std::uint8_t> buffer) override
    {
        const bool ok = m_inner->GetFeature(buffer);
        buffer[m_index] = m_value;
        return ok;
    }
    bool ReadInput(std::span<std::uint8_t> buffer) override { return m_inner->ReadInput(buffer); }
    void Close() override { m_inner->Close(); }

private:
    std::unique_ptr<HidHandle> m_inner;
    std::size_t m_index;
    std::uint8_t m_value;
};

}  // namespace

TEST_F(CommandExchangerTest, PresenceReplyCountsOnlyWithReportIdEightAndTheSignature)
{
    mouse.Plug(LinkKind::Ble);
    auto wrongSignature = ReplyTamperer(mouse.OpenCommandInterface(LinkKind::Ble), 2, '0');
    EXPECT_EQ(exchanger.QueryPresence(&wrongSignature), std::nullopt);
    auto wrongId = ReplyTamperer(mouse.OpenCommandInterface(LinkKind::Ble), 0, 9);
    EXPECT_EQ(exchanger.QueryPresence(&wrongId), std::nullopt);
}

TEST_F(CommandExchangerTest, PresenceRequestIsFilledWithFFAndAValidReplyCounts)
{
    EXPECT_EQ(exchanger.QueryPresence(handle.get()), std::optional<bool>(true));
    const auto request = mouse.Received().back().bytes;
    EXPECT_EQ(request[0], 8);
    EXPECT_TRUE(std::all_of(request.begin() + 1, request.end(), [](std::uint8_t b) { return b == 0xFF; }));
}

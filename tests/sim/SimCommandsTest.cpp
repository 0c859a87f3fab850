#include "sim/SimCommandDecoder.h"
#include "sim/SimMouseFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using SimCommandBuilder::Make;
using SimCommandBuilder::MacroPacket;
using Verdict = SimCommandDecoder::Verdict;

namespace {

// The factory-reset command written out by hand: 09 0F 01 01 <sum> FF, then 26 zeros.
std::array<std::uint8_t, 32> HandWrittenReset(std::uint8_t checksum)
{
    std::array<std::uint8_t, 32> report{};
    report[0] = 0x09;
    report[1] = 0x0F;
    report[2] = 0x01;
    report[3] = 0x01;
    report[4] = checksum;
    report[5] = 0xFF;
    return report;
}

}  // namespace

class SimCommandsTest : public SimMouseFixture {};

TEST_F(SimCommandsTest, ChecksumIsTheByteSumWithByte4TakenAsZero)
{
    EXPECT_EQ(SimCommandDecoder::Checksum(HandWrittenReset(0x00)), 0x19);
    EXPECT_EQ(SimCommandDecoder::Checksum(HandWrittenReset(0xAB)), 0x19);

    for (std::uint8_t wrong : {0x18, 0x1A, 0x00}) {
        EXPECT_EQ(Send(HandWrittenReset(wrong))[1], 0) << "checksum " << int(wrong);
    }
    EXPECT_EQ(mouse.State().factoryResets, 0u);
    EXPECT_EQ(mouse.RejectedCount(), 3u);

    EXPECT_EQ(Send(HandWrittenReset(0x19))[1], 0x0F);
    EXPECT_EQ(mouse.State().factoryResets, 1u);
    EXPECT_EQ(mouse.AcceptedCount(), 1u);
}

TEST_F(SimCommandsTest, InvalidReportsAreRecordedCountedAndNotApplied)
{
    const auto polling = Make(0x04, 0x01, {0x11});
    std::vector<std::uint8_t> padded(polling.begin(), polling.end());
    padded.push_back(0);
    std::vector<std::uint8_t> paddedNonZero = padded;
    paddedNonZero.back() = 1;
    auto badChecksum = polling;
    ++badChecksum[4];

    struct Case {
        std::string name;
        std::vector<std::uint8_t> report;
        Verdict verdict;
        bool writeSucceeds;
    };
    auto bytes = [](const SimCommandBuilder::Command& c) { return std::vector<std::uint8_t>(c.begin(), c.end()); };
    const std::vector<Case> cases{
        {"bad checksum", bytes(badChecksum), Verdict::BadChecksum, true},
        {"code 0x00", bytes(Make(0x00, 0x01, {0x11})), Verdict::UnknownCode, true},
        {"code 0x0A", bytes(Make(0x0A, 0x01, {0x11})), Verdict::UnknownCode, true},
        {"code 0x0E", bytes(Make(0x0E, 0x01, {0x11})), Verdict::UnknownCode, true},
        {"code 0x12", bytes(Make(0x12, 0x01, {0x11})), Verdict::UnknownCode, true},
        {"31 bytes", std::vector<std::uint8_t>(polling.begin(), polling.end() - 1), Verdict::WrongLength, false},
        {"33 bytes, last not zero", paddedNonZero, Verdict::WrongLength, false},
        {"single command with packet 0x02", bytes(Make(0x04, 0x02, {0x11})), Verdict::BadPacketField, true},
        {"DPI levels with packet 0x01", bytes(Make(0x02, 0x01, {0, 0x3F})), Verdict::BadPacketField, true},
        {"DPI levels with packet 0x22", bytes(Make(0x02, 0x22, {0, 0x3F})), Verdict::BadPacketField, true},
        {"macro packet index beyond count", bytes(MacroPacket(0x22, 1, {1, 2, 3})), Verdict::BadPacketField, true},
        {"macro packet count 0", bytes(MacroPacket(0x00, 1, {1, 2, 3})), Verdict::BadPacketField, true},
        {"macro byte count 0", bytes(Make(0x10, 0x01, {0, 1})), Verdict::BadMacroPacket, true},
        {"macro byte count 27", bytes(Make(0x10, 0x01, {27, 1})), Verdict::BadMacroPacket, true},
        {"macro slot 16", bytes(MacroPacket(0x01, 16, {1, 2, 3})), Verdict::BadMacroPacket, true},
    };
    unsigned rejected = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SimCommandDecoder::Check(c.report), c.verdict);
        mouse.ClearReceived();
        EXPECT_EQ(wired->SetFeature(c.report), c.writeSucceeds);
        EXPECT_EQ(ReadReply(*wired)[1], 0);
        EXPECT_EQ(mouse.RejectedCount(), ++rejected);
        const auto received = mouse.Received();
        ASSERT_EQ(received.size(), 2u);
        EXPECT_EQ(received[0].bytes, c.report);
        EXPECT_EQ(received[0].succeeded, c.writeSucceeds);
    }
    const SimMouseState state = mouse.State();
    EXPECT_EQ(state.settings, SimMouseSettings{});
    EXPECT_EQ(state.acceptedCommands, 0u);

    // The same command in its valid forms is taken, with 32 and with 33 bytes.
    EXPECT_EQ(SimCommandDecoder::Check(padded), Verdict::Valid);
    EXPECT_EQ(Send(padded)[1], 0x04);
    EXPECT_EQ(Send(polling)[1], 0x04);
    EXPECT_EQ(mouse.State().settings.pollingCode, 0x11);
}

TEST_F(SimCommandsTest, AcceptedCommandIsEchoedOnceThenRepliesAreEmpty)
{
    const auto command = Make(0x09, 0x01, {0x04}, 0x7E);
    ASSERT_TRUE(wired->SetFeature(command));

    std::array<std::uint8_t, 32> reply{};
    reply.fill(0xEE);
    reply[0] = 9;
    ASSERT_TRUE(wired->GetFeature(reply));
    EXPECT_EQ(reply, command);

    reply.fill(0xEE);
    reply[0] = 9;
    ASSERT_TRUE(wired->GetFeature(reply));
    std::array<std::uint8_t, 32> empty{};
    empty[0] = 9;
    EXPECT_EQ(reply, empty);
}

TEST_F(SimCommandsTest, InvalidReportClearsAnEarlierUnreadAcceptance)
{
    ASSERT_TRUE(wired->SetFeature(Make(0x09, 0x01, {0x04})));
    auto broken = Make(0x05, 0x01, {0x01});
    ++broken[4];
    ASSERT_TRUE(wired->SetFeature(broken));
    EXPECT_EQ(ReadReply(*wired)[1], 0);
}

TEST_F(SimCommandsTest, AcceptanceIsAnsweredOnTheLinkThatReceivedTheCommand)
{
    mouse.Plug(LinkKind::Ble);
    auto ble = mouse.OpenCommandInterface(LinkKind::Ble);
    ASSERT_TRUE(wired->SetFeature(Make(0x09, 0x01, {0x04})));
    EXPECT_EQ(ReadReply(*ble)[1], 0);
    EXPECT_EQ(ReadReply(*wired)[1], 0x09);
}

TEST_F(SimCommandsTest, SettingsCommandsAreDecodedIntoTheState)
{
    struct Case {
        std::string name;
        SimCommandBuilder::Command report;
        std::size_t writeLength;
        std::function<void(SimMouseState&)> expect;
    };
    const std::vector<Case> cases{
        {"key assignments",
         Make(0x01, 0x01, {0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x20, 0x04, 0x05, 0x90, 0x21, 0x03,
                           0x30, 0x0A, 0x0B, 0x40, 0x02, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
         32,
         [](SimMouseState& s) {
             s.settings.keyBytes = {0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x20, 0x04, 0x05,
                                    0x90, 0x21, 0x03, 0x30, 0x0A, 0x0B, 0x40, 0x02, 0x00};
         }},
        {"DPI levels, X packet",
         Make(0x02, 0x02, {3, 0x2D, 0x07, 0x02, 0x08, 0x00, 0x0F, 0x00, 0x1F, 0x00, 0x3F, 0x00, 0x76, 0xFF}),
         32,
         [](SimMouseState& s) {
             s.settings.currentDpiLevel = 3;
             s.settings.dpiOnOffFlags = 0x2D;
             s.settings.dpiX = {0x0207, 0x0008, 0x000F, 0x001F, 0x003F, 0xFF76};
             s.live.dpiLevel = 3;
         }},
        {"DPI levels, Y packet",
         Make(0x02, 0x12, {4, 0x3F, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00, 0x05, 0x00, 0x06, 0x01}),
         32,
         [](SimMouseState& s) {
             s.settings.currentDpiLevel = 4;
             s.settings.dpiY = {0x0001, 0x0002, 0x0003, 0x0004, 0x0005, 0x0106};
             s.live.dpiLevel = 4;
         }},
        {"DPI colours",
         Make(0x03, 0x01, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}),
         32,
         [](SimMouseState& s) {
             s.settings.dpiColours = {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12},
                                       {13, 14, 15}, {16, 17, 18}, {19, 20, 21}, {22, 23, 24}}};
         }},
        {"polling rate", Make(0x04, 0x01, {0x12}), 32,
         [](SimMouseState& s) {
             s.settings.pollingCode = 0x12;
             s.live.pollingCode = 0x12;
         }},
        {"lift height", Make(0x05, 0x01, {1}), 32, [](SimMouseState& s) { s.settings.liftCode = 1; }},
        {"lighting, 33 bytes", Make(0x06, 0x01, {0xFF, 3, 0x23, 0, 0x10, 0x20, 0x30}), 33,
         [](SimMouseState& s) {
             s.settings.lightingMode = 3;
             s.settings.lightingBrightnessSpeed = 0x23;
             s.settings.lightingDirection = 0;
             s.settings.lightingColour = {0x10, 0x20, 0x30};
             s.live.lightingMode = 3;
             s.live.colour = {0x10, 0x20, 0x30};
             s.live.speedLevel = 3;
         }},
        {"power saving", Make(0x07, 0x01, {5, 7, 1}), 32,
         [](SimMouseState& s) {
             s.settings.powerSaving = {5, 7, 1};
             s.live.powerDownTime = 5;
             s.live.rgbOffTime = 7;
             s.live.moveLighting = 1;
         }},
        {"sensor options", Make(0x08, 0x01, {1, 0, 1}), 32,
         [](SimMouseState& s) { s.settings.sensorOptions = {1, 0, 1}; }},
        {"key debounce", Make(0x09, 0x01, {8}), 32, [](SimMouseState& s) { s.settings.keyDebounce = 8; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedMouse fresh(clock);
        fresh.Plug(LinkKind::Wired);
        auto handle = fresh.OpenCommandInterface(LinkKind::Wired);
        std::vector<std::uint8_t> written(c.report.begin(), c.report.end());
        written.resize(c.writeLength, 0);

        SimMouseState expected = fresh.State();
        c.expect(expected);
        expected.acceptedCommands = 1;

        ASSERT_TRUE(handle->SetFeature(written));
        EXPECT_EQ(ReadReply(*handle)[1], c.report[1]);
        EXPECT_EQ(fresh.State(), expected);
    }
}

TEST_F(SimCommandsTest, KeyBytesArriveInWireOrderAndAreOfferedInButtonOrder)
{
    // Wire order is buttons 0, 1, 2, 4, 3, 5: entry k carries 0x10 + k.
    ASSERT_EQ(Send(Make(0x01, 0x01, {0x10, 0xA0, 0, 0x11, 0xA1, 0, 0x12, 0xA2, 0,
                                     0x13, 0xA4, 0, 0x14, 0xA3, 0, 0x15, 0xA5, 0}))[1], 0x01);
    const auto buttons = mouse.State().settings.KeysInButtonOrder();
    using Value = SimMouseSettings::ButtonValue;
    EXPECT_EQ(buttons[0], (Value{0x10, 0xA0, 0}));
    EXPECT_EQ(buttons[1], (Value{0x11, 0xA1, 0}));
    EXPECT_EQ(buttons[2], (Value{0x12, 0xA2, 0}));
    EXPECT_EQ(buttons[3], (Value{0x14, 0xA3, 0}));
    EXPECT_EQ(buttons[4], (Value{0x13, 0xA4, 0}));
    EXPECT_EQ(buttons[5], (Value{0x15, 0xA5, 0}));
}

TEST_F(SimCommandsTest, MacroOfTwentySevenBytesIsAssembledFromTwoPackets)
{
    std::vector<std::uint8_t> events(27);
    for (std::size_t i = 0; i < events.size(); ++i)
        events[i] = static_cast<std::uint8_t>(0x30 + i);
    const std::vector<std::uint8_t> first(events.begin(), events.begin() + 25);
    const std::vector<std::uint8_t> second(events.begin() + 25, events.end());

    const auto packet0 = MacroPacket(0x02, 3, first);
    const auto packet1 = MacroPacket(0x12, 3, second);
    EXPECT_EQ(packet0[5], 26);
    EXPECT_EQ(packet1[5], 3);

    ASSERT_EQ(Send(packet0)[1], 0x10);
    EXPECT_FALSE(mouse.State().settings.macros[3].Complete());
    ASSERT_EQ(Send(packet1)[1], 0x10);

    const SimMacroSlot slot = mouse.State().settings.macros[3];
    EXPECT_EQ(slot.events, events);
    EXPECT_EQ(slot.packetCount, 2);
    EXPECT_EQ(slot.packetWrites, 2u);
    EXPECT_TRUE(slot.Complete());
    for (std::size_t other = 0; other < SimMouseSettings::kMacroSlotCount; ++other) {
        if (other != 3) {
            EXPECT_TRUE(mouse.State().settings.macros[other].events.empty()) << other;
        }
    }
}

TEST_F(SimCommandsTest, RepeatedPacketChangesNothingAndMissingPacketLeavesTheMacroIncomplete)
{
    const std::vector<std::uint8_t> full(25, 0x31);
    const std::vector<std::uint8_t> tail{0x41, 0x42, 0x43};

    // A retry of packet 1 after its reply was lost.
    ASSERT_EQ(Send(MacroPacket(0x03, 1, full))[1], 0x10);
    ASSERT_EQ(Send(MacroPacket(0x13, 1, full))[1], 0x10);
    ASSERT_EQ(Send(MacroPacket(0x13, 1, full))[1], 0x10);
    ASSERT_EQ(Send(MacroPacket(0x23, 1, tail))[1], 0x10);
    SimMacroSlot slot = mouse.State().settings.macros[1];
    EXPECT_TRUE(slot.Complete());
    EXPECT_EQ(slot.events.size(), 53u);
    EXPECT_EQ(slot.packetWrites, 4u);

    // A transfer whose packet 1 never arrived.
    ASSERT_EQ(Send(MacroPacket(0x03, 2, full))[1], 0x10);
    ASSERT_EQ(Send(MacroPacket(0x23, 2, tail))[1], 0x10);
    slot = mouse.State().settings.macros[2];
    EXPECT_FALSE(slot.Complete());
    EXPECT_EQ(slot.receivedPackets, 0b101);

    // A longer transfer whose packet 0 never arrived does not complete on the packets
    // of the shorter one before it.
    ASSERT_EQ(Send(MacroPacket(0x02, 4, full))[1], 0x10);
    ASSERT_EQ(Send(MacroPacket(0x12, 4, tail))[1], 0x10);
    ASSERT_TRUE(mouse.State().settings.macros[4].Complete());
    ASSERT_EQ(Send(MacroPacket(0x13, 4, full))[1], 0x10);
    ASSERT_EQ(Send(MacroPacket(0x23, 4, tail))[1], 0x10);
    slot = mouse.State().settings.macros[4];
    EXPECT_FALSE(slot.Complete());
    EXPECT_EQ(slot.packetCount, 3);
    EXPECT_EQ(slot.receivedPackets, 0b110);
}

TEST_F(SimCommandsTest, NewTransferReplacesTheSlotAndMacroClearEmptiesEverySlot)
{
    ASSERT_EQ(Send(MacroPacket(0x02, 1, std::vector<std::uint8_t>(25, 0x11)))[1], 0x10);
    ASSERT_EQ(Send(MacroPacket(0x12, 1, {0x22, 0x22, 0x22}))[1], 0x10);
    ASSERT_EQ(Send(MacroPacket(0x01, 2, {0x30, 0x32, 0x04, 0xB0, 0x00, 0x04}))[1], 0x10);

    // Shorter transfers: one with fewer packets, one with as many packets but fewer bytes.
    ASSERT_EQ(Send(MacroPacket(0x01, 1, {0x30, 0x00, 0x05}))[1], 0x10);
    ASSERT_EQ(Send(MacroPacket(0x01, 2, {0x30, 0x00, 0x06}))[1], 0x10);
    SimMacroSlot slot = mouse.State().settings.macros[1];
    EXPECT_EQ(slot.events, (std::vector<std::uint8_t>{0x30, 0x00, 0x05}));
    EXPECT_TRUE(slot.Complete());
    EXPECT_EQ(mouse.State().settings.macros[2].events, (std::vector<std::uint8_t>{0x30, 0x00, 0x06}));

    // A macro without events is one packet with byte 5 = 1.
    ASSERT_EQ(Send(MacroPacket(0x01, 4, {}))[1], 0x10);
    EXPECT_TRUE(mouse.State().settings.macros[4].Complete());
    EXPECT_TRUE(mouse.State().settings.macros[4].events.empty());

    ASSERT_EQ(Send(Make(0x11, 0x01, {0xFF}))[1], 0x11);
    const SimMouseState state = mouse.State();
    for (const SimMacroSlot& cleared : state.settings.macros)
        EXPECT_EQ(cleared, SimMacroSlot{});
    EXPECT_EQ(state.macroClears, 1u);
}

TEST_F(SimCommandsTest, FactoryResetRestoresSettingsAndKeepsBatteryAndSensor)
{
    ASSERT_EQ(Send(Make(0x04, 0x01, {0x08}))[1], 0x04);
    ASSERT_EQ(Send(Make(0x06, 0x01, {0xFF, 5, 0x11, 1, 1, 2, 3}))[1], 0x06);
    ASSERT_EQ(Send(Make(0x07, 0x01, {30, 30, 1}))[1], 0x07);
    ASSERT_EQ(Send(MacroPacket(0x01, 1, {0x30, 0x00, 0x05}))[1], 0x10);
    mouse.SetBattery(42, SimChargeState::kCharging);
    mouse.SetSensorCode(0x51);
    mouse.PressLaunchButton(2);

    ASSERT_EQ(Send(Make(0x0F, 0x01, {0xFF}))[1], 0x0F);

    const SimMouseState state = mouse.State();
    EXPECT_EQ(state.settings, SimMouseSettings{});
    SimLiveState expectedLive;
    expectedLive.battery = 42;
    expectedLive.chargeState = SimChargeState::kCharging;
    expectedLive.sensorCode = 0x51;
    EXPECT_EQ(state.live, expectedLive);
    EXPECT_EQ(state.factoryResets, 1u);
    EXPECT_EQ(state.acceptedCommands, 5u);
}

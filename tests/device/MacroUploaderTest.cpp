#include "device/MacroUploader.h"

#include "MacroTestActions.h"
#include "device/KeyAssignmentCommands.h"
#include "device/MacroButtonResolver.h"
#include "support/TestTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace MacroTestActions;

namespace {

constexpr auto kMacroType = static_cast<std::uint8_t>(FunctionType::Macro);

std::vector<std::uint8_t> Payload(const CommandRequest& request)
{
    return {request.payload.begin(), request.payload.end()};
}

// Report byte 6 of each command (the slot of a data packet), in order.
std::vector<std::uint8_t> SlotBytes(const std::vector<CommandRequest>& commands)
{
    std::vector<std::uint8_t> slots;
    for (const CommandRequest& command : commands) {
        slots.push_back(command.At(MacroCommandLayout::kSlot));
    }
    return slots;
}

bool AllZero(const LastSentCopies::MacroImage& image)
{
    return std::all_of(image.begin(), image.end(), [](std::uint8_t byte) { return byte == 0; });
}

class MacroUploaderTest : public ::testing::Test {
protected:
    void SetMacroButton(std::size_t button, std::uint8_t slot, const MacroKey& macro)
    {
        m_profile.Keys[button].Value = {kMacroType, slot, 0};
        m_profile.Keys[button].Macro = macro;
        m_resolution.slots[button] = slot;
    }

    std::vector<CommandRequest> Upload(MacroUploadMode mode = MacroUploadMode::Send)
    {
        return UploadMacros(m_profile, m_resolution, m_copies, mode);
    }

    Profile m_profile;
    MacroResolution m_resolution;
    LastSentCopies m_copies;
};

}  // namespace

TEST_F(MacroUploaderTest, NineEventsGoOutAsTwoPacketsAfterMacroClear)
{
    SetMacroButton(3, 2, KeyPresses(9));

    const std::vector<CommandRequest> commands = Upload();

    ASSERT_EQ(commands.size(), 3u);
    const CommandRequest& clear = commands[0];
    EXPECT_EQ(clear.code, CommandCode::MacroClear);
    EXPECT_EQ(clear.packet, 0x01);
    std::vector<std::uint8_t> clearPayload(27, 0);
    clearPayload[0] = 0xFF;
    EXPECT_EQ(Payload(clear), clearPayload);
    EXPECT_EQ(clear.pauseAfter, std::chrono::milliseconds(10));
    EXPECT_EQ(clear.settle, CommandRequest::kSettle);
    EXPECT_EQ(clear.retry, RetryMode::Rebuild);

    EXPECT_EQ(commands[1].code, CommandCode::MacroData);
    EXPECT_EQ(commands[1].packet, 0x02);
    EXPECT_EQ(Payload(commands[1]), (std::vector<std::uint8_t>{
                                        26, 2,                                   // length + 1, slot
                                        0x30, 0x00, 0x04, 0x30, 0x00, 0x05,      // A, B
                                        0x30, 0x00, 0x06, 0x30, 0x00, 0x07,      // C, D
                                        0x30, 0x00, 0x08, 0x30, 0x00, 0x09,      // E, F
                                        0x30, 0x00, 0x0A, 0x30, 0x00, 0x0B,      // G, H
                                        0x30}));                                 // I, split
    EXPECT_EQ(commands[2].code, CommandCode::MacroData);
    EXPECT_EQ(commands[2].packet, 0x12);
    std::vector<std::uint8_t> secondPayload(27, 0);
    secondPayload[0] = 3;
    secondPayload[1] = 2;
    secondPayload[2] = 0x00;
    secondPayload[3] = 0x0C;
    EXPECT_EQ(Payload(commands[2]), secondPayload);
    for (std::size_t i : {1u, 2u}) {
        EXPECT_EQ(commands[i].settle, CommandRequest::kMacroSettle);
        EXPECT_EQ(commands[i].retry, RetryMode::ResendSaved);
        EXPECT_EQ(commands[i].pauseAfter.count(), 0);
        EXPECT_EQ(commands[i].writeLength, 32u);
    }
}

TEST(MacroDataPacketsTest, EventBytesSplitIntoPacketsOf25)
{
    struct SplitCase {
        std::uint8_t events;
        std::vector<std::uint8_t> packetFields;
        std::vector<std::uint8_t> lengthBytes;
    };
    std::vector<std::uint8_t> fifteenFields;
    for (std::uint8_t k = 0; k < 15; ++k) {
        fifteenFields.push_back(static_cast<std::uint8_t>((k << 4) | 0x0F));
    }
    const SplitCase cases[] = {
        {0, {0x01}, {1}},
        {8, {0x01}, {25}},
        {9, {0x02, 0x12}, {26, 3}},
        {17, {0x03, 0x13, 0x23}, {26, 26, 2}},
        {125, fifteenFields, std::vector<std::uint8_t>(15, 26)},
    };
    constexpr std::uint8_t kSlot = 4;
    for (const SplitCase& c : cases) {
        const BuiltMacroImage image = BuildMacroImage(KeyPresses(c.events), kSlot);
        const std::vector<CommandRequest> packets = MacroDataPackets(image, kSlot);

        std::vector<std::uint8_t> fields;
        std::vector<std::uint8_t> lengths;
        std::vector<std::uint8_t> carried;
        for (const CommandRequest& packet : packets) {
            fields.push_back(packet.packet);
            lengths.push_back(packet.At(MacroCommandLayout::kLength));
            EXPECT_EQ(packet.At(MacroCommandLayout::kSlot), kSlot);
            carried.insert(carried.end(), packet.payload.begin() + 2, packet.payload.end());
        }
        EXPECT_EQ(fields, c.packetFields) << static_cast<int>(c.events) << " events";
        EXPECT_EQ(lengths, c.lengthBytes) << static_cast<int>(c.events) << " events";
        // The packets carry the image from byte 4 on, 25 bytes each, without a gap.
        const auto carriedLength = 25 * static_cast<std::ptrdiff_t>(packets.size());
        const std::vector<std::uint8_t> expected(image.bytes.begin() + 4,
                                                 image.bytes.begin() + 4 + carriedLength);
        EXPECT_EQ(carried, expected) << static_cast<int>(c.events) << " events";
    }
}

TEST(MacroDataPacketsTest, OversizedEventCountStaysWithinImageAndPacketField)
{
    // BuildMacroImage never reports more than 375 bytes; a hand-made image that claims
    // more must neither read past its 512 bytes nor overflow the packet-count nibble.
    BuiltMacroImage image;
    image.eventBytes = 600;

    const std::vector<CommandRequest> packets = MacroDataPackets(image, 1);

    ASSERT_EQ(packets.size(), 15u);
    EXPECT_EQ(packets.front().packet, 0x0F);
    EXPECT_EQ(packets.back().packet, 0xEF);
    EXPECT_EQ(packets.back().At(MacroCommandLayout::kLength), 26);
}

TEST_F(MacroUploaderTest, PacketsFollowTheEncodedEventsWhenTheCountDisagrees)
{
    struct CountCase {
        const char* what;
        std::uint8_t declared;
        std::uint8_t events;
        std::uint8_t lengthByte;
    };
    const CountCase cases[] = {
        // Sending the declared 3 bytes would leave two of the three events out.
        {"count below the events", 1, 3, 10},
        // Sending the declared 765 bytes would read past the 512-byte image.
        {"count above the events", 255, 1, 4},
    };
    for (const CountCase& c : cases) {
        MacroKey macro = KeyPresses(c.events);
        macro.MacroCommandActionNum = c.declared;
        SetMacroButton(0, 1, macro);
        m_copies = LastSentCopies{};

        const std::vector<CommandRequest> commands = Upload();

        ASSERT_EQ(commands.size(), 2u) << c.what;
        EXPECT_EQ(commands[1].packet, 0x01) << c.what;
        EXPECT_EQ(commands[1].At(MacroCommandLayout::kLength), c.lengthByte) << c.what;
        EXPECT_EQ(m_copies.macros[1][MacroImageLayout::kCommandCount], c.declared) << c.what;
    }
}

TEST_F(MacroUploaderTest, UnchangedMacrosSendNothing)
{
    SetMacroButton(0, 1, KeyPresses(2));
    SetMacroButton(2, 2, MakeMacro({Press(kWheel), Delay(30)}));
    ASSERT_FALSE(Upload().empty());
    const LastSentCopies afterFirst = m_copies;

    EXPECT_TRUE(Upload().empty());
    EXPECT_EQ(m_copies, afterFirst);

    // Removing the last macro button leaves the mouse's macro memory as it is.
    m_profile.Keys[0].Value = {static_cast<std::uint8_t>(FunctionType::MouseButton), 1, 0};
    m_profile.Keys[2].Value = {static_cast<std::uint8_t>(FunctionType::MouseButton), 2, 0};
    m_resolution.slots = {};
    EXPECT_TRUE(Upload().empty());
}

TEST_F(MacroUploaderTest, PrimingOnlyStoresTheImages)
{
    SetMacroButton(1, 1, KeyPresses(4));
    m_copies.macros[5].fill(0x77);  // left from a button that no longer plays a macro

    EXPECT_TRUE(Upload(MacroUploadMode::CopiesOnly).empty());

    EXPECT_EQ(m_copies.macros[1], BuildMacroImage(m_profile.Keys[1].Macro, 1).bytes);
    EXPECT_EQ(m_copies.macros[5][0], 0x77);
    EXPECT_TRUE(Upload().empty());
}

TEST_F(MacroUploaderTest, OneChangedMacroResendsEveryMacroAfterTheClear)
{
    SetMacroButton(0, 1, KeyPresses(2));
    SetMacroButton(5, 2, KeyPresses(3));
    ASSERT_FALSE(Upload().empty());
    m_copies.macros[3].fill(0x77);  // a slot no button uses now

    m_profile.Keys[5].Macro = KeyPresses(12);
    m_profile.Keys[5].Macro.MacroCommandActionNum = 12;
    const std::vector<CommandRequest> commands = Upload();

    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[0].code, CommandCode::MacroClear);
    EXPECT_EQ(SlotBytes(commands), (std::vector<std::uint8_t>{0, 1, 2, 2}));
    EXPECT_EQ(commands[2].packet, 0x02);
    EXPECT_EQ(commands[3].packet, 0x12);
    EXPECT_TRUE(AllZero(m_copies.macros[3]));
    EXPECT_EQ(m_copies.macros[2], BuildMacroImage(m_profile.Keys[5].Macro, 2).bytes);
}

TEST_F(MacroUploaderTest, KeySendMakesTheNextUploadRewriteEveryMacro)
{
    SetMacroButton(1, 1, KeyPresses(2));
    SetMacroButton(3, 2, KeyPresses(1));
    static_cast<void>(SendKeyAssignments(m_profile, m_copies));
    ASSERT_FALSE(Upload().empty());
    ASSERT_TRUE(Upload().empty());

    static_cast<void>(SendKeyAssignments(m_profile, m_copies));  // keys unchanged: no command
    const std::vector<CommandRequest> commands = Upload();

    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].code, CommandCode::MacroClear);
    EXPECT_EQ(SlotBytes(commands), (std::vector<std::uint8_t>{0, 1, 2}));
}

TEST_F(MacroUploaderTest, OnlyMacroButtonsWithAUsableSlotAreUploaded)
{
    const MacroKey macro = KeyPresses(1);
    SetMacroButton(0, MacroResolution::kNoSlot, macro);
    SetMacroButton(1, 1, macro);
    m_profile.Keys[1].Value[0] = static_cast<std::uint8_t>(FunctionType::KeyCombination);
    SetMacroButton(2, static_cast<std::uint8_t>(LastSentCopies::kMacroSlotCount), macro);

    EXPECT_TRUE(Upload().empty());
    for (const LastSentCopies::MacroImage& copy : m_copies.macros) {
        EXPECT_TRUE(AllZero(copy));
    }

    SetMacroButton(3, 10, macro);
    EXPECT_EQ(SlotBytes(Upload()), (std::vector<std::uint8_t>{0, 10}));
}

TEST(MacroUploadWithResolutionTest, TwoButtonsOnOneLibraryMacroShareASlotAndSendItOnce)
{
    MacroLibrary library;
    MacroKey macro = KeyPresses(2);
    macro.MacroKeyIndex = 5;
    ASSERT_TRUE(library.PlaceMacro(MacroItemLocation::Level0(0), u"M", std::make_unique<MacroKey>(macro)));
    Profile profile;
    for (std::size_t button : {1u, 4u}) {
        profile.Keys[button].Value = {kMacroType, 0, 0};
        profile.Keys[button].MacroKeyIndex = 5;
    }
    MacroResolution resolution;
    resolution.copyMacros = true;
    LastSentCopies copies;

    ResolveMacroButtons(profile, library, NumberedTexts(), resolution);
    const std::vector<CommandRequest> commands =
        UploadMacros(profile, resolution, copies, MacroUploadMode::Send);

    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].code, CommandCode::MacroClear);
    EXPECT_EQ(commands[1].packet, 0x01);
    std::vector<std::uint8_t> payload(27, 0);
    const std::uint8_t head[] = {7, 1, 0x30, 0x00, 0x04, 0x30, 0x00, 0x05};  // A, B once, slot 1
    std::copy(std::begin(head), std::end(head), payload.begin());
    EXPECT_EQ(Payload(commands[1]), payload);
}

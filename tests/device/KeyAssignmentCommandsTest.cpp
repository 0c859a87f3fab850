#include "device/KeyAssignmentCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class KeyAssignmentCommandsTest : public ::testing::Test {
protected:
    KeyAssignmentCommandsTest()
    {
        // Every button gets bytes that name it: 0x1b, 0x2b, 0x3b for button b.
        for (std::size_t button = 0; button < Profile::kButtonCount; ++button) {
            const auto b = static_cast<std::uint8_t>(button);
            m_profile.Keys[button].Value = {static_cast<std::uint8_t>(0x10 + b),
                                            static_cast<std::uint8_t>(0x20 + b),
                                            static_cast<std::uint8_t>(0x30 + b)};
        }
    }

    static bool MacroCopiesZero(const LastSentCopies& copies)
    {
        return std::all_of(copies.macros.begin(), copies.macros.end(), [](const auto& image) {
            return std::all_of(image.begin(), image.end(), [](std::uint8_t byte) { return byte == 0; });
        });
    }

    void FillMacroCopies()
    {
        for (auto& image : m_copies.macros) {
            image.fill(0x5A);
        }
    }

    Profile m_profile;
    LastSentCopies m_copies;
};

}  // namespace

TEST_F(KeyAssignmentCommandsTest, ButtonsGoOutInMouseOrderFollowedByFillBytes)
{
    const std::optional<CommandRequest> request = SendKeyAssignments(m_profile, m_copies);

    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->code, CommandCode::KeyAssignments);
    EXPECT_EQ(request->packet, 0x01);
    EXPECT_EQ(request->writeLength, 32u);
    EXPECT_EQ(request->settle, CommandRequest::kSettle);
    EXPECT_EQ(request->retry, RetryMode::Rebuild);
    EXPECT_EQ(request->pauseAfter.count(), 0);
    const std::vector<std::uint8_t> payload(request->payload.begin(), request->payload.end());
    EXPECT_EQ(payload, (std::vector<std::uint8_t>{
                           0x10, 0x20, 0x30, 0x11, 0x21, 0x31, 0x12, 0x22, 0x32,  // buttons 0, 1, 2
                           0x14, 0x24, 0x34, 0x13, 0x23, 0x33, 0x15, 0x25, 0x35,  // buttons 4, 3, 5
                           0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    const KeyBytes expectedCopy{0x10, 0x20, 0x30, 0x11, 0x21, 0x31, 0x12, 0x22, 0x32,
                                0x14, 0x24, 0x34, 0x13, 0x23, 0x33, 0x15, 0x25, 0x35};
    EXPECT_EQ(m_copies.keys, expectedCopy);
}

TEST_F(KeyAssignmentCommandsTest, UnchangedKeysSendNothingButStillZeroTheMacroCopies)
{
    ASSERT_TRUE(SendKeyAssignments(m_profile, m_copies).has_value());
    FillMacroCopies();

    EXPECT_FALSE(SendKeyAssignments(m_profile, m_copies).has_value());
    EXPECT_TRUE(MacroCopiesZero(m_copies));

    m_profile.Keys[3].Value[2] = 0x99;
    const std::optional<CommandRequest> request = SendKeyAssignments(m_profile, m_copies);
    ASSERT_TRUE(request.has_value());
    // Button 3 travels fifth: report bytes 17..19.
    EXPECT_EQ(request->At(19), 0x99);
}

TEST_F(KeyAssignmentCommandsTest, PrimedKeysAreNotSentAndMacroCopiesAreKept)
{
    FillMacroCopies();

    PrimeKeyAssignments(m_profile, m_copies);

    EXPECT_EQ(m_copies.keys, BuildKeyBytes(m_profile));
    EXPECT_EQ(m_copies.macros[4][0], 0x5A);
    EXPECT_FALSE(SendKeyAssignments(m_profile, m_copies).has_value());
}

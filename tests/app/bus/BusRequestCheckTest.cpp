#include "app/bus/BusRequestCheck.h"

#include <gtest/gtest.h>

namespace {

ProgramState Offered()
{
    ProgramState state;
    state.link = "wired";
    state.listedProfiles = {0, 3, 1};
    state.enabledDpiLevels = {1, 2, 4};
    state.pollingRates = {125, 250, 500, 1000};
    return state;
}

struct Case {
    const char* what;
    std::optional<BusRefusal> (*check)(std::uint32_t, const ProgramState&);
    std::uint32_t value;
    const char* error;    // nullptr: accepted
    const char* message;  // the refusal's message
};

}  // namespace

TEST(BusRequestCheckTest, WhatTheWindowOffersIsTakenAndTheRestRefusedWithTheValidChoices)
{
    const Case cases[] = {
        {"a listed profile", BusRequestCheck::Profile, 3, nullptr, ""},
        {"the first profile", BusRequestCheck::Profile, 0, nullptr, ""},
        {"a profile not in the list", BusRequestCheck::Profile, 2, BusRequestCheck::kInvalidArgument,
         "profile 2 is not in the profile list; it holds profiles 0, 3 or 1 (0-based)"},
        {"a profile beyond the five", BusRequestCheck::Profile, 5, BusRequestCheck::kInvalidArgument,
         "profile 5 is not in the profile list; it holds profiles 0, 3 or 1 (0-based)"},
        {"an enabled level", BusRequestCheck::DpiLevel, 4, nullptr, ""},
        {"a level switched off", BusRequestCheck::DpiLevel, 3, BusRequestCheck::kInvalidArgument,
         "DPI level 3 is switched off; the levels on are 1, 2 and 4"},
        {"level 0: levels count from 1", BusRequestCheck::DpiLevel, 0, BusRequestCheck::kInvalidArgument,
         "DPI level 0 does not exist; the levels are 1 to 8, of which 1, 2 and 4 are on"},
        {"level 9", BusRequestCheck::DpiLevel, 9, BusRequestCheck::kInvalidArgument,
         "DPI level 9 does not exist; the levels are 1 to 8, of which 1, 2 and 4 are on"},
        {"an offered rate", BusRequestCheck::PollingRate, 500, nullptr, ""},
        {"a rate not offered", BusRequestCheck::PollingRate, 2000, BusRequestCheck::kInvalidArgument,
         "polling rate 2000 Hz is not offered; the rates are 125 Hz, 250 Hz, 500 Hz or 1000 Hz"},
        {"a rate index instead of Hz", BusRequestCheck::PollingRate, 2, BusRequestCheck::kInvalidArgument,
         "polling rate 2 Hz is not offered; the rates are 125 Hz, 250 Hz, 500 Hz or 1000 Hz"},
    };
    const ProgramState state = Offered();
    for (const Case& test : cases) {
        const auto refusal = test.check(test.value, state);
        if (test.error == nullptr) {
            EXPECT_FALSE(refusal.has_value()) << test.what << ": " << refusal->message;
            continue;
        }
        ASSERT_TRUE(refusal.has_value()) << test.what;
        EXPECT_EQ(refusal->name, test.error) << test.what;
        EXPECT_EQ(refusal->message, test.message) << test.what;
    }
}

TEST(BusRequestCheckTest, NoRateCanBeChosenWhereTheWindowOffersNone)
{
    ProgramState state = Offered();
    state.link = "ble";
    state.pollingRates.clear();
    const auto refusal = BusRequestCheck::PollingRate(1000, state);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->name, BusRequestCheck::kNotAvailable);
    EXPECT_EQ(refusal->message, "the polling rate cannot be chosen over the ble link");
}

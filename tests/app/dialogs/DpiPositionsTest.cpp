#include "app/dialogs/DpiPositions.h"

#include "device/DpiStepTable.h"

#include <gtest/gtest.h>

namespace {

struct TypedCase {
    const char* typed;
    int position;
};

// Sensor 0x3205: 29 positions, 800 .. 3600 DPI in steps of 100.
TEST(DpiPositionsTest, TypedValueRoundsUpToTheNextStepWithinTheTable)
{
    DpiStepTable table;
    ASSERT_TRUE(table.Build(0x3205));
    const TypedCase cases[] = {
        {"1234", 5},      // 1300
        {"1300", 5},      // exactly a step
        {"5000", 28},     // above the highest
        {"3550", 28},
        {"abc", 0},       // not a number reads 0
        {"", 0},
        {"100", 0},       // below the lowest
        {"-200", 0},
        {"12abc", 0},     // the leading number only: 12
        {" 900", 1},
        {"99999999999999", 28},  // saturates instead of wrapping to a small value
    };
    for (const TypedCase& c : cases) {
        const int position = DpiPositions::PositionOfTypedText(table, QString::fromLatin1(c.typed));
        EXPECT_EQ(position, c.position) << c.typed;
    }
    EXPECT_EQ(DpiPositions::DpiText(table, 5), "1300");
}

TEST(DpiPositionsTest, EmptyTableSelectsPositionZero)
{
    const DpiStepTable table;
    EXPECT_EQ(DpiPositions::PositionOfTypedText(table, "1600"), 0);
}

}  // namespace

#include "app/MainWindowPlacement.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase {
    int screenWidth;
    int screenHeight;
    MainWindowPlacement expected;
};

const PlacementCase kPlacementCases[] = {
    {1920, 1040, {1.0F, 396, 150, 1127, 740}},
    {2560, 1400, {1.5F, 434, 145, 1690, 1110}},  // 1400 is short of the double scale's 1601
    {3840, 2080, {2.0F, 793, 300, 2254, 1480}},
    {1366, 728, {1.0F, 119, 0, 1127, 740}},      // 728 is not more than 740: top stays 0
    {2401, 1600, {1.5F, 355, 245, 1690, 1110}},  // both sides must reach the threshold
    {1800, 1300, {1.0F, 336, 280, 1127, 740}},
    {1000, 600, {1.0F, 0, 0, 1127, 740}},
};

}  // namespace

TEST(MainWindowPlacementTest, ScaleAndPlaceFollowTheScreen)
{
    for (const PlacementCase& c : kPlacementCases) {
        SCOPED_TRACE(std::to_string(c.screenWidth) + "x" + std::to_string(c.screenHeight));
        EXPECT_EQ(MainWindowPlacement::ForScreen(c.screenWidth, c.screenHeight), c.expected);
    }
}

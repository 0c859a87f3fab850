#include "device/DpiStepTable.h"
#include "profiles/ProfileDefaults.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

namespace {

struct StepCase {
    std::uint16_t model;
    std::size_t position;
    std::uint32_t dpiDividedBy50;
    std::uint16_t code;
};

std::ostream& operator<<(std::ostream& out, const StepCase& c)
{
    return out << std::hex << "model 0x" << c.model << std::dec << " position " << c.position;
}

class DpiStepTableSteps : public testing::TestWithParam<StepCase> {};

TEST_P(DpiStepTableSteps, PositionGivesDpiAndDeviceCode)
{
    const StepCase& c = GetParam();
    DpiStepTable table;
    ASSERT_TRUE(table.Build(c.model));
    EXPECT_EQ(table.DpiDividedBy50(c.position), c.dpiDividedBy50);
    EXPECT_EQ(table.DeviceCode(c.position), c.code);
}

// First and last positions of every model, and both sides of every boundary where the
// codes switch from one list or rule to the next.
INSTANTIATE_TEST_SUITE_P(Boundaries, DpiStepTableSteps,
                         testing::Values(
                             StepCase{SensorIds::k3205, 0, 16, 0},        // 800 DPI
                             StepCase{SensorIds::k3205, 28, 72, 28},      // 3600 DPI
                             StepCase{SensorIds::k3212, 0, 12, 0},        // 600 DPI
                             StepCase{SensorIds::k3212, 30, 72, 30},      // 3600 DPI
                             StepCase{SensorIds::k3311, 0, 2, 0x02},      // 100 DPI
                             StepCase{SensorIds::k3311, 18, 38, 0x2C},    // the repeated code
                             StepCase{SensorIds::k3311, 19, 40, 0x2C},
                             StepCase{SensorIds::k3311, 20, 42, 0x31},
                             StepCase{SensorIds::k3311, 99, 200, 0xEB},
                             StepCase{SensorIds::k3311, 100, 202, 0xFF76},  // 10 100 DPI
                             StepCase{SensorIds::k3311, 119, 240, 0xFF8D},
                             StepCase{SensorIds::k3311, 120, 242, 0x0100},
                             StepCase{SensorIds::k3311, 239, 480, 0x0177},  // 24 000 DPI
                             StepCase{SensorIds::k0205, 0, 2, 0x02},
                             StepCase{SensorIds::k0205, 63, 128, 0x80},
                             StepCase{SensorIds::k0205, 64, 130, 0x81},
                             StepCase{SensorIds::k0205, 99, 200, 0xA4},    // 10 000 DPI
                             StepCase{SensorIds::k3325, 0, 4, 0x04},       // 200 DPI
                             StepCase{SensorIds::k3325, 1, 4, 0x04},       // 200 DPI again
                             StepCase{SensorIds::k3325, 2, 6, 0x06},
                             StepCase{SensorIds::k3325, 49, 100, 0x73},
                             StepCase{SensorIds::k3325, 50, 102, 0x74},
                             StepCase{SensorIds::k3325, 99, 200, 0xA5},
                             StepCase{SensorIds::k3335, 0, 2, 0x00},
                             StepCase{SensorIds::k3335, 1, 4, 0x02},
                             StepCase{SensorIds::k3335, 159, 320, 0xBD},   // 16 000 DPI
                             StepCase{SensorIds::k3395, 0, 1, 0},          // 50 DPI
                             StepCase{SensorIds::k3395, 519, 520, 0x0207}, // 26 000 DPI
                             StepCase{SensorIds::k3950, 0, 1, 0},
                             StepCase{SensorIds::k3950, 599, 600, 0x0257}  // 30 000 DPI
                             ));

struct ModelCase {
    std::uint16_t model;
    std::size_t positions;
    bool liftOptionShown;
    bool dpiSyncDialog;
};

TEST(DpiStepTableTest, EachModelHasItsPositionCountAndFlags)
{
    const ModelCase cases[] = {
        {SensorIds::k3311, 240, false, false}, {SensorIds::k0205, 100, false, false},
        {SensorIds::k3325, 100, false, false}, {SensorIds::k3335, 160, true, false},
        {SensorIds::k3395, 520, true, true},   {SensorIds::k3950, 600, true, true},
    };
    for (const ModelCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "model 0x" << c.model);
        // Build after a model with the opposite flags, so a flag that is not written shows.
        DpiStepTable table;
        ASSERT_TRUE(table.Build(c.dpiSyncDialog ? SensorIds::k3311 : SensorIds::k3950));
        ASSERT_TRUE(table.Build(c.model));
        EXPECT_EQ(table.PositionCount(), c.positions);
        EXPECT_EQ(table.LiftOptionShown(), c.liftOptionShown);
        EXPECT_EQ(table.DpiSyncDialog(), c.dpiSyncDialog);
        EXPECT_EQ(table.Model(), c.model);
    }
}

TEST(DpiStepTableTest, Models3205And3212KeepTheDialogFlagButClearTheLiftOption)
{
    for (const std::uint16_t model : {SensorIds::k3205, SensorIds::k3212}) {
        SCOPED_TRACE(testing::Message() << std::hex << "model 0x" << model);
        DpiStepTable afterSyncModel;
        ASSERT_TRUE(afterSyncModel.Build(SensorIds::k3395));
        ASSERT_TRUE(afterSyncModel.Build(model));
        EXPECT_TRUE(afterSyncModel.DpiSyncDialog());
        EXPECT_FALSE(afterSyncModel.LiftOptionShown());

        DpiStepTable afterPlainModel;
        ASSERT_TRUE(afterPlainModel.Build(SensorIds::k3335));
        ASSERT_TRUE(afterPlainModel.Build(model));
        EXPECT_FALSE(afterPlainModel.DpiSyncDialog());
        EXPECT_FALSE(afterPlainModel.LiftOptionShown());

        DpiStepTable firstBuild;
        ASSERT_TRUE(firstBuild.Build(model));
        EXPECT_FALSE(firstBuild.DpiSyncDialog());
    }
}

TEST(DpiStepTableTest, BeforeTheFirstBuildTheTableIsEmptyAndEveryCodeIsZero)
{
    const DpiStepTable table;
    EXPECT_EQ(table.PositionCount(), 0u);
    EXPECT_EQ(table.DpiDividedBy50(0), 0u);
    EXPECT_EQ(table.DeviceCode(0), 0u);
    EXPECT_EQ(table.DeviceCode(599), 0u);
    EXPECT_FALSE(table.LiftOptionShown());
    EXPECT_FALSE(table.DpiSyncDialog());
    EXPECT_EQ(table.Model(), 0u);
}

TEST(DpiStepTableTest, UnknownModelKeepsThePreviousTableAndFlags)
{
    DpiStepTable table;
    ASSERT_TRUE(table.Build(SensorIds::k3395));
    EXPECT_FALSE(table.Build(0x1234));
    EXPECT_EQ(table.Model(), SensorIds::k3395);
    EXPECT_EQ(table.PositionCount(), 520u);
    EXPECT_EQ(table.DeviceCode(519), 0x0207u);
    EXPECT_EQ(table.DpiDividedBy50(519), 520u);
    EXPECT_TRUE(table.LiftOptionShown());
    EXPECT_TRUE(table.DpiSyncDialog());

    DpiStepTable empty;
    EXPECT_FALSE(empty.Build(0x0000));
    EXPECT_EQ(empty.PositionCount(), 0u);
}

TEST(DpiStepTableTest, PositionBeyondTheTableReadsAsTheLastPosition)
{
    DpiStepTable table;
    ASSERT_TRUE(table.Build(SensorIds::k3335));
    for (const std::size_t position : {std::size_t{160}, std::size_t{519}, std::size_t{0xFFFF}}) {
        SCOPED_TRACE(position);
        EXPECT_EQ(table.DpiDividedBy50(position), 320u);
        EXPECT_EQ(table.DeviceCode(position), 0xBDu);
    }
}

TEST(DpiStepTableTest, RebuildingForASmallerModelDropsTheLongerTablesSteps)
{
    DpiStepTable table;
    ASSERT_TRUE(table.Build(SensorIds::k3950));
    ASSERT_TRUE(table.Build(SensorIds::k3205));
    EXPECT_EQ(table.PositionCount(), 29u);
    // A position the 0x3950 table had is now outside the table: the last 0x3205 step.
    EXPECT_EQ(table.DeviceCode(500), 28u);
    EXPECT_EQ(table.DpiDividedBy50(500), 72u);
    EXPECT_EQ(table.DeviceCode(3), 3u);
    EXPECT_EQ(table.DpiDividedBy50(3), 22u);
}

}  // namespace

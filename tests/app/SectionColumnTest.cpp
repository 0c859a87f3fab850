#include "app/MainWindowIds.h"
#include "app/SectionColumn.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace MainId;

struct OpenCase {
    const char* name;
    int opened;
    std::set<int> checked;  // after the click, the opened header included
    std::vector<int> closing;
};

class SectionOpenRuleTest : public testing::TestWithParam<OpenCase> {};

TEST_P(SectionOpenRuleTest, ClosesWhatTheRuleNames)
{
    const OpenCase& c = GetParam();
    const auto closing =
        SectionColumn::HeadersToClose(c.opened, [&](int id) { return c.checked.contains(id); });
    EXPECT_EQ(closing, c.closing);
}

const std::vector<int> kTailAfterDpi{kHeaderRate, kHeaderLift, kHeaderDebounce, kHeaderPointer,
                                     kHeaderSensorOptions, kHeaderPairing, kHeaderFirmware};

INSTANTIATE_TEST_SUITE_P(
    Cases, SectionOpenRuleTest,
    testing::Values(
        // The first checked partner stays, the later partners and the close list go.
        OpenCase{"LightingOverDpiAndRateClosesRate", kHeaderLighting, {kHeaderDpi, kHeaderRate, kHeaderLighting},
                 kTailAfterDpi},
        OpenCase{"PointerOverDpiAndLightingClosesLighting",
                 kHeaderPointer,
                 {kHeaderDpi, kHeaderLighting, kHeaderPointer},
                 {kHeaderLighting, kHeaderRate, kHeaderLift, kHeaderDebounce, kHeaderSensorOptions, kHeaderPairing,
                  kHeaderFirmware}},
        // No partner open, the pointer section open: everything of the close list but it.
        OpenCase{"DpiBesideOpenPointerKeepsPointer",
                 kHeaderDpi,
                 {kHeaderDpi, kHeaderPointer},
                 {kHeaderSensorOptions, kHeaderPairing, kHeaderFirmware}},
        OpenCase{"AloneClosesNothing", kHeaderRate, {kHeaderRate}, {}},
        OpenCase{"PointerAloneClosesNothing", kHeaderPointer, {kHeaderPointer}, {}},
        OpenCase{"UnknownHeaderClosesNothing", kHeaderDebounce, {kHeaderDebounce, kHeaderDpi}, {}}),
    [](const testing::TestParamInfo<OpenCase>& param) { return std::string(param.param.name); });

TEST(SectionColumnLayoutTest, WithoutTheLightingHeaderTheRateHeaderSitsRightBelowTheDpiSection)
{
    SectionColumn::ColumnState state;
    state.dpiOpen = true;
    state.lightingShown = false;
    state.rateOpen = true;
    const auto tops = SectionColumn::LayOut(state);
    EXPECT_EQ(tops.dpi, 37);
    EXPECT_EQ(tops.rate, 67 + 196);
    EXPECT_EQ(tops.pointer, 97 + 196 + 180);  // no lift-off header: 97, not 127
    state.liftShown = true;
    EXPECT_EQ(SectionColumn::LayOut(state).pointer, 127 + 196 + 180);
}

TEST(SectionColumnLayoutTest, OpeningAndClosingSectionsMoveTheHeadersBelowByTheBodyHeights)
{
    SectionColumn::ColumnState state;
    state.dpiOpen = true;
    state.liftShown = true;
    const auto before = SectionColumn::LayOut(state);
    state.lightingOpen = true;
    const auto withLighting = SectionColumn::LayOut(state);
    EXPECT_EQ(withLighting.lighting, before.lighting);
    for (auto member : {&SectionColumn::HeaderTops::rate, &SectionColumn::HeaderTops::lift,
                        &SectionColumn::HeaderTops::pointer})
        EXPECT_EQ(withLighting.*member - before.*member, 170);
    state.dpiOpen = false;
    const auto withoutDpi = SectionColumn::LayOut(state);
    for (auto member : {&SectionColumn::HeaderTops::lighting, &SectionColumn::HeaderTops::rate,
                        &SectionColumn::HeaderTops::lift, &SectionColumn::HeaderTops::pointer})
        EXPECT_EQ(withLighting.*member - withoutDpi.*member, 196);
}

TEST(SectionColumnLayoutTest, ShownHeadersNeverOverlap)
{
    // Every combination of open sections, with and without the lighting and lift headers.
    for (int bits = 0; bits < 64; ++bits) {
        SectionColumn::ColumnState state;
        state.dpiOpen = (bits & 1) != 0;
        state.lightingShown = (bits & 2) != 0;
        state.lightingOpen = state.lightingShown && (bits & 4) != 0;
        state.rateOpen = (bits & 8) != 0;
        state.liftShown = (bits & 16) != 0;
        state.liftOpen = state.liftShown && (bits & 32) != 0;
        const auto tops = SectionColumn::LayOut(state);
        std::vector<int> shown{tops.dpi};
        if (state.lightingShown)
            shown.push_back(tops.lighting);
        shown.push_back(tops.rate);
        if (state.liftShown)
            shown.push_back(tops.lift);
        shown.push_back(tops.pointer);
        for (std::size_t i = 1; i < shown.size(); ++i)
            EXPECT_GE(shown[i] - shown[i - 1], SectionColumn::kHeaderHeight) << "combination " << bits;
    }
}

}  // namespace

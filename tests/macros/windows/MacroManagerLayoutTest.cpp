#include "MacroManagerTestSupport.h"

namespace {

using namespace MacroManagerId;

struct Place {
    int id;
    UiRect design;
};

// Every addressed control at its design place times the scale, in both languages; the
// fixed-delay box moves left beside the longer Chinese label.
TEST_F(MacroManagerTest, ControlsSitAtTheirDesignPlacesAtEveryScale)
{
    const Place places[] = {
        {kExit, {505, 3, 520, 18}},          {kTree, {25, 54, 168, 323}},
        {kTreeScrollBar, {168, 54, 187, 323}}, {kActionList, {190, 54, 333, 323}},
        {kActionScrollBar, {333, 54, 352, 323}}, {kRecord, {370, 53, 460, 71}},
        {kMeasuredDelay, {370, 86, 381, 97}}, {kFixedDelayMode, {370, 115, 381, 126}},
        {kModeOne, {368, 142, 383, 157}},     {kModeFour, {368, 170, 383, 185}},
        {kModeCount, {368, 198, 383, 213}},   {kInsertOpener, {370, 279, 487, 293}},
        {kNewMacro, {24, 333, 89, 356}},      {kDeleteItem, {104, 333, 169, 356}},
        {kModifyAction, {189, 333, 254, 356}}, {kDeleteAction, {269, 333, 334, 356}},
        {kButtonOk, {367, 333, 432, 356}},    {kButtonCancel, {444, 333, 509, 356}},
    };
    for (const double scale : {1.0, 1.5, 2.0}) {
        for (const Language language : {Language::English, Language::Chinese}) {
            UiScale::Set(scale);
            texts = LoadTexts(language);
            OpenManager();
            const auto scaled = [](const UiRect& r) {
                return UiRect{UiScale::Scale(r.left), UiScale::Scale(r.top), UiScale::Scale(r.right),
                              UiScale::Scale(r.bottom)};
            };
            EXPECT_EQ(manager->size(), QSize(UiScale::Scale(528), UiScale::Scale(365)));
            for (const Place& place : places) {
                const CControlBase* control = manager->GetControl(place.id);
                ASSERT_NE(control, nullptr) << place.id;
                EXPECT_EQ(control->GetRect().ToQRect(), scaled(place.design).ToQRect()) << place.id << " at " << scale;
            }
            const int fixedLeft = language == Language::Chinese ? 470 : 485;
            EXPECT_EQ(manager->FixedDelayBox().geometry(),
                      scaled({fixedLeft, 110, fixedLeft + 40, 130}).ToQRect())
                << scale;
            EXPECT_EQ(manager->FixedDelayBox().GetText(), QStringLiteral("8"));
            manager.reset();
        }
    }
}

}  // namespace

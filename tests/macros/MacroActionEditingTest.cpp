#include "macros/MacroActionEditing.h"
#include "macros/MacroKey.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using namespace MacroActionEditing;

constexpr MacroAction Act(std::uint8_t b0, std::uint8_t b1 = 0, std::uint8_t b2 = 0, std::uint8_t b3 = 0)
{
    return MacroAction::FromBytes(b0, b1, b2, b3);
}

std::vector<MacroAction> Actions(const MacroKey& macro)
{
    return {macro.actions.begin(), macro.actions.begin() + macro.MacroActionNum};
}

MacroKey MacroOf(std::vector<MacroAction> actions, std::uint8_t keyActions)
{
    MacroKey macro;
    for (std::size_t i = 0; i < actions.size(); ++i)
        (void)macro.Insert(static_cast<std::uint32_t>(i), actions[i]);
    macro.MacroCommandActionNum = keyActions;
    return macro;
}

// Dialogs that answer OK with the given value, or cancel when it is empty; they record
// what they were shown.
struct ScriptedDialogs {
    std::optional<std::uint32_t> delay;
    std::optional<std::uint8_t> key;
    std::optional<std::int8_t> move;
    std::vector<MacroAction> shown;
    std::vector<int> moveKinds;

    ValueDialogs Functions()
    {
        return {[this](MacroAction& action) {
                    shown.push_back(action);
                    if (delay)
                        action = MacroAction::Delay(*delay);
                    return delay.has_value();
                },
                [this](std::uint8_t& code) {
                    shown.push_back(Act(code));
                    if (key)
                        code = *key;
                    return key.has_value();
                },
                [this](MacroAction& action, int kind) {
                    shown.push_back(action);
                    moveKinds.push_back(kind);
                    if (move)
                        action = Act(action.Code(), 0, 0, static_cast<std::uint8_t>(*move));
                    return move.has_value();
                }};
    }
};

const MacroAction kLPress = Act(0xE0, 0x00);
const MacroAction kLRelease = Act(0xE0, 0x80);
const MacroAction k50 = MacroAction::Delay(50);

struct InsertCase {
    const char* name;
    std::vector<MacroAction> before;
    std::uint8_t keyActionsBefore;
    int selected;
    InsertKind kind;
    std::optional<std::uint32_t> delayAnswer;
    std::optional<std::uint8_t> keyAnswer;
    std::optional<std::int8_t> moveAnswer;
    // What comes out.
    std::vector<MacroAction> after;
    std::uint8_t keyActionsAfter;
    EditOutcome outcome;
};

class InsertTable : public testing::TestWithParam<InsertCase> {};

TEST_P(InsertTable, InsertsAtThePointWithItsLimits)
{
    const InsertCase& c = GetParam();
    MacroKey macro = MacroOf(c.before, c.keyActionsBefore);
    ScriptedDialogs dialogs{c.delayAnswer, c.keyAnswer, c.moveAnswer, {}, {}};
    const EditOutcome outcome = Insert(&macro, c.selected, c.kind, dialogs.Functions());
    EXPECT_EQ(Actions(macro), c.after);
    EXPECT_EQ(macro.MacroCommandActionNum, c.keyActionsAfter);
    EXPECT_EQ(outcome.changed, c.outcome.changed);
    EXPECT_EQ(outcome.notice, c.outcome.notice);
    EXPECT_EQ(outcome.selectedAction, c.outcome.selectedAction);
}

const MacroAction kA = Act(0x41);
const MacroAction kARelease = Act(0x41, 0x80);
const MacroAction kQ = Act(0x51);
const MacroAction kQRelease = Act(0x51, 0x80);

INSTANTIATE_TEST_SUITE_P(
    Editing, InsertTable,
    testing::Values(
        InsertCase{"LeftClickIntoEmpty", {}, 0, -1, InsertKind::LeftClick, {}, {}, {},
                   {kLPress, k50, kLRelease}, 2, {true, 0, 2}},
        InsertCase{"MiddleClickAfterSelected", {kA, kARelease}, 2, 0, InsertKind::MiddleClick, {}, {}, {},
                   {kA, Act(0xE2), k50, Act(0xE2, 0x80), kARelease}, 4, {true, 0, 3}},
        InsertCase{"RightClickAppendsWithoutSelection", {kA}, 1, -1, InsertKind::RightClick, {}, {}, {},
                   {kA, Act(0xE1), k50, Act(0xE1, 0x80)}, 3, {true, 0, 3}},
        InsertCase{"DelayAfterADelayEditsIt", {kA, k50}, 1, 1, InsertKind::Delay, 70000u, {}, {},
                   {kA, MacroAction::Delay(70000)}, 1, {true, 0, 1}},
        InsertCase{"DelayAfterAKeyIsNew", {kA, kARelease}, 2, 0, InsertKind::Delay, 30u, {}, {},
                   {kA, MacroAction::Delay(30), kARelease}, 2, {true, 0, 1}},
        InsertCase{"CancelledNewDelayLeavesNothing", {kA}, 1, -1, InsertKind::Delay, {}, {}, {}, {kA}, 1,
                   {false, 0, -1}},
        InsertCase{"KeyTakesTheChosenCode", {}, 0, -1, InsertKind::Key, {}, std::uint8_t{0x51}, {},
                   {kQ, k50, kQRelease}, 2, {true, 0, 2}},
        InsertCase{"CancelledKeyRemovesAllThree", {kA}, 1, 0, InsertKind::Key, {}, {}, {}, {kA}, 1,
                   {false, 0, 0}},
        InsertCase{"MoveLeftTen", {}, 0, -1, InsertKind::MoveLeft, {}, {}, std::int8_t{-10},
                   {Act(0xE5, 0, 0, 0xF6)}, 1, {true, 0, 0}},
        InsertCase{"MoveDownAfterSelected", {kA, kARelease}, 2, 0, InsertKind::MoveDown, {}, {}, std::int8_t{3},
                   {kA, Act(0xE6, 0, 0, 3), kARelease}, 3, {true, 0, 1}},
        InsertCase{"CancelledMoveLeavesNothing", {}, 0, -1, InsertKind::MoveUp, {}, {}, {}, {}, 0,
                   {false, 0, -1}},
        InsertCase{"PairRefusedAbove123", {kA}, 124, -1, InsertKind::LeftClick, {}, {}, {}, {kA}, 124,
                   {false, kNoticeNoRoom, -1}},
        InsertCase{"KeyRefusedAbove123", {kA}, 124, -1, InsertKind::Key, {}, std::uint8_t{0x51}, {}, {kA}, 124,
                   {false, kNoticeNoRoom, -1}},
        InsertCase{"PairAcceptedAt123", {kA}, 123, -1, InsertKind::LeftClick, {}, {}, {},
                   {kA, kLPress, k50, kLRelease}, 125, {true, 0, 3}},
        InsertCase{"MoveAcceptedAt124", {kA}, 124, -1, InsertKind::MoveRight, {}, {}, std::int8_t{5},
                   {kA, Act(0xE5, 0, 0, 5)}, 125, {true, 0, 1}},
        InsertCase{"MoveRefusedAbove124", {kA}, 125, -1, InsertKind::MoveRight, {}, {}, std::int8_t{5}, {kA}, 125,
                   {false, kNoticeNoRoom, -1}}),
    [](const testing::TestParamInfo<InsertCase>& param) { return std::string(param.param.name); });

TEST(MacroActionEditingTest, InsertWithoutAMacroAsksForOne)
{
    ScriptedDialogs dialogs;
    const EditOutcome outcome = Insert(nullptr, -1, InsertKind::LeftClick, dialogs.Functions());
    EXPECT_EQ(outcome.notice, kNoticeNoMacro);
    EXPECT_FALSE(outcome.changed);
}

TEST(MacroActionEditingTest, DialogsStartFromTheirDefaults)
{
    MacroKey macro;
    ScriptedDialogs dialogs{100u, std::uint8_t{0x51}, std::int8_t{1}, {}, {}};
    (void)Insert(&macro, -1, InsertKind::Key, dialogs.Functions());
    (void)Insert(&macro, 0, InsertKind::Delay, dialogs.Functions());  // after a key: new 100 ms
    (void)Insert(&macro, -1, InsertKind::MoveUp, dialogs.Functions());
    (void)Insert(&macro, -1, InsertKind::MoveRight, dialogs.Functions());
    EXPECT_EQ(dialogs.shown,
              (std::vector<MacroAction>{Act(0x41), MacroAction::Delay(100), Act(0xE6, 0, 0, 0xFF), Act(0xE5, 0, 0, 1)}));
    EXPECT_EQ(dialogs.moveKinds, (std::vector<int>{7, 6}));
}

TEST(MacroActionEditingTest, AFullMacroRefusesEveryInsertWhole)
{
    // 250 actions, few of them keys: the key limit allows a pair, the slots do not.
    std::vector<MacroAction> actions(MacroKey::kMaxActions - 2, k50);
    MacroKey macro = MacroOf(actions, 0);
    ScriptedDialogs dialogs{10u, std::uint8_t{0x51}, std::int8_t{1}, {}, {}};
    EXPECT_EQ(Insert(&macro, -1, InsertKind::LeftClick, dialogs.Functions()).notice, kNoticeNoRoom);
    EXPECT_EQ(Insert(&macro, -1, InsertKind::Key, dialogs.Functions()).notice, kNoticeNoRoom);
    EXPECT_EQ(macro.MacroActionNum, MacroKey::kMaxActions - 2);
    EXPECT_EQ(macro.MacroCommandActionNum, 0u);
    EXPECT_TRUE(Insert(&macro, 0, InsertKind::MoveLeft, dialogs.Functions()).changed);
    EXPECT_TRUE(Insert(&macro, 0, InsertKind::MoveLeft, dialogs.Functions()).changed);
    EXPECT_EQ(Insert(&macro, 0, InsertKind::MoveLeft, dialogs.Functions()).notice, kNoticeNoRoom);
    EXPECT_EQ(Insert(&macro, 1, InsertKind::Delay, dialogs.Functions()).notice, kNoticeNoRoom);  // after a move
    EXPECT_EQ(macro.MacroActionNum, MacroKey::kMaxActions);
}

TEST(MacroActionEditingTest, ModifyEditsDelaysAndKeysOnly)
{
    MacroKey macro = MacroOf({kA, k50, kARelease, kLPress, Act(0xE7, 0, 0, 2)}, 3);
    ScriptedDialogs dialogs{900u, std::uint8_t{0x51}, {}, {}, {}};
    EXPECT_TRUE(Modify(&macro, 1, dialogs.Functions()).changed);
    EXPECT_TRUE(Modify(&macro, 2, dialogs.Functions()).changed);  // the release stays a release
    EXPECT_FALSE(Modify(&macro, 3, dialogs.Functions()).changed);  // mouse button: no dialog
    EXPECT_FALSE(Modify(&macro, 4, dialogs.Functions()).changed);  // wheel: no dialog
    EXPECT_FALSE(Modify(&macro, 5, dialogs.Functions()).changed);  // past the end
    EXPECT_FALSE(Modify(&macro, -1, dialogs.Functions()).changed);
    EXPECT_EQ(Actions(macro), (std::vector<MacroAction>{kA, MacroAction::Delay(900), kQRelease, kLPress,
                                                         Act(0xE7, 0, 0, 2)}));
    EXPECT_EQ(dialogs.shown.size(), 2u);

    // A key dialog that hands back a mouse or delay code changes nothing.
    for (const std::uint8_t code : {std::uint8_t{0x03}, std::uint8_t{0xE0}, std::uint8_t{0xE7}}) {
        ScriptedDialogs odd{{}, code, {}, {}, {}};
        EXPECT_FALSE(Modify(&macro, 0, odd.Functions()).changed);
        EXPECT_EQ(macro.Get(0), kA);
    }
}

struct DeleteCase {
    std::vector<MacroAction> before;
    std::uint8_t keyActionsBefore;
    int selected;
    std::vector<MacroAction> after;
    std::uint8_t keyActionsAfter;
    int selectionAfter;
};

TEST(MacroActionEditingTest, DeleteKeepsTheSelectionWhereTheRulesSay)
{
    const DeleteCase cases[] = {
        {{kA, k50, kARelease}, 2, 0, {k50, kARelease}, 1, 0},   // the next action moves up
        {{kA, k50, kARelease}, 2, 1, {kA, kARelease}, 2, 1},    // a delay leaves the key count
        {{kA, k50, kARelease}, 2, 2, {kA, k50}, 1, 1},          // the last one: select before it
        {{kA}, 1, 0, {}, 0, -1},                                // the only one: nothing selected
        {{kA}, 0, 0, {}, 0, -1},                                // a count of 0 from a file stays 0
    };
    for (const DeleteCase& c : cases) {
        MacroKey macro = MacroOf(c.before, c.keyActionsBefore);
        const EditOutcome outcome = Delete(&macro, c.selected);
        EXPECT_TRUE(outcome.changed);
        EXPECT_EQ(Actions(macro), c.after) << c.selected;
        EXPECT_EQ(macro.MacroCommandActionNum, c.keyActionsAfter) << c.selected;
        EXPECT_EQ(outcome.selectedAction, c.selectionAfter) << c.selected;
    }
    MacroKey macro = MacroOf({kA}, 1);
    EXPECT_FALSE(Delete(&macro, -1).changed);
    EXPECT_FALSE(Delete(&macro, 1).changed);
    EXPECT_FALSE(Delete(nullptr, 0).changed);
}

TEST(MacroActionEditingTest, RowsNameEveryKindOfAction)
{
    struct RowCase {
        MacroAction action;
        std::u16string text;
        ActionPicture picture;
    };
    const RowCase cases[] = {
        {MacroAction::Delay(50), u"50ms", ActionPicture::Time},
        {MacroAction::Delay(0xFFFFFF), u"16777215ms", ActionPicture::Time},
        {Act(0x01, 0, 0, 7), u"7ms", ActionPicture::Time},  // any code below 8 is a delay
        {Act(0xE5, 0, 0, 10), u"Move Right 10", ActionPicture::Press},
        {Act(0xE5, 0, 0, 0xF6), u"Move Left 10", ActionPicture::Press},
        {Act(0xE5, 0, 0, 0x80), u"Move Left 128", ActionPicture::Press},
        {Act(0xE6, 0, 0, 0), u"Move Down 0", ActionPicture::Press},
        {Act(0xE6, 0x80, 0, 0xFF), u"Move Up 1", ActionPicture::Release},
        {Act(0xE7, 0, 0, 3), u"Wheel Down 3", ActionPicture::Press},
        {Act(0xE7, 0, 0, 0xFD), u"Wheel Up 3", ActionPicture::Press},
        {kLPress, u"L Key", ActionPicture::Press},
        {kLRelease, u"L Key", ActionPicture::Release},
        {Act(0xE4, 0x80), u"K5", ActionPicture::Release},
        {kA, u"A", ActionPicture::Press},
        {kARelease, u"A", ActionPicture::Release},
    };
    for (const RowCase& c : cases) {
        EXPECT_EQ(RowText(c.action), c.text) << std::hex << c.action.raw;
        EXPECT_EQ(RowPicture(c.action), c.picture) << std::hex << c.action.raw;
    }
}

}  // namespace

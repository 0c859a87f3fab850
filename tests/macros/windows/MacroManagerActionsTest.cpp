#include "MacroManagerTestSupport.h"

namespace {

using namespace MacroManagerId;
using MacroActionEditing::InsertKind;

constexpr int kTimePicture = static_cast<int>(MacroActionEditing::ActionPicture::Time);
constexpr int kReleasePicture = static_cast<int>(MacroActionEditing::ActionPicture::Release);
constexpr int kPressPicture = static_cast<int>(MacroActionEditing::ActionPicture::Press);

// A manager over one macro with the given actions, selected.
class MacroManagerActionsTest : public MacroManagerTest {
protected:
    void OpenOn(const std::vector<MacroAction>& actions, std::uint8_t keyActions)
    {
        macro = AddMacro(u"Edit");
        for (std::size_t i = 0; i < actions.size(); ++i)
            (void)MacroAt(macro).Insert(static_cast<std::uint32_t>(i), actions[i]);
        MacroAt(macro).MacroCommandActionNum = keyActions;
        OpenManager();
        ClickTreeRow(0);
    }

    [[nodiscard]] std::vector<int> Pictures() const
    {
        std::vector<int> pictures;
        const ListRowSource* source = manager->ActionList().Source();
        for (int row = 0; row < source->RowCount(); ++row)
            pictures.push_back(source->Row(row).icon);
        return pictures;
    }

    MacroItemLocation macro;
};

const MacroAction kA = MacroAction::FromBytes(0x41, 0x00, 0, 0);
const MacroAction kARelease = MacroAction::FromBytes(0x41, 0x80, 0, 0);

TEST_F(MacroManagerActionsTest, LeftClickIntoAnEmptyMacroGivesThreeRowsWithTheReleaseSelected)
{
    OpenOn({}, 0);
    ChooseInsertKind(static_cast<int>(InsertKind::LeftClick));
    EXPECT_EQ(ActionTexts(), (std::vector<QString>{QStringLiteral("L Key"), QStringLiteral("50ms"),
                                                   QStringLiteral("L Key")}));
    EXPECT_EQ(Pictures(), (std::vector<int>{kPressPicture, kTimePicture, kReleasePicture}));
    EXPECT_EQ(manager->SelectedAction(), 2);
    EXPECT_EQ(MacroAt(macro).MacroCommandActionNum, 2u);
    EXPECT_EQ(manager->OpenPopup(CMacroManagerDlg::kInsertPopupSlot), nullptr);
    CloseAndExpectSavedLibrary();
}

TEST_F(MacroManagerActionsTest, InsertsGoAfterTheSelectedActionAndTheirDialogOpensOnceTheListHasGone)
{
    OpenOn({kA, kARelease}, 2);
    ClickActionRow(0);
    std::optional<bool> listOpenInDialog;
    whileDialogOpen = [&] { listOpenInDialog = manager->OpenPopup(CMacroManagerDlg::kInsertPopupSlot) != nullptr; };
    delayAnswer = 70000;
    ChooseInsertKind(static_cast<int>(InsertKind::Delay));
    EXPECT_EQ(listOpenInDialog, std::optional<bool>(false));
    EXPECT_EQ(Actions(MacroAt(macro)),
              (std::vector<std::uint32_t>{kA.raw, Bytes(0x03, 0x01, 0x11, 0x70), kARelease.raw}));
    EXPECT_EQ(manager->SelectedAction(), 1);

    // Right after that delay, the delay insert edits it rather than adding another.
    delayAnswer = 25;
    ChooseInsertKind(static_cast<int>(InsertKind::Delay));
    EXPECT_EQ(MacroAt(macro).MacroActionNum, 3u);
    EXPECT_EQ(MacroAt(macro).Get(1), MacroAction::Delay(25));

    moveAnswer = -10;
    ChooseInsertKind(static_cast<int>(InsertKind::MoveLeft));
    EXPECT_EQ(ActionTexts()[2], QStringLiteral("Move Left 10"));
    EXPECT_EQ(MacroAt(macro).MacroCommandActionNum, 3u);
}

TEST_F(MacroManagerActionsTest, InsertsKeepTheKeyActionLimit)
{
    OpenOn({kA}, 124);
    keyAnswer = 0x51;
    ChooseInsertKind(static_cast<int>(InsertKind::Key));
    EXPECT_EQ(notices, std::vector<int>{MacroActionEditing::kNoticeNoRoom});
    EXPECT_EQ(valueDialogsShown, 0);
    moveAnswer = 4;
    ChooseInsertKind(static_cast<int>(InsertKind::MoveDown));
    EXPECT_EQ(MacroAt(macro).MacroCommandActionNum, 125u);
    EXPECT_EQ(ActionTexts().back(), QStringLiteral("Move Down 4"));
}

TEST_F(MacroManagerActionsTest, InsertWithoutAMacroAsksForOne)
{
    (void)AddFolder(u"Games");
    OpenManager();
    ClickTreeRow(0);
    ChooseInsertKind(static_cast<int>(InsertKind::RightClick));
    EXPECT_EQ(notices, std::vector<int>{MacroActionEditing::kNoticeNoMacro});
}

TEST_F(MacroManagerActionsTest, ModifyEditsDelaysAndKeysButNotMouseActions)
{
    const MacroAction press = MacroAction::FromBytes(0xE0, 0, 0, 0);
    OpenOn({kA, MacroAction::Delay(50), kARelease, press}, 3);
    delayAnswer = 900;
    keyAnswer = 0x51;
    ClickActionRow(1);
    Click(kModifyAction);
    MouseDriver(manager.get()).DoubleClick(RowPoint(manager->ActionList(), 2));
    EXPECT_EQ(valueDialogsShown, 2);
    MouseDriver(manager.get()).DoubleClick(RowPoint(manager->ActionList(), 3));
    EXPECT_EQ(valueDialogsShown, 2);
    EXPECT_EQ(Actions(MacroAt(macro)),
              (std::vector<std::uint32_t>{kA.raw, MacroAction::Delay(900).raw, Bytes(0x51, 0x80, 0, 0), press.raw}));
}

TEST_F(MacroManagerActionsTest, DeleteMovesTheSelectionByItsRules)
{
    OpenOn({kA, MacroAction::Delay(50), kARelease}, 2);
    ClickActionRow(2);
    Click(kDeleteAction);
    EXPECT_EQ(manager->SelectedAction(), 1);
    EXPECT_EQ(MacroAt(macro).MacroCommandActionNum, 1u);
    ClickActionRow(0);
    Click(kDeleteAction);
    EXPECT_EQ(manager->SelectedAction(), 0);
    EXPECT_EQ(ActionTexts(), std::vector<QString>{QStringLiteral("50ms")});
    Click(kDeleteAction);
    EXPECT_EQ(manager->SelectedAction(), -1);
    EXPECT_TRUE(ActionTexts().empty());
    EXPECT_EQ(MacroAt(macro).MacroCommandActionNum, 0u);
}

TEST_F(MacroManagerActionsTest, APressBelowTheLastActionKeepsTheSelection)
{
    OpenOn({kA, kARelease}, 2);
    ClickActionRow(1);
    const UiRect list = manager->ActionList().GetRect();
    MouseDriver(manager.get()).Click(QPoint(list.left + 30, list.bottom - 3));
    EXPECT_EQ(manager->SelectedAction(), 1);
}

TEST_F(MacroManagerActionsTest, SwitchingMacrosShowsTheOtherFromItsTop)
{
    OpenOn({kA, kARelease}, 2);
    (void)AddMacro(u"Other");
    manager.reset();
    OpenManager();
    ClickTreeRow(0);
    ClickActionRow(1);
    ClickTreeRow(1);
    EXPECT_TRUE(ActionTexts().empty());
    EXPECT_EQ(manager->SelectedAction(), -1);
    ClickTreeRow(0);
    EXPECT_EQ(ActionTexts().size(), 2u);
    EXPECT_EQ(manager->SelectedAction(), -1);
}

}  // namespace

#include "MacroManagerTestSupport.h"

#include "ui/UiState.h"

#include <QAccessible>

namespace {

using namespace MacroManagerId;

// A key as the window system hands it to the window, with the text it types.
void Type(QWidget* window, Qt::Key key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(window, &release);
}

// The shown child of an accessible window with this role and name.
QAccessibleInterface* ChildOf(QAccessibleInterface* window, QAccessible::Role role, const QString& name)
{
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface* child = window->child(i);
        if (child != nullptr && child->role() == role && child->text(QAccessible::Name) == name &&
            !child->state().invisible)
            return child;
    }
    return nullptr;
}

struct ReadRow {
    QString name;
    bool selected;
    friend bool operator==(const ReadRow&, const ReadRow&) = default;
    friend std::ostream& operator<<(std::ostream& out, const ReadRow& row)
    {
        return out << row.name.toStdString() << (row.selected ? " (selected)" : "");
    }
};

std::vector<ReadRow> RowsOf(QAccessibleInterface* list)
{
    std::vector<ReadRow> rows;
    for (int i = 0; i < list->childCount(); ++i) {
        QAccessibleInterface* row = list->child(i);
        rows.push_back({row->text(QAccessible::Name), row->state().selected != 0});
    }
    return rows;
}

class MacroManagerKeyboardTest : public MacroManagerTest {
protected:
    void SetUp() override
    {
        MacroManagerTest::SetUp();
        games = AddFolder(u"Games");
        (void)AddMacro(u"Jump", games);
        keys = AddMacro(u"Keys");
        MacroKey& macro = MacroAt(keys);
        for (const MacroAction action :
             {MacroAction::FromBytes(0x41, 0x00, 0, 0), MacroAction::Delay(50), MacroAction::FromBytes(0x41, 0x80, 0, 0),
              MacroAction::FromBytes(0xE0, 0x00, 0, 0), MacroAction::FromBytes(0xE5, 0, 0, 0xFB)})
            ASSERT_TRUE(macro.Insert(macro.MacroActionNum, action));
        OpenManager();
        window = QAccessible::queryAccessibleInterface(manager.get());
        ASSERT_NE(window, nullptr);
    }

    MacroItemLocation games;
    MacroItemLocation keys;
    QAccessibleInterface* window = nullptr;
};

// The lists, their scroll bars and the picture-only controls say what they are, and a row
// that shows a press or a release only by its picture says it in words.
TEST_F(MacroManagerKeyboardTest, TheListsAndTheirRowsReadAsTheWindowShowsThem)
{
    for (const auto& [role, name] : {std::pair{QAccessible::ScrollBar, "Macro List"},
                                     std::pair{QAccessible::ScrollBar, "Actions"},
                                     std::pair{QAccessible::PushButton, "Close"},
                                     std::pair{QAccessible::CheckBox, "Record delays"},
                                     std::pair{QAccessible::CheckBox, "Fixed delay"},
                                     std::pair{QAccessible::RadioButton, "Repeat while held"},
                                     std::pair{QAccessible::ButtonMenu, "Insert action"}})
        EXPECT_NE(ChildOf(window, role, QString::fromLatin1(name)), nullptr) << name;

    QAccessibleInterface* tree = ChildOf(window, QAccessible::Tree, QStringLiteral("Macro List"));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(RowsOf(tree), (std::vector<ReadRow>{{QStringLiteral("Games"), false}, {QStringLiteral("Keys"), false}}));
    EXPECT_EQ(tree->child(0)->role(), QAccessible::TreeItem);
    EXPECT_TRUE(tree->child(0)->state().expandable);
    EXPECT_FALSE(tree->child(0)->state().expanded);

    ClickTreeRow(1);
    EXPECT_EQ(RowsOf(tree), (std::vector<ReadRow>{{QStringLiteral("Games"), false}, {QStringLiteral("Keys"), true}}));
    QAccessibleInterface* actions = ChildOf(window, QAccessible::List, QStringLiteral("Actions"));
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(RowsOf(actions), (std::vector<ReadRow>{{QStringLiteral("A pressed"), false},
                                                     {QStringLiteral("50ms"), false},
                                                     {QStringLiteral("A released"), false},
                                                     {QStringLiteral("L Key pressed"), false},
                                                     {QStringLiteral("Move Left 5"), false}}));
    // The window shows the rows as they were.
    EXPECT_EQ(ActionTexts(), (std::vector<QString>{QStringLiteral("A"), QStringLiteral("50ms"), QStringLiteral("A"),
                                                   QStringLiteral("L Key"), QStringLiteral("Move Left 5")}));
}

// Tab reaches the tree, the arrows choose its rows as clicks do, Space presses the focused
// button; none of these keys counts as typing, while a letter still does and Enter and
// Escape still leave the window open.
TEST_F(MacroManagerKeyboardTest, TabArrowsAndSpaceWorkTheWindowWithoutTheTypingNotice)
{
    CControlBase* tree = manager->GetControl(kTree);
    for (int presses = 0; presses < 40 && manager->FocusControl() != tree; ++presses)
        Type(manager.get(), Qt::Key_Tab);
    ASSERT_EQ(manager->FocusControl(), tree);

    Type(manager.get(), Qt::Key_Down);
    Settle();
    EXPECT_EQ(manager->Selection(), games);
    Type(manager.get(), Qt::Key_Down);
    Settle();
    EXPECT_EQ(manager->Selection(), keys);
    EXPECT_EQ(manager->ActionList().RowCount(), 5);
    // The play mode of the chosen macro shows: its radio is set.
    EXPECT_TRUE(UiState::Instance().IsRadioSelected(kModeOne) || UiState::Instance().IsRadioSelected(kModeFour) ||
                UiState::Instance().IsRadioSelected(kModeCount));

    // Space on the tree presses the selected row again: the selection stays, and it is
    // not typing.
    Type(manager.get(), Qt::Key_Space, QStringLiteral(" "));
    Settle();
    EXPECT_EQ(manager->Selection(), keys);
    EXPECT_TRUE(notices.empty());

    CControlBase* newMacro = manager->GetControl(kNewMacro);
    for (int presses = 0; presses < 40 && manager->FocusControl() != newMacro; ++presses)
        Type(manager.get(), Qt::Key_Tab);
    ASSERT_EQ(manager->FocusControl(), newMacro);
    Type(manager.get(), Qt::Key_Space, QStringLiteral(" "));
    Settle();
    EXPECT_EQ(nameModes, std::vector<int>{0});
    EXPECT_TRUE(notices.empty());

    Type(manager.get(), Qt::Key_X, QStringLiteral("x"));
    Settle();
    EXPECT_EQ(notices, std::vector<int>{MacroManagerText::kDigitsOnly});
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        Type(manager.get(), key);
        Settle();
        EXPECT_FALSE(manager->IsEnded()) << key;
    }
    EXPECT_EQ(notices.size(), 1u);
}

}  // namespace

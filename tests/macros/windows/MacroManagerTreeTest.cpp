#include "MacroManagerTestSupport.h"

#include "keyfunc/popups/CMacroListPopup.h"
#include "macros/windows/CMacroKeyOrFolderNameDlg.h"
#include "macros/windows/MacroFileCommands.h"
#include "ui/UiState.h"
#include "ui/dialogs/CAttentionDlg.h"

#include <QFile>
#include <QWheelEvent>

namespace {

using namespace MacroManagerId;

QString Q(const char16_t* text)
{
    return QString::fromUtf16(text);
}

std::vector<int> EntryIds(const CWndPopup* popup)
{
    std::vector<int> ids;
    if (const auto* menu = dynamic_cast<const CMenuPopup*>(popup)) {
        for (const MenuEntry& entry : menu->Entries())
            ids.push_back(entry.id);
    }
    return ids;
}

using MacroManagerTreeTest = MacroManagerTest;

TEST_F(MacroManagerTreeTest, OpensWithEveryFolderClosedAndNothingSelected)
{
    const MacroItemLocation folder = AddFolder(u"Games");
    (void)AddMacro(u"Jump", folder);
    library.MutableItem(folder)->folderIsOpen = 1;
    OpenManager();
    EXPECT_EQ(TreeTexts(), std::vector<QString>{Q(u"Games")});
    EXPECT_TRUE(manager->Selection().IsNone());
    EXPECT_EQ(manager->TreeList().Selection(), -1);
}

TEST_F(MacroManagerTreeTest, NewMacroWithAClosedFolderSelectedOpensItAndSelectsTheMacro)
{
    const MacroItemLocation folder = AddFolder(u"Games");
    (void)AddMacro(u"Jump", folder);
    (void)AddMacro(u"Top");
    OpenManager();
    ClickTreeRow(0);  // on the name, not the icon: the folder stays closed
    ASSERT_EQ(TreeTexts(), (std::vector<QString>{Q(u"Games"), Q(u"Top")}));
    names.push_back(u"Run");
    Click(kNewMacro);

    EXPECT_EQ(nameModes, std::vector<int>{0});
    EXPECT_EQ(TreeTexts(), (std::vector<QString>{Q(u"Games"), Q(u"Jump"), Q(u"Run"), Q(u"Top")}));
    EXPECT_EQ(manager->Selection(), MacroItemLocation::Level1(0, 1));
    EXPECT_EQ(manager->TreeList().Selection(), 2);
    EXPECT_NE(manager->SelectedMacro(), nullptr);
    // A new macro plays its count, once: the count box shows it.
    EXPECT_TRUE(manager->RepeatCountBox().isVisible());
    EXPECT_EQ(manager->RepeatCountBox().GetText(), QStringLiteral("1"));
    EXPECT_TRUE(UiState::Instance().IsRadioSelected(kModeCount));
    CloseAndExpectSavedLibrary();
}

TEST_F(MacroManagerTreeTest, NewItemNamesMustBeFilledAndFreeInTheirFolder)
{
    (void)AddMacro(u"Jump");
    OpenManager();
    names = {u"", u"Jump"};
    Click(kNewMacro);
    Click(kNewMacro);
    EXPECT_EQ(notices, (std::vector<int>{MacroManagerText::kNameEmpty, MacroManagerText::kNameExists}));
    EXPECT_EQ(TreeTexts(), std::vector<QString>{Q(u"Jump")});
    // Cancelled: nothing at all.
    Click(kNewMacro);
    EXPECT_EQ(notices.size(), 2u);
    EXPECT_EQ(TreeTexts().size(), 1u);
}

TEST_F(MacroManagerTreeTest, DeletingAFolderHoldingAMacroOfTheCurrentProfileShows257AndDeletesNothing)
{
    const MacroItemLocation folder = AddFolder(u"Games");
    const MacroItemLocation sub = AddFolder(u"Old", folder);
    const MacroItemLocation deep = AddMacro(u"Deep", sub);
    (void)AddMacro(u"Top");
    inUse = {MacroAt(deep).MacroKeyIndex};
    OpenManager();
    ClickTreeRow(0);
    Click(kDeleteItem);
    EXPECT_EQ(notices, (std::vector<int>{MacroManagerText::kConfirmDelete, MacroManagerText::kInUse}));
    EXPECT_EQ(TreeTexts(), (std::vector<QString>{Q(u"Games"), Q(u"Top")}));
    EXPECT_NE(library.Item(deep)->macro, nullptr);
    EXPECT_EQ(manager->Selection(), MacroItemLocation::Level0(0));

    // Refused at the question: nothing either.
    notices.clear();
    inUse.clear();
    noticeAnswer = DialogResult::kCancel;
    Click(kDeleteItem);
    EXPECT_EQ(notices, std::vector<int>{MacroManagerText::kConfirmDelete});
    EXPECT_EQ(TreeTexts().size(), 2u);

    // Confirmed and not in use: the folder goes with everything in it.
    noticeAnswer = DialogResult::kOk;
    Click(kDeleteItem);
    EXPECT_EQ(TreeTexts(), std::vector<QString>{Q(u"Top")});
    EXPECT_TRUE(manager->Selection().IsNone());
    EXPECT_EQ(manager->TreeList().Selection(), -1);
    EXPECT_EQ(library.Item(deep)->macro, nullptr);

    // With nothing selected there is nothing to delete.
    notices.clear();
    Click(kDeleteItem);
    EXPECT_EQ(notices, std::vector<int>{MacroManagerText::kSelectItemFirst});
    CloseAndExpectSavedLibrary();
}

// A press on a row selects it even when the button is let go outside the tree: the action
// list and the commands follow the highlighted row, not the row shown before.
TEST_F(MacroManagerTreeTest, APressReleasedOutsideTheTreeShowsAndEditsTheMacroItSelected)
{
    const MacroItemLocation first = AddMacro(u"First");
    const MacroItemLocation second = AddMacro(u"Second");
    (void)MacroAt(first).Insert(0, MacroAction::FromBytes(0x41, 0, 0, 0));
    (void)MacroAt(second).Insert(0, MacroAction::FromBytes(0x42, 0, 0, 0));
    (void)MacroAt(second).Insert(1, MacroAction::FromBytes(0x42, 0x80, 0, 0));
    OpenManager();
    ClickTreeRow(0);
    ClickActionRow(0);
    ASSERT_EQ(ActionTexts(), std::vector<QString>{QStringLiteral("A")});

    MouseDriver mouse(manager.get());
    mouse.Move(RowPoint(manager->TreeList(), 1));
    mouse.Press(RowPoint(manager->TreeList(), 1));
    const UiRect tree = manager->TreeList().GetRect();
    mouse.Move(QPoint(tree.left - 10, tree.top + 5));
    mouse.Release(QPoint(tree.left - 10, tree.top + 5));
    Settle();

    EXPECT_EQ(manager->Selection(), second);
    EXPECT_EQ(manager->TreeList().Selection(), 1);
    EXPECT_EQ(manager->SelectedMacro(), &MacroAt(second));
    EXPECT_EQ(ActionTexts(), (std::vector<QString>{QStringLiteral("B"), QStringLiteral("B")}));
    EXPECT_EQ(manager->SelectedAction(), -1);
    // No action of the macro now shown is selected: Delete removes nothing from either.
    Click(kDeleteAction);
    EXPECT_EQ(MacroAt(first).MacroActionNum, 1u);
    EXPECT_EQ(MacroAt(second).MacroActionNum, 2u);
}

TEST_F(MacroManagerTreeTest, FoldersOpenAndCloseByTheirIconAndByDoubleClick)
{
    const MacroItemLocation folder = AddFolder(u"Games");
    (void)AddMacro(u"Jump", folder);
    (void)AddMacro(u"Run", folder);
    OpenManager();
    const std::vector<QString> closed{Q(u"Games")};
    const std::vector<QString> open{Q(u"Games"), Q(u"Jump"), Q(u"Run")};

    ClickTreeRow(0, 3);  // inside the icon
    EXPECT_EQ(TreeTexts(), open);
    ClickTreeRow(0, 3);
    EXPECT_EQ(TreeTexts(), closed);
    ClickTreeRow(0);  // on the name: only selects
    EXPECT_EQ(TreeTexts(), closed);
    MouseDriver(manager.get()).DoubleClick(RowPoint(manager->TreeList(), 0));
    EXPECT_EQ(TreeTexts(), open);
    // Rows of the second level are indented by one icon and gap.
    EXPECT_EQ(manager->TreeRows().Row(1).depth, 1);

    // A child's row selects the child.
    ClickTreeRow(2);
    EXPECT_EQ(manager->Selection(), MacroItemLocation::Level1(0, 1));
    EXPECT_EQ(manager->SelectedMacro(), library.Item(MacroItemLocation::Level1(0, 1))->macro.get());
}

TEST_F(MacroManagerTreeTest, TheContextMenuOffersWhatTheSelectionAllowsAndRunsAfterItCloses)
{
    const MacroItemLocation folder = AddFolder(u"Games");
    (void)AddMacro(u"Top");
    OpenManager();
    MouseDriver mouse(manager.get());
    const UiRect tree = manager->TreeList().GetRect();

    struct MenuCase {
        QPoint at;
        std::vector<int> entries;
    };
    const MenuCase cases[] = {
        {QPoint(tree.left + 30, tree.bottom - 3), {1, 2, 4, 7, 8}},
        {RowPoint(manager->TreeList(), 1), {1, 2, 3, 4, 5, 6, 7, 8}},
        {RowPoint(manager->TreeList(), 0), {1, 2, 4, 5, 6, 7, 8}},
    };
    for (const MenuCase& c : cases) {
        mouse.RightClick(c.at);
        Settle();
        EXPECT_EQ(EntryIds(manager->OpenPopup(CMacroManagerDlg::kMenuPopupSlot)), c.entries);
    }
    // The folder is selected: its new folder goes into it, once the menu has gone.
    ASSERT_EQ(manager->Selection(), folder);
    std::optional<bool> menuOpenWhenAsked;
    whileDialogOpen = [&] { menuOpenWhenAsked = manager->OpenPopup(CMacroManagerDlg::kMenuPopupSlot) != nullptr; };
    names.push_back(u"Sub");
    ChooseFromPopup(CMacroManagerDlg::kMenuPopupSlot, 2);
    EXPECT_EQ(nameModes, std::vector<int>{1});
    EXPECT_EQ(menuOpenWhenAsked, std::optional<bool>(false));
    EXPECT_EQ(manager->OpenPopup(CMacroManagerDlg::kMenuPopupSlot), nullptr);
    EXPECT_EQ(TreeTexts(), (std::vector<QString>{Q(u"Games"), Q(u"Sub"), Q(u"Top")}));
    EXPECT_EQ(manager->Selection(), MacroItemLocation::Level1(0, 0));
}

TEST_F(MacroManagerTreeTest, RenameKeepsNamesFilledAndFreeAndTheMacroItsOwnName)
{
    (void)AddMacro(u"Jump");
    const MacroItemLocation run = AddMacro(u"Run");
    OpenManager();
    MouseDriver mouse(manager.get());
    names = {u"Jump", u"", u"Sprint"};
    for (int attempt = 0; attempt < 3; ++attempt) {
        mouse.RightClick(RowPoint(manager->TreeList(), 1));
        Settle();
        ChooseFromPopup(CMacroManagerDlg::kMenuPopupSlot, 5);
    }
    EXPECT_EQ(renamedFrom, (std::vector<std::u16string>{u"Run", u"Run", u"Run"}));
    EXPECT_EQ(notices, (std::vector<int>{MacroManagerText::kNameExists, MacroManagerText::kNameEmpty}));
    EXPECT_EQ(TreeTexts(), (std::vector<QString>{Q(u"Jump"), Q(u"Sprint")}));
    EXPECT_EQ(MacroAt(run).name, u"Run");
}

TEST_F(MacroManagerTreeTest, PlayModeRadiosAndTheRepeatCountBox)
{
    const MacroItemLocation jump = AddMacro(u"Jump");
    (void)AddFolder(u"Games");
    OpenManager();
    ClickTreeRow(0);
    CEditBox& count = manager->RepeatCountBox();
    EXPECT_TRUE(count.isVisible());

    Click(kModeOne);
    EXPECT_EQ(MacroAt(jump).MacroKeyLoopType, MacroKey::kLoopModeOne);
    EXPECT_FALSE(count.isVisible());
    Click(kModeFour);
    EXPECT_EQ(MacroAt(jump).MacroKeyLoopType, MacroKey::kLoopModeFour);
    EXPECT_TRUE(UiState::Instance().IsRadioSelected(kModeFour));
    EXPECT_FALSE(count.isVisible());
    Click(kModeCount);
    EXPECT_EQ(MacroAt(jump).MacroKeyLoopType, MacroKey::kLoopModeCount);
    ASSERT_TRUE(count.isVisible());

    struct CountCase {
        QString typed;
        QString shown;
        std::uint8_t stored;
    };
    for (const CountCase& c : {CountCase{QStringLiteral("300"), QStringLiteral("255"), 255},
                               CountCase{QStringLiteral("0"), QStringLiteral("1"), 1},
                               CountCase{QStringLiteral("42"), QStringLiteral("42"), 42}}) {
        count.setFocus();
        count.selectAll();
        QTest::keyClicks(&count, c.typed);
        EXPECT_EQ(count.GetText(), c.shown) << c.typed.toStdString();
        EXPECT_EQ(MacroAt(jump).MacroKeyLoopNum, c.stored) << c.typed.toStdString();
    }
    EXPECT_TRUE(notices.empty());

    // A folder has no play mode.
    ClickTreeRow(1);
    for (const int radio : {kModeOne, kModeFour, kModeCount})
        EXPECT_FALSE(UiState::Instance().IsRadioSelected(radio)) << radio;
    EXPECT_FALSE(count.isVisible());
    Click(kModeOne);
    EXPECT_FALSE(UiState::Instance().IsRadioSelected(kModeOne));
}

TEST_F(MacroManagerTreeTest, TypingOtherThanDigitsRaisesTheNoticeAndEnterAndEscapeDoNotClose)
{
    (void)AddMacro(u"Jump");
    OpenManager();
    ClickTreeRow(0);
    CEditBox& count = manager->RepeatCountBox();
    count.setFocus();
    count.selectAll();
    QTest::keyClicks(&count, QStringLiteral("7x"));
    EXPECT_EQ(notices, std::vector<int>{MacroManagerText::kDigitsOnly});
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(&count, key);
        QTest::keyClick(manager->windowHandle(), key);
        Settle();
        EXPECT_FALSE(manager->IsEnded()) << key;
    }
    EXPECT_EQ(notices.size(), 1u);
}

TEST_F(MacroManagerTreeTest, TheWheelAndTheScrollBarMoveTheTree)
{
    for (int n = 0; n < 40; ++n)
        (void)AddMacro(u"Macro " + std::u16string(1, static_cast<char16_t>(u'A' + n)));
    OpenManager();
    const CRowList& tree = manager->TreeList();
    const QPoint over = tree.GetRect().ToQRect().center();
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(over), QPointF(manager->mapToGlobal(over)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(manager.get(), &event);
        Settle();
    };
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(tree.FirstVisible(), 2);
    wheel(120);
    EXPECT_EQ(tree.FirstVisible(), 1);

    // A press on the track below the thumb pages down.
    const UiRect bar = manager->GetControl(kTreeScrollBar)->GetRect();
    MouseDriver(manager.get()).Click(QPoint((bar.left + bar.right) / 2, bar.bottom - UiScale::Scale(20)));
    EXPECT_EQ(tree.FirstVisible(), 1 + tree.VisibleRows());
}

TEST_F(MacroManagerTreeTest, CloseSavesTheLibraryWithoutASelection)
{
    const MacroItemLocation folder = AddFolder(u"Games");
    (void)AddMacro(u"Jump", folder);
    OpenManager();
    ClickTreeRow(0, 3);
    ClickTreeRow(1);
    Click(kExit);
    EXPECT_TRUE(manager->IsEnded());
    EXPECT_TRUE(manager->Selection().IsNone());
    MacroLibrary reloaded;
    const MacroLibraryLoadResult loaded = reloaded.Load(LibraryFile());
    ASSERT_TRUE(loaded.ok);
    EXPECT_TRUE(loaded.marker.IsNone());
    EXPECT_EQ(loaded.marker, (MacroItemLocation{-1, 0, 0, 0}));
    // Open folders are saved open.
    EXPECT_EQ(reloaded.Item(folder)->folderIsOpen, 1u);
    EXPECT_EQ(reloaded.Item(MacroItemLocation::Level1(0, 0))->name, u"Jump");
}

}  // namespace

namespace {

TEST_F(MacroManagerTest, AFailedWriteIsReportedToTheOwner)
{
    (void)AddMacro(u"Jump");
    // The config folder's place is taken by a file: the library cannot be written there.
    std::ofstream(LibraryFile().parent_path()) << "not a folder";
    OpenManager();
    EXPECT_TRUE(manager->LibrarySaved());
    Click(MacroManagerId::kExit);
    EXPECT_TRUE(manager->IsEnded());
    EXPECT_FALSE(manager->LibrarySaved());
}

}  // namespace

namespace {

// The export and import commands of the context menu, with the real exchange files and a
// file chooser that answers with a file of the test's folder.
class MacroManagerExchangeTest : public MacroManagerTest {
protected:
    MacroManagerServices Services()
    {
        MacroManagerServices services = MacroManagerTest::Services();
        services.fileCommand = [this](int command, CDlgBase& window, MacroLibrary& target,
                                      const MacroItemLocation& selection) -> std::optional<MacroItemLocation> {
            const MacroFileCommands commands([this](CDlgBase&, const MacroFileRequest&) { return exchangeFile; });
            switch (command) {
            case MacroMenuCommand::kExportMacros:
                commands.ExportMacros(window, texts, target, selection);
                return std::nullopt;
            case MacroMenuCommand::kImportMacros:
                return commands.ImportMacros(window, texts, target, selection);
            default:
                ADD_FAILURE() << "command " << command;
                return std::nullopt;
            }
        };
        return services;
    }
    void OpenOver(MacroLibrary& over)
    {
        manager = std::make_unique<CMacroManagerDlg>(texts, over, LibraryFile(), Services(), &owner);
        Open(*manager);
    }
    void Choose(int entry)
    {
        const UiRect tree = manager->TreeList().GetRect();
        MouseDriver(manager.get()).RightClick(QPoint(tree.left + 30, tree.bottom - 3));
        Settle();
        ChooseFromPopup(CMacroManagerDlg::kMenuPopupSlot, entry);
    }

    QString exchangeFile = dataFolder.filePath(QStringLiteral("all.mbf"));
};

TEST_F(MacroManagerExchangeTest, ExportingTheTreeAndImportingItIntoAnEmptyLibraryRebuildsIt)
{
    const MacroItemLocation games = AddFolder(u"Games");
    const MacroItemLocation jump = AddMacro(u"Jump", games);
    (void)AddMacro(u"Run", games);
    (void)AddMacro(u"Top");
    (void)MacroAt(jump).Insert(0, MacroAction::Delay(77));
    OpenOver(library);
    Choose(8);  // export macros
    manager.reset();
    ASSERT_TRUE(QFile::exists(exchangeFile));

    MacroLibrary empty;
    empty.SetNextNumber(50);
    OpenOver(empty);
    Choose(7);  // import macros
    EXPECT_TRUE(notices.empty());
    std::vector<std::pair<MacroItemLocation, std::u16string>> items;
    empty.ForEachUsedItem([&](const MacroItemLocation& at, const MacroItem& item) { items.emplace_back(at, item.name); });
    EXPECT_EQ(items, (std::vector<std::pair<MacroItemLocation, std::u16string>>{
                         {MacroItemLocation::Level0(0), u"Games"},
                         {MacroItemLocation::Level0(1), u"Top"},
                         {MacroItemLocation::Level1(0, 0), u"Jump"},
                         {MacroItemLocation::Level1(0, 1), u"Run"},
                     }));
    const MacroKey* copied = empty.Item(MacroItemLocation::Level1(0, 0))->macro.get();
    ASSERT_NE(copied, nullptr);
    EXPECT_GE(copied->MacroKeyIndex, 50u);
    EXPECT_EQ(copied->Get(0), MacroAction::Delay(77));
    // The window shows the last item made, highlighted.
    EXPECT_EQ(manager->TreeList().Selection(), manager->TreeRows().RowOf(manager->Selection()));
    EXPECT_FALSE(manager->Selection().IsNone());
}

}  // namespace

namespace {

// Without dialogs of the test's, the manager asks with the program's own: the name
// dialog, and the attention dialog for its notices.
TEST_F(MacroManagerTest, TheProgramsOwnDialogsAskForNamesAndShowNotices)
{
    MacroManagerServices services = Services();
    services.askName = {};
    services.notice = {};
    manager = std::make_unique<CMacroManagerDlg>(texts, library, LibraryFile(), std::move(services), &owner);
    Open(*manager);

    std::vector<QString> typed{QString(), QStringLiteral("Fresh")};
    std::vector<QString> attentionMessages;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (CDlgBase* open : OpenDialogList::Entries()) {
            if (!open->IsModalRunning())
                continue;
            if (auto* name = dynamic_cast<CMacroKeyOrFolderNameDlg*>(open); name && !typed.empty()) {
                name->Edit()->setText(typed.front());
                typed.erase(typed.begin());
                MouseDriver(name).Click(CentreOf(*name, CFramedDlg::kIdOk));
            } else if (auto* attention = dynamic_cast<CAttentionDlg*>(open)) {
                attentionMessages.push_back(attention->Message());
                MouseDriver(attention).Click(CentreOf(*attention, CFramedDlg::kIdOk));
            }
        }
    });
    answer.start(0);
    Click(MacroManagerId::kNewMacro);  // an empty name: the notice
    Click(MacroManagerId::kNewMacro);
    answer.stop();
    EXPECT_EQ(attentionMessages,
              std::vector<QString>{QString::fromStdU16String(texts.Text(MacroManagerText::kNameEmpty))});
    EXPECT_EQ(TreeTexts(), std::vector<QString>{QStringLiteral("Fresh")});
    EXPECT_TRUE(typed.empty());
}

}  // namespace

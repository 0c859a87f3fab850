#include "MacroWindowTest.h"

#include "MacroTreeShape.h"

#include "macros/windows/CMacroSelectDlg.h"
#include "ui/CEditShowList.h"
#include "ui/CVScrollBar.h"


namespace {

using Location = MacroItemLocation;

// The main window's stand-in: keeps the function record the selection sends it.
class SelectionOwner : public TestDialog {
public:
    std::vector<KeyFunctionResult> results;

protected:
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override
    {
        if (message == CMacroSelectDlg::kResultMessage)
            results.push_back(*reinterpret_cast<const KeyFunctionResult*>(lParam));
        return TestDialog::OnMessage(message, wParam, lParam);
    }
};

// Library: [Games] (open in the file) with "Reload" and [Inner] ("Deep"), then "Jump".
class MacroSelectDlgTest : public MacroWindowTest {
protected:
    MacroSelectDlgTest()
    {
        TreeBuilder tree(library);
        const Location games = tree.Folder("Games");
        tree.Macro("Reload", games, 0x52);
        const Location inner = tree.Folder("Inner", games);
        tree.Macro("Deep", inner, 0x44);
        tree.Macro("Jump", Location::None(), 0x20);
        library.MutableItem(games)->folderIsOpen = 1;
        library.MutableItem(inner)->folderIsOpen = 1;
    }

    // A press and release on a row of the tree, `x` design units from its left edge.
    static void ClickRow(CMacroSelectDlg& dialog, int row, int x = 60)
    {
        const UiRect rect = dialog.Tree()->RowRect(row);
        MouseDriver(&dialog).Click(QPoint(rect.left + x, (rect.top + rect.bottom) / 2));
    }
    static QString RowText(const CMacroSelectDlg& dialog, int row)
    {
        return dialog.Tree()->Source()->Row(row).text;
    }

    MacroLibrary library;
    SelectionOwner selectionOwner;
};

TEST_F(MacroSelectDlgTest, OpensWithFoldersClosedAndOkTakesOnlyAMacro)
{
    selectionOwner.InitDialog();
    ConfirmNotices();
    QTimer::singleShot(0, &selectionOwner, [&] {
        auto* dialog = dynamic_cast<CMacroSelectDlg*>(OpenDialogList::Entries().back());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Caption(*dialog, CMacroSelectDlg::kIdTitle), LanguageText(CMacroSelectDlg::kTextTitle));
        ASSERT_EQ(dialog->Tree()->RowCount(), 2);
        EXPECT_EQ(dialog->Tree()->Selection(), -1);

        Click(*dialog, CAppDialog::kIdOk);  // nothing selected
        ClickRow(*dialog, 0);               // the folder, beside its icon: selected, still closed
        EXPECT_EQ(dialog->Selection(), Location::Level0(0));
        EXPECT_EQ(dialog->Tree()->RowCount(), 2);
        Click(*dialog, CAppDialog::kIdOk);
        EXPECT_FALSE(dialog->IsEnded());

        ClickRow(*dialog, 0, 5);  // on the folder's icon: it opens
        ASSERT_EQ(dialog->Tree()->RowCount(), 4);
        EXPECT_EQ(RowText(*dialog, 1), QStringLiteral("Reload"));
        QTest::keyClick(dialog, Qt::Key_Return);
        QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog->IsEnded());
        ClickRow(*dialog, 1);
        EXPECT_EQ(dialog->Selection(), Location::Level1(0, 0));
        Click(*dialog, CAppDialog::kIdOk);
    });
    CMacroSelectDlg::Run(selectionOwner, texts, library);

    EXPECT_EQ(notices, Notices({CMacroSelectDlg::kTextNotAMacro, CMacroSelectDlg::kTextNotAMacro}));
    ASSERT_EQ(selectionOwner.results.size(), 1u);
    const KeyFunctionResult& result = selectionOwner.results[0];
    EXPECT_EQ(result.name, texts.Text(CMacroSelectDlg::kTextMacroNamePrefix) + u"Reload");
    EXPECT_EQ(result.value, (FunctionValue{0x90, 0x00, 0x00}));
    EXPECT_TRUE(result.path.empty());
    EXPECT_EQ(result.macro, library.Item(Location::Level1(0, 0))->macro.get());
    // The closed folders are kept in the library.
    EXPECT_EQ(library.Item(Location::Level1(0, 1))->folderIsOpen, 0u);
}

TEST_F(MacroSelectDlgTest, TheCloseCrossAssignsNothing)
{
    selectionOwner.InitDialog();
    QTimer::singleShot(0, &selectionOwner, [&] {
        auto* dialog = dynamic_cast<CMacroSelectDlg*>(OpenDialogList::Entries().back());
        ASSERT_NE(dialog, nullptr);
        ClickRow(*dialog, 1);
        EXPECT_EQ(dialog->Selection(), Location::Level0(1));
        Click(*dialog, CAppDialog::kIdCloseCross);
    });
    CMacroSelectDlg::Run(selectionOwner, texts, library);
    EXPECT_TRUE(selectionOwner.results.empty());
}

TEST_F(MacroSelectDlgTest, OkAssignsTheHighlightedMacroAfterAPressReleasedOutsideTheTree)
{
    selectionOwner.InitDialog();
    QTimer::singleShot(0, &selectionOwner, [&] {
        auto* dialog = dynamic_cast<CMacroSelectDlg*>(OpenDialogList::Entries().back());
        ASSERT_NE(dialog, nullptr);
        ClickRow(*dialog, 0, 5);  // opens Games: Games, Reload, Inner, Jump
        ClickRow(*dialog, 1);
        ASSERT_EQ(dialog->Selection(), Location::Level1(0, 0));

        const UiRect jump = dialog->Tree()->RowRect(3);
        const QPoint onJump(jump.left + 60, (jump.top + jump.bottom) / 2);
        const QPoint outside(jump.left - 10, jump.top);
        MouseDriver mouse(dialog);
        mouse.Move(onJump);
        mouse.Press(onJump);
        mouse.Move(outside);
        mouse.Release(outside);
        EXPECT_EQ(dialog->Tree()->Selection(), 3);
        EXPECT_EQ(dialog->Selection(), Location::Level0(1));
        Click(*dialog, CAppDialog::kIdOk);
    });
    CMacroSelectDlg::Run(selectionOwner, texts, library);
    ASSERT_EQ(selectionOwner.results.size(), 1u);
    EXPECT_EQ(selectionOwner.results[0].macro, library.Item(Location::Level0(1))->macro.get());
}

TEST_F(MacroSelectDlgTest, ANonMacroLocationGivesTheDisabledFunction)
{
    for (const Location& at : {Location::None(), Location::Level0(0), Location::Level0(5), Location{4, 0, 0, 0}}) {
        const KeyFunctionResult result = CMacroSelectDlg::FunctionFor(texts, library, at);
        EXPECT_EQ(result.name, texts.Text(CMacroSelectDlg::kTextDisabled)) << at.stage << at.stage0Index;
        EXPECT_EQ(result.value, (FunctionValue{0, 0, 0}));
        EXPECT_EQ(result.macro, nullptr);
    }
}

TEST_F(MacroSelectDlgTest, TheTreeScrollsByBarAndWheelAndKeepsTheHighlightInView)
{
    MacroLibrary many;
    for (int i = 0; i < 40; ++i) {
        Location at = Location::None();
        ASSERT_EQ(many.CreateMacroAtSelection(u"M" + TextNumbers::Decimal(i), at), MacroLibrary::CreateResult::Created);
    }
    CMacroSelectDlg dialog(texts, many, &owner);
    Open(dialog);
    CEditShowList& tree = *dialog.Tree();
    CVScrollBar& bar = *dialog.TreeBar();
    const int shown = tree.VisibleRows();
    ASSERT_LT(shown, 40);

    MouseDriver mouse(&dialog);
    const UiRect barRect = bar.GetRect();
    // The track below the thumb: a page down.
    mouse.Click(QPoint((barRect.left + barRect.right) / 2, bar.TrackBottom() - 2));
    EXPECT_EQ(tree.FirstVisible(), shown);
    EXPECT_EQ(bar.GetPos(), shown);

    QWheelEvent wheelUp(QPointF(tree.GetRect().left + 5, tree.GetRect().top + 5), dialog.mapToGlobal(QPointF(5, 5)),
                        QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&dialog, &wheelUp);
    EXPECT_EQ(tree.FirstVisible(), shown - 1);
    EXPECT_EQ(bar.GetPos(), shown - 1);

    // The row cut off at the bottom is pulled fully into view.
    const int partial = tree.FirstVisible() + shown;
    ClickRow(dialog, partial);
    EXPECT_EQ(dialog.Selection(), Location::Level0(partial));
    EXPECT_EQ(tree.FirstVisible(), partial - shown + 1);
    EXPECT_EQ(bar.GetPos(), tree.FirstVisible());
}

}  // namespace

#include "MacroWindowTest.h"

#include "macros/windows/CActionKeyModifyDlg.h"
#include "macros/windows/CActionTimeModifyDlg.h"
#include "macros/windows/CActionXYModifyDlg.h"
#include "macros/windows/CMacroKeyOrFolderNameDlg.h"
#include "macros/windows/CMacroKeyRenameDlg.h"

#include <array>
#include <functional>

namespace {

std::array<std::uint8_t, 4> Bytes(MacroAction action)
{
    return {action.Byte(0), action.Byte(1), action.Byte(2), action.Byte(3)};
}

class MacroEditDialogsTest : public MacroWindowTest {
protected:
    // Replaces the box's text by typing, key by key, as a user would.
    static void TypeInto(CEditBox* box, const QString& text)
    {
        ASSERT_NE(box, nullptr);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
};

TEST_F(MacroEditDialogsTest, DelayDialogTurnsTypedMillisecondsIntoADelayAction)
{
    struct Case {
        QString typed;
        std::array<std::uint8_t, 4> bytes;
    };
    const Case cases[] = {
        {QStringLiteral("50"), {0x03, 0x00, 0x00, 0x32}},
        {QStringLiteral("70000"), {0x03, 0x01, 0x11, 0x70}},
        {QStringLiteral("20000000"), {0x03, 0xE9, 0x75, 0xA0}},
        {QString(), {0x03, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        MacroAction action = MacroAction::Delay(100);
        CActionTimeModifyDlg dialog(texts, action, &owner);
        const int result = RunModal(dialog, [&] {
            EXPECT_EQ(dialog.Edit()->GetText(), QStringLiteral("100"));
            EXPECT_EQ(dialog.focusWidget(), dialog.Edit());
            EXPECT_EQ(dialog.Edit()->cursorPosition(), 3);
            EXPECT_EQ(Caption(dialog, CMacroEditDlg::kIdPrompt), LanguageText(CActionTimeModifyDlg::kTextPrompt));
            TypeInto(dialog.Edit(), c.typed);
            Click(dialog, CAppDialog::kIdOk);
        });
        EXPECT_EQ(result, DialogResult::kOk) << c.typed.toStdString();
        EXPECT_EQ(Bytes(action), c.bytes) << c.typed.toStdString();
    }
}

TEST_F(MacroEditDialogsTest, EnterConfirmsEscapeIsSwallowedAndCancelLeavesTheAction)
{
    struct Case {
        const char* name;
        std::function<void(CDlgBase&)> end;
        int result;
        std::uint32_t delay;
    };
    const Case cases[] = {
        {"Enter", [](CDlgBase& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Return); }, DialogResult::kOk, 250},
        {"Cancel", [](CDlgBase& d) { Click(d, CAppDialog::kIdCancel); }, DialogResult::kCancel, 100},
        {"cross", [](CDlgBase& d) { Click(d, CAppDialog::kIdCloseCross); }, DialogResult::kCancel, 100},
    };
    for (const Case& c : cases) {
        MacroAction action = MacroAction::Delay(100);
        CActionTimeModifyDlg dialog(texts, action, &owner);
        const int result = RunModal(dialog, [&] {
            TypeInto(dialog.Edit(), QStringLiteral("250"));
            QTest::keyClick(dialog.Edit(), Qt::Key_Escape);
            EXPECT_FALSE(dialog.IsEnded()) << c.name;
            c.end(dialog);
        });
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(action.DelayMilliseconds(), c.delay) << c.name;
        EXPECT_FALSE(OpenDialogList::Contains(&dialog)) << c.name;
    }
}

TEST_F(MacroEditDialogsTest, NonDigitsRaiseTheNoticeEachTimeAndAreStillTaken)
{
    MacroAction action = MacroAction::Delay(0);
    CActionTimeModifyDlg dialog(texts, action, &owner);
    ConfirmNotices();
    const int result = RunModal(dialog, [&] {
        TypeInto(dialog.Edit(), QStringLiteral("1x2-"));
        EXPECT_EQ(dialog.Edit()->GetText(), QStringLiteral("1x2-"));
        Click(dialog, CAppDialog::kIdOk);
    });
    EXPECT_EQ(result, DialogResult::kOk);
    EXPECT_EQ(notices, Notices({CMacroEditDlg::kTextDigitsOnly, CMacroEditDlg::kTextDigitsOnly}));
    // Read as the number at the start of the text.
    EXPECT_EQ(Bytes(action), (std::array<std::uint8_t, 4>{0x03, 0x00, 0x00, 0x01}));
}

TEST_F(MacroEditDialogsTest, MoveDialogShowsTheDistanceOfItsKindAndStoresTheTypedOne)
{
    struct Case {
        int kind;
        MacroAction inserted;  // as the manager inserts it for the kind
        QString typed;
        std::array<std::uint8_t, 4> bytes;
    };
    const Case cases[] = {
        {5, MacroAction::FromBytes(0xE5, 0, 0, 0xFF), QStringLiteral("300"), {0xE5, 0x00, 0x00, 0x81}},
        {6, MacroAction::FromBytes(0xE5, 0, 0, 0x01), QStringLiteral("10"), {0xE5, 0x00, 0x00, 0x0A}},
        {7, MacroAction::FromBytes(0xE6, 0, 0, 0xFF), QStringLiteral("0"), {0xE6, 0x00, 0x00, 0xFF}},
        {8, MacroAction::FromBytes(0xE6, 0, 0, 0x01), QStringLiteral("127"), {0xE6, 0x00, 0x00, 0x7F}},
    };
    for (const Case& c : cases) {
        MacroAction action = c.inserted;
        CActionXYModifyDlg dialog(texts, action, c.kind, &owner);
        const int result = RunModal(dialog, [&] {
            EXPECT_EQ(dialog.Edit()->GetText(), QStringLiteral("1")) << c.kind;
            EXPECT_EQ(Caption(dialog, CMacroEditDlg::kIdPrompt),
                      LanguageText(CActionXYModifyDlg::kTextFirstPrompt + c.kind - 5));
            TypeInto(dialog.Edit(), c.typed);
            Click(dialog, CAppDialog::kIdOk);
        });
        EXPECT_EQ(result, DialogResult::kOk);
        EXPECT_EQ(Bytes(action), c.bytes) << c.kind;
    }
}

TEST_F(MacroEditDialogsTest, KeyDialogTakesTheLastKeyFromTheCaptureIncludingEnter)
{
    struct Case {
        const char* name;
        std::function<void(CActionKeyModifyDlg&)> keys;
        std::uint8_t code;
        QString shown;
    };
    const auto press = [](CDlgBase& d, Qt::Key key) { QTest::keyPress(d.windowHandle(), key); };
    const auto release = [](CDlgBase& d, Qt::Key key) { QTest::keyRelease(d.windowHandle(), key); };
    const Case cases[] = {
        {"Shift then Q",
         [&](CActionKeyModifyDlg& d) {
             press(d, Qt::Key_Shift);
             release(d, Qt::Key_Shift);
             press(d, Qt::Key_Q);
             release(d, Qt::Key_Q);
         },
         0x51, QStringLiteral("Q")},
        {"a release wins",
         [&](CActionKeyModifyDlg& d) {
             press(d, Qt::Key_A);
             press(d, Qt::Key_F5);
             release(d, Qt::Key_A);
         },
         0x41, QStringLiteral("A")},
        {"Enter is a key", [&](CActionKeyModifyDlg& d) { QTest::keyClick(d.windowHandle(), Qt::Key_Return); }, 0x0D,
         QString()},
    };
    for (const Case& c : cases) {
        std::uint8_t code = 0x41;
        CActionKeyModifyDlg dialog(texts, code, &owner);
        const int result = RunModal(dialog, [&] {
            EXPECT_TRUE(dialog.IsCapturing());
            EXPECT_EQ(dialog.KeyNameText(), QStringLiteral("A"));
            EXPECT_EQ(Caption(dialog, CActionKeyModifyDlg::kIdPrompt), LanguageText(CActionKeyModifyDlg::kTextPrompt));
            c.keys(dialog);
            QCoreApplication::processEvents();
            EXPECT_FALSE(dialog.IsEnded()) << c.name;
            if (!c.shown.isEmpty()) {
                EXPECT_EQ(dialog.KeyNameText(), c.shown) << c.name;
                // A screen reader hears the display as the prompt with the chosen key.
                const CControlBase* display = dialog.GetControl(CActionKeyModifyDlg::kIdKeyName);
                EXPECT_EQ(display != nullptr ? display->AccessibleName() : QString(),
                          LanguageText(CActionKeyModifyDlg::kTextPrompt) + QLatin1Char(' ') + c.shown)
                    << c.name;
            }
            Click(dialog, CAppDialog::kIdOk);
        });
        EXPECT_EQ(result, DialogResult::kOk) << c.name;
        EXPECT_EQ(code, c.code) << c.name;
        EXPECT_FALSE(dialog.IsCapturing()) << c.name;
    }
}

TEST_F(MacroEditDialogsTest, KeyDialogCancelKeepsTheCodeAndEscapeDoesNotClose)
{
    for (const int id : {CAppDialog::kIdCancel, CAppDialog::kIdCloseCross}) {
        std::uint8_t code = 0x41;
        CActionKeyModifyDlg dialog(texts, code, &owner);
        const int result = RunModal(dialog, [&] {
            QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
            QCoreApplication::processEvents();
            EXPECT_FALSE(dialog.IsEnded());
            EXPECT_EQ(dialog.PendingCode(), 0x1B);
            Click(dialog, id);
        });
        EXPECT_EQ(result, DialogResult::kCancel) << id;
        EXPECT_EQ(code, 0x41) << id;
        EXPECT_FALSE(dialog.IsCapturing()) << id;
    }
}

TEST_F(MacroEditDialogsTest, NameDialogReturnsTheTextEvenWhenEmpty)
{
    struct Case {
        int mode;
        QString typed;
        int prompt;
    };
    const Case cases[] = {
        {CMacroKeyOrFolderNameDlg::kModeMacro, QString(), CMacroKeyOrFolderNameDlg::kTextMacroPrompt},
        {CMacroKeyOrFolderNameDlg::kModeMacro, QStringLiteral("Reload x2"), CMacroKeyOrFolderNameDlg::kTextMacroPrompt},
        {CMacroKeyOrFolderNameDlg::kModeFolder, QStringLiteral("Games"), CMacroKeyOrFolderNameDlg::kTextFolderPrompt},
    };
    for (const Case& c : cases) {
        CMacroKeyOrFolderNameDlg dialog(texts, c.mode, &owner);
        const int result = RunModal(dialog, [&] {
            EXPECT_TRUE(dialog.Edit()->GetText().isEmpty());
            EXPECT_EQ(Caption(dialog, CMacroEditDlg::kIdPrompt), LanguageText(c.prompt));
            // Letters are fine in a name: no notice may block the typing.
            QTest::keyClicks(dialog.Edit(), c.typed);
            QTest::keyClick(dialog.Edit(), Qt::Key_Enter);
        });
        EXPECT_EQ(result, DialogResult::kOk);
        EXPECT_EQ(QString::fromStdU16String(dialog.Result()), c.typed);
    }
}

TEST_F(MacroEditDialogsTest, RenameEndsWithOkOnlyForAChangedName)
{
    struct Case {
        QString typed;
        int result;
    };
    const Case cases[] = {
        {QStringLiteral("Macro 1"), DialogResult::kCancel},
        {QStringLiteral("macro 1"), DialogResult::kOk},
        {QString(), DialogResult::kOk},
    };
    for (const Case& c : cases) {
        CMacroKeyRenameDlg dialog(texts, u"Macro 1", &owner);
        const int result = RunModal(dialog, [&] {
            EXPECT_EQ(dialog.Edit()->GetText(), QStringLiteral("Macro 1"));
            EXPECT_EQ(Caption(dialog, CMacroEditDlg::kIdPrompt), LanguageText(CMacroKeyRenameDlg::kTextPrompt));
            TypeInto(dialog.Edit(), c.typed);
            Click(dialog, CAppDialog::kIdOk);
        });
        EXPECT_EQ(result, c.result) << c.typed.toStdString();
        if (c.result == DialogResult::kOk) {
            EXPECT_EQ(QString::fromStdU16String(dialog.Result()), c.typed);
        }
    }
}

}  // namespace

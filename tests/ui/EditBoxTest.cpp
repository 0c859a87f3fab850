#include "TestDialog.h"

#include "ui/CEditBox.h"
#include "ui/UiScale.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

#include <functional>

namespace {

constexpr int kValueBox = 2018;

// A dialog with one edit box that records what reaches it and swallows Left, as the DPI
// dialogs do with the arrow keys whatever has the focus.
class EditDialog : public TestDialog {
public:
    std::vector<int> preTranslated;

protected:
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers /*modifiers*/) override
    {
        preTranslated.push_back(key);
        return key == Qt::Key_Left;
    }
};

class EditBoxTest : public testing::Test {
protected:
    void TearDown() override
    {
        UiScale::Set(1.0);
        UiScale::SetDpiRatio(1.0);
    }

    CEditBox* MakeBox(EditBoxFilter filter = EditBoxFilter::None)
    {
        dialog.InitDialog();
        auto* box = new CEditBox(&dialog, kValueBox, UiRect{165, 124, 265, 146}, EditBoxColors::Standard(), filter);
        dialog.show();
        dialog.activateWindow();
        QApplication::setActiveWindow(&dialog);
        return box;
    }

    EditDialog dialog;
};

TEST_F(EditBoxTest, PlacedByDesignRectTimesScaleWithTheEditFont)
{
    struct Case {
        double scale;
        double dpiRatio;
        QRect geometry;
        double points;
    };
    const Case cases[] = {
        {1.0, 1.0, QRect(165, 124, 100, 22), 10.0},
        {1.5, 1.0, QRect(247, 186, 150, 33), 15.0},
        {2.0, 1.25, QRect(330, 248, 200, 44), 16.0},
    };
    for (const Case& c : cases) {
        UiScale::Set(c.scale);
        UiScale::SetDpiRatio(c.dpiRatio);
        TestDialog host;
        CEditBox box(&host, kValueBox, UiRect{165, 124, 265, 146});
        EXPECT_EQ(box.geometry(), c.geometry) << c.scale;
        EXPECT_EQ(box.font().family(), QStringLiteral("Tahoma"));
        EXPECT_DOUBLE_EQ(box.font().pointSizeF(), c.points) << c.scale;
        EXPECT_EQ(box.alignment(), Qt::AlignCenter);
        EXPECT_FALSE(box.hasFrame());
        EXPECT_EQ(box.palette().color(QPalette::Text), QColor(0, 0, 0));
        EXPECT_EQ(box.palette().color(QPalette::Base), QColor(255, 255, 255));
    }
    TestDialog host;
    CEditBox dark(&host, kValueBox, UiRect{0, 0, 10, 10}, EditBoxColors::Dark());
    EXPECT_EQ(dark.palette().color(QPalette::Text), QColor(180, 180, 180));
    EXPECT_EQ(dark.palette().color(QPalette::Base), QColor(20, 20, 20));
}

TEST_F(EditBoxTest, DpiRatioComesFromTheScreensLogicalDpi)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_DOUBLE_EQ(UiScale::DpiRatioOf(screen), screen->logicalDotsPerInchX() / 96.0);
}

TEST_F(EditBoxTest, OpensWithCaretAtEndAndFocus)
{
    CEditBox* box = MakeBox();
    box->SetText(QStringLiteral("1234"));
    box->setCursorPosition(0);
    box->FocusAtEnd();
    EXPECT_EQ(box->cursorPosition(), 4);
    EXPECT_TRUE(box->hasFocus());
}

TEST_F(EditBoxTest, TypingNotifiesChangeProgramTextOnlyWhenAsked)
{
    CEditBox* box = MakeBox();
    box->FocusAtEnd();
    QTest::keyClicks(box, QStringLiteral("12"));
    const ReceivedMessage change{static_cast<UiMessage>(kValueBox), 0, CEditBox::kChangeCode};
    EXPECT_EQ(dialog.Count(change), 2);

    box->SetText(QStringLiteral("800"));
    EXPECT_EQ(dialog.Count(change), 2);
    box->SetText(QStringLiteral("900"), EditNotice::Send);
    EXPECT_EQ(dialog.Count(change), 3);
    EXPECT_EQ(box->GetInt(), 900);
    box->SetText(QStringLiteral("abc"));
    EXPECT_EQ(box->GetInt(), 0);
}

TEST_F(EditBoxTest, DigitFilterReportsEachNonDigitAndStillEntersIt)
{
    CEditBox* box = MakeBox(EditBoxFilter::DigitsReported);
    box->FocusAtEnd();
    QTest::keyClicks(box, QStringLiteral("1a2 "));
    QTest::keyClick(box, Qt::Key_Backspace);
    const std::vector<ReceivedMessage> expected{{CEditBox::kNonDigitTyped, kValueBox, u'a'},
                                                {CEditBox::kNonDigitTyped, kValueBox, u' '}};
    EXPECT_EQ(dialog.MessagesFor(CEditBox::kNonDigitTyped), expected);
    EXPECT_EQ(box->GetText(), QStringLiteral("1a2"));

    // Without the filter nothing is reported.
    CEditBox plain(&dialog, kValueBox + 1, UiRect{0, 0, 50, 20});
    QTest::keyClicks(&plain, QStringLiteral("x"));
    EXPECT_EQ(dialog.MessagesFor(CEditBox::kNonDigitTyped).size(), 2U);
}

// A box holds one line, however the text comes in: line breaks and other control
// characters are dropped and the caret stays after what was entered.
TEST_F(EditBoxTest, LineBreaksAndControlCharactersNeverEnterTheBox)
{
    struct Case {
        const char* how;
        std::function<void(CEditBox&, const QString&)> enter;
    };
    const Case ways[] = {
        {"paste",
         [](CEditBox& box, const QString& text) {
             QGuiApplication::clipboard()->setText(text);
             QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
         }},
        {"typed text",
         [](CEditBox& box, const QString& text) {
             QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, text);
             QApplication::sendEvent(&box, &press);
         }},
        {"input method",
         [](CEditBox& box, const QString& text) {
             QInputMethodEvent commit;
             commit.setCommitString(text);
             QApplication::sendEvent(&box, &commit);
         }},
        {"program", [](CEditBox& box, const QString& text) { box.SetText(box.GetText() + text); }},
    };
    struct Text {
        QString entered;
        QString kept;
    };
    const Text texts[] = {
        {QStringLiteral("Combo\nB"), QStringLiteral("ComboB")},
        {QStringLiteral("Two\r\nlines\r\n"), QStringLiteral("Twolines")},
        {QStringLiteral("a\tb\x01" "c"), QStringLiteral("abc")},
        {QString::fromUtf16(u"x\u2028y\u2029z\u0085"), QStringLiteral("xyz")},
        {QString::fromUtf16(u"\u4E2D \u6587"), QString::fromUtf16(u"\u4E2D \u6587")},
    };
    CEditBox* box = MakeBox();
    for (const Case& way : ways) {
        for (const Text& text : texts) {
            box->SetText(QStringLiteral(">"));
            box->FocusAtEnd();
            way.enter(*box, text.entered);
            EXPECT_EQ(box->GetText(), QStringLiteral(">") + text.kept) << way.how << " " << text.entered.toStdString();
            EXPECT_EQ(box->cursorPosition(), 1 + text.kept.size()) << way.how;
        }
    }
}

TEST_F(EditBoxTest, KeysPassThroughTheDialogFirstAndEnterEndsIt)
{
    CEditBox* box = MakeBox();
    box->SetText(QStringLiteral("42"));
    box->FocusAtEnd();

    QTest::keyClick(box, Qt::Key_Left);  // swallowed by the dialog: the caret stays
    EXPECT_EQ(box->cursorPosition(), 2);
    QTest::keyClick(box, Qt::Key_Home);  // not swallowed: the box moves its caret
    EXPECT_EQ(box->cursorPosition(), 0);
    EXPECT_EQ(dialog.preTranslated, (std::vector<int>{Qt::Key_Left, Qt::Key_Home}));

    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.Result(), DialogResult::kOk);
}

TEST_F(EditBoxTest, EscapeInTheBoxCancelsTheDialog)
{
    CEditBox* box = MakeBox();
    box->FocusAtEnd();
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.Result(), DialogResult::kCancel);
}

}  // namespace

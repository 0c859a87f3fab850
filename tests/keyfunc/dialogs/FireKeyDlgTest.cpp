#include "KeyDialogTestSupport.h"

#include "keyfunc/dialogs/CFireKeyDlg.h"
#include "ui/CEditBox.h"

#include <climits>

namespace {

class FireKeyDlgTest : public KeyDialogTest {
protected:
    void SetUp() override
    {
        KeyDialogTest::SetUp();
        owner.InitDialog();
        owner.show();
    }

    void Open()
    {
        dialog = std::make_unique<CFireKeyDlg>(&owner, texts, notices.Function());
        dialog->InitDialog();
        dialog->show();
        dialog->activateWindow();
        QApplication::setActiveWindow(dialog.get());
    }

    // Replaces a box's text by typing, as the user does: select all, then the characters.
    void TypeInto(CEditBox* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    // One expiry of the dialog's 100 ms check, without waiting for it.
    void Tick() { dialog->SendMessage(Msg::kTimer, CFireKeyDlg::kCheckTimer, 0); }

    const std::vector<ReceivedResult>& Results() const { return owner.results; }

    LanguageTexts texts = LoadTexts(TestLanguage::English);
    ResultOwner owner{CFireKeyDlg::kResultMessage};
    NoticeLog notices;
    std::unique_ptr<CFireKeyDlg> dialog;
};

using Notices = std::vector<std::pair<int, int>>;

}  // namespace

TEST_F(FireKeyDlgTest, StartsWithFiftyAndZeroTheFocusInTheFirstBoxAndTheTimerRunning)
{
    Open();
    EXPECT_EQ(dialog->FirstBox()->GetText(), QStringLiteral("50"));
    EXPECT_EQ(dialog->SecondBox()->GetText(), QStringLiteral("0"));
    EXPECT_TRUE(dialog->FirstBox()->hasFocus());
    EXPECT_EQ(dialog->FirstBox()->cursorPosition(), 2);
    EXPECT_TRUE(dialog->HasTimer(CFireKeyDlg::kCheckTimer));
    EXPECT_TRUE(OpenDialogList::Contains(dialog.get()));
}

TEST_F(FireKeyDlgTest, FiveAndThreeGiveTheirBytesAndTheFireKeyName)
{
    Open();
    TypeInto(dialog->FirstBox(), QStringLiteral("5"));
    TypeInto(dialog->SecondBox(), QStringLiteral("3"));
    ClickControl(*dialog, CFireKeyDlg::kIdOk);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.value, (FunctionValue{0x30, 0x05, 0x03}));
    EXPECT_EQ(Results()[0].record.name, texts.Text(26));
    EXPECT_TRUE(dialog->IsEnded());
    EXPECT_EQ(dialog->Result(), DialogResult::kOk);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(FireKeyDlgTest, AFirstNumberBelowFiveIsRefusedAndTheDialogStays)
{
    Open();
    for (const QString& first : {QStringLiteral("4"), QStringLiteral("0"), QStringLiteral("")}) {
        TypeInto(dialog->FirstBox(), first);
        ClickControl(*dialog, CFireKeyDlg::kIdOk);
    }
    EXPECT_EQ(notices.shown, (Notices{{150, 174}, {150, 174}, {150, 174}}));
    EXPECT_TRUE(Results().empty());
    EXPECT_FALSE(dialog->IsEnded());
}

TEST_F(FireKeyDlgTest, TheTimerPutsNumbersPast255BackWithTheirNotices)
{
    Open();
    TypeInto(dialog->FirstBox(), QStringLiteral("256"));
    TypeInto(dialog->SecondBox(), QStringLiteral("999"));
    Tick();
    EXPECT_EQ(dialog->FirstBox()->GetText(), QStringLiteral("255"));
    EXPECT_EQ(dialog->SecondBox()->GetText(), QStringLiteral("255"));
    EXPECT_EQ(notices.shown, (Notices{{150, 174}, {150, 176}}));
    // In range: the next expiry says nothing.
    Tick();
    EXPECT_EQ(notices.shown.size(), 2u);
    ClickControl(*dialog, CFireKeyDlg::kIdOk);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.value, (FunctionValue{0x30, 0xFF, 0xFF}));
}

TEST_F(FireKeyDlgTest, OkBeforeTheTimerSawTheTypingStillSendsNoTruncatedByte)
{
    Open();
    TypeInto(dialog->FirstBox(), QStringLiteral("300"));
    ClickControl(*dialog, CFireKeyDlg::kIdOk);
    EXPECT_EQ(notices.shown, (Notices{{150, 174}}));
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.value, (FunctionValue{0x30, 0xFF, 0x00}));  // not 300 & 0xFF = 0x2C
}

TEST_F(FireKeyDlgTest, ANegativeCountBecomesZeroNotItsLowByte)
{
    Open();
    TypeInto(dialog->SecondBox(), QStringLiteral("-3"));
    Tick();
    EXPECT_EQ(dialog->SecondBox()->GetText(), QStringLiteral("0"));
    // The minus sign itself is not a digit: notice 175 when typed, 176 when corrected.
    EXPECT_EQ(notices.shown, (Notices{{150, 175}, {150, 176}}));
}

TEST_F(FireKeyDlgTest, ANonDigitIsReportedAndStillEntered)
{
    Open();
    TypeInto(dialog->FirstBox(), QStringLiteral("1x2"));
    EXPECT_EQ(dialog->FirstBox()->GetText(), QStringLiteral("1x2"));
    EXPECT_EQ(notices.shown, (Notices{{150, 175}}));
    // Read as its leading digits, 1: refused.
    ClickControl(*dialog, CFireKeyDlg::kIdOk);
    EXPECT_EQ(notices.shown.back(), std::make_pair(150, 174));
}

TEST_F(FireKeyDlgTest, EnterAndEscapeNeitherConfirmNorClose)
{
    Open();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(dialog->FirstBox(), key);
        QTest::keyClick(dialog->SecondBox(), key);
    }
    EXPECT_FALSE(dialog->IsEnded());
    EXPECT_TRUE(Results().empty());
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(FireKeyDlgTest, ExitClosesWithoutAResult)
{
    Open();
    ClickControl(*dialog, CFireKeyDlg::kIdExit);
    EXPECT_TRUE(dialog->IsEnded());
    EXPECT_EQ(dialog->Result(), DialogResult::kCancel);
    EXPECT_TRUE(Results().empty());
    EXPECT_FALSE(dialog->HasTimer(CFireKeyDlg::kCheckTimer));
}

TEST_F(FireKeyDlgTest, TheNameLosesAFinalPlusAndAnEmptyNameSendsNothing)
{
    texts.SetText(26, u"Fire+");
    Open();
    ClickControl(*dialog, CFireKeyDlg::kIdOk);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.name, u"Fire");

    texts.SetText(26, u"+");
    Open();
    ClickControl(*dialog, CFireKeyDlg::kIdOk);
    EXPECT_EQ(Results().size(), 1u);
    EXPECT_TRUE(dialog->IsEnded());
}

TEST(FireKeyNumbers, LeadingNumberReadsTheDigitsAtTheStart)
{
    const std::pair<const char*, int> cases[] = {
        {"50", 50}, {"", 0}, {"abc", 0}, {"12abc", 12}, {" 7", 7}, {"-3", -3}, {"+8", 8},
        {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}, {"0255", 255},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(CFireKeyDlg::LeadingNumber(QString::fromLatin1(text)), value) << text;
}

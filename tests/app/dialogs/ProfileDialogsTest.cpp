#include "AppDialogTestSupport.h"

#include "app/dialogs/CAddProfileDlg.h"
#include "app/dialogs/CEditProfileDlg.h"
#include "profiles/AppSettings.h"
#include "profiles/Profile.h"
#include "profiles/ProfileDefaults.h"
#include "ui/CEditBox.h"
#include "ui/CStaticText.h"
#include "ui/dialogs/CAttentionDlg.h"

namespace {

class ProfileDialogsTest : public AppDialogTest {
protected:
    static void Type(CEditBox* box, const QString& text)
    {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    // The attention dialog open over `parent`, or null.
    static CAttentionDlg* OpenAttention()
    {
        for (CDlgBase* dialog : OpenDialogList::Entries()) {
            if (auto* attention = dynamic_cast<CAttentionDlg*>(dialog))
                return attention;
        }
        return nullptr;
    }

    // Confirms the attention dialog when it opens and notes its message.
    void AnswerAttentionWhenItOpens()
    {
        QTimer::singleShot(0, &owner, [this] {
            CAttentionDlg* attention = OpenAttention();
            ASSERT_NE(attention, nullptr);
            attentionMessages.push_back(attention->Message());
            MouseDriver(attention).Click(CentreOf(*attention, CAppDialog::kIdOk));
        });
    }

    std::vector<QString> attentionMessages;
};

TEST_F(ProfileDialogsTest, AttentionShowsItsMessageAndEndsWithOkOrCancel)
{
    struct Case {
        const char* name;
        std::function<void(CAttentionDlg&)> action;
        int result;
    };
    const Case cases[] = {
        {"OK", [](CAttentionDlg& d) { MouseDriver(&d).Click(CentreOf(d, CAppDialog::kIdOk)); }, DialogResult::kOk},
        {"cross", [](CAttentionDlg& d) { MouseDriver(&d).Click(CentreOf(d, CAppDialog::kIdCloseCross)); },
         DialogResult::kCancel},
        {"Enter", [](CAttentionDlg& d) { QTest::keyClick(&d, Qt::Key_Return); }, DialogResult::kOk},
        {"Escape", [](CAttentionDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }, DialogResult::kCancel},
    };
    for (const Case& c : cases) {
        CAttentionDlg attention(texts, QStringLiteral("Notice"), QStringLiteral("Please enter digits only."), &owner);
        const int result = RunModal(attention, [&] {
            EXPECT_TRUE(OpenDialogList::Contains(&attention));
            const auto* message = dynamic_cast<CStaticText*>(attention.GetControl(CAttentionDlg::kIdMessage));
            ASSERT_NE(message, nullptr);
            EXPECT_EQ(message->Text(), "Please enter digits only.");
            c.action(attention);
        });
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_FALSE(OpenDialogList::Contains(&attention));
    }
}

TEST_F(ProfileDialogsTest, RenamingToAnEmptyNameShowsTheNoticeAndKeepsTheName)
{
    Profile profile;
    profile.SetSetting(ProfileSetting::ProfileName, u"Profile 2");
    CEditProfileDlg dialog(texts, profile, &owner);
    Open(dialog);
    ASSERT_EQ(dialog.Edit()->GetText(), "Profile 2");
    EXPECT_EQ(QApplication::focusWidget(), dialog.Edit());
    EXPECT_EQ(dialog.Edit()->cursorPosition(), 9);

    Type(dialog.Edit(), QString());
    AnswerAttentionWhenItOpens();
    QTest::keyClick(dialog.Edit(), Qt::Key_Return);
    ASSERT_EQ(attentionMessages.size(), 1u);
    EXPECT_EQ(attentionMessages[0], "The profile name cannot be empty.");
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_EQ(profile.GetSetting(ProfileSetting::ProfileName), u"Profile 2");

    QTest::keyClick(dialog.Edit(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.IsEnded());
    Type(dialog.Edit(), QStringLiteral("Sniper"));
    MouseDriver(&dialog).Click(CentreOf(dialog, CAppDialog::kIdOk));
    EXPECT_EQ(dialog.Result(), DialogResult::kOk);
    EXPECT_EQ(profile.GetSetting(ProfileSetting::ProfileName), u"Sniper");
}

TEST_F(ProfileDialogsTest, CancelAndCrossLeaveTheProfileAlone)
{
    for (const int button : {CAppDialog::kIdCancel, CAppDialog::kIdCloseCross}) {
        Profile profile;
        profile.SetSetting(ProfileSetting::ProfileName, u"Keep");
        CEditProfileDlg dialog(texts, profile, &owner);
        const int result = RunModal(dialog, [&] {
            Type(dialog.Edit(), QStringLiteral("Other"));
            MouseDriver(&dialog).Click(CentreOf(dialog, button));
        });
        EXPECT_EQ(result, DialogResult::kCancel);
        EXPECT_EQ(profile.GetSetting(ProfileSetting::ProfileName), u"Keep");
    }
}

TEST_F(ProfileDialogsTest, AddingAProfileCountsItAndResetsItUnderTheTypedName)
{
    AppSettings settings;
    settings.SetProfileShowCount(3);
    settings.SetSensorId(0x3395);
    Profile profile;
    profile.PollingRateValue[0] = 5;
    profile.XYSettingX[2] = 400;
    profile.SetSetting(ProfileSetting::ProfileName, u"old");

    CAddProfileDlg dialog(texts, settings, profile, &owner);
    Open(dialog);
    EXPECT_TRUE(dialog.Edit()->GetText().isEmpty());

    AnswerAttentionWhenItOpens();
    MouseDriver(&dialog).Click(CentreOf(dialog, CAppDialog::kIdOk));  // still empty
    EXPECT_EQ(attentionMessages.size(), 1u);
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_EQ(settings.ProfileShowCount(), 3);

    QTest::keyClicks(dialog.Edit(), QStringLiteral("Fourth"));
    QTest::keyClick(dialog.Edit(), Qt::Key_Enter);
    EXPECT_EQ(dialog.Result(), DialogResult::kOk);
    EXPECT_EQ(settings.Value(AppSetting::ProfileShowCount), u"4");

    Profile expected;
    ResetProfile(expected, 0, texts, 0x3395);
    expected.SetSetting(ProfileSetting::ProfileName, u"Fourth");
    EXPECT_EQ(profile, expected);
}

}  // namespace

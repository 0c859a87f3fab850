#include "KeyDialogTestSupport.h"

#include "keyfunc/dialogs/CQuickLaunchDlg.h"
#include "keyfunc/dialogs/ProgramPicker.h"

#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// The file dialog's stand-in: answers each browse with the next path of its list (empty
// for a cancelled dialog) and remembers the parent it was opened over.
struct ScriptedPicker {
    QStringList answers;
    int opened = 0;
    QWidget* lastParent = nullptr;

    CQuickLaunchDlg::PickProgram Function()
    {
        return [this](QWidget* parent) {
            lastParent = parent;
            return opened < answers.size() ? answers[opened++] : QString();
        };
    }
};

class QuickLaunchDlgTest : public KeyDialogTest {
protected:
    void SetUp() override
    {
        KeyDialogTest::SetUp();
        owner.InitDialog();
        owner.show();
        dialog = std::make_unique<CQuickLaunchDlg>(&owner, texts, picker.Function());
        dialog->InitDialog();
        dialog->show();
    }

    const std::vector<ReceivedResult>& Results() const { return owner.results; }

    LanguageTexts texts = LoadTexts(TestLanguage::English);
    ResultOwner owner{CQuickLaunchDlg::kResultMessage, PathInWParam::Yes};
    ScriptedPicker picker;
    std::unique_ptr<CQuickLaunchDlg> dialog;
};

}  // namespace

TEST_F(QuickLaunchDlgTest, TheChosenProgramGivesItsFileNamePathAndBytes)
{
    picker.answers = {QStringLiteral("/opt/Tools/run.exe")};
    ClickControl(*dialog, CQuickLaunchDlg::kIdBrowse);
    EXPECT_EQ(picker.lastParent, dialog.get());
    EXPECT_EQ(dialog->PathText(), QStringLiteral("/opt/Tools/run.exe"));
    ClickControl(*dialog, CQuickLaunchDlg::kIdOk);

    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.name, u"run.exe");
    EXPECT_EQ(Results()[0].record.path, u"/opt/Tools/run.exe");
    EXPECT_EQ(Results()[0].pathInWParam, std::u16string(u"/opt/Tools/run.exe"));
    EXPECT_EQ(Results()[0].record.value, (FunctionValue{0x60, 0x05, 0x00}));
    EXPECT_TRUE(dialog->IsEnded());
    EXPECT_EQ(dialog->Result(), DialogResult::kOk);
}

TEST_F(QuickLaunchDlgTest, BrowsingAgainReplacesAndACancelledBrowseKeepsTheChoice)
{
    picker.answers = {QStringLiteral("/usr/bin/first"), QStringLiteral("/usr/share/applications/second.desktop"),
                      QString()};
    ClickControl(*dialog, CQuickLaunchDlg::kIdBrowse);
    ClickControl(*dialog, CQuickLaunchDlg::kIdBrowse);
    ClickControl(*dialog, CQuickLaunchDlg::kIdBrowse);
    EXPECT_EQ(picker.opened, 3);
    EXPECT_EQ(dialog->PathText(), QStringLiteral("/usr/share/applications/second.desktop"));
    ClickControl(*dialog, CQuickLaunchDlg::kIdOk);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].record.name, u"second.desktop");
}

// OK and Enter end the dialog alike: with the chosen program, or without a result when
// none was chosen (the button keeps its function).
TEST_F(QuickLaunchDlgTest, OkAndEnterSendTheChosenProgramAndNothingWithoutOne)
{
    struct Case {
        const char* what;
        bool enter;
        QString chosen;
    };
    const Case cases[] = {
        {"OK, chosen", false, QStringLiteral("/opt/Tools/run.exe")},
        {"Enter, chosen", true, QStringLiteral("/opt/Tools/run.exe")},
        {"OK, nothing chosen", false, QString()},
        {"Enter, nothing chosen", true, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        owner.results.clear();
        picker.answers = {c.chosen};
        picker.opened = 0;
        CQuickLaunchDlg launch(&owner, texts, picker.Function());
        launch.InitDialog();
        launch.show();
        if (!c.chosen.isEmpty())
            ClickControl(launch, CQuickLaunchDlg::kIdBrowse);
        if (c.enter)
            QTest::keyClick(&launch, Qt::Key_Return);
        else
            ClickControl(launch, CQuickLaunchDlg::kIdOk);
        EXPECT_TRUE(launch.IsEnded());
        EXPECT_EQ(launch.Result(), DialogResult::kOk);
        if (c.chosen.isEmpty()) {
            EXPECT_TRUE(Results().empty());
            continue;
        }
        ASSERT_EQ(Results().size(), 1u);
        EXPECT_EQ(Results()[0].record.name, u"run.exe");
        EXPECT_EQ(Results()[0].pathInWParam, std::u16string(u"/opt/Tools/run.exe"));
        EXPECT_EQ(Results()[0].record.value, (FunctionValue{0x60, 0x05, 0x00}));
    }
}

TEST_F(QuickLaunchDlgTest, CancelAndExitSendNothing)
{
    picker.answers = {QStringLiteral("/usr/bin/tool")};
    ClickControl(*dialog, CQuickLaunchDlg::kIdBrowse);
    ClickControl(*dialog, CQuickLaunchDlg::kIdCancel);
    EXPECT_TRUE(dialog->IsEnded());
    EXPECT_EQ(dialog->Result(), DialogResult::kCancel);

    CQuickLaunchDlg other(&owner, texts, picker.Function());
    other.InitDialog();
    other.show();
    ClickControl(other, CQuickLaunchDlg::kIdExit);
    EXPECT_TRUE(other.IsEnded());
    EXPECT_TRUE(Results().empty());
}

TEST(ProgramPicker, EachSystemOffersItsProgramFiles)
{
    QFileDialog windows;
    ProgramPicker(ProgramPicker::System::Windows).Configure(windows);
    EXPECT_EQ(windows.nameFilters(), QStringList{QStringLiteral("exe file(*.exe)")});
    EXPECT_EQ(windows.defaultSuffix(), QStringLiteral("exe"));
    EXPECT_EQ(windows.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(windows.directory().absolutePath(), QDir::current().absolutePath());

    QFileDialog linux;
    ProgramPicker(ProgramPicker::System::Linux).Configure(linux);
    ASSERT_EQ(linux.nameFilters().size(), 2);
    EXPECT_TRUE(linux.nameFilters()[1].contains(QStringLiteral("*.desktop")));
    EXPECT_EQ(linux.fileMode(), QFileDialog::ExistingFile);
    EXPECT_TRUE(linux.defaultSuffix().isEmpty());
}

#ifndef Q_OS_WIN
// Windows takes programs by their file type (the dialog's filter), not by a permission.
TEST(ProgramPicker, LinuxLaunchesExecutablesAndApplicationEntriesOnly)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto make = [&folder](const QString& name, bool executable) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return file.fileName();
    };
    EXPECT_TRUE(ProgramPicker::IsLaunchable(make(QStringLiteral("tool"), true)));
    EXPECT_TRUE(ProgramPicker::IsLaunchable(make(QStringLiteral("editor.desktop"), false)));
    EXPECT_FALSE(ProgramPicker::IsLaunchable(make(QStringLiteral("notes.txt"), false)));
    EXPECT_FALSE(ProgramPicker::IsLaunchable(folder.path()));
    EXPECT_FALSE(ProgramPicker::IsLaunchable(folder.filePath(QStringLiteral("missing"))));
}
#endif

TEST(ProgramPicker, PickReturnsTheFileChosenInTheDialog)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile program(folder.filePath(QStringLiteral("run")));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeOwner);

    // The offscreen platform has no desktop dialog, so Qt's own runs: choose and accept
    // it as a user would, once it is up.
    QString shownFilter;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* fileDialog = qobject_cast<QFileDialog*>(widget); fileDialog && fileDialog->isVisible()) {
                shownFilter = fileDialog->selectedNameFilter();
                fileDialog->selectFile(program.fileName());
                static_cast<QDialog*>(fileDialog)->accept();  // public in QDialog
            }
        }
    });
    const QString chosen = ProgramPicker(ProgramPicker::System::Linux).Pick(nullptr);
    EXPECT_EQ(QDir::fromNativeSeparators(chosen), program.fileName());
    EXPECT_FALSE(shownFilter.isEmpty());
}

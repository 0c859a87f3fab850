#include "app/ProfileFileDialog.h"

#include "support/TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Confirms a profile export of the name typed into the dialog, answering "No" to any
// question the dialog asks, and returns the questions' texts.
std::vector<QString> ExportAnsweringNo(QFileDialog& dialog, const QString& typedName)
{
    std::vector<QString> questions;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&questions] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            questions.push_back(box->text());
            box->done(QMessageBox::No);
        }
    });
    answer.start(0);
    dialog.selectFile(typedName);
    // What the dialog's Save button does (accept() is protected in QFileDialog).
    QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
    return questions;
}

TEST(ProfileFileDialog, ExportAsksBeforeReplacingTheFileTheSuffixCompletes)
{
    TempFolder folder;
    WriteBytes(folder / "mine.psf", "kept");
    const std::unique_ptr<QFileDialog> dialog =
        ProfileFileDialog::Create(nullptr, QStringLiteral("Export"), QFileDialog::AcceptSave);
    dialog->setDirectory(QString::fromStdString(folder.Path().string()));

    const std::vector<QString> questions = ExportAnsweringNo(*dialog, QStringLiteral("mine"));

    ASSERT_EQ(questions.size(), 1U);
    EXPECT_TRUE(questions.front().contains(QStringLiteral("mine.psf"))) << questions.front().toStdString();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ReadBytes(folder / "mine.psf"), "kept");
}

TEST(ProfileFileDialog, ExportOfANewNameGetsTheSuffixWithoutAQuestion)
{
    TempFolder folder;
    const std::unique_ptr<QFileDialog> dialog =
        ProfileFileDialog::Create(nullptr, QStringLiteral("Export"), QFileDialog::AcceptSave);
    dialog->setDirectory(QString::fromStdString(folder.Path().string()));

    EXPECT_TRUE(ExportAnsweringNo(*dialog, QStringLiteral("new")).empty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    // Qt names files with forward slashes on every system.
    EXPECT_EQ(dialog->selectedFiles().join(QLatin1Char('|')),
              QDir::fromNativeSeparators(QString::fromStdString((folder / "new.psf").string())));
}

}  // namespace

#pragma once

#include "TestDialog.h"

#include "profiles/LanguageLoader.h"
#include "profiles/LanguageTexts.h"
#include "ui/CControlBase.h"
#include "ui/CDlgBase.h"
#include "ui/OpenDialogList.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>

// The language files as the build installs them beside the test program.
inline LanguageTexts LoadTexts(Language language)
{
    LanguageTexts texts;
    const QString file = language == Language::Chinese ? QStringLiteral("Lan.txt") : QStringLiteral("Lan_EN.txt");
    const QString path = QApplication::applicationDirPath() + QStringLiteral("/lang/") + file;
    EXPECT_TRUE(ReadLanguageFile(texts, path.toStdString(), UiScale::Get()).ok) << path.toStdString();
    return texts;
}

// English texts at scale 1.0 with the English control font; everything shared is reset
// afterwards.
class AppDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        UiState::Instance().Reset();
        OpenDialogList::Clear();
        UiScale::Set(1.0);
        texts = LoadTexts(Language::English);
        UiFont::SetControlFont(texts.Font());
    }
    void TearDown() override
    {
        OpenDialogList::Clear();
        UiScale::Set(1.0);
        UiFont::SetControlFont(ControlFont{});
        UiState::Instance().Reset();
    }

    // Initialises and shows a dialog without a modal run, active with its focus.
    static void Open(CDlgBase& dialog)
    {
        dialog.InitDialog();
        dialog.show();
        dialog.activateWindow();
        QApplication::setActiveWindow(&dialog);
        QApplication::processEvents();
    }

    // The centre of a control, for mouse events.
    static QPoint CentreOf(const CDlgBase& dialog, int id)
    {
        const CControlBase* control = dialog.GetControl(id);
        EXPECT_NE(control, nullptr) << id;
        return control == nullptr ? QPoint() : control->GetRect().ToQRect().center();
    }

    // Runs `steps` once the dialog's modal loop has started (the event loop's first
    // turn), then returns DoModal's result.
    static int RunModal(CDlgBase& dialog, const std::function<void()>& steps)
    {
        QTimer::singleShot(0, &dialog, steps);
        return dialog.DoModal();
    }

    LanguageTexts texts;
    TestDialog owner;  // stands in for the main window
};

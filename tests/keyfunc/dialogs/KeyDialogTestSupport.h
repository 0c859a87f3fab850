#pragma once

#include "TestDialog.h"

#include "keyfunc/dialogs/KeyFunctionResult.h"
#include "profiles/LanguageLoader.h"
#include "profiles/LanguageTexts.h"
#include "ui/OpenDialogList.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QDir>
#include <QKeyEvent>
#include <QTest>
#include <QWindow>

#include <optional>
#include <string>
#include <vector>

// A received result: which message, the record copied while it was alive, and for the
// launch dialog the path its wParam pointed at.
struct ReceivedResult {
    UiMessage message = 0;
    KeyFunctionResult record;
    std::optional<std::u16string> pathInWParam;
};

enum class PathInWParam : bool { No, Yes };

// The main window's stand-in: keeps every result message a key dialog sends it. The
// launch dialog's result carries a path pointer in wParam.
class ResultOwner : public TestDialog {
public:
    explicit ResultOwner(UiMessage resultMessage, PathInWParam path = PathInWParam::No)
        : m_resultMessage(resultMessage), m_path(path)
    {
        SetDialogRole(DialogRole::Main);
    }

    std::vector<ReceivedResult> results;

protected:
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override
    {
        if (message == m_resultMessage) {
            ReceivedResult received{message, *reinterpret_cast<const KeyFunctionResult*>(lParam), std::nullopt};
            if (m_path == PathInWParam::Yes)
                received.pathInWParam = *reinterpret_cast<const std::u16string*>(wParam);
            results.push_back(received);
        }
        return TestDialog::OnMessage(message, wParam, lParam);
    }

private:
    UiMessage m_resultMessage;
    PathInWParam m_path;
};

// Notices as the attention dialog would get them: (title text, message text).
struct NoticeLog {
    std::vector<std::pair<int, int>> shown;
    auto Function()
    {
        return [this](int title, int message) { shown.emplace_back(title, message); };
    }
};

enum class TestLanguage { English, Chinese };

// The language files the build installs beside the program.
inline LanguageTexts LoadTexts(TestLanguage language, double scale = 1.0)
{
    LanguageTexts texts;
    const char* file = language == TestLanguage::English ? "/Lan_EN.txt" : "/Lan.txt";
    const FileCheck check = ReadLanguageFile(texts, std::string(CORVANE_LANG_DIR) + file, scale);
    static_cast<void>(check);
    return texts;
}

inline QPoint CentreOf(const CDlgBase& dialog, int id)
{
    return dialog.GetControl(id)->GetRect().ToQRect().center();
}

// A real click on a control of a dialog.
inline void ClickControl(CDlgBase& dialog, int id)
{
    MouseDriver mouse(&dialog);
    mouse.Click(CentreOf(dialog, id));
}

// A key pressed and released as the window system delivers it: to the dialog's window,
// then to the widget with the focus. The key capture's posted messages are handled too.
inline void TypeKey(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(window.windowHandle(), key, modifiers);
    QCoreApplication::processEvents();
}

// The same for keys QTest cannot type (Win, AltGr): the events it would send, by hand.
inline void PressAndReleaseKey(QWidget& window, Qt::Key key)
{
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier);
        QApplication::sendEvent(window.windowHandle(), &event);
    }
    QCoreApplication::processEvents();
}

// The shared state every dialog test starts from and leaves behind.
class KeyDialogTest : public testing::Test {
protected:
    void SetUp() override { OpenDialogList::Clear(); }
    void TearDown() override
    {
        OpenDialogList::Clear();
        UiScale::Set(1.0);
        UiFont::SetControlFont(ControlFont{});
    }
};

#pragma once

#include "AppDialogTestSupport.h"

#include "keyfunc/popups/CMenuPopup.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "macros/windows/CMacroManagerDlg.h"
#include "macros/windows/MacroManagerIds.h"
#include "ui/CEditBox.h"
#include "ui/CRowList.h"

#include <QKeyEvent>
#include <QTemporaryDir>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

// The macro manager over a library the test builds, with notices and dialogs answered by
// the test: each notice is noted with the answer given, each name comes from a queue.
class MacroManagerTest : public AppDialogTest {
protected:
    void SetUp() override
    {
        AppDialogTest::SetUp();
        ASSERT_TRUE(dataFolder.isValid());
        owner.InitDialog();
        owner.show();
    }
    void TearDown() override
    {
        manager.reset();
        QApplication::processEvents();
        AppDialogTest::TearDown();
    }

    [[nodiscard]] std::filesystem::path LibraryFile() const
    {
        return std::filesystem::path(dataFolder.path().toStdString()) / "config" / "MacroLibraryFile.mlf";
    }

    MacroManagerServices Services()
    {
        MacroManagerServices services;
        services.notice = [this](int title, int message) {
            notices.push_back(message);
            EXPECT_EQ(title, MacroManagerText::kNoticeTitle);
            return noticeAnswer;
        };
        services.askName = [this](int mode) -> std::optional<std::u16string> {
            nameModes.push_back(mode);
            if (whileDialogOpen)
                whileDialogOpen();
            if (names.empty())
                return std::nullopt;
            std::optional<std::u16string> name = names.front();
            names.pop_front();
            return name;
        };
        services.askRename = [this](const std::u16string& current) -> std::optional<std::u16string> {
            renamedFrom.push_back(current);
            if (names.empty())
                return std::nullopt;
            std::optional<std::u16string> name = names.front();
            names.pop_front();
            return name;
        };
        services.valueDialogs.editDelay = [this](MacroAction& action) {
            ++valueDialogsShown;
            if (whileDialogOpen)
                whileDialogOpen();
            if (!delayAnswer)
                return false;
            action = MacroAction::Delay(*delayAnswer);
            return true;
        };
        services.valueDialogs.editKey = [this](std::uint8_t& code) {
            ++valueDialogsShown;
            if (!keyAnswer)
                return false;
            code = *keyAnswer;
            return true;
        };
        services.valueDialogs.editMove = [this](MacroAction& action, int /*kind*/) {
            ++valueDialogsShown;
            if (!moveAnswer)
                return false;
            action = MacroAction::FromBytes(action.Code(), 0, 0, static_cast<std::uint8_t>(*moveAnswer));
            return true;
        };
        services.macrosInUse = [this] { return inUse; };
        return services;
    }

    void OpenManager()
    {
        manager = std::make_unique<CMacroManagerDlg>(texts, library, LibraryFile(), Services(), &owner);
        Open(*manager);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(manager.get()));
    }

    // --- the library
    MacroItemLocation AddMacro(const std::u16string& name, MacroItemLocation at = MacroItemLocation::None())
    {
        EXPECT_EQ(library.CreateMacroAtSelection(name, at), MacroLibrary::CreateResult::Created);
        return at;
    }
    MacroItemLocation AddFolder(const std::u16string& name, MacroItemLocation at = MacroItemLocation::None())
    {
        EXPECT_EQ(library.CreateFolderAtSelection(name, at), MacroLibrary::CreateResult::Created);
        return at;
    }
    MacroKey& MacroAt(const MacroItemLocation& at) { return *library.MutableItem(at)->macro; }

    // --- the mouse
    void Click(int id) { MouseDriver(manager.get()).Click(CentreOf(*manager, id)); }
    [[nodiscard]] QPoint RowPoint(const CRowList& list, int row, int x = -1) const
    {
        const QRect rect = list.RowRect(row).ToQRect();
        return {x < 0 ? rect.center().x() : rect.left() + x, rect.center().y()};
    }
    void ClickTreeRow(int row, int x = -1) { MouseDriver(manager.get()).Click(RowPoint(manager->TreeList(), row, x)); }
    void ClickActionRow(int row) { MouseDriver(manager.get()).Click(RowPoint(manager->ActionList(), row)); }
    [[nodiscard]] std::vector<QString> TreeTexts() const
    {
        std::vector<QString> rows;
        for (int row = 0; row < manager->TreeRows().RowCount(); ++row)
            rows.push_back(manager->TreeRows().Row(row).text);
        return rows;
    }
    [[nodiscard]] std::vector<QString> ActionTexts() const
    {
        std::vector<QString> rows;
        const ListRowSource* source = manager->ActionList().Source();
        for (int row = 0; row < source->RowCount(); ++row)
            rows.push_back(source->Row(row).text);
        return rows;
    }

    // Opens a popup from the window, clicks its entry and lets the chosen command run.
    void ChooseFromPopup(int slot, int entryId)
    {
        auto* popup = dynamic_cast<CMenuPopup*>(manager->OpenPopup(slot));
        ASSERT_NE(popup, nullptr) << "no popup in slot " << slot;
        int index = -1;
        for (std::size_t i = 0; i < popup->Entries().size(); ++i) {
            if (popup->Entries()[i].id == entryId)
                index = static_cast<int>(i);
        }
        ASSERT_GE(index, 0) << "no entry " << entryId;
        MouseDriver(popup).Click(popup->EntryRect(index).ToQRect().center());
        Settle();
    }
    void ChooseInsertKind(int kind)
    {
        Click(MacroManagerId::kInsertOpener);
        ChooseFromPopup(CMacroManagerDlg::kInsertPopupSlot, kind + 1);
    }
    // Posted messages, repaints and the work run after them.
    static void Settle()
    {
        for (int turn = 0; turn < 5; ++turn) {
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // --- the keyboard: key events with the time stamps the test chooses, as the window
    // system delivers them to the window.
    void Key(QEvent::Type type, Qt::Key key, const QString& text, std::uint64_t timeMs, bool autoRepeat = false)
    {
        QKeyEvent event(type, key, Qt::NoModifier, text, autoRepeat);
        event.setTimestamp(timeMs);
        QApplication::sendEvent(manager->windowHandle(), &event);
        Settle();
    }
    void Press(Qt::Key key, const QString& text, std::uint64_t timeMs, bool autoRepeat = false)
    {
        Key(QEvent::KeyPress, key, text, timeMs, autoRepeat);
    }
    void Release(Qt::Key key, const QString& text, std::uint64_t timeMs) { Key(QEvent::KeyRelease, key, text, timeMs); }

    static std::vector<std::uint32_t> Actions(const MacroKey& macro)
    {
        std::vector<std::uint32_t> actions;
        for (std::uint32_t i = 0; i < macro.UsableActionCount(); ++i)
            actions.push_back(macro.Get(i).raw);
        return actions;
    }
    static constexpr std::uint32_t Bytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
    {
        return MacroAction::FromBytes(b0, b1, b2, b3).raw;
    }

    // The library file's bytes; empty when it is missing.
    [[nodiscard]] std::string SavedBytes() const
    {
        std::ifstream file(LibraryFile(), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    // What a file of these lines is: the byte-order mark, then every line in UTF-16LE
    // ended by a single LF.
    static std::string Utf16File(const std::vector<std::string>& lines)
    {
        std::string bytes = "\xFF\xFE";
        for (const std::string& line : lines) {
            for (const char character : line + "\n") {
                bytes += character;
                bytes += '\0';
            }
        }
        return bytes;
    }

    // Closes the manager with its close button; the file it leaves is the library as it is
    // now, with the marker that names no item.
    void CloseAndExpectSavedLibrary()
    {
        Click(MacroManagerId::kExit);
        ASSERT_TRUE(manager->IsEnded());
        std::string expected = "\xFF\xFE";
        for (const char16_t unit : MacroLibraryFile::Format(library, MacroItemLocation::None())) {
            expected += static_cast<char>(unit & 0xFF);
            expected += static_cast<char>(unit >> 8);
        }
        EXPECT_EQ(SavedBytes(), expected);
        EXPECT_NE(SavedBytes().find(Utf16File({"Select Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;"})
                                        .substr(2)),
                  std::string::npos);
    }

    QTemporaryDir dataFolder;
    MacroLibrary library;
    std::unique_ptr<CMacroManagerDlg> manager;

    std::vector<int> notices;
    int noticeAnswer = DialogResult::kOk;
    std::deque<std::u16string> names;
    std::vector<int> nameModes;
    std::vector<std::u16string> renamedFrom;
    std::optional<std::uint32_t> delayAnswer;
    std::optional<std::uint8_t> keyAnswer;
    std::optional<std::int8_t> moveAnswer;
    std::function<void()> whileDialogOpen;
    int valueDialogsShown = 0;
    std::vector<std::uint32_t> inUse;
};

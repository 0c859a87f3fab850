#pragma once

#include "ui/TestDialog.h"

#include "keyfunc/popups/CMenuPopup.h"
#include "profiles/LanguageLoader.h"
#include "profiles/LanguageTexts.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QCoreApplication>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>

// A record as the owner saw it when the result message arrived.
struct ReceivedRecord {
    UiMessage message;
    WParam opener;
    FunctionValue value;
    std::u16string name;
    friend bool operator==(const ReceivedRecord&, const ReceivedRecord&) = default;
};

inline void PrintTo(const ReceivedRecord& r, std::ostream* os)
{
    *os << "{" << r.message << ", " << r.opener << ", " << std::hex << int(r.value[0]) << " " << int(r.value[1])
        << " " << int(r.value[2]) << std::dec << ", \"" << QString::fromStdU16String(r.name).toStdString() << "\"}";
}

// The window that opens the lists: records every message, and copies the record a result
// message points to while it is valid.
class OwnerDialog : public TestDialog {
public:
    std::set<UiMessage> recordMessages;
    std::vector<ReceivedRecord> records;
    // What the owner does on a message, after recording it (opening sub-lists, closing).
    std::function<void(UiMessage, WParam, LParam)> react;

protected:
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override
    {
        if (recordMessages.contains(message) && lParam != 0) {
            const NamedFunction& record = CMenuPopup::RecordOf(lParam);
            records.push_back({message, wParam, record.value, record.name});
        }
        const LResult result = TestDialog::OnMessage(message, wParam, lParam);
        if (react)
            react(message, wParam, lParam);
        return result;
    }
};

enum class Lang { English, Chinese };

// The language texts as the program ships them.
inline const LanguageTexts& ShippedTexts(Lang language)
{
    static const auto load = [](const char* file) {
        auto texts = std::make_unique<LanguageTexts>();
        const FileCheck check = ReadLanguageFile(*texts, std::filesystem::path(CORVANE_LANG_DIR) / file, 1.0);
        EXPECT_TRUE(check.ok) << file;
        return texts;
    };
    static const std::unique_ptr<LanguageTexts> english = load("Lan_EN.txt");
    static const std::unique_ptr<LanguageTexts> chinese = load("Lan.txt");
    return language == Lang::English ? *english : *chinese;
}

inline std::u16string Text(int n)
{
    return ShippedTexts(Lang::English).Text(static_cast<std::size_t>(n));
}

using PopupFactory = std::function<CMenuPopup*()>;

// An owner dialog on the offscreen screen and the lists it opens into slot 0, with
// the pointer driven through real mouse events.
class PopupFixture : public testing::Test {
protected:
    static constexpr int kOpener = 2014;

    void SetUp() override
    {
        UiState::Instance().Reset();
        UiScale::Set(1.0);
        UiFont::SetControlFont(ShippedTexts(Lang::English).Font());
        owner.InitDialog();
        owner.show();
    }
    void TearDown() override
    {
        for (int slot = 0; slot < CDlgBase::kPopupSlotCount; ++slot)
            owner.ClosePopup(slot);
        ProcessPosted();
        UiScale::Set(1.0);
        UiFont::SetControlFont(ControlFont{});
        UiState::Instance().Reset();
    }

    // Opens the list beside the owner as its creator does: a 300-unit square that the
    // list shrinks to its entries, the result message as style value, the opener's id.
    // The profile list's result carries an entry number, not a record.
    enum class Result { Record, EntryNumber };
    CMenuPopup* Open(const PopupFactory& factory, UiMessage resultMessage, int slot = 0,
                     Result result = Result::Record)
    {
        owner.ClosePopup(slot);
        ProcessPosted();
        CMenuPopup* popup = factory();
        const QPoint at = owner.mapToGlobal(QPoint(40, 20));
        const int side = UiScale::Scale(300);
        EXPECT_EQ(popup->Create(&owner, UiRect{at.x(), at.y(), at.x() + side, at.y() + side},
                                static_cast<int>(resultMessage), kOpener),
                  0);
        owner.SetPopup(slot, popup);
        if (result == Result::Record)
            owner.recordMessages.insert(resultMessage);
        return popup;
    }

    static QPoint CentreOf(const UiRect& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

    // Index of the entry with this id; -1 when the list has none.
    static int IndexOf(const CMenuPopup& popup, int id)
    {
        const auto& entries = popup.Entries();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].id == id)
                return static_cast<int>(i);
        }
        return -1;
    }

    // Moves onto the entry with this id and clicks it.
    static void ClickEntry(CMenuPopup* popup, int id)
    {
        const int index = IndexOf(*popup, id);
        ASSERT_GE(index, 0) << "no entry " << id;
        MouseDriver(popup).Click(CentreOf(popup->EntryRect(index)));
    }

    static void ProcessPosted()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    OwnerDialog owner;
};

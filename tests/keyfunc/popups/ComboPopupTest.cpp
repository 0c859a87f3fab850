#include "PopupTestSupport.h"

#include "keyfunc/popups/CComboPopup.h"
#include "keyfunc/popups/CDPIPopup.h"
#include "keyfunc/popups/CMultimediaPopup.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QKeyEvent>

namespace {

constexpr UiMessage kResult = Msg::kUser + 3;

class ComboPopupTest : public PopupFixture {
protected:
    void SetUp() override
    {
        PopupFixture::SetUp();
        popup = Open([] { return new CComboPopup(ShippedTexts(Lang::English)); }, kResult);
        owner.messages.clear();
    }
    // Requests the list sent besides results and the closing notice.
    std::vector<ReceivedMessage> Requests() const
    {
        std::vector<ReceivedMessage> found;
        for (const ReceivedMessage& m : owner.messages) {
            if (m.message != kResult && m.message != Msg::kPopupClosed)
                found.push_back(m);
        }
        return found;
    }
    void MoveOnto(int id) { MouseDriver(popup).Move(CentreOf(popup->EntryRect(IndexOf(*popup, id)))); }
    int ScreenTop(int id) const { return popup->mapToGlobal(QPoint(0, popup->EntryRect(IndexOf(*popup, id)).top)).y(); }

    CMenuPopup* popup = nullptr;
};

TEST_F(ComboPopupTest, SixteenEntriesWithTheirCaptionsAndSubListArrows)
{
    const int texts[] = {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 36, 39, 34};
    const std::set<int> withSubList{6, 11, 12, 13, 14};
    ASSERT_EQ(popup->Entries().size(), 16u);
    for (int id = 1; id <= 16; ++id) {
        const MenuEntry& entry = popup->Entries()[static_cast<std::size_t>(id - 1)];
        EXPECT_EQ(entry.id, id);
        EXPECT_EQ(entry.caption, Text(texts[id - 1])) << "entry " << id;
        EXPECT_EQ(entry.sub, withSubList.contains(id)) << "entry " << id;
    }
}

TEST_F(ComboPopupTest, DirectEntriesSendTheirFunctionNamedByTheCaption)
{
    const std::pair<int, FunctionValue> cases[] = {
        {1, {0x10, 0x01, 0x00}}, {2, {0x10, 0x02, 0x00}}, {3, {0x10, 0x04, 0x00}}, {4, {0x10, 0x10, 0x00}},
        {5, {0x10, 0x08, 0x00}}, {8, {0x30, 0x32, 0x03}}, {16, {0x00, 0x00, 0x00}},
    };
    std::vector<ReceivedRecord> expected;
    for (const auto& [id, value] : cases) {
        ClickEntry(popup, id);
        expected.push_back({kResult, kOpener, value, popup->Entries()[static_cast<std::size_t>(id - 1)].caption});
    }
    EXPECT_EQ(owner.records, expected);
    EXPECT_EQ(owner.records.back().name, u"Disabled");
}

TEST_F(ComboPopupTest, DialogEntriesAskTheOwnerWithTheOpenerAndSendNoRecord)
{
    for (const int id : {7, 9, 10, 15})
        ClickEntry(popup, id);
    // Each click first moves onto an entry without sub-list, which asks to close one.
    const std::vector<ReceivedMessage> expected{
        {Msg::kUser + 9, kOpener, 0}, {Msg::kUser + 38, kOpener, 0}, {Msg::kUser + 9, kOpener, 0},
        {Msg::kUser + 41, kOpener, 0}, {Msg::kUser + 9, kOpener, 0}, {Msg::kUser + 11, kOpener, 0},
        {Msg::kUser + 9, kOpener, 0}, {Msg::kUser + 13, kOpener, 0},
    };
    EXPECT_EQ(Requests(), expected);
    EXPECT_TRUE(owner.records.empty());
}

TEST_F(ComboPopupTest, HoveringAsksForTheSubListBesideTheEntryOnceForEachEntry)
{
    MoveOnto(1);
    MoveOnto(6);
    MoveOnto(6);  // still the same entry: nothing new
    MoveOnto(11);
    MoveOnto(12);
    MoveOnto(13);
    MoveOnto(14);
    MoveOnto(16);
    const std::vector<ReceivedMessage> expected{
        {Msg::kUser + 9, kOpener, 0},
        {Msg::kUser + 16, kOpener, ScreenTop(6)},
        {Msg::kUser + 19, kOpener, ScreenTop(11)},
        {Msg::kUser + 136, kOpener, ScreenTop(12)},
        {Msg::kUser + 133, kOpener, ScreenTop(13)},
        {Msg::kUser + 130, kOpener, ScreenTop(14)},
        {Msg::kUser + 9, kOpener, 0},
    };
    EXPECT_EQ(Requests(), expected);
    EXPECT_EQ(popup->HotEntryId(), 16);
}

TEST_F(ComboPopupTest, ClickingASubListEntrySendsNothingMore)
{
    for (const int id : {6, 11, 12, 13, 14}) {
        owner.messages.clear();
        ClickEntry(popup, id);
        ASSERT_EQ(Requests().size(), 1u) << "entry " << id;  // the hover request only
        EXPECT_NE(Requests().front().message, Msg::kUser + 9);
    }
    EXPECT_TRUE(owner.records.empty());
}

}  // namespace

namespace {

// The owner's side as the main window does it: a result closes the list from inside the
// result message; hover requests open a sub-list beside the entry, the close request
// closes it.
class ComboWithSubListsTest : public ComboPopupTest {
protected:
    static constexpr int kSubListSlot = 3;

    void SetUp() override
    {
        ComboPopupTest::SetUp();
        owner.recordMessages.insert({Msg::kUser + 17, Msg::kUser + 20});
        owner.react = [this](UiMessage message, WParam, LParam lParam) {
            if (message == kResult || message == Msg::kUser + 17 || message == Msg::kUser + 20) {
                owner.ClosePopup(kSubListSlot);
                owner.ClosePopup(0);
            } else if (message == CComboPopup::kCloseSubList) {
                owner.ClosePopup(kSubListSlot);
            } else if (message == CComboPopup::kOpenDpiFunctions || message == CComboPopup::kOpenMultimedia) {
                owner.ClosePopup(kSubListSlot);
                CMenuPopup* sub = message == CComboPopup::kOpenDpiFunctions
                                      ? static_cast<CMenuPopup*>(new CDPIPopup(ShippedTexts(Lang::English)))
                                      : new CMultimediaPopup(ShippedTexts(Lang::English));
                const int left = popup->mapToGlobal(QPoint(popup->width(), 0)).x();
                const int top = static_cast<int>(lParam);
                ASSERT_EQ(sub->Create(&owner, UiRect{left, top, left + 300, top + 300},
                                      static_cast<int>(message + 1), kOpener),
                          0);
                owner.SetPopup(kSubListSlot, sub);
            }
        };
    }
};

TEST_F(ComboWithSubListsTest, SubListsSwitchWhileTheListStaysOpenAndAChoiceClosesBoth)
{
    QPointer<CMenuPopup> list = popup;
    MoveOnto(6);
    QPointer<CWndPopup> dpi = owner.Popup(kSubListSlot);
    ASSERT_FALSE(dpi.isNull());
    EXPECT_EQ(dpi->pos().y(), ScreenTop(6));

    MoveOnto(11);  // another sub-list takes the slot
    ProcessPosted();
    EXPECT_TRUE(dpi.isNull());
    QPointer<CWndPopup> multimedia = owner.Popup(kSubListSlot);
    ASSERT_FALSE(multimedia.isNull());
    EXPECT_EQ(multimedia->pos().y(), ScreenTop(11));
    EXPECT_TRUE(list->isVisible());

    // Mute, chosen in the sub-list: the owner closes both lists while the message runs.
    ClickEntry(static_cast<CMenuPopup*>(multimedia.data()), 6);
    ProcessPosted();
    const std::vector<ReceivedRecord> expected{{Msg::kUser + 20, kOpener, {0x80, 0xE2, 0x00}, Text(50)}};
    EXPECT_EQ(owner.records, expected);
    EXPECT_TRUE(list.isNull());
    EXPECT_TRUE(multimedia.isNull());
    EXPECT_TRUE(owner.MessagesFor(Msg::kUser + 5).empty());
    EXPECT_TRUE(owner.MessagesFor(Msg::kUser + 21).empty());
}

TEST_F(ComboWithSubListsTest, AnEntryWithoutSubListClosesTheSubListAndAClickThereDelivers)
{
    QPointer<CMenuPopup> list = popup;
    MoveOnto(6);
    QPointer<CWndPopup> dpi = owner.Popup(kSubListSlot);
    ASSERT_FALSE(dpi.isNull());
    ClickEntry(popup, 2);
    ProcessPosted();
    EXPECT_TRUE(dpi.isNull());
    EXPECT_TRUE(list.isNull());
    const std::vector<ReceivedRecord> expected{{kResult, kOpener, {0x10, 0x02, 0x00}, Text(21)}};
    EXPECT_EQ(owner.records, expected);
    EXPECT_EQ(owner.MessagesFor(Msg::kPopupClosed).size(), 2u);
}

TEST_F(ComboWithSubListsTest, APressOutsideBothListsDismissesEachWithItsOwnMessage)
{
    MoveOnto(6);
    ASSERT_NE(owner.Popup(kSubListSlot), nullptr);
    owner.messages.clear();

    MouseDriver(&owner).Press({380, 280});
    const std::vector<ReceivedMessage> listDismissal{{Msg::kUser + 5, kOpener, 0}};
    const std::vector<ReceivedMessage> subListDismissal{{Msg::kUser + 18, kOpener, 2}};
    EXPECT_EQ(owner.MessagesFor(Msg::kUser + 5), listDismissal);
    EXPECT_EQ(owner.MessagesFor(Msg::kUser + 18), subListDismissal);
    EXPECT_TRUE(owner.records.empty());
}

}  // namespace

namespace {

void PressKey(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

TEST_F(ComboWithSubListsTest, AssistiveTechnologyReadsAMenuOfItemsAndPressesThemAsClicks)
{
    QPointer<CMenuPopup> list = popup;
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(popup);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->role(), QAccessible::PopupMenu);
    ASSERT_EQ(menu->childCount(), 16);
    for (int i = 0; i < 16; ++i) {
        QAccessibleInterface* item = menu->child(i);
        const MenuEntry& entry = popup->Entries()[static_cast<std::size_t>(i)];
        EXPECT_EQ(item->role(), QAccessible::MenuItem);
        EXPECT_EQ(item->text(QAccessible::Name), QString::fromStdU16String(entry.caption));
        EXPECT_EQ(bool(item->state().hasPopup), entry.sub) << i;
        EXPECT_EQ(item->parent(), menu);
        EXPECT_EQ(menu->indexOfChild(item), i);
        EXPECT_EQ(item->rect(), QRect(popup->mapToGlobal(popup->EntryRect(i).ToQRect().topLeft()),
                                      popup->EntryRect(i).ToQRect().size()));
    }

    // A sub-list entry opens its sub-list, as the pointer coming onto it does.
    menu->child(IndexOf(*popup, 11))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ProcessPosted();
    QPointer<CWndPopup> multimedia = owner.Popup(kSubListSlot);
    ASSERT_FALSE(multimedia.isNull());
    EXPECT_TRUE(menu->child(IndexOf(*popup, 11))->state().selected);
    EXPECT_TRUE(owner.records.empty());

    // Mute in the sub-list: the same record a click sends, and both lists close.
    QAccessibleInterface* subMenu = QAccessible::queryAccessibleInterface(multimedia.data());
    ASSERT_GE(subMenu->childCount(), 6);
    EXPECT_EQ(subMenu->child(5)->text(QAccessible::Name), QString::fromStdU16String(Text(50)));
    subMenu->child(5)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // The press runs from the event loop; the lists it closes go on the next turn.
    ProcessPosted();
    ProcessPosted();
    const std::vector<ReceivedRecord> expected{{Msg::kUser + 20, kOpener, {0x80, 0xE2, 0x00}, Text(50)}};
    EXPECT_EQ(owner.records, expected);
    EXPECT_TRUE(list.isNull());
    EXPECT_TRUE(multimedia.isNull());
}

TEST_F(ComboWithSubListsTest, TheKeyboardMovesOverTheEntriesOpensSubListsAndChooses)
{
    QPointer<CMenuPopup> list = popup;
    // Down from nothing: the first entry, then on to the sixth, which opens its sub-list.
    for (int presses = 0; presses < 6; ++presses)
        PressKey(&owner, Qt::Key_Down);
    EXPECT_EQ(popup->HotEntryId(), 6);
    QPointer<CWndPopup> dpi = owner.Popup(kSubListSlot);
    ASSERT_FALSE(dpi.isNull());
    // Up from the top wraps to the bottom of the sub-list, which now has the keys.
    PressKey(&owner, Qt::Key_Up);
    auto* sub = static_cast<CMenuPopup*>(dpi.data());
    EXPECT_EQ(sub->HotEntryId(), sub->Entries().back().id);
    PressKey(&owner, Qt::Key_Down);
    EXPECT_EQ(sub->HotEntryId(), sub->Entries().front().id);
    // Enter chooses "DPI Up", as a click on it does.
    PressKey(&owner, Qt::Key_Return);
    ProcessPosted();
    const auto dpiFunction = static_cast<std::uint8_t>(FunctionType::DpiFunction);
    const std::vector<ReceivedRecord> expected{{Msg::kUser + 17, kOpener, {dpiFunction, 0x02, 0x00}, Text(40)}};
    EXPECT_EQ(owner.records, expected);
    EXPECT_TRUE(list.isNull());
    EXPECT_TRUE(dpi.isNull());
}

TEST_F(ComboPopupTest, EscapeDismissesTheListWithItsMessage)
{
    PressKey(&owner, Qt::Key_Down);
    EXPECT_EQ(popup->HotEntryId(), 1);
    PressKey(&owner, Qt::Key_Escape);
    const std::vector<ReceivedMessage> dismissal{{Msg::kUser + 5, kOpener, 0}};
    EXPECT_EQ(owner.MessagesFor(Msg::kUser + 5), dismissal);
    EXPECT_TRUE(popup->IsDismissed());
    // The owner was not ended by the Escape.
    EXPECT_FALSE(owner.IsEnded());
}

}  // namespace

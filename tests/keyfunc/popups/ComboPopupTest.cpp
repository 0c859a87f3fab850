#include "PopupTestSupport.h"

#include "keyfunc/popups/CComboPopup.h"

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

TEST_F(ComboPopupTest, HoveringAskesForTheSubListBesideTheEntryOnceForEachEntry)
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

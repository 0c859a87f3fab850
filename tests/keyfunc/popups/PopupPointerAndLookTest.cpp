#include "PopupTestSupport.h"

#include "keyfunc/popups/PopupSamples.h"

#include <string_view>

namespace {

// Every list with what the owner must see of it: design width and entry height, entry
// count, and the message of its dismissal. The lists are built as the gallery shows them.
struct ListKind {
    const char* name;
    UiMessage dismissal;
    int width;
    int entryHeight;
    int entries;
};

const std::vector<ListKind>& AllLists()
{
    static const std::vector<ListKind> lists{
        {"function", Msg::kUser + 5, 162, 22, 16},      {"dpi", Msg::kUser + 18, 162, 22, 3},
        {"multimedia", Msg::kUser + 21, 162, 22, 10},   {"office", Msg::kUser + 138, 162, 22, 9},
        {"windows", Msg::kUser + 135, 162, 22, 6},      {"dpilock", Msg::kUser + 132, 162, 22, 11},
        {"rate", Msg::kUser + 112, 189, 22, 4},         {"lighting", Msg::kUser + 122, 189, 22, 8},
        {"profile", Msg::kUser + 102, 230, 25, 7},      {"profileactions", Msg::kUser + 141, 162, 22, 4},
        {"insertaction", Msg::kUser + 144, 118, 22, 9}, {"macrolist", Msg::kUser + 146, 162, 22, 8},
    };
    return lists;
}

const PopupSample& SampleOf(const ListKind& kind)
{
    for (const PopupSample& sample : PopupSamples()) {
        if (sample.name == QLatin1String(kind.name))
            return sample;
    }
    ADD_FAILURE() << "no sample " << kind.name;
    return PopupSamples().front();
}

class PopupPointerAndLookTest : public PopupFixture {
protected:
    CMenuPopup* OpenList(const ListKind& kind, Lang language = Lang::English)
    {
        const LanguageTexts& texts = ShippedTexts(language);
        const bool profileList = std::string_view(kind.name) == "profile";
        const PopupSample& sample = SampleOf(kind);
        return Open([&] { return sample.make(texts); }, sample.resultMessage, 0,
                    profileList ? Result::EntryNumber : Result::Record);
    }
    static QColor PixelAt(const CMenuPopup& popup, QPoint point)
    {
        return popup.OffscreenImage().toImage().pixelColor(point);
    }
};

TEST_F(PopupPointerAndLookTest, SizesFollowTheEntriesAtEveryScale)
{
    for (const double scale : {1.0, 1.5, 2.0}) {
        UiScale::Set(scale);
        for (const ListKind& kind : AllLists()) {
            SCOPED_TRACE(testing::Message() << kind.name << " at " << scale);
            CMenuPopup* popup = OpenList(kind);
            const int unit = UiScale::Scale(1);
            const int height = UiScale::Scale(kind.entryHeight);
            ASSERT_EQ(static_cast<int>(popup->Entries().size()), kind.entries);
            EXPECT_EQ(popup->size(), QSize(UiScale::Scale(kind.width), unit + kind.entries * height + unit));
            // Stacked without gaps from one unit below the top; the profile list spans
            // its full width, the others leave a unit each side.
            const int inset = kind.width == 230 ? 0 : unit;
            for (int i = 0; i < kind.entries; ++i) {
                EXPECT_EQ(popup->EntryRect(i), (UiRect{inset, unit + i * height, UiScale::Scale(kind.width) - inset,
                                                       unit + (i + 1) * height}));
            }
        }
    }
}

TEST_F(PopupPointerAndLookTest, PressOutsideSendsTheListsOwnDismissalWithTheOpener)
{
    for (const ListKind& kind : AllLists()) {
        SCOPED_TRACE(kind.name);
        owner.messages.clear();
        CMenuPopup* popup = OpenList(kind);
        MouseDriver(popup).Press({-20, -20});
        const std::vector<ReceivedMessage> expected{{kind.dismissal, kOpener, popup->Kind()}};
        EXPECT_EQ(owner.MessagesFor(kind.dismissal), expected);
    }
}

TEST_F(PopupPointerAndLookTest, AReleaseOutsideTheHotEntryClearsItAndSendsNothing)
{
    CMenuPopup* popup = OpenList(AllLists()[1]);  // DPI functions
    MouseDriver mouse(popup);
    mouse.Move(CentreOf(popup->EntryRect(0)));
    mouse.Press(CentreOf(popup->EntryRect(0)));
    // With the button held the hot entry stays where the press began.
    mouse.Move(CentreOf(popup->EntryRect(2)));
    EXPECT_EQ(popup->HotEntryId(), 1);
    mouse.Release(CentreOf(popup->EntryRect(2)));
    EXPECT_EQ(popup->HotEntryId(), 0);
    EXPECT_TRUE(owner.records.empty());

    // A release on the margin below the last entry is outside every entry too.
    mouse.Move(CentreOf(popup->EntryRect(2)));
    mouse.Press(CentreOf(popup->EntryRect(2)));
    mouse.Release({10, popup->height() - 1});
    EXPECT_TRUE(owner.records.empty());

    // The right button chooses nothing outside the profile list.
    mouse.RightClick(CentreOf(popup->EntryRect(1)));
    EXPECT_TRUE(owner.records.empty());
    EXPECT_TRUE(owner.MessagesFor(Msg::kUser + 17).empty());
}

TEST_F(PopupPointerAndLookTest, FillStyleMarksOnlyTheHotEntry)
{
    CMenuPopup* popup = OpenList(AllLists()[6]);  // report rate
    MouseDriver(popup).Move(CentreOf(popup->EntryRect(2)));
    const QPoint corner(3, 2);
    EXPECT_EQ(PixelAt(*popup, QPoint(popup->EntryRect(2).left, popup->EntryRect(2).top) + corner), QColor(0x53, 0x4B, 0x00));
    EXPECT_EQ(PixelAt(*popup, QPoint(popup->EntryRect(1).left, popup->EntryRect(1).top) + corner), QColor(Qt::black));
}

TEST_F(PopupPointerAndLookTest, ProfileStyleFillsHeadingAddEmptyMarkedAndHotEntries)
{
    CMenuPopup* popup = OpenList(AllLists()[8]);  // three profiles shown, the second current
    MouseDriver(popup).Move(CentreOf(popup->EntryRect(1)));
    const auto fillOf = [&](int index) {
        const UiRect rect = popup->EntryRect(index);
        return PixelAt(*popup, QPoint(rect.left + 2, rect.top + 2));
    };
    EXPECT_EQ(fillOf(1), QColor(0x37, 0x37, 0x37));  // under the pointer
    EXPECT_EQ(fillOf(2), QColor(0x78, 0x00, 0x00));  // the current profile
    EXPECT_EQ(fillOf(3), QColor(0x1F, 0x1F, 0x1F));  // another profile
    EXPECT_EQ(fillOf(4), QColor(0x1F, 0x1F, 0x1F));  // empty
    EXPECT_EQ(fillOf(6), QColor(0x49, 0x00, 0x00));  // add
    EXPECT_NE(fillOf(0), QColor(Qt::black));         // the heading picture
    MouseDriver(popup).Move(CentreOf(popup->EntryRect(3)));
    EXPECT_EQ(fillOf(1), QColor(0x1F, 0x1F, 0x1F));
}

TEST_F(PopupPointerAndLookTest, ImageStyleDrawsHoverAndSubListPictures)
{
    CMenuPopup* popup = OpenList(AllLists()[0]);  // function list: entry 6 has a sub-list
    const auto rowOf = [&](int index) {
        const UiRect rect = popup->EntryRect(index);
        return popup->OffscreenImage().toImage().copy(rect.ToQRect());
    };
    const QImage plain = rowOf(0);
    ASSERT_NE(plain.pixelColor(4, 4), QColor(Qt::black)) << "menu picture missing";
    MouseDriver(popup).Move(CentreOf(popup->EntryRect(0)));
    EXPECT_NE(rowOf(0).pixelColor(4, 4), plain.pixelColor(4, 4));
    // The sub-list picture differs from the plain one somewhere on the row.
    const QImage sub = rowOf(5);
    const QImage otherPlain = rowOf(6);
    int differing = 0;
    for (int x = plain.width() * 3 / 4; x < plain.width(); ++x)
        differing += sub.pixelColor(x, plain.height() / 2) != otherPlain.pixelColor(x, plain.height() / 2) ? 1 : 0;
    EXPECT_GT(differing, 0);
}

}  // namespace

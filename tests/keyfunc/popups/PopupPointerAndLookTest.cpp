#include "PopupTestSupport.h"

#include "keyfunc/popups/CComboActionInsertPopup.h"
#include "keyfunc/popups/CComboLightingPopup.h"
#include "keyfunc/popups/CComboPollingRatePopup.h"
#include "keyfunc/popups/CComboPopup.h"
#include "keyfunc/popups/CComboProfilePopup.h"
#include "keyfunc/popups/CDPILockPopup.h"
#include "keyfunc/popups/CDPIPopup.h"
#include "keyfunc/popups/CMacroListPopup.h"
#include "keyfunc/popups/CMultimediaPopup.h"
#include "keyfunc/popups/COfficePopup.h"
#include "keyfunc/popups/CProfileRKeyPopup.h"
#include "keyfunc/popups/CWindowsManagePopup.h"
#include "profiles/AppSettings.h"
#include "profiles/ProfileTable.h"

#include <QDir>

namespace {

// Every list with what the owner must see of it: design width and entry height, entry
// count, and the message of its dismissal.
struct ListKind {
    const char* name;
    std::function<CMenuPopup*(const LanguageTexts&)> make;
    UiMessage resultMessage;
    UiMessage dismissal;
    int width;
    int entryHeight;
    int entries;
};

std::vector<ListKind> AllLists()
{
    static ProfileTable profiles;
    static AppSettings settings;
    settings.SetProfileShowCount(2);
    settings.SetProfileShowList(0, 1);
    settings.SetProfileShowList(1, 0);
    settings.SetCurrentProfile(0);
    profiles.At(0).SetSetting(ProfileSetting::ProfileName, u"Profile A");
    profiles.At(1).SetSetting(ProfileSetting::ProfileName, u"Profile B");

    return {
        {"function", [](const LanguageTexts& t) { return new CComboPopup(t); }, Msg::kUser + 3, Msg::kUser + 5, 162, 22, 16},
        {"dpi", [](const LanguageTexts& t) { return new CDPIPopup(t); }, Msg::kUser + 17, Msg::kUser + 18, 162, 22, 3},
        {"multimedia", [](const LanguageTexts& t) { return new CMultimediaPopup(t); }, Msg::kUser + 20, Msg::kUser + 21, 162, 22, 10},
        {"office", [](const LanguageTexts& t) { return new COfficePopup(t); }, Msg::kUser + 137, Msg::kUser + 138, 162, 22, 9},
        {"windows", [](const LanguageTexts& t) { return new CWindowsManagePopup(t); }, Msg::kUser + 134, Msg::kUser + 135, 162, 22, 6},
        {"dpilock", [](const LanguageTexts& t) { return new CDPILockPopup(t, 0x3311); }, Msg::kUser + 131, Msg::kUser + 132, 162, 22, 11},
        {"rate", [](const LanguageTexts&) { return new CComboPollingRatePopup(); }, Msg::kUser + 111, Msg::kUser + 112, 189, 22, 4},
        {"lighting", [](const LanguageTexts& t) { return new CComboLightingPopup(t); }, Msg::kUser + 121, Msg::kUser + 122, 189, 22, 8},
        {"profile",
         [](const LanguageTexts& t) {
             auto* list = new CComboProfilePopup(t, QStringLiteral("skins\\header2_nr.png"));
             list->SetProfiles(profiles, settings, CComboProfilePopup::kProfileListButton);
             return list;
         },
         Msg::kUser + 101, Msg::kUser + 102, 230, 25, 7},
        {"profileactions", [](const LanguageTexts& t) { return new CProfileRKeyPopup(t); }, Msg::kUser + 140, Msg::kUser + 141, 162, 22, 4},
        {"insertaction", [](const LanguageTexts& t) { return new CComboActionInsertPopup(t); }, Msg::kUser + 143, Msg::kUser + 144, 118, 22, 9},
        {"macrolist", [](const LanguageTexts& t) { return new CMacroListPopup(t, 1); }, Msg::kUser + 145, Msg::kUser + 146, 162, 22, 8},
    };
}

class PopupPointerAndLookTest : public PopupFixture {
protected:
    CMenuPopup* OpenList(const ListKind& kind, Lang language = Lang::English)
    {
        const LanguageTexts& texts = ShippedTexts(language);
        const bool profileList = kind.resultMessage == CComboProfilePopup::kResultMessage;
        return Open([&] { return kind.make(texts); }, kind.resultMessage, 0,
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
    CMenuPopup* popup = OpenList(AllLists()[8]);  // profiles B, A shown, A current
    MouseDriver(popup).Move(CentreOf(popup->EntryRect(1)));
    const auto fillOf = [&](int index) {
        const UiRect rect = popup->EntryRect(index);
        return PixelAt(*popup, QPoint(rect.left + 2, rect.top + 2));
    };
    EXPECT_EQ(fillOf(1), QColor(0x37, 0x37, 0x37));  // "Profile B" under the pointer
    EXPECT_EQ(fillOf(2), QColor(0x78, 0x00, 0x00));  // the current profile
    EXPECT_EQ(fillOf(3), QColor(0x1F, 0x1F, 0x1F));  // empty
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

// Saves every list, with its second entry under the pointer, at each scale in both
// languages under <build>/screenshots/popups for review.
TEST_F(PopupPointerAndLookTest, ScreenshotsAtEveryScaleInBothLanguages)
{
    QDir().mkpath(QStringLiteral(CORVANE_SCREENSHOT_DIR));
    for (const Lang language : {Lang::English, Lang::Chinese}) {
        for (const double scale : {1.0, 1.5, 2.0}) {
            UiScale::Set(scale);
            LanguageTexts scaled;
            const char* file = language == Lang::English ? "Lan_EN.txt" : "Lan.txt";
            ASSERT_TRUE(ReadLanguageFile(scaled, std::filesystem::path(CORVANE_LANG_DIR) / file, scale).ok);
            UiFont::SetControlFont(scaled.Font());
            for (const ListKind& kind : AllLists()) {
                CMenuPopup* popup = OpenList(kind, language);
                MouseDriver(popup).Move(CentreOf(popup->EntryRect(1)));
                const QImage shot = popup->OffscreenImage().toImage();
                EXPECT_EQ(shot.size(), popup->size());
                const QString name = QStringLiteral(CORVANE_SCREENSHOT_DIR "/%1-%2-%3.png")
                                         .arg(QString::fromLatin1(kind.name),
                                              language == Lang::English ? QStringLiteral("en") : QStringLiteral("zh"),
                                              QString::number(scale, 'f', 1));
                EXPECT_TRUE(shot.save(name)) << name.toStdString();
            }
        }
    }
}

}  // namespace

#include "PopupTestSupport.h"

#include "keyfunc/popups/CComboProfilePopup.h"
#include "profiles/AppSettings.h"
#include "profiles/ProfileTable.h"

namespace {

constexpr UiMessage kResult = Msg::kUser + 101;

// Five named profiles of which three are shown, in the order 3, 0, 4; profile 4 current.
class ProfilePopupTest : public PopupFixture {
protected:
    void SetUp() override
    {
        PopupFixture::SetUp();
        const char16_t* names[] = {u"Work", u"Game", u"Draw", u"Film", u"Race"};
        for (int i = 0; i < 5; ++i)
            profiles.At(i).SetSetting(ProfileSetting::ProfileName, names[i]);
        settings.SetProfileShowCount(3);
        const int order[] = {3, 0, 4, 1, 2};
        for (int position = 0; position < 5; ++position)
            settings.SetProfileShowList(position, order[position]);
        settings.SetCurrentProfile(4);
    }
    CComboProfilePopup* OpenFrom(int opener)
    {
        return static_cast<CComboProfilePopup*>(Open(
            [&] {
                auto* list = new CComboProfilePopup(ShippedTexts(Lang::English),
                                                    opener == CComboProfilePopup::kProfileListButton
                                                        ? QStringLiteral("skins\\header2_nr.png")
                                                        : QStringLiteral("skins\\header_nr.png"));
                list->SetProfiles(profiles, settings, opener);
                return list;
            },
            kResult, 0, Result::EntryNumber));
    }
    static std::vector<std::u16string> Captions(const CMenuPopup& popup)
    {
        std::vector<std::u16string> captions;
        for (const MenuEntry& entry : popup.Entries())
            captions.push_back(entry.caption);
        return captions;
    }
    std::vector<ReceivedMessage> Results() const { return owner.MessagesFor(kResult); }

    ProfileTable profiles;
    AppSettings settings;
};

TEST_F(ProfilePopupTest, FromTheListButtonTheVisibleProfilesInDisplayOrderWithTheCurrentMarked)
{
    CComboProfilePopup* list = OpenFrom(CComboProfilePopup::kProfileListButton);
    const std::vector<std::u16string> expected{Text(10), u"Film", u"Work", u"Race", u"", u"", Text(200)};
    EXPECT_EQ(Captions(*list), expected);
    EXPECT_EQ(list->MarkedEntry(), 4);
}

TEST_F(ProfilePopupTest, FromTheDropDownAllProfilesInIndexOrderWithEntryTwoMarked)
{
    CComboProfilePopup* list = OpenFrom(CComboProfilePopup::kProfileDropDown);
    const std::vector<std::u16string> expected{Text(10), u"Work", u"Game", u"Draw", u"Film", u"Race", Text(200)};
    EXPECT_EQ(Captions(*list), expected);
    EXPECT_EQ(list->MarkedEntry(), 2);
}

TEST_F(ProfilePopupTest, ClicksOnProfilesAndTheAddEntrySendTheEntryAndNothingElseDoes)
{
    CComboProfilePopup* list = OpenFrom(CComboProfilePopup::kProfileListButton);
    for (const int id : {1, 2, 4, 5, 6, 7})
        ClickEntry(list, id);
    const std::vector<ReceivedMessage> expected{{kResult, 2, 2}, {kResult, 2, 4}, {kResult, 2, 7}};
    EXPECT_EQ(Results(), expected);
    EXPECT_TRUE(owner.records.empty());
}

TEST_F(ProfilePopupTest, RightClickOnlyOnANamedProfileAsksForItsActions)
{
    CComboProfilePopup* list = OpenFrom(CComboProfilePopup::kProfileListButton);
    MouseDriver mouse(list);
    for (const int id : {1, 3, 5, 7})
        mouse.RightClick(CentreOf(list->EntryRect(id - 1)));
    const std::vector<ReceivedMessage> expected{{kResult, 11, 3}};
    EXPECT_EQ(Results(), expected);
}

}  // namespace

#include "profiles/ProfileTable.h"

#include "profiles/AppSettings.h"
#include "profiles/DataPaths.h"
#include "profiles/ProfileDefaults.h"
#include "support/TestTexts.h"

#include <gtest/gtest.h>

namespace {

constexpr FunctionValue kRightClick{0x10, 0x02, 0x00};
constexpr FunctionValue kLeftClick{0x10, 0x01, 0x00};

class ProfileTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.WriteSettingDefaults(DataPaths{"/data", "/lang"});
        for (int i = 0; i < ProfileTable::kProfileCount; ++i) {
            ResetProfile(table.At(i), static_cast<unsigned>(i), texts, SensorIds::k3311);
        }
    }

    std::vector<int> ShowList() const
    {
        std::vector<int> list;
        for (int p = 0; p < ProfileTable::kProfileCount; ++p) {
            list.push_back(settings.ProfileShowList(p));
        }
        return list;
    }

    LanguageTexts texts = NumberedTexts();
    AppSettings settings;
    ProfileTable table;
};

}  // namespace

TEST_F(ProfileTableTest, RemovingTheOnlyLeftClickTurnsTheButtonBack)
{
    ASSERT_TRUE(table.AssignFunction(settings, 2013, u"Right", u"", kRightClick, nullptr));
    EXPECT_EQ(table.CheckLeftClickRemains(settings, 2013, texts), LeftClickCheck::Restored);
    EXPECT_EQ(table.At(0).Keys[0].Value, kLeftClick);
    EXPECT_EQ(table.At(0).Keys[0].Name, u"T20");
}

TEST_F(ProfileTableTest, AnotherLeftClickButtonKeepsTheChange)
{
    ASSERT_TRUE(table.AssignFunction(settings, 2014, u"Left", u"", kLeftClick, nullptr));
    ASSERT_TRUE(table.AssignFunction(settings, 2013, u"Right", u"", kRightClick, nullptr));
    EXPECT_EQ(table.CheckLeftClickRemains(settings, 2013, texts), LeftClickCheck::Kept);
    EXPECT_EQ(table.At(0).Keys[0].Value, kRightClick);
}

TEST_F(ProfileTableTest, AssignmentGoesToTheCurrentProfileAndOnlyForButtonLabels)
{
    settings.SetCurrentProfile(3);
    EXPECT_TRUE(table.AssignFunction(settings, 2018, u"Mute", u"", {0x80, 0xE2, 0x00}, nullptr));
    EXPECT_EQ(table.At(3).Keys[5].Name, u"Mute");
    EXPECT_EQ(table.At(0).Keys[5].Name, u"T42");
    EXPECT_FALSE(table.AssignFunction(settings, 2019, u"X", u"", kRightClick, nullptr));
    EXPECT_FALSE(table.AssignFunction(settings, 2012, u"X", u"", kRightClick, nullptr));
}

TEST_F(ProfileTableTest, MacroAssignmentCopiesTheMacroAndPlainAssignmentEmptiesIt)
{
    MacroKey macro;
    macro.name = u"Burst";
    macro.MacroKeyIndex = 17;
    macro.MacroKeyLoopType = 4;
    macro.MacroKeyLoopNum = 9;
    macro.MacroCommandActionNum = 1;
    ASSERT_TRUE(macro.Insert(0, MacroAction::FromBytes(0x41, 0, 0, 0)));
    ASSERT_TRUE(table.AssignFunction(settings, 2015, u"T190Burst", u"", {0x90, 0, 0}, &macro));
    const KeyAssignment& key = table.At(0).Keys[2];
    EXPECT_EQ(key.MacroKeyIndex, 17u);
    EXPECT_EQ(key.Macro.name, u"Burst");
    EXPECT_EQ(key.Macro.MacroKeyLoopType, 4);
    EXPECT_EQ(key.Macro.MacroActionNum, 1u);
    EXPECT_EQ(key.Macro.actions[0], macro.actions[0]);

    ASSERT_TRUE(table.AssignFunction(settings, 2015, u"Middle", u"", {0x10, 0x04, 0}, nullptr));
    EXPECT_EQ(key.Macro.MacroActionNum, 0u);
    EXPECT_EQ(key.MacroKeyIndex, 17u) << "the number stays without a new macro";
}

TEST_F(ProfileTableTest, AddingShowsTheNextHiddenProfileResetAndNamed)
{
    table.At(3).Keys[0].Name = u"changed";
    EXPECT_EQ(table.AddVisibleProfile(settings, u"Arena", texts).change, ProfileListChange::Done);
    EXPECT_EQ(settings.ProfileShowCount(), 4);
    EXPECT_EQ(table.At(3).GetSetting(ProfileSetting::ProfileName), u"Arena");
    EXPECT_EQ(table.At(3).Keys[0].Name, u"T20");
}

TEST_F(ProfileTableTest, AddingWithADamagedShowListNeverResetsAShownProfile)
{
    settings.Pair(10).value = u"0";  // position 3 repeats profile 0, which is shown
    table.At(0).Keys[0].Name = u"kept";
    EXPECT_EQ(table.AddVisibleProfile(settings, u"Arena", texts).change, ProfileListChange::Done);
    EXPECT_EQ(table.At(0).Keys[0].Name, u"kept");
    EXPECT_EQ(table.At(3).GetSetting(ProfileSetting::ProfileName), u"Arena");
}

TEST_F(ProfileTableTest, AddingWhenFiveAreShownIsRefused)
{
    settings.SetProfileShowCount(5);
    const ProfileListResult result = table.AddVisibleProfile(settings, u"Sixth", texts);
    EXPECT_EQ(result.change, ProfileListChange::Refused);
    EXPECT_EQ(result.message, ProfileMessages::kNoFurtherProfile);
    EXPECT_EQ(settings.ProfileShowCount(), 5);
}

TEST_F(ProfileTableTest, DeletingMovesTheProfileToTheEndOfTheList)
{
    EXPECT_EQ(table.DeleteVisibleProfile(settings, 1).change, ProfileListChange::Done);
    EXPECT_EQ(ShowList(), (std::vector<int>{0, 2, 3, 4, 1}));
    EXPECT_EQ(settings.ProfileShowCount(), 2);
}

TEST_F(ProfileTableTest, DeletingTheCurrentOrAHiddenProfileIsRefused)
{
    const ProfileListResult current = table.DeleteVisibleProfile(settings, 0);
    EXPECT_EQ(current.change, ProfileListChange::Refused);
    EXPECT_EQ(current.message, ProfileMessages::kCannotDeleteCurrent);
    EXPECT_EQ(table.DeleteVisibleProfile(settings, 4).change, ProfileListChange::Refused);
    EXPECT_EQ(ShowList(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(settings.ProfileShowCount(), 3);
}

#include "device/MacroButtonResolver.h"

#include "MacroTestActions.h"
#include "support/TestTexts.h"

#include <gtest/gtest.h>

#include <memory>

using namespace MacroTestActions;

namespace {

constexpr std::uint32_t kNumberA = 5;   // top level
constexpr std::uint32_t kNumberB = 9;   // in a top-level folder
constexpr std::uint32_t kNumberC = 12;  // in a second-level folder
constexpr std::uint8_t kVkA = 0x41;

MacroKey LibraryMacro(std::u16string name, std::uint32_t number, std::uint8_t loopType,
                      std::uint8_t loopCount, std::initializer_list<MacroAction> actions)
{
    MacroKey macro = MakeMacro(actions);
    macro.name = std::move(name);
    macro.MacroKeyIndex = number;
    macro.MacroKeyLoopType = loopType;
    macro.MacroKeyLoopNum = loopCount;
    return macro;
}

class MacroButtonResolverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Place(MacroItemLocation::Level0(0),
                          LibraryMacro(u"A", kNumberA, MacroKey::kLoopModeCount, 7,
                                       {Press(kVkA), Delay(20), Release(kVkA)})));
        ASSERT_TRUE(m_library.PlaceFolder(MacroItemLocation::Level0(1), u"F", 0));
        ASSERT_TRUE(Place(MacroItemLocation::Level1(1, 0),
                          LibraryMacro(u"B", kNumberB, MacroKey::kLoopModeOne, 3, {Press(kVkA)})));
        ASSERT_TRUE(m_library.PlaceFolder(MacroItemLocation::Level1(1, 1), u"G", 0));
        ASSERT_TRUE(Place(MacroItemLocation::Level2(1, 1, 0),
                          LibraryMacro(u"C", kNumberC, MacroKey::kLoopModeFour, 9,
                                       {Press(kLeftMouseButton), Release(kLeftMouseButton)})));
    }

    bool Place(const MacroItemLocation& location, const MacroKey& macro)
    {
        return m_library.PlaceMacro(location, macro.name, std::make_unique<MacroKey>(macro));
    }

    const MacroKey& LibraryMacroAt(const MacroItemLocation& location) const
    {
        return *m_library.Item(location)->macro;
    }

    void SetMacroButton(std::size_t button, std::uint32_t number)
    {
        KeyAssignment& key = m_profile.Keys[button];
        key.Name = u"macro button";
        key.Value = {static_cast<std::uint8_t>(FunctionType::Macro), 0, 0};
        key.MacroKeyIndex = number;
    }

    void Resolve() { ResolveMacroButtons(m_profile, m_library, m_texts, m_resolution); }

    MacroLibrary m_library;
    LanguageTexts m_texts = NumberedTexts();
    Profile m_profile;
    MacroResolution m_resolution;
};

}  // namespace

TEST_F(MacroButtonResolverTest, SlotsCountDistinctMacrosInButtonOrder)
{
    SetMacroButton(0, kNumberC);
    m_profile.Keys[1].Value = {static_cast<std::uint8_t>(FunctionType::KeyCombination), 0x01, 0x04};
    m_profile.Keys[1].MacroKeyIndex = kNumberA;  // left over; not a macro button
    SetMacroButton(2, kNumberA);
    SetMacroButton(3, kNumberC);
    SetMacroButton(4, kNumberB);
    SetMacroButton(5, kNumberA);

    Resolve();

    EXPECT_EQ(m_resolution.slots, (std::array<std::uint8_t, 6>{1, 0, 2, 1, 3, 2}));
    // Loop type in the high nibble of code 1, the slot in the low nibble; the count only
    // for counted loops.
    EXPECT_EQ(m_profile.Keys[0].Value, (FunctionValue{0x90, 0x41, 0x00}));
    EXPECT_EQ(m_profile.Keys[1].Value, (FunctionValue{0x70, 0x01, 0x04}));
    EXPECT_EQ(m_profile.Keys[2].Value, (FunctionValue{0x90, 0x22, 0x07}));
    EXPECT_EQ(m_profile.Keys[3].Value, (FunctionValue{0x90, 0x41, 0x00}));
    EXPECT_EQ(m_profile.Keys[4].Value, (FunctionValue{0x90, 0x13, 0x00}));
    EXPECT_EQ(m_profile.Keys[5].Value, (FunctionValue{0x90, 0x22, 0x07}));
    EXPECT_EQ(m_profile.Keys[2].Name, u"macro button");
}

TEST_F(MacroButtonResolverTest, MissingMacroMakesTheButtonUnassignedAndTakesNoSlot)
{
    SetMacroButton(0, 99);  // not in the library
    SetMacroButton(1, 0);   // no macro number at all
    SetMacroButton(2, kNumberB);

    Resolve();

    for (std::size_t button : {0u, 1u}) {
        EXPECT_EQ(m_profile.Keys[button].Name, u"T34") << "button " << button;
        EXPECT_EQ(m_profile.Keys[button].Value, (FunctionValue{0, 0, 0})) << "button " << button;
    }
    EXPECT_EQ(m_resolution.slots, (std::array<std::uint8_t, 6>{0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(m_profile.Keys[2].Value, (FunctionValue{0x90, 0x11, 0x00}));

    // The profile keeps the change: a later resolution leaves the button alone.
    Resolve();
    EXPECT_EQ(m_profile.Keys[0].Value, (FunctionValue{0, 0, 0}));
    EXPECT_EQ(m_resolution.slots[2], 1);
}

TEST_F(MacroButtonResolverTest, CopyMacrosRefreshesWholePrivateCopiesOnce)
{
    SetMacroButton(1, kNumberA);
    SetMacroButton(4, kNumberC);
    m_profile.Keys[1].Macro = MakeMacro({Press(0x42)});  // stale private copies
    m_profile.Keys[4].Macro = MakeMacro({Press(0x43)});
    m_resolution.copyMacros = true;

    Resolve();

    EXPECT_EQ(m_profile.Keys[1].Macro, LibraryMacroAt(MacroItemLocation::Level0(0)));
    EXPECT_EQ(m_profile.Keys[4].Macro, LibraryMacroAt(MacroItemLocation::Level2(1, 1, 0)));
    EXPECT_EQ(m_resolution.macroRefreshed, (std::array<bool, 6>{false, true, false, false, true, false}));
    EXPECT_FALSE(m_resolution.copyMacros);

    // Without the request only the command count and the button value follow the library;
    // the refreshed marks stay for the main window to read.
    MacroKey& libraryA = *m_library.MutableItem(MacroItemLocation::Level0(0))->macro;
    const MacroKey before = m_profile.Keys[1].Macro;
    static_cast<void>(libraryA.Insert(0, Press(0x44)));
    libraryA.MacroCommandActionNum = 3;
    libraryA.MacroKeyLoopNum = 2;

    Resolve();

    MacroKey expected = before;
    expected.MacroCommandActionNum = 3;
    EXPECT_EQ(m_profile.Keys[1].Macro, expected);
    EXPECT_EQ(m_profile.Keys[1].Value, (FunctionValue{0x90, 0x21, 0x02}));
    EXPECT_EQ(m_resolution.macroRefreshed, (std::array<bool, 6>{false, true, false, false, true, false}));
}

TEST_F(MacroButtonResolverTest, WithoutCopyMacrosNoPrivateCopyIsReplacedOrMarked)
{
    SetMacroButton(0, kNumberB);
    const MacroKey stale = MakeMacro({Press(0x42), Delay(5), Release(0x42)});
    m_profile.Keys[0].Macro = stale;

    Resolve();

    MacroKey expected = stale;
    expected.MacroCommandActionNum = LibraryMacroAt(MacroItemLocation::Level1(1, 0)).MacroCommandActionNum;
    EXPECT_EQ(m_profile.Keys[0].Macro, expected);
    EXPECT_EQ(m_resolution.macroRefreshed, (std::array<bool, 6>{}));
}

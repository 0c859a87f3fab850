#include "profiles/LanguageLoader.h"

#include "profiles/LanguageTexts.h"
#include "profiles/TextNumbers.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class LanguageLoaderTest : public ::testing::Test {
protected:
    LanguageLoaderTest()
    {
        std::filesystem::create_directories(sources.configFolder);
        std::filesystem::create_directories(sources.programLanguageFolder);
    }

    TempFolder folder;
    LanguageSources sources{folder / "config", folder / "lang", "en_US.UTF-8", 1.0};
};

}  // namespace

TEST_F(LanguageLoaderTest, SelectionFileChoosesTheLanguage)
{
    struct Case {
        const char* what;
        std::u16string text;
        Language language;
    };
    const Case cases[] = {
        {"key and EN", u"[ChangeLanguage]\nLanguage=EN\n", Language::English},
        {"lower-case code", u"[ChangeLanguage]\nLanguage=en\n", Language::Chinese},
        {"bare EN line", u"[ChangeLanguage]\nEN\n", Language::English},
        {"first line is the selection", u"EN\n", Language::English},
        {"no second line", u"[ChangeLanguage]\n", Language::Chinese},
        {"empty file", u"", Language::Chinese},
        {"nothing after =", u"[ChangeLanguage]\nEN=\n", Language::Chinese},
    };
    for (const Case& c : cases) {
        WriteUtf16File(sources.configFolder / "LanSetting.ini", c.text);
        EXPECT_EQ(ChooseLanguage(sources), c.language) << c.what;
    }
}

TEST_F(LanguageLoaderTest, WithoutSelectionFileTheLocaleDecides)
{
    EXPECT_EQ(ChooseLanguage(sources), Language::English);
    sources.userLocale = "zh_TW.UTF-8";
    EXPECT_EQ(ChooseLanguage(sources), Language::Chinese);
    sources.userLocale = "en_US.UTF-8";
    std::filesystem::create_directories(sources.configFolder / "LanSetting.ini");
    EXPECT_EQ(ChooseLanguage(sources), Language::Chinese) << "an unreadable selection file selects nothing";
}

TEST_F(LanguageLoaderTest, ConfigFolderFileWinsOverTheShippedOne)
{
    WriteUtf16File(sources.programLanguageFolder / "Lan_EN.txt", u"[Setting]\n0=English\n5=shipped\n");
    LanguageTexts texts;
    EXPECT_TRUE(LoadLanguage(texts, sources));
    EXPECT_EQ(texts.Text(5), u"shipped");

    WriteUtf16File(sources.configFolder / "Lan_EN.txt", u"[Setting]\n0=English\n5=own\n");
    EXPECT_TRUE(LoadLanguage(texts, sources));
    EXPECT_EQ(texts.Text(5), u"own");
}

TEST_F(LanguageLoaderTest, BadLineKeepsEarlierTextsAndTheDefaultFont)
{
    std::u16string text = u"[Setting]\n0=English\n";
    for (int n = 1; n < 38; ++n) {
        text += TextNumbers::Decimal(n) + u"=t" + TextNumbers::Decimal(n) + u"\n";
    }
    text += u"38 has no equals sign\n40=late\n";
    WriteUtf16File(folder / "Lan_EN.txt", text);
    LanguageTexts texts;
    const FileCheck check = ReadLanguageFile(texts, folder / "Lan_EN.txt", 1.5);
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.failingLine, 40u);
    EXPECT_EQ(texts.Text(37), u"t37");
    EXPECT_EQ(texts.Text(40), u"");
    EXPECT_EQ(texts.Font(), ControlFont{});
}

TEST_F(LanguageLoaderTest, FontFollowsTextZeroAndScale)
{
    struct Case {
        std::u16string file;
        double scale;
        ControlFont font;
    };
    const Case cases[] = {
        {u"[Setting]\n0=English\n", 1.5, {u"Tahoma", 24, 1}},
        {u"[Setting]\n0=English\n", 1.0, {u"Tahoma", 16, 1}},
        {u"[Setting]\n0=\u4E2D\u6587\n", 1.5, {u"\u5B8B\u4F53", 18, 134}},
        {u"[Setting]\n0=\u4E2D\u6587\n", 2.0, {u"\u5B8B\u4F53", 24, 134}},
    };
    for (const Case& c : cases) {
        WriteUtf16File(folder / "Lan.txt", c.file);
        LanguageTexts texts;
        EXPECT_TRUE(ReadLanguageFile(texts, folder / "Lan.txt", c.scale).ok);
        EXPECT_EQ(texts.Font(), c.font) << c.scale;
    }
}

TEST_F(LanguageLoaderTest, LaterLinesWinAndNumbersOutsideTheTableAreSkipped)
{
    WriteUtf16File(folder / "Lan.txt", u"[Setting]\n7=first\n7=second\n500=x\n-1=y\n8=after\n");
    LanguageTexts texts;
    EXPECT_TRUE(ReadLanguageFile(texts, folder / "Lan.txt", 1.0).ok);
    EXPECT_EQ(texts.Text(7), u"second");
    EXPECT_EQ(texts.Text(8), u"after");
    EXPECT_EQ(texts.Text(499), u"");
}

TEST_F(LanguageLoaderTest, MissingFileOrWrongHeaderLeavesEverything)
{
    LanguageTexts texts;
    texts.SetText(3, u"kept");
    EXPECT_FALSE(ReadLanguageFile(texts, folder / "none.txt", 1.0).ok);
    WriteUtf16File(folder / "Lan.txt", u"[Texts]\n3=new\n");
    EXPECT_FALSE(ReadLanguageFile(texts, folder / "Lan.txt", 1.0).ok);
    EXPECT_EQ(texts.Text(3), u"kept");
}

TEST_F(LanguageLoaderTest, TextsTheConfiguredFileLacksComeFromTheShippedOne)
{
    WriteUtf16File(sources.programLanguageFolder / "Lan_EN.txt",
                   u"[Setting]\n0=English\n5=shipped five\n85=Profile 1\n");
    struct Case {
        const char* what;
        std::string bytes;
        std::u16string textFive;
    };
    const Case cases[] = {
        {"empty file", "", u"shipped five"},
        {"header only", Utf16Bytes(u"[Setting]\n"), u"shipped five"},
        {"older file without text 85", Utf16Bytes(u"[Setting]\n0=English\n5=own five\n"), u"own five"},
        {"file that breaks off", Utf16Bytes(u"[Setting]\n5=own five\nbroken\n85=never read\n"), u"own five"},
    };
    for (const Case& c : cases) {
        WriteBytes(sources.configFolder / "Lan_EN.txt", c.bytes);
        LanguageTexts texts;
        EXPECT_TRUE(LoadLanguage(texts, sources)) << c.what;
        EXPECT_EQ(texts.Text(5), c.textFive) << c.what;
        EXPECT_EQ(texts.Text(85), u"Profile 1") << c.what;
        EXPECT_EQ(texts.Font().face, u"Tahoma") << c.what;
    }
}

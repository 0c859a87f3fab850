// Checks the two language files in the form the program reads them (UTF-16LE with
// byte-order mark, as produced by the build), through the program's own text-file class.
//
// What is checked is what would break the program at run time: a file the loader stops
// reading early (bad header, a line without number or text, an empty line), a text the
// program looks up but the file leaves empty, a number defined twice, the two languages
// drifting apart, a wrong language name (it also selects the control font), and printf
// fields that differ between the languages.
#include "profiles/CStdioFileEx.h"
#include "profiles/TextNumbers.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr int kTextCount = 500;

// Every text number the program looks up, by the place that shows it.
struct NumberRange {
    int first;
    int last;
};
constexpr NumberRange kUsedNumbers[] = {
    {0, 0},      // language name; "中文" selects the Chinese control font
    {1, 2},      // tray menu (1 is also the profile-list button)
    {3, 3},      // version line
    {4, 5},      // OK / Cancel of the small dialogs
    {6, 19},     // main window buttons, title bars, section headers, battery legend
    {20, 32},    // button-function menu; 20..24 are the default button names
    {34, 34},    // disable entry and name of a disabled button
    {36, 36},    // DPI lock entry and name prefix
    {39, 39},    // launch-program entry
    {40, 42},    // DPI sub-menu; 42 is also the default name of the sixth button
    {45, 54},    // multimedia sub-menu
    {60, 68},    // office sub-menu
    {75, 80},    // Windows sub-menu
    {85, 89},    // default profile names
    {90, 93},    // profile right-click menu
    {100, 109},  // lighting-mode names
    {120, 123},  // lighting section labels
    {130, 135},  // pointer section labels
    {140, 147},  // reset question, profile dialogs, file dialog titles, progress message
    {150, 152},  // notice title, left-click warning, current profile not deletable
    {155, 156},  // no mouse / mouse not reachable
    {170, 176},  // fire-key dialog and its notices
    {180, 180},  // shortcut dialog prompt
    {189, 210},  // macro manager captions, macro name prefix, insert-action menu
    {220, 225},  // macro action edit prompts
    {232, 239},  // macro manager notices and name prompts
    {241, 243},  // macro name notices, folder name prompt
    {245, 257},  // macro context menu, export/import titles, macro in use
    {260, 272},  // pointer button, rate captions, power texts, lift-off, debounce
    {273, 273},  // DPI value dialogs
    {274, 276},  // motion wake-up, pairing header and button
    {277, 283},  // pairing dialog
    {284, 291},  // receiver status, sensor options, launch prompt, firmware entry
    {292, 293},  // firmware check results
    {295, 308},  // firmware update progress and failures
    {309, 311},  // macro file notices: damaged file, nothing marked, not written
    {312, 329},  // names of picture controls for assistive technology
    {330, 331},  // macro action rows read as a key press or release
    {332, 332},  // changes of the data folder cannot be saved
    {333, 333},  // no macro number left for a new macro
    {334, 338},  // battery notifications
};

std::set<int> UsedNumbers()
{
    std::set<int> numbers;
    for (const auto& range : kUsedNumbers) {
        for (int n = range.first; n <= range.last; ++n) {
            numbers.insert(n);
        }
    }
    return numbers;
}

std::string Utf8(std::u16string_view text)
{
    return TextNumbers::ToUtf8(text);
}

std::filesystem::path LanguageFilePath(const char* name)
{
    return std::filesystem::path(CORVANE_LANG_DIR) / name;
}

// A language file as the program's loader sees it, plus every fault found on the way.
struct LoadedFile {
    bool opened = false;
    bool hasHeader = false;
    std::u16string header;
    std::size_t linesRead = 0;  // including the header line
    std::map<int, std::u16string> texts;
    std::vector<std::string> faults;
};

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\u3000' || c == u'\u00A0';
}

LoadedFile LoadThroughReader(const std::filesystem::path& path)
{
    LoadedFile file;
    CStdioFileEx reader;
    if (!reader.OpenForRead(path)) {
        return file;
    }
    file.opened = true;
    std::u16string line;
    if (!reader.ReadLine(line)) {
        return file;
    }
    file.hasHeader = true;
    file.header = line;
    file.linesRead = 1;
    while (reader.ReadLine(line)) {
        ++file.linesRead;
        const std::size_t lineNumber = reader.LineNumber();
        const std::string where = "line " + std::to_string(lineNumber) + " \"" + Utf8(line) + "\": ";
        if (line.find(u'\r') != std::u16string::npos) {
            file.faults.push_back(where + "carriage return inside the line");
        }
        const std::size_t p = line.find(u'=');
        // The loader stops at a line whose first "=" leaves no number before it or no
        // text after it.
        if (p == std::u16string::npos || p < 1 || p + 2 > line.size()) {
            file.faults.push_back(where + "no number or no text; the loader stops here");
            continue;
        }
        const std::u16string_view number(line.data(), p);
        bool digitsOnly = true;
        for (const char16_t c : number) {
            digitsOnly = digitsOnly && IsDigit(c);
        }
        if (!digitsOnly || number.size() > 3) {
            file.faults.push_back(where + "the text number is not a plain number 0..499");
            continue;
        }
        const auto n = static_cast<int>(TextNumbers::ParseDecimal(number));
        if (n >= kTextCount) {
            file.faults.push_back(where + "text number outside 0..499");
            continue;
        }
        std::u16string text = line.substr(p + 1);
        if (IsBlank(text.back())) {
            file.faults.push_back(where + "text ends with white space");
        }
        if (!file.texts.emplace(n, std::move(text)).second) {
            file.faults.push_back(where + "text number " + std::to_string(n) + " defined twice");
        }
    }
    return file;
}

// Number of lines in the file itself, independent of where the reader stops.
struct RawFile {
    bool readable = false;
    bool hasByteOrderMark = false;
    bool evenSize = false;
    std::size_t lineCount = 0;
};

RawFile CountRawLines(const std::filesystem::path& path)
{
    RawFile raw;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return raw;
    }
    raw.readable = true;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    raw.hasByteOrderMark = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                           static_cast<unsigned char>(bytes[1]) == 0xFE;
    raw.evenSize = bytes.size() % 2 == 0;
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    std::size_t count = 0;
    for (const char16_t c : text) {
        count += c == u'\n' ? 1 : 0;
    }
    if (!text.empty() && text.back() != u'\n') {
        ++count;  // a last line without line end
    }
    raw.lineCount = count;
    return raw;
}

// The printf conversions of a text, in order ("%%" is not a field). A "%" that starts no
// valid conversion is kept as "%?" so that it also has to match.
std::vector<std::string> FormatFields(std::u16string_view text)
{
    std::vector<std::string> fields;
    const std::u16string_view flags = u"-+ #0";
    const std::u16string_view conversions = u"diouxXeEfFgGaAcspn";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') {
            continue;
        }
        std::size_t j = i + 1;
        if (j < text.size() && text[j] == u'%') {
            i = j;
            continue;
        }
        while (j < text.size() && flags.find(text[j]) != std::u16string_view::npos) {
            ++j;
        }
        while (j < text.size() && (IsDigit(text[j]) || text[j] == u'*')) {
            ++j;
        }
        if (j < text.size() && text[j] == u'.') {
            ++j;
            while (j < text.size() && (IsDigit(text[j]) || text[j] == u'*')) {
                ++j;
            }
        }
        while (j < text.size() && std::u16string_view(u"hlLqjzt").find(text[j]) != std::u16string_view::npos) {
            ++j;
        }
        if (j < text.size() && conversions.find(text[j]) != std::u16string_view::npos) {
            fields.push_back(Utf8(text.substr(i, j - i + 1)));
            i = j;
        } else {
            fields.emplace_back("%?");
        }
    }
    return fields;
}

std::string Join(const std::vector<std::string>& items, const char* separator = " ")
{
    std::ostringstream out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        out << (i == 0 ? "" : separator) << items[i];
    }
    return out.str();
}

struct LanguageCase {
    const char* fileName;
    const char16_t* languageName;
};

void PrintTo(const LanguageCase& languageCase, std::ostream* out)
{
    *out << languageCase.fileName;
}

class LanguageFileTest : public testing::TestWithParam<LanguageCase> {
protected:
    [[nodiscard]] std::filesystem::path Path() const { return LanguageFilePath(GetParam().fileName); }
};

TEST_P(LanguageFileTest, OpensAndStartsWithTheSettingHeader)
{
    const LoadedFile file = LoadThroughReader(Path());
    ASSERT_TRUE(file.opened) << Path();
    ASSERT_TRUE(file.hasHeader) << Path() << " has no first line";
    EXPECT_EQ(Utf8(file.header), "[Setting]");
}

TEST_P(LanguageFileTest, IsStoredAsUtf16WithByteOrderMark)
{
    const RawFile raw = CountRawLines(Path());
    ASSERT_TRUE(raw.readable) << Path();
    EXPECT_TRUE(raw.hasByteOrderMark);
    EXPECT_TRUE(raw.evenSize) << "odd byte count: not UTF-16";
}

TEST_P(LanguageFileTest, EveryLineIsANumberedNonEmptyText)
{
    const LoadedFile file = LoadThroughReader(Path());
    ASSERT_TRUE(file.opened) << Path();
    EXPECT_TRUE(file.faults.empty()) << Join(file.faults, "\n");
    EXPECT_GT(file.texts.size(), 1U);
}

TEST_P(LanguageFileTest, ReaderReachesTheRealEndOfTheFile)
{
    const LoadedFile file = LoadThroughReader(Path());
    const RawFile raw = CountRawLines(Path());
    ASSERT_TRUE(file.opened && raw.readable) << Path();
    // The reader reports an empty line as the end of the file, so any empty line
    // (also a doubled line end at the very end) leaves lines unread.
    EXPECT_EQ(file.linesRead, raw.lineCount)
        << "reading stopped after line " << file.linesRead << " of " << raw.lineCount;
}

TEST_P(LanguageFileTest, DefinesEveryTextTheProgramShows)
{
    const LoadedFile file = LoadThroughReader(Path());
    ASSERT_TRUE(file.opened) << Path();
    std::vector<std::string> missing;
    for (const int n : UsedNumbers()) {
        const auto it = file.texts.find(n);
        if (it == file.texts.end() || it->second.empty()) {
            missing.push_back(std::to_string(n));
        }
    }
    EXPECT_TRUE(missing.empty()) << "missing texts: " << Join(missing);
}

TEST_P(LanguageFileTest, TextZeroNamesTheLanguage)
{
    const LoadedFile file = LoadThroughReader(Path());
    ASSERT_TRUE(file.opened) << Path();
    const auto it = file.texts.find(0);
    ASSERT_NE(it, file.texts.end()) << "no text 0";
    EXPECT_EQ(Utf8(it->second), Utf8(GetParam().languageName));
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageFileTest,
                         testing::Values(LanguageCase{"Lan_EN.txt", u"English"},
                                         LanguageCase{"Lan.txt", u"\u4E2D\u6587"}),
                         [](const testing::TestParamInfo<LanguageCase>& caseInfo) {
                             return std::string(caseInfo.param.fileName[3] == '_' ? "English" : "Chinese");
                         });

TEST(LanguageFiles, BothDefineTheSameTextNumbers)
{
    const LoadedFile english = LoadThroughReader(LanguageFilePath("Lan_EN.txt"));
    const LoadedFile chinese = LoadThroughReader(LanguageFilePath("Lan.txt"));
    ASSERT_TRUE(english.opened && chinese.opened);
    std::vector<std::string> onlyEnglish;
    std::vector<std::string> onlyChinese;
    for (const auto& [n, text] : english.texts) {
        if (!chinese.texts.contains(n)) {
            onlyEnglish.push_back(std::to_string(n));
        }
    }
    for (const auto& [n, text] : chinese.texts) {
        if (!english.texts.contains(n)) {
            onlyChinese.push_back(std::to_string(n));
        }
    }
    EXPECT_TRUE(onlyEnglish.empty()) << "only in the English file: " << Join(onlyEnglish);
    EXPECT_TRUE(onlyChinese.empty()) << "only in the Chinese file: " << Join(onlyChinese);
}

TEST(LanguageFiles, FormatFieldsMatchBetweenLanguages)
{
    const LoadedFile english = LoadThroughReader(LanguageFilePath("Lan_EN.txt"));
    const LoadedFile chinese = LoadThroughReader(LanguageFilePath("Lan.txt"));
    ASSERT_TRUE(english.opened && chinese.opened);
    std::size_t compared = 0;
    for (const auto& [n, englishText] : english.texts) {
        const auto it = chinese.texts.find(n);
        if (it == chinese.texts.end()) {
            continue;  // reported by BothDefineTheSameTextNumbers
        }
        ++compared;
        EXPECT_EQ(FormatFields(englishText), FormatFields(it->second))
            << "text " << n << ": \"" << Utf8(englishText) << "\" / \"" << Utf8(it->second) << "\"";
    }
    EXPECT_GT(compared, 0U);
}

// The field scanner itself, so that a broken scanner cannot hide mismatches.
TEST(LanguageFiles, FormatFieldScannerFindsConversions)
{
    EXPECT_EQ(FormatFields(u"%s(%d/%d)"), (std::vector<std::string>{"%s", "%d", "%d"}));
    EXPECT_EQ(FormatFields(u"100%% done %.1f%%"), (std::vector<std::string>{"%.1f"}));
    EXPECT_EQ(FormatFields(u"%-5lu and %08X"), (std::vector<std::string>{"%-5lu", "%08X"}));
    EXPECT_EQ(FormatFields(u"50%!"), (std::vector<std::string>{"%?"}));
    EXPECT_TRUE(FormatFields(u"no fields").empty());
}

}  // namespace

#include "profiles/LanguageLoader.h"

#include "profiles/CStdioFileEx.h"
#include "profiles/LanguageTexts.h"
#include "profiles/TextNumbers.h"

#include <string_view>

namespace {

constexpr std::u16string_view kSelectionHeader = u"[ChangeLanguage]";
constexpr std::u16string_view kTextsHeader = u"[Setting]";
constexpr std::u16string_view kEnglishCode = u"EN";
constexpr std::u16string_view kChineseName = u"\u4E2D\u6587";
constexpr std::u16string_view kChineseFace = u"\u5B8B\u4F53";
constexpr std::u16string_view kLatinFace = u"Tahoma";
constexpr int kChineseCharset = 134;
constexpr int kLatinCharset = 1;
constexpr double kChineseFontHeight = 12;
constexpr double kLatinFontHeight = 16;

// The text after the first "=", when there is a non-empty text before and after it.
bool SplitAtEquals(std::u16string_view line, std::u16string_view& before, std::u16string_view& after)
{
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos || equals < 1 || equals + 2 > line.size()) {
        return false;
    }
    before = line.substr(0, equals);
    after = line.substr(equals + 1);
    return true;
}

const char* FileName(Language language)
{
    return language == Language::English ? "Lan_EN.txt" : "Lan.txt";
}

}  // namespace

Language ChooseLanguage(const LanguageSources& sources)
{
    const std::filesystem::path selectionFile = sources.configFolder / "LanSetting.ini";
    std::error_code error;
    if (!std::filesystem::exists(selectionFile, error)) {
        return sources.userLocale.rfind("zh", 0) == 0 ? Language::Chinese : Language::English;
    }
    // A selection file that is there but cannot be read selects nothing: Chinese.
    CStdioFileEx file;
    if (!file.OpenForRead(selectionFile)) {
        return Language::Chinese;
    }
    std::u16string selection;
    std::u16string_view line;
    if (file.ReadLine(line)) {
        if (line != kSelectionHeader) {
            selection.assign(line);
        } else if (file.ReadLine(line)) {
            selection.assign(line);
            std::u16string_view key;
            std::u16string_view code;
            if (SplitAtEquals(line, key, code)) {
                selection.assign(code);
            }
        }
    }
    return selection == kEnglishCode ? Language::English : Language::Chinese;
}

std::filesystem::path LanguageFile(const LanguageSources& sources, Language language)
{
    const char* name = FileName(language);
    std::filesystem::path configured = sources.configFolder / name;
    std::error_code error;
    if (std::filesystem::exists(configured, error)) {
        return configured;
    }
    return sources.programLanguageFolder / name;
}

FileCheck ReadLanguageFile(LanguageTexts& texts, const std::filesystem::path& path, double uiScale)
{
    CStdioFileEx file;
    if (!file.OpenForRead(path)) {
        return FileCheck::FailedAt(1);
    }
    std::u16string_view line;
    if (!file.ReadLine(line) || line != kTextsHeader) {
        return FileCheck::FailedAt(1);
    }
    while (file.ReadLine(line)) {
        std::u16string_view number;
        std::u16string_view text;
        if (!SplitAtEquals(line, number, text)) {
            return FileCheck::FailedAt(file.LineNumber());
        }
        // A number outside the table cannot be stored; the line is skipped and the
        // texts after it still count.
        const std::int64_t n = TextNumbers::ParseDecimal(number);
        if (n >= 0 && n < static_cast<std::int64_t>(LanguageTexts::kCount)) {
            texts.SetText(static_cast<std::size_t>(n), std::u16string(text));
        }
    }
    ControlFont font;
    if (texts.Text(0) == kChineseName) {
        font = {std::u16string(kChineseFace), static_cast<int>(uiScale * kChineseFontHeight), kChineseCharset};
    } else {
        font = {std::u16string(kLatinFace), static_cast<int>(uiScale * kLatinFontHeight), kLatinCharset};
    }
    texts.SetFont(font);
    return FileCheck::Passed();
}

bool LoadLanguage(LanguageTexts& texts, const LanguageSources& sources)
{
    const Language language = ChooseLanguage(sources);
    const char* name = FileName(language);
    const std::filesystem::path shipped = sources.programLanguageFolder / name;
    const std::filesystem::path configured = sources.configFolder / name;
    std::error_code error;
    bool complete = false;
    if (!sources.programLanguageFolder.empty() && std::filesystem::exists(shipped, error)) {
        complete = ReadLanguageFile(texts, shipped, sources.uiScale).ok;
    }
    if (std::filesystem::exists(configured, error) && !std::filesystem::equivalent(configured, shipped, error)) {
        complete = ReadLanguageFile(texts, configured, sources.uiScale).ok || complete;
    }
    return complete;
}

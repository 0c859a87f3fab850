#pragma once

#include "profiles/FileCheck.h"

#include <filesystem>
#include <string>

class LanguageTexts;

// Where the language comes from.
struct LanguageSources {
    std::filesystem::path configFolder;           // the data folder's config/
    std::filesystem::path programLanguageFolder;  // lang/ beside the program
    std::string userLocale;                       // e.g. "zh_CN.UTF-8"; used without LanSetting.ini
    double uiScale = 1.0;
};

enum class Language { English, Chinese };

// Which language LanSetting.ini selects; without the file, the user's locale decides
// (Chinese for zh*, English otherwise), so a fresh install shows the user's language.
[[nodiscard]] Language ChooseLanguage(const LanguageSources& sources);

// The file of a language: the one in config/ when there is one there, else the one
// shipped in the program's lang/ folder.
[[nodiscard]] std::filesystem::path LanguageFile(const LanguageSources& sources, Language language);

// Reads the numbered texts of a language file into `texts`, later lines replacing
// earlier ones. The control font is chosen only when the whole file was read.
[[nodiscard]] FileCheck ReadLanguageFile(LanguageTexts& texts, const std::filesystem::path& path,
                                         double uiScale);

// The whole start-up step: choose, read, pick the font. The file shipped in the
// program's lang/ folder is read first and a file of the same language in config/ over
// it, so every text the configured file lacks (an empty or older file) is the shipped
// one. True when either file was read to its end.
bool LoadLanguage(LanguageTexts& texts, const LanguageSources& sources);
